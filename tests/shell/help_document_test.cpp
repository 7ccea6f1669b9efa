// The help document that the help menu opens: a word processor must read it
// (RTF whose Greek is written as Unicode escapes, so no code page can garble
// it), and it must name the commands as the windows show them, so that a
// planner following it finds every menu item, button and window it quotes.
#include "fixed_knife/form3.h"
#include "fixed_knife/frm_notice.h"
#include "fixed_knife/frm_search.h"
#include "fixed_knife/frm_ypoloipa.h"
#include "knife_change/form1.h"
#include "platform/forms.h"
#include "platform/msgbox.h"
#include "platform/reportwindow.h"
#include "reports/prints.h"
#include "shell/frmabout.h"
#include "shell/frmmain.h"
#include "shell/records/frmparameters.h"
#include "shell/records/frmprotasisxristi.h"
#include "shell/records/frmtypos.h"
#include "user_plan/form2.h"
#include "common/db_test.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

QString helpDocumentPath() { return QStringLiteral(VELANTRA_HELP_DOCUMENT); }

// The text of an RTF document, or an error naming what a reader would trip
// over. Only what the help document may use is read: groups, control words,
// escaped braces and backslashes, \uN with one fallback character, \par and
// \tab; the font table, the document information and "\*" destinations are
// skipped.
QString rtfText(const QByteArray &rtf, QString *error)
{
    auto fail = [&](const QString &why, qsizetype at) {
        *error = QStringLiteral("%1 (byte %2)").arg(why).arg(at);
        return QString();
    };
    if (!rtf.startsWith("{\\rtf1")) return fail(QStringLiteral("not an RTF document"), 0);
    for (qsizetype i = 0; i < rtf.size(); ++i)
        if (static_cast<unsigned char>(rtf[i]) > 127)
            return fail(QStringLiteral("a byte outside ASCII, read by the code page of the reader"), i);

    QString text;
    int depth = 0;
    int skipFrom = -1; // depth of a group whose text is not document text
    bool closed = false;
    for (qsizetype i = 0; i < rtf.size();) {
        const char c = rtf[i];
        if (closed) {
            if (!QChar::isSpace(uchar(c))) return fail(QStringLiteral("text after the document's end"), i);
            ++i;
            continue;
        }
        if (c == '{') {
            ++depth;
            ++i;
            if (skipFrom < 0 && (rtf.mid(i, 8) == "\\fonttbl" || rtf.mid(i, 5) == "\\info" || rtf.mid(i, 2) == "\\*"))
                skipFrom = depth;
            continue;
        }
        if (c == '}') {
            if (depth == skipFrom) skipFrom = -1;
            if (--depth == 0) closed = true;
            if (depth < 0) return fail(QStringLiteral("a group closed that was never opened"), i);
            ++i;
            continue;
        }
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            if (skipFrom < 0) text += QLatin1Char(c);
            ++i;
            continue;
        }
        // A control symbol or word.
        if (i + 1 >= rtf.size()) return fail(QStringLiteral("a backslash at the end"), i);
        const char next = rtf[i + 1];
        if (next == '\\' || next == '{' || next == '}') {
            if (skipFrom < 0) text += QLatin1Char(next);
            i += 2;
            continue;
        }
        if (next == '\'') return fail(QStringLiteral("a character written in a code page"), i);
        if (!QChar::isLetter(uchar(next))) {
            i += 2; // \~, \-, \_ and the like
            continue;
        }
        qsizetype j = i + 1;
        while (j < rtf.size() && QChar::isLetter(uchar(rtf[j]))) ++j;
        const QByteArray word = rtf.mid(i + 1, j - i - 1);
        qsizetype k = j;
        if (k < rtf.size() && rtf[k] == '-') ++k;
        while (k < rtf.size() && QChar::isDigit(uchar(rtf[k]))) ++k;
        const QByteArray number = rtf.mid(j, k - j);
        if (k < rtf.size() && rtf[k] == ' ') ++k; // the delimiter belongs to the word
        if (word == "u") {
            bool ok = false;
            int code = number.toInt(&ok);
            if (!ok) return fail(QStringLiteral("\\u without a number"), i);
            if (code < 0) code += 65536;
            // One fallback character follows (\uc1), for readers without Unicode.
            if (k >= rtf.size() || rtf[k] == '\\' || rtf[k] == '{' || rtf[k] == '}')
                return fail(QStringLiteral("\\u without its fallback character"), i);
            ++k;
            if (skipFrom < 0) text += QChar(char16_t(code));
        } else if (skipFrom < 0 && (word == "par" || word == "line")) {
            text += QLatin1Char('\n');
        } else if (skipFrom < 0 && word == "tab") {
            text += QLatin1Char('\t');
        }
        i = k;
    }
    if (!closed) return fail(QStringLiteral("the document's group is never closed"), rtf.size());
    return text;
}

