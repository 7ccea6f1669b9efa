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
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace {

QString helpDocumentPath() { return QStringLiteral(VELANTRA_HELP_DOCUMENT); }
QString helpSourcePath() { return QStringLiteral(VELANTRA_HELP_SOURCE); }

// What a word processor makes of an RTF document: its text, its paragraphs
// with their styles, the styles of its style sheet and its footers.
struct RtfParagraph {
    int style = 0;
    QString text;
};
struct RtfStyle {
    QString name;
    int outlineLevel = -1; // none: the style is no heading
};
struct RtfDocument {
    QString text; // the body as a reader sees it: field results in, instructions out
    QList<RtfParagraph> paragraphs;
    QMap<int, RtfStyle> styles;
    QStringList fields; // the instructions of the body's fields
    QString footerText;
    QStringList footerFields;
};

// Reads an RTF document, or says what a reader would trip over. Only what the
// help document may use is read: groups, control words, escaped braces and
// backslashes, \uN with one fallback character, \par, \line, \tab, table
// cells and rows, the style sheet, fields and footers; the font and colour
// tables, the document information and other "\*" destinations are skipped.
RtfDocument readRtf(const QByteArray &rtf, QString *error)
{
    RtfDocument doc;
    auto fail = [&](const QString &why, qsizetype at) {
        *error = QStringLiteral("%1 (byte %2)").arg(why).arg(at);
        return RtfDocument();
    };
    if (!rtf.startsWith("{\\rtf1")) return fail(QStringLiteral("not an RTF document"), 0);
    for (qsizetype i = 0; i < rtf.size(); ++i)
        if (static_cast<unsigned char>(rtf[i]) > 127)
            return fail(QStringLiteral("a byte outside ASCII, read by the code page of the reader"), i);

    enum class Dest { Body, Skip, StyleSheet, Style, FieldInstruction, Footer };
    struct State {
        Dest dest = Dest::Body;
        int style = 0;       // of the paragraph being read, or of the style being defined
        bool inFooter = false;
    };
    QList<State> stack{State{}};
    QString paragraph, styleName, instruction;
    int styleOutline = -1;
    bool closed = false;

    auto put = [&](const QString &s) {
        switch (stack.last().dest) {
        case Dest::Body: doc.text += s; paragraph += s; break;
        case Dest::Style: styleName += s; break;
        case Dest::FieldInstruction: instruction += s; break;
        case Dest::Footer: doc.footerText += s; break;
        default: break;
        }
    };
    auto endParagraph = [&] {
        if (stack.last().dest != Dest::Body) return;
        doc.paragraphs.append({stack.last().style, paragraph});
        paragraph.clear();
    };

    for (qsizetype i = 0; i < rtf.size();) {
        const char c = rtf[i];
        if (closed) {
            if (!QChar::isSpace(uchar(c))) return fail(QStringLiteral("text after the document's end"), i);
            ++i;
            continue;
        }
        if (c == '{') {
            State inner = stack.last();
            if (inner.dest == Dest::StyleSheet) {
                inner.dest = Dest::Style;
                inner.style = 0;
                styleName.clear();
                styleOutline = -1;
            }
            if (rtf.mid(i + 1, 2) == "\\*") {
                if (rtf.mid(i + 3, 8) == "\\fldinst" && inner.dest != Dest::Skip) {
                    inner.inFooter = inner.dest == Dest::Footer || inner.inFooter;
                    inner.dest = Dest::FieldInstruction;
                    instruction.clear();
                } else {
                    inner.dest = Dest::Skip;
                }
            }
            stack.append(inner);
            ++i;
            continue;
        }
        if (c == '}') {
            if (stack.size() == 1) return fail(QStringLiteral("a group closed that was never opened"), i);
            const State done = stack.takeLast();
            if (done.dest == Dest::Style && stack.last().dest == Dest::StyleSheet) {
                styleName = styleName.trimmed();
                if (styleName.endsWith(u';')) styleName.chop(1);
                doc.styles.insert(done.style, {styleName, styleOutline});
            }
            if (done.dest == Dest::FieldInstruction && stack.last().dest != Dest::FieldInstruction)
                (done.inFooter ? doc.footerFields : doc.fields) << instruction.trimmed();
            if (stack.size() == 1) closed = true;
            ++i;
            continue;
        }
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            put(QString(QLatin1Char(c)));
            ++i;
            continue;
        }
        // A control symbol or word.
        if (i + 1 >= rtf.size()) return fail(QStringLiteral("a backslash at the end"), i);
        const char next = rtf[i + 1];
        if (next == '\\' || next == '{' || next == '}') {
            put(QString(QLatin1Char(next)));
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
        State &state = stack.last();
        if (word == "u") {
            bool ok = false;
            int code = number.toInt(&ok);
            if (!ok) return fail(QStringLiteral("\\u without a number"), i);
            if (code < 0) code += 65536;
            // One fallback character follows (\uc1), for readers without Unicode.
            if (k >= rtf.size() || rtf[k] == '\\' || rtf[k] == '{' || rtf[k] == '}')
                return fail(QStringLiteral("\\u without its fallback character"), i);
            ++k;
            put(QString(QChar(char16_t(code))));
        } else if (word == "fonttbl" || word == "colortbl" || word == "info") {
            state.dest = Dest::Skip;
        } else if (word == "stylesheet") {
            state.dest = Dest::StyleSheet;
        } else if (word.startsWith("footer") || word.startsWith("header")) {
            state.dest = Dest::Footer;
        } else if (word == "pard") {
            if (state.dest == Dest::Body) state.style = 0;
        } else if (word == "s") {
            state.style = number.toInt();
        } else if (word == "outlinelevel" && state.dest == Dest::Style) {
            styleOutline = number.toInt();
        } else if (word == "par" || word == "cell") {
            // A cell's text is a paragraph of its own, as the end of a paragraph is.
            const QString end = word == "par" ? QStringLiteral("\n") : QStringLiteral("\t");
            if (state.dest == Dest::Body) {
                endParagraph();
                doc.text += end;
            } else {
                put(end);
            }
        } else if (word == "line" || word == "row") {
            put(QStringLiteral("\n"));
        } else if (word == "tab") {
            put(QStringLiteral("\t"));
        }
        i = k;
    }
    if (!closed) return fail(QStringLiteral("the document's group is never closed"), rtf.size());
    return doc;
}

RtfDocument helpDocument()
{
    QFile f(helpDocumentPath());
    if (!f.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << helpDocumentPath().toStdString();
        return {};
    }
    QString error;
    RtfDocument doc = readRtf(f.readAll(), &error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    return doc;
}

QString documentText() { return helpDocument().text; }

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
    const QString text = documentText();
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
        // What the word processor shows of styles, fields, footers and tables.
        {"{\\rtf1{\\stylesheet{\\s1\\outlinelevel0 heading 1;}}\\pard\\s1 H\\par}", QStringLiteral("H\n")},
        {"{\\rtf1 p. {\\field{\\*\\fldinst { PAGEREF _Toc1 \\\\h }}{\\fldrslt 7}}}", QStringLiteral("p. 7")},
        {"{\\rtf1{\\footer\\pard x\\par}y}", QStringLiteral("y")},
        {"{\\rtf1\\trowd\\cellx10\\cellx20\\pard\\intbl a\\cell b\\line c\\cell\\row}", QStringLiteral("a\tb\nc\t\n")},
        {"{\\rtf1 \xce\xb1}", {}},          // UTF-8 bytes: read in the reader's code page
        {"{\\rtf1 \\'e1}", {}},             // a code-page character
        {"{\\rtf1 \\u913\\par}", {}},       // no fallback character
        {"{\\rtf1 text", {}},               // never closed
        {"{\\rtf1 text}}", {}},             // closed twice
        {"plain text", {}},
    };
    for (const auto &c : cases) {
        QString error;
        const QString text = readRtf(c.rtf, &error).text;
        if (c.text.isEmpty()) {
            EXPECT_FALSE(error.isEmpty()) << c.rtf.toStdString();
        } else {
            EXPECT_TRUE(error.isEmpty()) << c.rtf.toStdString() << ": " << error.toStdString();
            EXPECT_EQ(text, c.text);
        }
    }
}

