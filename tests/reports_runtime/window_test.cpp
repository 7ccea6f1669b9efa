#include "report_fixture.h"

#include "common/db_test.h"
#include "platform/greektexts.h"
#include "platform/msgbox.h"
#include "platform/qnum.h"
#include "platform/reportwindow.h"
#include "platform/settings.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QAbstractButton>
#include <QFileDialog>
#include <QFileInfo>
#include <QDir>
#include <QStandardPaths>
#include <QLineEdit>
#include <QPrinter>
#include <QTimer>

#include <functional>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>

namespace {

class ReportRowsTest : public DbTest {};

TEST_F(ReportRowsTest, WholeTableInAscendingIdAsTextSnapshotAtBinding)
{
    exec(QStringLiteral("insert into Protasis1 values (3, 'τρίτη')"));
    exec(QStringLiteral("insert into Protasis1 values (1, 'πρώτη')"));
    exec(QStringLiteral("insert into Protasis1 values (2, NULL)"));
    QString error;
    auto rows = plat::readReportTable(QStringLiteral("Protasis1"), &error);
    ASSERT_TRUE(rows) << error.toStdString();
    ASSERT_EQ(rows->count(), 3);
    EXPECT_EQ(rows->value(0, QStringLiteral("Paraggelia")), QStringLiteral("πρώτη"));
    EXPECT_EQ(rows->value(1, QStringLiteral("paraggelia")), QString()) << "NULL prints nothing";
    EXPECT_EQ(rows->value(2, QStringLiteral("Paraggelia")), QStringLiteral("τρίτη"));
    EXPECT_EQ(rows->value(0, QStringLiteral("ID")), QStringLiteral("1"));

    // A report keeps what it read when a later print rewrites the table.
    const plat::Report report(rt::sampleDefinition(), std::move(*rows), rt::fixedMoment());
    ASSERT_TRUE(plat::Database::rewriteLines(QStringLiteral("Protasis1"), QStringLiteral("Paraggelia"),
                                             {QStringLiteral("νέα")}));
    EXPECT_EQ(report.rows().count(), 3);
    EXPECT_EQ(report.rows().value(2, QStringLiteral("Paraggelia")), QStringLiteral("τρίτη"));
}

TEST_F(ReportRowsTest, NumbersReadAsTheProgramWritesThemAndValuesAreBound)
{
    addTypes(2);
    exec(QStringLiteral("insert into ProtasisXristi (Κωδικός, [Περιγραφή Είδους], Εύρος, Τύπος, Πάχος) "
                        "values ('K1', 'Ταινία', 1250.0, 1, 0.5)"));
    exec(QStringLiteral("insert into ProtasisXristi (Κωδικός, [Περιγραφή Είδους], Εύρος, Τύπος, Πάχος) "
                        "values ('x'' or 1=1 --', 'Άλλη', 300, 2, 2)"));
    QString error;
    auto rows = plat::readReportRows(
        QStringLiteral("select a.Κωδικός, a.Εύρος, a.Πάχος, p.Τύπος from ProtasisXristi as a inner join Typos as p "
                       "on a.Τύπος = p.Κωδικός where a.Κωδικός = ? order by a.ID"),
        {QStringLiteral("x' or 1=1 --")}, &error);
    ASSERT_TRUE(rows) << error.toStdString();
    ASSERT_EQ(rows->count(), 1);
    EXPECT_EQ(rows->value(0, QStringLiteral("Εύρος")), QStringLiteral("300"));
    EXPECT_EQ(rows->value(0, QStringLiteral("Τύπος")), QStringLiteral("T2"));

    rows = plat::readReportRows(QStringLiteral("select Εύρος, Πάχος from ProtasisXristi order by ID"), {}, &error);
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->value(0, QStringLiteral("Εύρος")), QStringLiteral("1250")) << "not 1250.0";
    EXPECT_EQ(rows->value(0, QStringLiteral("Πάχος")), plat::numText(0.5));
}

