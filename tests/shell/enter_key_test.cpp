// Enter on a focused command button presses it, in every kind of window the
// program opens; in a text field or a grid cell Enter keeps its own meaning.
#include "common/db_test.h"
#include "common/shown_form.h"
#include "fixed_knife/form3.h"
#include "fixed_knife/frm_ypoloipa.h"
#include "knife_change/form1.h"
#include "platform/enterkey.h"
#include "platform/forms.h"
#include "platform/msgbox.h"
#include "shell/frmmain.h"
#include "shell/records/frmparameters.h"
#include "shell/records/frmtypos.h"
#include "shell/records/recordset.h"
#include "shell/records/recordsetmodel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMap>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using plat::FormInstance;

namespace {

// The planners with their timers stopped: the tests run no search.
Form1 *knifeChangePlanner()
{
    Form1 *f = FormInstance<Form1>::get();
    f->Timer1->stop();
    return shownActive(f);
}
Form3 *fixedKnifePlanner()
{
    Form3 *f = FormInstance<Form3>::get();
    f->Timer1->stop();
    f->Timer2->stop();
    return shownActive(f);
}

class EnterKeyTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        plat::installEnterPressesButtons();
    }
    void TearDown() override
    {
        for (plat::Form *f : plat::Form::loadedForms()) f->unloadWithoutAsking();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        DbTest::TearDown();
    }

    // Counts the presses of every push button of a window, by caption.
    void countPresses(QWidget *window)
    {
        for (QPushButton *b : window->findChildren<QPushButton *>())
            QObject::connect(b, &QPushButton::clicked, window, [this, b] { ++presses[b->text()]; });
    }

    plat::MsgBoxRecorder rec{plat::MsgAnswer::Ok};
    QMap<QString, int> presses;
};

// Tabs from `start` until `target` has the focus, as a planner does.
bool tabTo(QWidget *start, QWidget *target)
{
    start->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 200; ++i) {
        if (QApplication::focusWidget() == target) return true;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return false;
}

void pressEnter(QWidget *w, bool keypad)
{
    if (keypad)
        QTest::keyClick(w, Qt::Key_Enter, Qt::KeypadModifier);
    else
        QTest::keyClick(w, Qt::Key_Return);
}

// How a held key reaches the program: each repeat is a release and a press
// marked as repeats; when the program is busy with the first press, the
// toolkit reads them apart and they come unmarked, with the one timestamp of
// the repeat that both carry.
enum class Repeats { Marked, Unmarked };

// Holds a key down as a keyboard sends it: one press, a release and a press
// for each repeat of the keyboard, then the release, each to the control that
// has the keyboard at that moment (the first press may have opened or closed
// a window meanwhile).
void holdKey(QWidget *first, int repeats, Repeats how, Qt::Key key = Qt::Key_Return)
{
    first->setFocus(Qt::TabFocusReason);
    quint64 time = 1000;
    auto send = [&](QEvent::Type type, bool repeat) {
        QWidget *to = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
        if (!to) return;
        QKeyEvent e(type, key, Qt::NoModifier, key == Qt::Key_Space ? QStringLiteral(" ") : QStringLiteral("\r"),
                    repeat && how == Repeats::Marked);
        e.setTimestamp(time);
        QApplication::sendEvent(to, &e);
        QCoreApplication::processEvents();
    };
    send(QEvent::KeyPress, false);
    for (int i = 0; i < repeats; ++i) {
        time += 40;
        send(QEvent::KeyRelease, true);
        send(QEvent::KeyPress, true);
    }
    time += 40;
    send(QEvent::KeyRelease, false);
}

} // namespace

