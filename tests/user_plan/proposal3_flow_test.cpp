// From "Λύση" in the knife-change planner through "Πρότασις 3" to "Λύσις"
// in the user's plan window.
#include "knife_change/form1.h"
#include "user_plan/form2.h"

#include "platform/database.h"
#include "platform/msgbox.h"
#include "platform/qnum.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

TEST(Proposal3Flow, SolveHandOverAndRecompute)
{
    QTemporaryDir dir;
    ASSERT_EQ(plat::Database::open(dir.filePath(QStringLiteral("Divor.db"))), QString());
    plat::MsgBoxRecorder rec;

    Form1 *f1 = plat::FormInstance<Form1>::get();
    f1->txtMikos->setText(QStringLiteral("1250"));
    f1->txtArxi->setText(QStringLiteral("5"));
    f1->txtTelos->setText(QStringLiteral("5"));
    f1->Text2->setText(QStringLiteral("8"));
    f1->Text4->setText(QStringLiteral("11"));
    const char *widths[3] = {"200", "310", "420"};
    const char *tonnes[3] = {"10", "20", "10"};
    for (int i = 0; i < 3; ++i) {
        f1->Check1[i]->setChecked(true);
        f1->Mikos[i]->setText(QString::fromLatin1(widths[i]));
        f1->Baros[i]->setText(QString::fromLatin1(tonnes[i]));
    }
    f1->lisi->click();
    f1->Timer1_Timer();
    ASSERT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
    ASSERT_GE(f1->Form2Row, 2) << "the order is meant to need two patterns";

    f1->Command1->click();
    Form2 *f2 = plat::FormInstance<Form2>::get();
    ASSERT_TRUE(f2->isFormVisible());
    const int n = f1->Form2Row;
    for (int r = 0; r < f2->patternRowCount(); ++r) EXPECT_EQ(f2->Grammi[r]->isHidden(), r >= n) << r;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(f2->Mikos[i]->text(), f1->Mikos[i]->text());
        EXPECT_EQ(f2->Roles[10 + i]->text(), f1->Roles1[i]->text());
    }
    EXPECT_EQ(f2->Text1[10]->x(), plat::tw(840 + 720 * 3));

    // Recomputing the plan as handed over gives proposal 1 back.
    f2->cmdLisi->click();
    ASSERT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(f2->Roles[10 + i]->text(), f1->Roles1[i]->text()) << i;
        EXPECT_EQ(plat::toNumber(f2->Baros[10 + i]->text()).value_or(-1),
                  plat::toNumber(f1->Proion[i]->text()).value_or(-2))
            << i;
    }
    EXPECT_EQ(f2->Text3->text(), f1->Text3->text());
    EXPECT_EQ(f2->Text8->text(), f1->Text8->text());
    EXPECT_EQ(f2->Text5->text(), f1->Text5->text());
    EXPECT_EQ(f2->Text10->text(), f1->Text10->text());
    EXPECT_EQ(f2->Text4->text(), f1->Text12->text());

    // One coil more of the first pattern: its strips, its waste and both
    // trims of one more coil.
    const double net = plat::toNumber(f2->Text3->text()).value();
    const double total = plat::toNumber(f2->Text8->text()).value();
    const double strips0 = plat::toNumber(f2->Roles[10]->text()).value();
    const double waste0 = plat::toNumber(f2->txtFira[0]->text()).value();
    const double count0 = plat::toNumber(f2->Akommati[0]->text()).value();
    const double coils0 = plat::toNumber(f2->Grammi[0]->text()).value();
    f2->Grammi[0]->setText(plat::numText(coils0 + 1));
    f2->cmdLisi->click();
    ASSERT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
    EXPECT_DOUBLE_EQ(plat::toNumber(f2->Text3->text()).value(), net + waste0);
    EXPECT_DOUBLE_EQ(plat::toNumber(f2->Text8->text()).value(), total + waste0 + 10);
    EXPECT_DOUBLE_EQ(plat::toNumber(f2->Roles[10]->text()).value(), strips0 + count0);
    EXPECT_TRUE(f2->Text4->text().endsWith(QLatin1Char('%')));

    // Trims edited in the planner past any coil are refused, and the plan's
    // figures stay as they were instead of turning into "Inf".
    const QString shownTotal = f2->Text8->text(), shownShare = f2->Text4->text();
    f1->txtArxi->setText(QStringLiteral("1E+308"));
    f1->txtTelos->setText(QStringLiteral("1E+308"));
    f2->cmdLisi->click();
    EXPECT_EQ(rec.texts(), QStringList{QStringLiteral("Δεν έχετε ορίσει σωστά την αρχή")});
    EXPECT_EQ(f2->Text8->text(), shownTotal);
    EXPECT_EQ(f2->Text4->text(), shownShare);
    rec.clear();
    f1->txtArxi->setText(QStringLiteral("5"));
    f1->txtTelos->setText(QStringLiteral("5"));

    // A new solve hides the plan window; closing the planner unloads it.
    f1->lisi->click();
    f1->Timer1_Timer();
    EXPECT_FALSE(f2->isFormVisible());
    f1->Exit_Click();
    QApplication::processEvents();
    EXPECT_FALSE(plat::FormInstance<Form2>::loaded());
    plat::Database::close();
}

