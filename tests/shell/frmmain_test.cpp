#include "platform/database.h"
#include "platform/document.h"
#include "platform/forms.h"
#include "platform/msgbox.h"
#include "platform/pictures.h"
#include "platform/qnum.h"
#include "platform/settings.h"
#include "shell/frmabout.h"
#include "shell/frmmain.h"
#include "shell/module1.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kExit = QStringLiteral("Παρακαλώ επιβεβαιώστε τήν έξοδόν σας από τήν εφαρμογή!");

// A planner-like window that asks the exit question when it closes.
class Asker : public plat::Form {
public:
    Asker() : plat::Form(QStringLiteral("Asker")) {}
    bool Form_QueryUnload() override
    {
        return plat::msgBox(kExit, plat::MsgOkCancelQuestion) == plat::MsgAnswer::Ok;
    }
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    }
    void TearDown() override
    {
        for (plat::Form *f : plat::Form::loadedForms()) f->unloadWithoutAsking();
        QApplication::processEvents();
    }
    // The main window loaded and shown at `size`, as the program opens it.
    static void openMain(frmMain &m, QSize size)
    {
        m.MDIForm_Load();
        m.show();
        m.resize(size);
        QApplication::processEvents();
    }
    // Chooses the window of that title in "Ενεργές εργασίες"; whether the
    // list holds it.
    static bool chooseInWindowList(frmMain &m, const QString &title)
    {
        QMenu *list = m.findChild<QMenu *>(QStringLiteral("mnEnergy"));
        if (!list) return false;
        emit list->aboutToShow();
        for (QAction *a : list->actions())
            if (a->text() == title) {
                a->trigger();
                QApplication::processEvents();
                return true;
            }
        return false;
    }
    QString setting(const char *key)
    {
        return plat::getSetting("Velantra", "Settings", QString::fromLatin1(key), "missing");
    }
    QTemporaryDir settingsDir;
};

} // namespace

TEST_F(MainWindowTest, MenusCarryTheirExactCaptionsAndUnbuiltItemsAreDisabled)
{
    frmMain m;
    const struct {
        const char *name;
        const char *caption;
    } items[] = {
        {"mnStandar", "Χωρίς Αλλαγές Μαχαιριών "}, {"mnChange", "Με Αλλαγές Μαχαιριών "}, {"mnExit", "Έξοδος"},
        {"mnEidos", "Πίνακας Ειδών"},              {"mnType", "Τύποι Ειδών"},            {"mnPrint", "Εκτύπωσις Ειδών"},
        {"mnParameters", "Παράμετροι προγράμματος"}, {"mnHorizon", "Οριζόντια στοίχησις"},
        {"mnVertical", "Κάθετη στοίχησις"},        {"mnAbout2", "Βοήθεια"},               {"mnAbout1", "Σχετικά με..."},
    };
    for (const auto &i : items) {
        QAction *a = m.menuItem(QString::fromLatin1(i.name));
        ASSERT_TRUE(a) << i.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(i.caption)) << i.name;
    }
    QStringList menus;
    for (QAction *a : m.menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, (QStringList{"Κοπές", "Αρχεία", "Ενεργές εργασίες", "Βοήθεια"}));
    EXPECT_FALSE(m.menuItem("mnChange")->isEnabled());
    EXPECT_TRUE(m.menuItem("mnExit")->isEnabled());
    // The planner's command needs the database: a fresh one of the test's own.
    QTemporaryDir dbDir;
    ASSERT_EQ(plat::Database::open(dbDir.filePath("Divor.db")), QString());
    int calls = 0;
    m.setMenuHandler("mnChange", [&] { ++calls; });
    EXPECT_TRUE(m.menuItem("mnChange")->isEnabled());
    m.menuItem("mnChange")->trigger();
    EXPECT_EQ(calls, 1);
    plat::Database::close();
}

TEST_F(MainWindowTest, PlacementStartsAtItsDefaultsAndIsSavedOnExit)
{
    {
        frmMain m;
        m.MDIForm_Load();
        EXPECT_EQ(m.pos(), QPoint(1000 / 15, 1000 / 15));
        EXPECT_EQ(m.size(), QSize(6500 / 15, 6500 / 15));
        m.show();
        m.move(100, 50);
        m.resize(600, 500);
        plat::MsgBoxRecorder rec(plat::MsgAnswer::Ok);
        EXPECT_TRUE(m.close());
    }
    EXPECT_EQ(setting("MainLeft"), "1500");
    EXPECT_EQ(setting("MainTop"), "750");
    EXPECT_EQ(setting("MainWidth"), "9000");
    EXPECT_EQ(setting("MainHeight"), "7500");
    {
        frmMain m;
        m.MDIForm_Load();
        EXPECT_EQ(m.pos(), QPoint(100, 50));
        m.show();
        m.showMinimized();
        plat::MsgBoxRecorder rec(plat::MsgAnswer::Ok);
        EXPECT_TRUE(m.close());
    }
    EXPECT_EQ(setting("MainLeft"), "1500") << "a minimized window keeps the last saved placement";
}