TEST_F(ReportRowsTest, MissingTableFileOrDatabaseGivesAGreekMessageAndNoRows)
{
    QString error;
    exec(QStringLiteral("drop table Protasis4"));
    EXPECT_FALSE(plat::readReportTable(QStringLiteral("Protasis4"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("Protasis4"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("Η εκτύπωση δεν μπορεί να γίνει."))) << error.toStdString();

    error.clear();
    EXPECT_FALSE(plat::readReportRows(QStringLiteral("select Paraggelia from Protasis4 order by ID"), {}, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Δεν ήταν δυνατή η ανάγνωση"))) << error.toStdString();

    // The file taken away under the open connection.
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("Divor.db"))));
    error.clear();
    EXPECT_FALSE(plat::readReportTable(QStringLiteral("Protasis1"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("Δεν βρέθηκε το αρχείο"))) << error.toStdString();

    plat::Database::close();
    error.clear();
    EXPECT_FALSE(plat::readReportTable(QStringLiteral("Protasis1"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("δεν είναι ανοικτή"))) << error.toStdString();
}

TEST_F(ReportRowsTest, OpenReportShowsTheMessageAndNoWindowWhenRowsCannotBeRead)
{
    plat::MsgBoxRecorder rec;
    exec(QStringLiteral("drop table Protasis2"));
    const int before = int(plat::Form::loadedForms().size());
    EXPECT_EQ(plat::openReport(rt::sampleDefinition(), QStringLiteral("select * from Protasis2 order by ID"), {},
                               QStringLiteral("ΠΡΟΤΑΣΙΣ 2η")),
              nullptr);
    ASSERT_EQ(rec.messages.size(), 1);
    EXPECT_TRUE(rec.lastText().contains(QStringLiteral("Protasis2"))) << rec.lastText().toStdString();
    EXPECT_EQ(int(plat::Form::loadedForms().size()), before);
}

TEST_F(ReportRowsTest, TwoPrintsInARowGiveTwoWindowsWithTheirOwnRows)
{
    plat::Database::rewriteLines(QStringLiteral("Protasis1"), QStringLiteral("Paraggelia"), {QStringLiteral("πρώτη εκτύπωση")});
    QPointer<plat::ReportWindow> a = plat::openReport(
        rt::sampleDefinition(), QStringLiteral("select * from Protasis1 order by ID"), {}, QStringLiteral("ΠΡΟΤΑΣΙΣ 1η"));
    plat::Database::rewriteLines(QStringLiteral("Protasis1"), QStringLiteral("Paraggelia"),
                                 {QStringLiteral("δεύτερη"), QStringLiteral("εκτύπωση")});
    QPointer<plat::ReportWindow> b = plat::openReport(
        rt::sampleDefinition(), QStringLiteral("select * from Protasis1 order by ID"), {}, QStringLiteral("ΠΡΟΤΑΣΙΣ 1η"));
    ASSERT_TRUE(a && b);
    EXPECT_NE(a.data(), b.data());
    EXPECT_TRUE(a->isVisible() && b->isVisible());
    EXPECT_EQ(a->windowTitle(), QStringLiteral("ΠΡΟΤΑΣΙΣ 1η"));
    EXPECT_EQ(a->report().rows().count(), 1);
    EXPECT_EQ(a->report().rows().value(0, QStringLiteral("Paraggelia")), QStringLiteral("πρώτη εκτύπωση"));
    EXPECT_EQ(b->report().rows().count(), 2);
    a->unload();
    b->unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(a);
    EXPECT_FALSE(b);
}

class ReportWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The program's own Greek for Qt's dialogs, as it has it from start.
        plat::installGreekTexts();
        // 32 lines: three pages.
        win = plat::showReport(std::make_unique<plat::Report>(rt::sampleDefinition(), rt::lines(32), rt::fixedMoment()),
                               QStringLiteral("ΠΡΟΤΑΣΙΣ 1η"));
    }
    void TearDown() override
    {
        if (win) win->unloadWithoutAsking();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    template <class T>
    T *child(const char *name)
    {
        T *w = win->findChild<T *>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QPixmap shown() { return child<QLabel>("picPage")->pixmap(); }

    QPointer<plat::ReportWindow> win;
    QTemporaryDir dir;
};

TEST_F(ReportWindowTest, PageNavigation)
{
    ASSERT_TRUE(win);
    auto *first = child<QPushButton>("cmdFirst");
    auto *prev = child<QPushButton>("cmdPrevious");
    auto *next = child<QPushButton>("cmdNext");
    auto *last = child<QPushButton>("cmdLast");
    auto *box = child<QSpinBox>("txtPage");
    EXPECT_EQ(child<QLabel>("lblPages")->text(), QStringLiteral("από 3"));
    EXPECT_EQ(win->currentPage(), 0);
    EXPECT_FALSE(first->isEnabled());
    EXPECT_FALSE(prev->isEnabled());
    const QImage page1 = shown().toImage();

    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(win->currentPage(), 1);
    EXPECT_EQ(box->value(), 2);
    EXPECT_NE(shown().toImage(), page1);
    QTest::mouseClick(last, Qt::LeftButton);
    EXPECT_EQ(win->currentPage(), 2);
    EXPECT_FALSE(next->isEnabled());
    EXPECT_FALSE(last->isEnabled());
    QTest::mouseClick(prev, Qt::LeftButton);
    EXPECT_EQ(win->currentPage(), 1);
    box->setValue(1);
    EXPECT_EQ(win->currentPage(), 0);
    EXPECT_EQ(shown().toImage(), page1);
    win->showPage(99);
    EXPECT_EQ(win->currentPage(), 2);
}

TEST_F(ReportWindowTest, ZoomScalesThePage)
{
    ASSERT_TRUE(win);
    auto *zoom = child<QComboBox>("cboZoom");
    EXPECT_EQ(zoom->currentText(), QStringLiteral("100 %"));
    const QSize at100 = shown().deviceIndependentSize().toSize();
    // A4 at 96 dpi: 794 pixels wide.
    EXPECT_NEAR(at100.width(), 794, 2);
    zoom->setCurrentIndex(zoom->findData(200));
    emit zoom->activated(zoom->currentIndex());
    EXPECT_DOUBLE_EQ(win->zoom(), 2.0);
    EXPECT_NEAR(shown().deviceIndependentSize().width(), 2 * at100.width(), 3);
    win->setZoom(0.5);
    EXPECT_EQ(zoom->currentText(), QStringLiteral("50 %"));
}

TEST_F(ReportWindowTest, ZoomKeepsTheMiddleOfTheViewInView)
{
    // Zooming in from the whole width stays on the middle of the page, not
    // on its right edge; zooming back keeps the same spot.
    ASSERT_TRUE(win);
    // Wide enough for the whole page at 100 % (the test screen is narrower
    // than the window the report asks for, so it opened fitted to it).
    win->resize(900, 700);
    QCoreApplication::processEvents();
    auto *h = child<QScrollArea>("scrPage")->horizontalScrollBar();
    auto *v = child<QScrollArea>("scrPage")->verticalScrollBar();
    ASSERT_EQ(h->maximum(), 0) << "the whole width in view at 100 %";
    auto centreOf = [](const QScrollBar *b) { return (b->value() + b->pageStep() / 2.0) / (b->maximum() + b->pageStep()); };
    v->setValue(v->maximum() / 3);
    const double vCentre = centreOf(v);
    for (double z : {2.0, 1.5, 0.75, 2.0}) {
        win->setZoom(z);
        QCoreApplication::processEvents();
        EXPECT_GT(h->maximum(), z > 1 ? 0 : -1) << z;
        if (h->maximum() > 0) { EXPECT_NEAR(centreOf(h), 0.5, 0.01) << z; }
        if (v->maximum() > 0) { EXPECT_NEAR(centreOf(v), vCentre, 0.01) << z; }
    }
}

TEST_F(ReportWindowTest, SavesThePdfAndSaysWhenItCannot)
{
    ASSERT_TRUE(win);
    EXPECT_EQ(child<QPushButton>("cmdPrint")->text(), QStringLiteral("Εκτύπωση…"));
    EXPECT_EQ(child<QPushButton>("cmdSavePdf")->text(), QStringLiteral("Αποθήκευση ως PDF…"));
    plat::MsgBoxRecorder rec;
    const QString path = dir.filePath(QStringLiteral("πρόταση.pdf"));
    EXPECT_TRUE(win->saveAsPdf(path));
    EXPECT_TRUE(rec.messages.isEmpty());
    EXPECT_TRUE(rt::pageText(path, 3).contains(QStringLiteral("Σελίδα 3")));

    EXPECT_FALSE(win->saveAsPdf(dir.filePath(QStringLiteral("λείπει/πρόταση.pdf"))));
    ASSERT_EQ(rec.messages.size(), 1);
    EXPECT_TRUE(rec.lastText().contains(QStringLiteral("λείπει/πρόταση.pdf")));
}

// Answers the next modal dialog: notes its title and the texts of its
// buttons, then runs `act` on it.
template <class Dialog>
void answerDialog(QString *title, QStringList *buttons, std::function<void(Dialog *)> act)
{
    QTimer::singleShot(0, [=] {
        auto *dlg = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        *title = dlg->windowTitle();
        for (auto *b : dlg->template findChildren<QAbstractButton *>())
            if (b->isVisible() && !b->text().isEmpty()) *buttons << b->text();
        act(dlg);
    });
}

TEST_F(ReportWindowTest, SaveDialogInGreekWritesTheChosenFileWithItsPdfEnding)
{
    ASSERT_TRUE(win);
    plat::MsgBoxRecorder rec(plat::MsgAnswer::Cancel);
    const QString chosen = dir.filePath(QStringLiteral("κοπή"));
    QString title;
    QStringList buttons;
    auto choose = [&](QFileDialog *dlg) {
        dlg->selectFile(chosen);
        QMetaObject::invokeMethod(dlg, "accept");
    };
    answerDialog<QFileDialog>(&title, &buttons, choose);
    win->askSavePdf();
    EXPECT_EQ(title, QStringLiteral("Αποθήκευση ως PDF"));
    EXPECT_TRUE(buttons.contains(QStringLiteral("&Αποθήκευση"))) << buttons.join('|').toStdString();
    EXPECT_TRUE(buttons.contains(QStringLiteral("Άκυρο"))) << buttons.join('|').toStdString();
    const QString pdf = chosen + QStringLiteral(".pdf");
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(rec.messages.isEmpty());

    // Choosing it again asks before replacing; Cancel keeps the old file.
    QFile::resize(pdf, 3);
    answerDialog<QFileDialog>(&title, &buttons, choose);
    win->askSavePdf();
    ASSERT_EQ(rec.messages.size(), 1);
    EXPECT_EQ(rec.lastText(), QStringLiteral("Το αρχείο «κοπή.pdf» υπάρχει ήδη.\nΝα αντικατασταθεί;"));
    EXPECT_EQ(QFileInfo(pdf).size(), 3);
    rec.queueAnswers({plat::MsgAnswer::Ok});
    answerDialog<QFileDialog>(&title, &buttons, choose);
    win->askSavePdf();
    EXPECT_GT(QFileInfo(pdf).size(), 1000);
}

TEST(PdfStartFolder, LastFolderThenDocumentsThenHome)
{
    QTemporaryDir root;
    const QString last = root.filePath(QStringLiteral("τελευταίος"));
    const QString docs = root.filePath(QStringLiteral("Έγγραφα"));
    const QString home = root.path();
    const QString gone = root.filePath(QStringLiteral("σβήστηκε"));
    const QString file = root.filePath(QStringLiteral("αρχείο.pdf"));
    ASSERT_TRUE(QDir().mkpath(last) && QDir().mkpath(docs));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const struct {
        const char *what;
        QString last, documents, expected;
    } cases[] = {
        {"the folder last used", last, docs, last},
        {"nothing used yet: documents", QString(), docs, docs},
        {"the last folder deleted: documents", gone, docs, docs},
        {"the last one a file now: documents", file, docs, docs},
        {"no documents folder either: home", gone, gone, home},
    };
    for (const auto &c : cases) EXPECT_EQ(plat::pdfStartFolder(c.last, c.documents, home), c.expected) << c.what;
}

TEST_F(ReportWindowTest, SaveDialogOpensInDocumentsThenInTheFolderLastUsed)
{
    ASSERT_TRUE(win);
    plat::MsgBoxRecorder rec;
    // Nothing kept yet: the user's documents (or home while there are none),
    // never the folder the program was started from.
    plat::saveSetting(QStringLiteral("Velantra"), QStringLiteral("Settings"), QStringLiteral("PdfFolder"), QString());
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(plat::pdfStartFolder(), plat::pdfStartFolder(QString(), documents, QDir::homePath()));
    QString opened;
    QString title;
    QStringList buttons;
    auto saveIn = [&](const QString &folder) {
        return [&opened, folder](QFileDialog *dlg) {
            opened = dlg->directory().absolutePath();
            dlg->selectFile(QDir(folder).filePath(QStringLiteral("κοπή.pdf")));
            QMetaObject::invokeMethod(dlg, "accept");
        };
    };
    const std::function<void(QFileDialog *)> lookAndCancel = [&opened](QFileDialog *dlg) {
        opened = dlg->directory().absolutePath();
        dlg->reject();
    };
    const QString chosen = dir.filePath(QStringLiteral("εκτυπώσεις"));
    ASSERT_TRUE(QDir().mkpath(chosen));
    answerDialog<QFileDialog>(&title, &buttons, saveIn(chosen));
    win->askSavePdf();
    EXPECT_EQ(opened, plat::pdfStartFolder(QString(), documents, QDir::homePath()));
    EXPECT_NE(opened, QDir::currentPath());
    ASSERT_TRUE(QFile::exists(QDir(chosen).filePath(QStringLiteral("κοπή.pdf"))));
    // Kept with the window placement; the next dialog, of any report, opens there.
    EXPECT_EQ(plat::getSetting(QStringLiteral("Velantra"), QStringLiteral("Settings"), QStringLiteral("PdfFolder")),
              chosen);
    answerDialog<QFileDialog>(&title, &buttons, lookAndCancel);
    win->askSavePdf();
    EXPECT_EQ(opened, chosen);
    // The kept folder removed since: back to documents.
    ASSERT_TRUE(QDir(chosen).removeRecursively());
    answerDialog<QFileDialog>(&title, &buttons, lookAndCancel);
    win->askSavePdf();
    EXPECT_EQ(opened, plat::pdfStartFolder(QString(), documents, QDir::homePath()));
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
}

TEST_F(ReportWindowTest, SavedPdfIsTitledWithTheWindowsCaption)
{
    ASSERT_TRUE(win);
    const QString path = dir.filePath(QStringLiteral("τίτλος.pdf"));
    ASSERT_TRUE(win->saveAsPdf(path));
    const QString info = rt::popplerText({QStringLiteral("pdfinfo"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), path});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("^Title:\\s+ΠΡΟΤΑΣΙΣ 1η$"),
                                                 QRegularExpression::MultilineOption)))
        << info.toStdString();
}