namespace {

std::string planFigures(const Form2 *f2)
{
    QStringList out = {f2->Text3->text(), f2->Text5->text(), f2->Text8->text(), f2->Text10->text(), f2->Text4->text()};
    for (int j = 0; j < 10; ++j) out << f2->Roles[10 + j]->text() << f2->Baros[10 + j]->text();
    return out.join(QLatin1Char('|')).toStdString();
}

void typeOrder(Form1 *f1, const QList<QPair<const char *, const char *>> &rows)
{
    for (int i = 0; i < rows.size(); ++i) {
        f1->Check1[i]->click();
        QTest::keyClicks(f1->Mikos[i], QString::fromLatin1(rows[i].first));
        QTest::keyClicks(f1->Baros[i], QString::fromLatin1(rows[i].second));
    }
}

// A planner with trims of 5 mm on a fresh database; the windows and the
// database go when the test ends.
class Proposal3FlowWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(plat::Database::open(dir.filePath(QStringLiteral("Divor.db"))), QString());
        f1 = plat::FormInstance<Form1>::get();
        f1->Timer1->stop();
        f1->txtArxi->setText(QStringLiteral("5"));
        f1->txtTelos->setText(QStringLiteral("5"));
    }
    void TearDown() override
    {
        plat::FormInstance<Form2>::unloadIfLoaded();
        plat::FormInstance<Form1>::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        plat::Database::close();
    }
    // Solves the order, runs the search and hands the plan over.
    Form2 *solveAndHandOver(const QList<QPair<const char *, const char *>> &rows)
    {
        typeOrder(f1, rows);
        f1->lisi->click();
        f1->Timer1_Timer();
        f1->Command1->click();
        return plat::FormInstance<Form2>::get();
    }
    // The strip counts and waste of every pattern row the search opened.
    QStringList patternCells(const Form2 *f2) const
    {
        QStringList cells;
        for (int r = 0; r < f1->Form2Row; ++r)
            cells << f2->Akommati[r]->text() + f2->Bkommati[r]->text() + f2->Ckommati[r]->text() + f2->txtFira[r]->text();
        return cells;
    }

    QTemporaryDir dir;
    plat::MsgBoxRecorder rec;
    Form1 *f1 = nullptr;
};

} // namespace