TEST_F(MainWindowTest, APlacementNoScreenShowsFallsBackToTheDefaults)
{
    for (const char *left : {"999999", "-999999", "abc", "1e308", "-3e9"}) {
        SCOPED_TRACE(left);
        plat::saveSetting("Velantra", "Settings", "MainLeft", QString::fromLatin1(left));
        frmMain m;
        m.MDIForm_Load();
        EXPECT_EQ(m.pos(), QPoint(1000 / 15, 1000 / 15));
        EXPECT_EQ(m.size(), QSize(6500 / 15, 6500 / 15));
    }
}

// Saved maximised on a wider screen, reopened on this smaller one: the close
// box and the status bar lie on the screen.
TEST_F(MainWindowTest, APlacementFromALargerScreenIsFittedIntoThisOne)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const auto &saved : {QRect(0, 0, 1366, 749), QRect(0, 0, 1366, 1000), QRect(300, 200, 1000, 700),
                              QRect(-200, 10, 600, 400)}) {
        SCOPED_TRACE(saved.x());
        plat::saveSetting("Velantra", "Settings", "MainLeft", QString::number(saved.x() * 15));
        plat::saveSetting("Velantra", "Settings", "MainTop", QString::number(saved.y() * 15));
        plat::saveSetting("Velantra", "Settings", "MainWidth", QString::number(saved.width() * 15));
        plat::saveSetting("Velantra", "Settings", "MainHeight", QString::number(saved.height() * 15));
        frmMain m;
        m.MDIForm_Load();
        m.show();
        QApplication::processEvents();
        EXPECT_TRUE(screen.contains(m.frameGeometry()));
        const QSize frame = m.frameGeometry().size() - m.size();
        EXPECT_EQ(m.frameGeometry().size(), (saved.size() + frame).boundedTo(screen.size()));
        for (const auto &[x, y] : {std::pair{0, 0}, std::pair{m.width() - 1, m.height() - 1}})
            EXPECT_TRUE(screen.contains(m.mapToGlobal(QPoint(x, y))));
    }
}

// The planner does not fit the small screen's free area: it opens whole at
// the corner, and no two windows share a place when one closed between.
TEST_F(MainWindowTest, NewChildWindowsOpenWholeAtFreeCascadePlaces)
{
    frmMain m;
    openMain(m, QSize(780, 560));
    const QRect free = m.mdiArea()->viewport()->rect();
    Asker *planner = plat::FormInstance<Asker>::get();
    planner->setFormSize(900, 600);
    Module1::ShowChildForm(planner);
    QApplication::processEvents();
    EXPECT_EQ(planner->frame()->geometry(), QRect(QPoint(0, 0), QSize(900, 600).boundedTo(free.size())));

    frmAbout *about = plat::FormInstance<frmAbout>::get();
    Module1::ShowChildForm(about);
    QApplication::processEvents();
    const QPoint aboutAt = about->frame()->pos();
    EXPECT_NE(aboutAt, QPoint(0, 0));
    EXPECT_TRUE(free.contains(about->frame()->geometry()));

    // The planner-like window closes and opens again with another size.
    auto reopen = [](int w, int h) {
        plat::FormInstance<Asker>::unloadIfLoaded();
        QApplication::processEvents();
        Asker *a = plat::FormInstance<Asker>::get();
        a->setFormSize(w, h);
        Module1::ShowChildForm(a);
        QApplication::processEvents();
        return a->frame()->geometry();
    };
    // The corner it left is taken again, not the about box's place.
    EXPECT_EQ(reopen(300, 200), QRect(0, 0, 300, 200));
    EXPECT_EQ(about->frame()->pos(), aboutAt);
    // Too tall but narrow: it scrolls up and down and is given the width of
    // that bar, so that it needs none across.
    const int bar = about->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    EXPECT_EQ(reopen(300, 2000), QRect(0, 0, 300 + bar, free.height()));
}

