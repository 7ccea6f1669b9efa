// "Εκτύπωσις" of the user's plan reached from the knife-change planner
// through "Πρότασις 3": with no plan it says so and opens nothing; with a
// solved plan it writes its table and asks for the report.
#include "knife_change/form1.h"
#include "user_plan/form2.h"
#include "user_plan/plan_print.h"

#include "common/db_test.h"
#include "platform/msgbox.h"
#include "reports/print_hooks.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

class PlanPrint : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        reports::reportOpener() = [this](reports::PrintJob job) { opened << job; };
        planner = plat::FormInstance<Form1>::get();
        planner->Timer1->stop();
    }
    void TearDown() override
    {
        reports::reportOpener() = nullptr;
        plat::FormInstance<Form2>::unloadIfLoaded();
        plat::FormInstance<Form1>::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        DbTest::TearDown();
    }
    // Rows 200, 310 and 420 mm of the planner ticked and filled.
    void enterOrder()
    {
        const char *widths[3] = {"200", "310", "420"};
        const char *tonnes[3] = {"10", "20", "10"};
        for (int i = 0; i < 3; ++i) {
            planner->Check1[i]->setChecked(true);
            planner->Mikos[i]->setText(QString::fromLatin1(widths[i]));
            planner->Baros[i]->setText(QString::fromLatin1(tonnes[i]));
        }
    }
    // "Πρότασις 3", then "Εκτύπωσις" of the plan window.
    void printProposal3()
    {
        planner->Command1->click();
        Form2 *plan = plat::FormInstance<Form2>::get();
        ASSERT_TRUE(plan->isFormVisible());
        plan->cmdPrint->click();
    }

    Form1 *planner = nullptr;
    QList<reports::PrintJob> opened;
};

TEST_F(PlanPrint, BeforeAnySolveSaysThereIsNoPlanAndOpensNothing)
{
    const struct {
        const char *what;
        bool order;
    } cases[] = {{"a fresh planner", false}, {"an order typed but not solved", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        plat::MsgBoxRecorder rec;
        exec(QStringLiteral("insert into Protasis3 values (1, 'earlier plan')"));
        if (c.order) enterOrder();
        printProposal3();
        EXPECT_EQ(rec.texts(), QStringList{QString::fromUtf8(user_plan::MsgNoPlan)});
        EXPECT_TRUE(opened.isEmpty());
        EXPECT_TRUE(rows(QStringLiteral("select * from Protasis3")).isEmpty()) << "the earlier plan is not kept";
    }
}

TEST_F(PlanPrint, AfterASolveThePlanPrintsWithoutAMessage)
{
    plat::MsgBoxRecorder rec;
    planner->txtMikos->setText(QStringLiteral("1250"));
    planner->Text2->setText(QStringLiteral("8"));
    planner->Text4->setText(QStringLiteral("11"));
    enterOrder();
    planner->lisi->click();
    planner->Timer1_Timer();
    ASSERT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
    printProposal3();
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
    EXPECT_EQ(opened, QList<reports::PrintJob>{reports::PrintJob::Proposal3});
    EXPECT_EQ(rows(QStringLiteral("select count(*) from Protasis3")),
              QStringList{QString::number(planner->Form2Row)});
}

} // namespace