QString documentText()
{
    QFile f(helpDocumentPath());
    if (!f.open(QIODevice::ReadOnly)) return {};
    QString error;
    const QString text = rtfText(f.readAll(), &error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    return text;
}

// A caption as the document quotes it: without the access-key marker and the
// blanks some captions carry at their end.
QString quoted(QString caption)
{
    caption.remove(QLatin1Char('&'));
    return QStringLiteral("«") + caption.trimmed() + QStringLiteral("»");
}

// The window's title and the captions of the buttons it shows (a button
// hidden until some later step counts when the document names it anyway).
QStringList captionsOf(QWidget *w)
{
    QStringList out{w->windowTitle()};
    for (QPushButton *b : w->findChildren<QPushButton *>()) {
        if (b->text().trimmed().isEmpty()) continue;   // picture buttons
        if (b->isHidden() && b->objectName().startsWith(QLatin1String("Command"))) continue; // search entries
        out << b->text();
    }
    return out;
}

TEST(HelpDocumentFile, IsRtfWithEveryGreekLetterEscaped)
{
    QFile f(helpDocumentPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << helpDocumentPath().toStdString();
    QString error;
    const QString text = rtfText(f.readAll(), &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Οδηγός χρήσεως")));
    // The accepted deviation is set in the parameters window alone.
    EXPECT_TRUE(text.contains(QStringLiteral("Η ανεκτή απόκλιση ορίζεται μόνο εδώ")));
}

TEST(HelpDocumentFile, ReaderRefusesWhatAWordProcessorWouldMisread)
{
    const struct {
        QByteArray rtf;
        QString text;   // empty: refused
    } cases[] = {
        {"{\\rtf1\\ansi\\uc1{\\fonttbl{\\f0 Arial;}}\\u913?\\u946?\\par x\\tab y}", QStringLiteral("Αβ\nx\ty")},
        {"{\\rtf1 a\\{b\\}c\\\\d}\n", QStringLiteral("a{b}c\\d")},
        {"{\\rtf1 \xce\xb1}", {}},          // UTF-8 bytes: read in the reader's code page
        {"{\\rtf1 \\'e1}", {}},             // a code-page character
        {"{\\rtf1 \\u913\\par}", {}},       // no fallback character
        {"{\\rtf1 text", {}},               // never closed
        {"{\\rtf1 text}}", {}},             // closed twice
        {"plain text", {}},
    };
    for (const auto &c : cases) {
        QString error;
        const QString text = rtfText(c.rtf, &error);
        if (c.text.isEmpty()) {
            EXPECT_FALSE(error.isEmpty()) << c.rtf.toStdString();
        } else {
            EXPECT_TRUE(error.isEmpty()) << c.rtf.toStdString() << ": " << error.toStdString();
            EXPECT_EQ(text, c.text);
        }
    }
}

class HelpDocumentWindows : public DbTest {
protected:
    void TearDown() override
    {
        plat::FormInstance<Form1>::unloadIfLoaded();
        plat::FormInstance<Form2>::unloadIfLoaded();
        plat::FormInstance<frmSearch>::unloadIfLoaded();
        plat::FormInstance<Form3>::unloadIfLoaded();
        plat::FormInstance<frmParameters>::unloadIfLoaded();
        plat::FormInstance<frmProtasisXristi>::unloadIfLoaded();
        plat::FormInstance<frmTypos>::unloadIfLoaded();
        plat::FormInstance<frmAbout>::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        DbTest::TearDown();
    }
};

TEST_F(HelpDocumentWindows, QuotesEveryMenuItemWindowAndButtonAsTheProgramShowsIt)
{
    const QString text = documentText();
    ASSERT_FALSE(text.isEmpty());
    plat::MsgBoxRecorder quiet;

    QStringList captions;
    {
        frmMain main;
        for (QAction *menu : main.menuBar()->actions()) {
            captions << menu->text();
            for (QAction *item : menu->menu()->actions())
                if (!item->isSeparator()) captions << item->text();
        }
    }
    captions << captionsOf(plat::FormInstance<Form1>::get()) << captionsOf(plat::FormInstance<Form2>::get())
             << captionsOf(plat::FormInstance<Form3>::get()) << captionsOf(plat::FormInstance<frmSearch>::get())
             << captionsOf(plat::FormInstance<frmParameters>::get())
             << captionsOf(plat::FormInstance<frmProtasisXristi>::get())
             << captionsOf(plat::FormInstance<frmTypos>::get()) << captionsOf(plat::FormInstance<frmAbout>::get());
    frmHelp notice;
    frmYpoloipa question;
    captions << captionsOf(&notice) << captionsOf(&question) << question.Check1->text() << question.Check2->text();
    for (auto job : {reports::PrintJob::Proposal1, reports::PrintJob::Proposal2, reports::PrintJob::Proposal3,
                     reports::PrintJob::CuttingOrder})
        captions << reports::reportCaption(job);
    QString error;
    plat::ReportWindow report(reports::makeCatalogueReport(false, &error),
                              reports::reportCaption(reports::PrintJob::Proposal1));
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    captions << captionsOf(&report);

    captions.removeDuplicates();
    QStringList missing;
    for (const QString &c : captions)
        if (!text.contains(quoted(c))) missing << quoted(c);
    EXPECT_TRUE(missing.isEmpty()) << missing.join(QStringLiteral(", ")).toStdString();
    // The windows were really read: commands of each planner are among them.
    for (const char *c : {"Πρότασις 3", "ΚΑΤΑΡΓΗΣΙΣ ΑΝΑΛΟΓΙΑΣ", "ΑΠΟΔΟΧΗ", "Οριζόντια στοίχησις", "Αποθήκευση ως PDF…"})
        EXPECT_TRUE(captions.contains(QString::fromUtf8(c))) << c;
}

} // namespace