// A minimised window chosen in "Ενεργές εργασίες" comes back restored, active
// and in front of the others.
TEST_F(MainWindowTest, AMinimisedWindowChosenInTheWindowListIsRestoredInFront)
{
    frmMain m;
    openMain(m, QSize(900, 650));
    Asker *planner = plat::FormInstance<Asker>::get();
    planner->setWindowTitle(QStringLiteral("Με Αλλαγές Μαχαιριών "));
    planner->setFormSize(500, 400);
    Module1::ShowChildForm(planner);
    frmAbout *about = plat::FormInstance<frmAbout>::get();
    Module1::ShowChildForm(about);
    QApplication::processEvents();
    auto *sub = qobject_cast<QMdiSubWindow *>(planner->frame());
    ASSERT_TRUE(sub);
    sub->showMinimized();
    m.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(about->frame()));
    QApplication::processEvents();
    ASSERT_TRUE(sub->isMinimized());

    ASSERT_TRUE(chooseInWindowList(m, planner->windowTitle()));
    EXPECT_FALSE(sub->isMinimized());
    EXPECT_EQ(sub->size(), QSize(500, 400));
    EXPECT_EQ(m.mdiArea()->activeSubWindow(), sub);
    EXPECT_EQ(m.mdiArea()->subWindowList(QMdiArea::StackingOrder).last(), sub);

    // Minimised from maximised, it comes back maximised, from the list as
    // from its menu command.
    for (bool fromList : {true, false}) {
        SCOPED_TRACE(fromList ? "window list" : "its command");
        sub->showMaximized();
        QApplication::processEvents();
        sub->showMinimized();
        QApplication::processEvents();
        m.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(about->frame()));
        if (fromList) {
            ASSERT_TRUE(chooseInWindowList(m, planner->windowTitle()));
        } else {
            Module1::ShowChildForm(planner);
            QApplication::processEvents();
        }
        EXPECT_FALSE(sub->isMinimized());
        EXPECT_TRUE(sub->isMaximized());
        EXPECT_EQ(m.mdiArea()->activeSubWindow(), sub);
    }

    // The about box opened over the maximised planner keeps its fixed frame.
    plat::FormInstance<frmAbout>::unloadIfLoaded();
    QApplication::processEvents();
    frmAbout *again = plat::FormInstance<frmAbout>::get();
    Module1::ShowChildForm(again);
    QApplication::processEvents();
    EXPECT_FALSE(again->frame()->isMaximized());
    EXPECT_EQ(again->frame()->size(), QSize(plat::tw(5730), plat::tw(3330)));
    EXPECT_EQ(m.mdiArea()->activeSubWindow(), again->frame());
}

// The about box has a fixed border: its frame inside the main window cannot
// be dragged larger or smaller, and its whole content shows in it.
TEST_F(MainWindowTest, TheAboutBoxFrameDoesNotResize)
{
    frmMain m;
    openMain(m, QSize(900, 650));
    frmAbout *about = plat::FormInstance<frmAbout>::get();
    Module1::ShowChildForm(about);
    QApplication::processEvents();
    QWidget *frame = about->frame();
    ASSERT_NE(frame, about);
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
    const QSize before = frame->size();
    EXPECT_EQ(before, QSize(plat::tw(5730), plat::tw(3330)));
    frame->resize(before + QSize(100, 80));
    QApplication::processEvents();
    EXPECT_EQ(frame->size(), before);
    EXPECT_EQ(about->size(), QSize(plat::tw(5730), plat::tw(3330)));
    // Its system menu offers no sizing either.
    QMenu *system = qobject_cast<QMdiSubWindow *>(frame)->systemMenu();
    ASSERT_TRUE(system);
    emit system->aboutToShow();
    int sizeItems = 0;
    for (QAction *a : system->actions())
        if (a->text() == QCoreApplication::translate("QMdiSubWindow", "&Size")) {
            ++sizeItems;
            EXPECT_FALSE(a->isEnabled());
        }
    EXPECT_EQ(sizeItems, 1);
    // Its buttons show whole inside the frame.
    for (QWidget *b : {static_cast<QWidget *>(about->cmdOK), static_cast<QWidget *>(about->cmdSysInfo)})
        EXPECT_TRUE(frame->rect().contains(QRect(b->mapTo(frame, QPoint(0, 0)), b->size())));
    if (qEnvironmentVariableIsSet("VELANTRA_PNG")) frame->grab().save("/tmp/about.png");
}