TEST_F(ReportWindowTest, PrintDialogSpeaksGreekAndCancelPrintsNothing)
{
    ASSERT_TRUE(win);
    plat::MsgBoxRecorder rec;
    QString title;
    QStringList buttons;
    answerDialog<QDialog>(&title, &buttons, [](QDialog *d) { d->reject(); });
    win->askPrint();
    EXPECT_EQ(title, QStringLiteral("Εκτύπωση"));
    EXPECT_TRUE(buttons.contains(QStringLiteral("&Εκτύπωση"))) << buttons.join('|').toStdString();
    EXPECT_TRUE(buttons.contains(QStringLiteral("Άκυρο"))) << buttons.join('|').toStdString();
    EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(ReportWindowTest, PrintsEveryPageOrTheChosenRange)
{
    ASSERT_TRUE(win);
    const QString all = dir.filePath(QStringLiteral("all.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(all);
        EXPECT_TRUE(win->printTo(&printer));
    }
    EXPECT_TRUE(rt::pageText(all, 1).contains(QStringLiteral("ΠΡΟΤΑΣΙΣ ΔΟΚΙΜΗΣ")));
    EXPECT_TRUE(rt::pageText(all, 3).contains(QStringLiteral("Σελίδα 3")));
    // The paper's corner is the drawing's origin, as in the PDF export.
    const auto w = rt::findWord(rt::words(all), QStringLiteral("Αίτησις"));
    ASSERT_TRUE(w);
    EXPECT_NEAR(w->xMin, (1440 + 1000) / 20.0, 1.0);

    const QString second = dir.filePath(QStringLiteral("second.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(second);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 2);
        EXPECT_TRUE(win->printTo(&printer));
    }
    const QString info = rt::popplerText({QStringLiteral("pdfinfo"), second});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\b")))) << info.toStdString();
    EXPECT_TRUE(rt::pageText(second, 1).contains(QStringLiteral("Σελίδα 2")));
}

TEST_F(ReportWindowTest, ClosingReleasesTheReport)
{
    ASSERT_TRUE(win);
    EXPECT_EQ(win->windowTitle(), QStringLiteral("ΠΡΟΤΑΣΙΣ 1η"));
    EXPECT_FALSE(win->windowIcon().isNull());
    EXPECT_TRUE(win->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(win);
}

TEST_F(ReportWindowTest, AnotherReportReplacesTheContentAndStartsAtPageOne)
{
    ASSERT_TRUE(win);
    win->showPage(2);
    win->setReport(std::make_unique<plat::Report>(rt::sampleDefinition(), rt::lines(1), rt::fixedMoment()));
    EXPECT_EQ(win->currentPage(), 0);
    EXPECT_EQ(child<QLabel>("lblPages")->text(), QStringLiteral("από 1"));
    EXPECT_FALSE(child<QPushButton>("cmdNext")->isEnabled());
}

} // namespace

#include "platform/pictures.h"
#include "shell/frmmain.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QScreen>

namespace {

TEST(ReportWindowInMainWindow, OpensAsAWindowOfItsOwnAndClosesWithTheMainWindow)
{
    plat::MsgBoxRecorder rec; // answers the exit question with OK
    frmMain m;
    m.resize(1100, 850);
    m.show();
    QPointer<plat::ReportWindow> w = plat::showReport(
        std::make_unique<plat::Report>(rt::sampleDefinition(), rt::lines(3), rt::fixedMoment()),
        QStringLiteral("ΠΡΟΤΑΣΙΣ ΧΩΡΙΣ ΑΛΛΑΓΗ ΜΑΧΑΙΡΙΩΝ"));
    ASSERT_TRUE(w);
    // No owner, no frame of the main window's area around it.
    EXPECT_TRUE(w->isWindow());
    EXPECT_EQ(w->parentWidget(), nullptr);
    EXPECT_EQ(w->frame(), w.data());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("ΠΡΟΤΑΣΙΣ ΧΩΡΙΣ ΑΛΛΑΓΗ ΜΑΧΑΙΡΙΩΝ"));
    EXPECT_EQ(w->windowIcon().cacheKey(), plat::coilIcon().cacheKey());
    EXPECT_EQ(w->windowModality(), Qt::NonModal);
    // Neither among the main window's windows nor in its window list, so
    // tiling and maximising the planners leave it as it is.
    EXPECT_TRUE(m.mdiArea()->subWindowList().isEmpty());
    auto *list = m.findChild<QMenu *>(QStringLiteral("mnEnergy"));
    ASSERT_NE(list, nullptr);
    emit list->aboutToShow();
    for (const QAction *a : list->actions()) EXPECT_NE(a->text(), w->windowTitle());
    m.menuItem(QStringLiteral("mnHorizon"))->trigger();
    EXPECT_TRUE(w->isVisible());
    // A second call to show it keeps it on its own.
    w->showForm();
    EXPECT_EQ(w->parentWidget(), nullptr);
    if (const QByteArray out = qgetenv("REPORT_WINDOW_PNG"); !out.isEmpty()) w->grab().save(QString::fromLocal8Bit(out));

    // The program's end closes it.
    EXPECT_TRUE(m.close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(w);
}

TEST(ReportWindowOnScreen, OpensWholeOnASmallScreen)
{
    QPointer<plat::ReportWindow> w = plat::showReport(
        std::make_unique<plat::Report>(rt::sampleDefinition(), rt::lines(3), rt::fixedMoment()),
        QStringLiteral("ΠΡΟΤΑΣΙΣ 1η"));
    ASSERT_TRUE(w);
    const QRect room = w->screen()->availableGeometry();
    EXPECT_LE(w->frameGeometry().width(), room.width());
    EXPECT_LE(w->height(), room.height());
    w->unloadWithoutAsking();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