// The plan handed over belongs to the last Solve: starting the next order in
// the planner (ticking a row, typing into it) changes neither its width
// columns nor what "Λύσις" computes from them, even when a hidden column
// still holds the counts of an earlier, longer order.
TEST_F(Proposal3FlowWindows, TypingTheNextOrderLeavesTheHandedOverPlan)
{
    f1->showForm();
    QApplication::setActiveWindow(f1);

    // Before any Solve, "Πρότασις 3" takes the rows ticked.
    typeOrder(f1, {{"200", "10"}, {"310", "20"}, {"420", "10"}, {"150", "15"}});
    f1->Command1->click();
    Form2 *f2 = plat::FormInstance<Form2>::get();
    EXPECT_EQ(f2->Mikos[3]->text(), QStringLiteral("150"));

    f1->lisi->click();
    f1->Timer1_Timer();
    f1->cmdClean->click();
    typeOrder(f1, {{"200", "10"}, {"310", "20"}, {"420", "10"}});
    f1->lisi->click();
    f1->Timer1_Timer();
    f1->Command1->click();
    f2->cmdLisi->click();
    ASSERT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
    const std::string plan = planFigures(f2);
    ASSERT_FALSE(f2->Dkommati[0]->text().isEmpty()) << "the longer order's counts are meant to stay in column D";

    f1->Check1[3]->click();
    f1->Mikos[3]->setFocus();
    QTest::keyClicks(f1->Mikos[3], QStringLiteral("500"));
    QTest::keyClick(f1->Mikos[3], Qt::Key_Up);
    f2->cmdLisi->click();
    EXPECT_EQ(planFigures(f2), plan);

    f1->Command1->click();
    f2->cmdLisi->click();
    EXPECT_EQ(planFigures(f2), plan);
    EXPECT_TRUE(f2->Dkommati[0]->isHidden());
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();

}

// The search writes the patterns into the plan window while it is hidden. A
// plan window the planner closed after the search is loaded anew by
// "Πρότασις 3" and must show the same patterns, so that "Λύσις" gives
// proposal 1 back rather than a plan of no strips.
TEST_F(Proposal3FlowWindows, APlanWindowClosedAfterTheSearchGetsItsPatternsAgain)
{
    Form2 *f2 = solveAndHandOver({{"200", "10"}, {"310", "20"}, {"420", "10"}});
    f2->cmdLisi->click();
    const std::string plan = planFigures(f2);
    const QStringList cells = patternCells(f2);

    for (bool searchAgain : {false, true}) {
        SCOPED_TRACE(searchAgain ? "closed, then solved again" : "closed");
        f2->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_FALSE(plat::FormInstance<Form2>::loaded());
        if (searchAgain) {
            f1->lisi->click();
            f1->Timer1_Timer();
            // The search loads the window to write its patterns; closing it
            // again loses them once more.
            plat::FormInstance<Form2>::unloadIfLoaded();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        f1->Command1->click();
        f2 = plat::FormInstance<Form2>::get();
        EXPECT_EQ(patternCells(f2), cells);
        f2->cmdLisi->click();
        EXPECT_EQ(planFigures(f2), plan);
    }
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();

}

// Between a new Solve and the search that follows it a second later, the
// plan window is still shown with the plan it was handed. "Λύσις" pressed
// then must compute that plan with its own order's strip weights and widths,
// not with those the new Solve has just set for a different order.
TEST_F(Proposal3FlowWindows, SolveInThePlannerLeavesTheShownPlanItsOwnFigures)
{
    f1->Text2->setText(QStringLiteral("8"));
    Form2 *f2 = solveAndHandOver({{"200", "10"}, {"310", "20"}, {"420", "10"}});
    f2->cmdLisi->click();
    ASSERT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
    const std::string plan = planFigures(f2);

    struct NextOrder {
        const char *name;
        const char *coilWeight;
        QList<QPair<const char *, const char *>> rows;
    };
    const NextOrder cases[] = {
        {"heavier coils, same widths", "20", {{"200", "10"}, {"310", "20"}, {"420", "10"}}},
        {"more widths", "8", {{"200", "10"}, {"310", "20"}, {"420", "10"}, {"150", "5"}, {"90", "5"}}},
        {"fewer widths", "8", {{"200", "10"}}},
    };
    for (const NextOrder &c : cases) {
        SCOPED_TRACE(c.name);
        for (int i = 0; i < 10; ++i)
            if (f1->Check1[i]->isChecked()) f1->Check1[i]->click();
        f1->cmdClean->click();
        f1->Text2->setText(QString::fromLatin1(c.coilWeight));
        typeOrder(f1, c.rows);
        f1->lisi->click(); // the search has not run yet
        ASSERT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
        ASSERT_TRUE(f2->isFormVisible());
        f2->cmdLisi->click();
        EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
        EXPECT_EQ(planFigures(f2), plan);
    }

}