TEST(HelpDocumentFile, ReaderTellsStylesFieldsAndFooters)
{
    QString error;
    const RtfDocument doc = readRtf(
        "{\\rtf1{\\stylesheet{\\f0 Normal;}{\\s1\\b\\outlinelevel0 heading 1;}{\\s6 toc 1;}}"
        "{\\footer\\pard Page {\\field{\\*\\fldinst { PAGE }}{\\fldrslt 1}}\\par}"
        "{\\field{\\*\\fldinst { TOC \\\\o \"1-1\" }}{\\fldrslt \\pard\\plain\\s6 "
        "{\\field{\\*\\fldinst { HYPERLINK \\\\l \"_Toc1\" }}{\\fldrslt One\\tab 2}}\\par}}"
        "\\pard\\plain\\s1 {\\*\\bkmkstart _Toc1}One{\\*\\bkmkend _Toc1}\\par\\pard Body\\par}",
        &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(doc.styles.value(0).name, QStringLiteral("Normal"));
    EXPECT_EQ(doc.styles.value(0).outlineLevel, -1);
    EXPECT_EQ(doc.styles.value(1).name, QStringLiteral("heading 1"));
    EXPECT_EQ(doc.styles.value(1).outlineLevel, 0);
    ASSERT_EQ(doc.paragraphs.size(), 3);
    EXPECT_EQ(doc.paragraphs[0].style, 6);
    EXPECT_EQ(doc.paragraphs[0].text, QStringLiteral("One\t2"));
    EXPECT_EQ(doc.paragraphs[1].style, 1);
    EXPECT_EQ(doc.paragraphs[1].text, QStringLiteral("One"));
    EXPECT_EQ(doc.paragraphs[2].style, 0);
    EXPECT_EQ(doc.fields, (QStringList{QStringLiteral("TOC \\o \"1-1\""), QStringLiteral("HYPERLINK \\l \"_Toc1\"")}));
    EXPECT_EQ(doc.footerFields, QStringList{QStringLiteral("PAGE")});
    EXPECT_EQ(doc.footerText, QStringLiteral("Page 1\n"));
}

// The headings, as the word processor's navigator and a PDF's bookmarks list
// them: the paragraphs whose style carries an outline level.
QStringList headingsOf(const RtfDocument &doc, qsizetype *first = nullptr, QSet<int> *levels = nullptr)
{
    QStringList out;
    for (qsizetype n = 0; n < doc.paragraphs.size(); ++n) {
        const RtfParagraph &p = doc.paragraphs[n];
        const int level = doc.styles.value(p.style).outlineLevel;
        if (level < 0) continue;
        if (first && out.isEmpty()) *first = n;
        if (levels) levels->insert(level);
        out << p.text;
    }
    return out;
}

TEST(HelpDocumentFile, HeadingsAreRealHeadingsListedInTheContents)
{
    const RtfDocument doc = helpDocument();
    qsizetype first = -1;
    QSet<int> levels;
    const QStringList headings = headingsOf(doc, &first, &levels);
    ASSERT_GE(headings.size(), 10) << "chapters without heading styles";
    EXPECT_EQ(levels, (QSet<int>{0, 1})) << "chapters and their sections";
    for (const RtfParagraph &p : doc.paragraphs) {
        const RtfStyle style = doc.styles.value(p.style);
        // Word processors take their own heading styles by these names.
        if (style.outlineLevel >= 0) {
            EXPECT_EQ(style.name, QStringLiteral("heading %1").arg(style.outlineLevel + 1)) << p.text.toStdString();
        }
    }

    // The contents come first, as a field a word processor can refill, and
    // list every heading in order with its page.
    EXPECT_TRUE(std::any_of(doc.fields.begin(), doc.fields.end(),
                            [](const QString &f) { return f.startsWith(QLatin1String("TOC ")); }));
    qsizetype listed = 0;
    int lastPage = 1;
    for (qsizetype n = 0; n < first && listed < headings.size(); ++n) {
        const QString &line = doc.paragraphs[n].text;
        const QString entry = headings[listed] + u'\t';
        if (!line.startsWith(entry)) continue;
        bool number = false;
        const int page = line.mid(entry.size()).toInt(&number);
        EXPECT_TRUE(number && page >= lastPage) << line.toStdString();
        lastPage = page;
        ++listed;
    }
    EXPECT_EQ(listed, headings.size()) << "not in the contents: " << headings.value(listed).toStdString();
}

TEST(HelpDocumentFile, EveryPageShowsItsNumber)
{
    const RtfDocument doc = helpDocument();
    EXPECT_TRUE(doc.footerFields.contains(QStringLiteral("PAGE"))) << doc.footerFields.join(u',').toStdString();
}

// The document is written from its source by scripts/help_document.py: what
// the source says must be what the committed document says.
TEST(HelpDocumentFile, SaysWhatItsSourceSays)
{
    QFile f(helpSourcePath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text)) << helpSourcePath().toStdString();
    const RtfDocument doc = helpDocument();
    const QRegularExpression prefix(QStringLiteral("^(title: |subtitle: |=+ |-+ |> |\\d+\\. )"));
    QStringList sourceHeadings, missing;
    for (const QString &raw : QString::fromUtf8(f.readAll()).split(u'\n')) {
        QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'[')) continue;
        if (line.startsWith(u'=')) sourceHeadings << line.section(u' ', 1).remove(QStringLiteral("**"));
        QStringList parts;
        if (line.startsWith(u'|')) parts = line.mid(1, line.size() - 2).split(QStringLiteral(" | "));
        else parts << line.remove(prefix);
        for (QString part : parts) {
            part = part.trimmed().remove(QStringLiteral("**")).replace(QStringLiteral("<br>"), QStringLiteral("\n"));
            if (!doc.text.contains(part)) missing << part;
        }
    }
    EXPECT_TRUE(missing.isEmpty()) << "run scripts/help_document.py: " << missing.join(u'\n').toStdString();
    EXPECT_EQ(headingsOf(doc), sourceHeadings);
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