// A planner tabs from the coil's fields to "Λύση" / "Λύσις 1η" and presses
// Enter (or the keypad's Enter): the button is pressed once, as a click
// presses it; Space still presses it.
TEST_F(EnterKeyTest, EnterPressesTheFocusedSolveButtonOfEachPlanner)
{
    struct Planner {
        plat::Form *window;
        QLineEdit *start;
        QPushButton *solve;
    };
    // The keypad's Enter is tried with the planners as child windows of the
    // main window, as the program opens them.
    for (bool keypad : {false, true}) {
        SCOPED_TRACE(keypad ? "keypad Enter, in the main window" : "Enter");
        std::unique_ptr<frmMain> main;
        if (keypad) {
            main = std::make_unique<frmMain>();
            shownActive(main.get());
        }
        Form1 *changes = knifeChangePlanner();
        Form3 *fixed = fixedKnifePlanner();
        for (const Planner &p : {Planner{changes, changes->Text4, changes->lisi},
                                 Planner{fixed, fixed->Text4, fixed->lisi}}) {
            SCOPED_TRACE(p.window->objectName().toStdString());
            ASSERT_EQ(qobject_cast<QMdiSubWindow *>(p.window->parentWidget()) != nullptr, keypad);
            QApplication::setActiveWindow(p.window);
            presses.clear();
            countPresses(p.window);
            ASSERT_TRUE(tabTo(p.start, p.solve));
            pressEnter(p.solve, keypad);
            EXPECT_EQ(presses, (QMap<QString, int>{{p.solve->text(), 1}}));
            ASSERT_TRUE(tabTo(p.start, p.solve));
            QTest::keyClick(p.solve, Qt::Key_Space);
            EXPECT_EQ(presses, (QMap<QString, int>{{p.solve->text(), 2}}));
            p.window->unloadWithoutAsking();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// In a planner's field Enter does what it did before: it presses no button
// and the focus stays in the field.
TEST_F(EnterKeyTest, EnterInAPlannerFieldPressesNothing)
{
    Form3 *f = fixedKnifePlanner();
    countPresses(f);
    for (QLineEdit *box : {f->Text4, f->Text2}) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(QApplication::focusWidget(), box);
    }
    EXPECT_TRUE(presses.isEmpty());
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
}

// The record editors: ΔΙΟΡΘΩΣΙΣ and ΑΚΥΡΟ of the parameters reached by Tab,
// ΠΡΟΣΘΗΚΗ of the item types, each pressed by Enter. Enter in a parameter
// field presses nothing.
TEST_F(EnterKeyTest, EnterPressesTheRecordEditorsButtons)
{
    frmParameters *p = shownActive(FormInstance<frmParameters>::get());
    countPresses(p);
    p->txtFields[1]->setFocus();
    QTest::keyClick(p->txtFields[1], Qt::Key_Return);
    EXPECT_TRUE(presses.isEmpty());
    EXPECT_FALSE(p->isEditing());

    ASSERT_TRUE(tabTo(p->txtFields[1], p->cmdEdit));
    pressEnter(p->cmdEdit, false);
    EXPECT_TRUE(p->isEditing());
    ASSERT_TRUE(tabTo(p->txtFields[1], p->cmdCancel));
    pressEnter(p->cmdCancel, true);
    EXPECT_FALSE(p->isEditing());
    EXPECT_EQ(presses, (QMap<QString, int>{{"ΔΙΟΡΘΩΣΙΣ", 1}, {"ΑΚΥΡΟ", 1}}));
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();

    addTypes(2);
    frmTypos *t = shownActive(FormInstance<frmTypos>::get());
    t->cmdAdd->setFocus(Qt::TabFocusReason);
    pressEnter(t->cmdAdd, false);
    EXPECT_TRUE(t->adoPrimaryRS()->isAdding());
    EXPECT_EQ(t->model()->rowCount(), 3);
    EXPECT_EQ(QApplication::focusWidget(), t->grdDataGrid);
}

// Enter in a cell of a record editor hands the typed text to the row, as it
// did before, and presses no button; the window stays in its state.
TEST_F(EnterKeyTest, EnterInARecordEditorCellHandsTheTextOver)
{
    addTypes(2);
    frmTypos *t = shownActive(FormInstance<frmTypos>::get());
    countPresses(t);
    t->cmdEdit_Click();
    rec::DataGrid *g = t->grdDataGrid;
    g->setFocus();
    g->setCurrentIndex(t->model()->index(0, 1));
    g->edit(g->currentIndex());
    auto *editor = qobject_cast<QLineEdit *>(g->indexWidget(g->currentIndex()));
    ASSERT_TRUE(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("NEW"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_FALSE(g->cellEditorOpen());
    EXPECT_EQ(t->model()->index(0, 1).data().toString(), QStringLiteral("NEW"));
    EXPECT_TRUE(t->adoPrimaryRS()->hasPendingChange());
    EXPECT_TRUE(t->isEditing());
    EXPECT_TRUE(presses.isEmpty());
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
}

// A dialog whose buttons press nothing on Enter by themselves: the question
// of "Νέα παραγγελία". Tabbed to, "Άκυρον" is pressed by Enter and closes it.
TEST_F(EnterKeyTest, EnterPressesTheFocusedButtonOfADialog)
{
    for (bool keypad : {false, true}) {
        SCOPED_TRACE(keypad ? "keypad Enter" : "Enter");
        QPointer<frmYpoloipa> dlg = shownActive(new frmYpoloipa);
        countPresses(dlg);
        ASSERT_TRUE(tabTo(dlg->Check1, dlg->Command1));
        pressEnter(dlg->Command1, keypad);
        EXPECT_EQ(presses, (QMap<QString, int>{{"Άκυρον", 1}}));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(dlg.isNull());
        presses.clear();
    }
}

// A message box presses its focused button on Enter by itself: that stays
// so, once, whichever of its buttons has the focus.
TEST_F(EnterKeyTest, AMessageBoxPressesItsFocusedButtonOnce)
{
    for (int focused : {0, 1}) {
        for (bool keypad : {false, true}) {
            SCOPED_TRACE(std::to_string(focused) + (keypad ? " keypad Enter" : " Enter"));
            QMessageBox box;
            QPushButton *retry = box.addButton(QStringLiteral("Επανάληψη"), QMessageBox::AcceptRole);
            QPushButton *cancel = box.addButton(QStringLiteral("Άκυρο"), QMessageBox::RejectRole);
            box.setDefaultButton(retry);
            box.setText(QStringLiteral("Το αρχείο χρησιμοποιείται."));
            box.open();
            QApplication::setActiveWindow(&box);
            countPresses(&box);
            QPushButton *target = focused == 0 ? retry : cancel;
            target->setFocus(Qt::TabFocusReason);
            pressEnter(target, keypad);
            EXPECT_EQ(presses, (QMap<QString, int>{{target->text(), 1}}));
            EXPECT_EQ(box.clickedButton(), target);
            EXPECT_FALSE(box.isVisible());
            presses.clear();
        }
    }
}

// Installing it twice presses a button once all the same.
TEST_F(EnterKeyTest, InstallingTwicePressesOnce)
{
    plat::installEnterPressesButtons();
    QWidget w;
    auto *b = new QPushButton(QStringLiteral("ΑΠΟΔΟΧΗ"), &w);
    shownActive(&w);
    countPresses(&w);
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Return);
    EXPECT_EQ(presses, (QMap<QString, int>{{"ΑΠΟΔΟΧΗ", 1}}));
    // Enter with Ctrl or Alt is no press; a disabled button is never pressed.
    QTest::keyClick(b, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(b, Qt::Key_Return, Qt::AltModifier);
    b->setEnabled(false);
    QTest::keyClick(b, Qt::Key_Return);
    EXPECT_EQ(presses, (QMap<QString, int>{{"ΑΠΟΔΟΧΗ", 1}}));
}

// Enter held on a button presses it once, whatever the repeats: ΔΙΑΓΡΑΦΗ of
// the item types deletes one row of ten, "Λύσις" solves once, a message box's
// button answers once, and the repeats that reach the window under a closed
// dialog press nothing there either. A held Space deletes one row too.
TEST_F(EnterKeyTest, AHeldKeyPressesOnce)
{
    for (Repeats how : {Repeats::Marked, Repeats::Unmarked}) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
            SCOPED_TRACE(std::string(how == Repeats::Marked ? "marked" : "unmarked") +
                         (key == Qt::Key_Space ? " Space" : " Enter"));
            exec(QStringLiteral("delete from Typos"));
            addTypes(10);
            frmTypos *t = shownActive(FormInstance<frmTypos>::get());
            presses.clear();
            countPresses(t);
            holdKey(t->cmdDelete, 10, how, key);
            EXPECT_EQ(presses, (QMap<QString, int>{{t->cmdDelete->text(), 1}}));
            EXPECT_EQ(t->model()->rowCount(), 9);
            EXPECT_EQ(rows(QStringLiteral("select count(*) from Typos")), QStringList{QStringLiteral("9")});
            t->unloadWithoutAsking();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }

        SCOPED_TRACE(how == Repeats::Marked ? "marked" : "unmarked");
        Form3 *f = fixedKnifePlanner();
        presses.clear();
        countPresses(f);
        holdKey(f->lisi, 10, how);
        EXPECT_EQ(presses, (QMap<QString, int>{{f->lisi->text(), 1}}));
        f->unloadWithoutAsking();

        // A real message box over a window whose focused button is pressed
        // by Enter: the first press answers the box, the repeats press
        // nothing.
        QWidget under;
        auto *next = new QPushButton(QStringLiteral("ΠΡΟΣΘΗΚΗ"), &under);
        shownActive(&under);
        presses.clear();
        countPresses(&under);
        next->setFocus();
        QMessageBox box;
        QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setText(QStringLiteral("Η εγγραφή διαγράφηκε."));
        box.open();
        QApplication::setActiveWindow(&box);
        countPresses(&box);
        holdKey(ok, 10, how);
        EXPECT_EQ(presses, (QMap<QString, int>{{QStringLiteral("OK"), 1}}));
        EXPECT_FALSE(box.isVisible());

        // A dialog whose focused button is no default one ("Άκυρον").
        QPointer<frmYpoloipa> dlg = shownActive(new frmYpoloipa);
        presses.clear();
        countPresses(dlg);
        ASSERT_TRUE(tabTo(dlg->Check1, dlg->Command1));
        holdKey(dlg->Command1, 10, how);
        EXPECT_EQ(presses, (QMap<QString, int>{{QStringLiteral("Άκυρον"), 1}}));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Two presses of Enter are two presses, also when the program stamps
    // them with times.
    exec(QStringLiteral("delete from Typos"));
    addTypes(2);
    frmTypos *t = shownActive(FormInstance<frmTypos>::get());
    holdKey(t->cmdDelete, 0, Repeats::Unmarked);
    holdKey(t->cmdDelete, 0, Repeats::Unmarked);
    EXPECT_EQ(t->model()->rowCount(), 0);
}