TEST_F(MainWindowTest, AMaximizedWindowSavesItsMaximizedBounds)
{
    frmMain m;
    m.MDIForm_Load();
    m.showMaximized();
    QApplication::processEvents();
    const QSize maxSize = m.size();
    plat::MsgBoxRecorder rec(plat::MsgAnswer::Ok);
    EXPECT_TRUE(m.close());
    EXPECT_EQ(setting("MainWidth"), QString::number(maxSize.width() * 15));
}

TEST_F(MainWindowTest, CancelAtEitherExitQuestionLeavesEverythingOpen)
{
    frmMain m;
    m.MDIForm_Load();
    m.show();
    Asker *asker = plat::FormInstance<Asker>::get();
    Module1::ShowChildForm(asker);

    {   // Cancel at the planner's question: the main window's is never asked.
        plat::MsgBoxRecorder rec(plat::MsgAnswer::Cancel);
        EXPECT_FALSE(m.close());
        EXPECT_EQ(rec.texts(), QStringList{kExit});
        EXPECT_TRUE(plat::FormInstance<Asker>::loaded());
    }
    {   // OK at the planner's, Cancel at the main window's: still nothing closes.
        plat::MsgBoxRecorder rec(plat::MsgAnswer::Cancel);
        rec.queueAnswers({plat::MsgAnswer::Ok});
        m.menuItem("mnExit")->trigger();
        EXPECT_EQ(rec.texts(), (QStringList{kExit, kExit}));
        EXPECT_TRUE(m.isVisible());
        EXPECT_TRUE(plat::FormInstance<Asker>::loaded());
        EXPECT_TRUE(asker->isFormVisible());
    }
    {   // OK at both: every window closes, each question asked once.
        plat::MsgBoxRecorder rec(plat::MsgAnswer::Ok);
        EXPECT_TRUE(m.close());
        EXPECT_EQ(rec.texts(), (QStringList{kExit, kExit}));
        EXPECT_FALSE(plat::FormInstance<Asker>::loaded());
    }
}

TEST_F(MainWindowTest, MissingHelpDocumentIsReportedWithTheCriticalIcon)
{
    frmMain m;
    plat::setDocumentOpener([](const QString &) { return plat::OpenOutcome::FileNotFound; });
    plat::MsgBoxRecorder rec;
    m.menuItem("mnAbout2")->trigger();
    plat::setDocumentOpener(nullptr);
    ASSERT_EQ(rec.messages.size(), 1);
    EXPECT_EQ(rec.messages[0].style, plat::MsgCritical);
    EXPECT_EQ(rec.lastText(), QStringLiteral("Τό έγγραφο <") + Module1::AppPath() + "/DivorHelp.doc" +
                                  QStringLiteral("> δέν βρέθηκε."));
}

TEST_F(MainWindowTest, TilingPlacesTheChildrenSideBySideOrOneAboveTheOther)
{
    frmMain m;
    m.resize(800, 600);
    m.MDIForm_Load();
    m.show();
    Module1::ShowChildForm(plat::FormInstance<Asker>::get());
    QApplication::processEvents();
    const auto subs = m.mdiArea()->subWindowList();
    ASSERT_EQ(subs.size(), 2);
    m.menuItem("mnHorizon")->trigger();
    EXPECT_EQ(subs[0]->width(), subs[1]->width());
    EXPECT_LT(subs[0]->y() + subs[0]->height(), subs[1]->y() + 1);
    m.menuItem("mnVertical")->trigger();
    EXPECT_EQ(subs[0]->height(), subs[1]->height());
    EXPECT_LT(subs[0]->x() + subs[0]->width(), subs[1]->x() + 1);
}

// A planner that worked behind a record window must come back when that
// window closes: the background picture stays behind what was opened later.
TEST_F(MainWindowTest, ClosingAWindowGivesTheFocusBackToTheOneUsedBeforeNotTheBackground)
{
    frmMain m;
    m.resize(1000, 700);
    m.MDIForm_Load();
    m.show();
    Asker *planner = plat::FormInstance<Asker>::get();
    Module1::ShowChildForm(planner);
    Module1::ShowChildForm(plat::FormInstance<frmAbout>::get());
    QApplication::processEvents();
    plat::FormInstance<frmAbout>::get()->unload();
    QApplication::processEvents();
    QMdiSubWindow *active = m.mdiArea()->activeSubWindow();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active->widget(), planner);
    // and it stays above the background in the stacking order
    const auto stack = m.mdiArea()->subWindowList(QMdiArea::StackingOrder);
    EXPECT_EQ(stack.last()->widget(), planner);

    // A window that hides itself (proposal 3's "Πίσω") hands the keyboard
    // back the same way, instead of leaving no window active.
    Module1::ShowChildForm(plat::FormInstance<frmAbout>::get());
    QApplication::processEvents();
    plat::FormInstance<frmAbout>::get()->hideForm();
    QApplication::processEvents();
    active = m.mdiArea()->activeSubWindow();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active->widget(), planner);
}

// Every child window, its frame in the main window included, shows the
// program's coil and never the toolkit's logo.
TEST_F(MainWindowTest, ChildWindowsShowTheProgramsCoil)
{
    frmMain m;
    m.MDIForm_Load();
    m.show();
    Module1::ShowChildForm(plat::FormInstance<Asker>::get());
    Module1::ShowChildForm(plat::FormInstance<frmAbout>::get());
    QApplication::processEvents();
    const auto subs = m.mdiArea()->subWindowList();
    ASSERT_EQ(subs.size(), 3);
    const qint64 coil = plat::coilIcon().cacheKey();
    for (QMdiSubWindow *sub : subs) {
        EXPECT_EQ(sub->windowIcon().cacheKey(), coil) << sub->windowTitle().toStdString();
        EXPECT_EQ(sub->widget()->windowIcon().cacheKey(), coil) << sub->windowTitle().toStdString();
    }
}

TEST(AboutBox, ShowsTitleAndVersionAndClosesWithEsc)
{
    frmAbout *a = plat::FormInstance<frmAbout>::get();
    EXPECT_EQ(a->windowTitle(), "About Velantra");
    EXPECT_EQ(a->lblTitle->text(), "Velantra");
    EXPECT_EQ(a->lblVersion->text(), "Version 1.0.0");
    EXPECT_EQ(a->cmdOK->text(), "Κλείσιμο");
    EXPECT_EQ(a->cmdSysInfo->text(), "&Πληροφορίες συστήματος...");
    // The whole caption fits its button, inside the box.
    EXPECT_GE(a->cmdSysInfo->width(), a->cmdSysInfo->sizeHint().width());
    EXPECT_GE(a->cmdSysInfo->x(), 0);
    EXPECT_LE(a->cmdSysInfo->geometry().right(), a->width());
    a->showForm();
    QTest::keyClick(a, Qt::Key_Escape);
    EXPECT_FALSE(plat::FormInstance<frmAbout>::loaded());
}

TEST(AboutBox, NoSystemInformationToolGivesTheMessage)
{
    frmAbout *a = plat::FormInstance<frmAbout>::get();
    const QStringList saved = frmAbout::sysInfoCandidates();
    frmAbout::sysInfoCandidates() = {QStringLiteral("no-such-sysinfo-tool-here")};
    plat::MsgBoxRecorder rec;
    a->cmdSysInfo->click();
    frmAbout::sysInfoCandidates() = saved;
    EXPECT_EQ(rec.texts(), QStringList{"System Information Is Unavailable At This Time"});
    plat::FormInstance<frmAbout>::unloadIfLoaded();
}

TEST_F(MainWindowTest, WithoutADatabaseACommandThatNeedsItSaysSoOnceAndOpensNothing)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("Divor.db");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a database");
    }
    const QString told = QStringLiteral("Το αρχείο <%1> δεν είναι βάση δεδομένων τού προγράμματος.\nΠατήστε "
                                        "«Επανάληψη» για νέα προσπάθεια ή «Άκυρο» για να συνεχίσετε χωρίς βάση "
                                        "δεδομένων.")
                             .arg(file);
    plat::MsgBoxRecorder rec;
    ASSERT_FALSE(plat::Database::openForProgram(dir.path(), dir.filePath("data")));
    EXPECT_EQ(rec.texts(), QStringList{told});

    frmMain m;
    int planner = 0, about = 0;
    m.setMenuHandler("mnStandar", [&] { ++planner; });
    m.setMenuHandler("mnAbout1", [&] { ++about; });
    rec.clear();
    m.menuItem("mnStandar")->trigger();
    EXPECT_EQ(planner, 0);
    EXPECT_EQ(rec.texts(), QStringList{told});
    EXPECT_EQ(rec.messages.value(0).style, int(plat::MsgRetryCancelCritical));
    m.menuItem("mnAbout1")->trigger();
    EXPECT_EQ(about, 1) << "the about box needs no database";

    // Once the file is the program's, the same command opens it and its window.
    ASSERT_TRUE(QFile::remove(file));
    rec.clear();
    m.menuItem("mnStandar")->trigger();
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
    EXPECT_EQ(planner, 1);
    EXPECT_EQ(plat::Database::path(), file);
    plat::Database::close();
}
