#include "user_plan/form2.h"
#include "user_plan/plan_handover.h"
#include "user_plan/plan_recompute.h"

#include "platform/database.h"
#include "platform/msgbox.h"
#include "platform/qnum.h"
#include "shell/module1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

namespace {

using Inst = plat::FormInstance<Form2>;

// A stand-in for the planner: the two trim fields Form2 reads by name.
struct Planner {
    QWidget widget;
    QLineEdit *txtArxi = new QLineEdit(QStringLiteral("2"), &widget);
    QLineEdit *txtTelos = new QLineEdit(QStringLiteral("2"), &widget);
    PlanningValues values;
    Planner()
    {
        txtArxi->setObjectName(QStringLiteral("txtArxi"));
        txtTelos->setObjectName(QStringLiteral("txtTelos"));
    }
};

struct Pattern {
    std::vector<int> counts; // per order width
    QString waste;
    QString coils;
};

class Form2Test : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = new QTemporaryDir;
        ASSERT_EQ(plat::Database::open(dir->filePath(QStringLiteral("Divor.db"))), QString());
    }
    static void TearDownTestSuite()
    {
        plat::Database::close();
        delete dir;
    }
    void TearDown() override
    {
        Inst::unloadIfLoaded();
        QApplication::processEvents();
    }

    // What the search leaves in the grid: counts, waste and coils per row.
    static void writeGrid(const std::vector<Pattern> &patterns)
    {
        Form2 *f = Inst::get();
        f->ensurePatternRows(int(patterns.size()));
        for (int r = 0; r < int(patterns.size()); ++r) {
            for (int j = 0; j < int(patterns[r].counts.size()); ++j)
                f->kommati(j)[r]->setText(plat::intText(patterns[r].counts[j]));
            f->txtFira[r]->setText(patterns[r].waste);
            f->Grammi[r]->setText(patterns[r].coils);
        }
    }

    // An order of n widths (100, 110, …) with the given patterns, handed over.
    Form2 *handOver(int n, const std::vector<Pattern> &patterns)
    {
        writeGrid(patterns);
        PlanHandOver h;
        h.intLastRow = n - 1;
        for (int i = 0; i < n; ++i) {
            h.Mikos[i] = plat::intText(100 + 10 * i);
            h.Baros[i] = QStringLiteral("5");
            h.Roles[i] = QStringLiteral("R%1").arg(i);
            h.Proion[i] = QStringLiteral("P%1").arg(i);
            h.Roles1[i] = QStringLiteral("S%1").arg(i);
            h.Proion1[i] = QStringLiteral("Q%1").arg(i);
            h.Roles2[i] = QStringLiteral("T%1").arg(i);
        }
        h.Text3 = QStringLiteral("26");
        h.Text5 = QStringLiteral("260");
        h.Text8 = QStringLiteral("46");
        h.Text10 = QStringLiteral("460");
        h.Text12 = QStringLiteral("7,667%");
        h.Form2Row = int(patterns.size());
        h.RepeatText << QString();
        for (const auto &p : patterns) h.RepeatText << p.coils;
        planner.values.intLastRow = n - 1;
        h.planner = &planner.widget;
        h.values = &planner.values;
        return handOverToForm2(h);
    }

    static std::vector<Pattern> patterns(int rows, int widths)
    {
        std::vector<Pattern> out;
        for (int r = 0; r < rows; ++r)
            out.push_back({std::vector<int>(size_t(widths), 1), QStringLiteral("3"), plat::intText(r + 1)});
        return out;
    }

    static inline QTemporaryDir *dir = nullptr;
    Planner planner;
};

TEST_F(Form2Test, LoadsHiddenWithItsDesign)
{
    Form2 *f = Inst::get();
    EXPECT_FALSE(f->isFormVisible());
    EXPECT_EQ(f->windowTitle(), QStringLiteral("ΠΡΟΓΡΑΜΜΑ ΚΟΠΗΣ ΜΕ ΑΛΛΑΓΗ ΜΑΧΑΙΡΙΩΝ - ΕΠΕΞΕΡΓΑΣΙΑ ΑΠΟ ΧΡΗΣΤΗ"));
    EXPECT_EQ(f->patternRowCount(), 11);
    EXPECT_EQ(f->Mikos.size(), 20);
    EXPECT_EQ(f->Text1.size(), 11);
    EXPECT_EQ(f->Text1[0]->text(), QStringLiteral("    A"));
    EXPECT_EQ(f->Text1[5]->text(), QStringLiteral("   ΣΤ"));
    EXPECT_EQ(f->Text1[10]->text(), QStringLiteral("  Φύρα"));
    EXPECT_EQ(f->Text1[10]->x(), plat::tw(8040));
    for (int r = 0; r < 11; ++r) {
        EXPECT_TRUE(f->Grammi[r]->isHidden());
        EXPECT_EQ(f->Grammi[r]->y(), plat::tw(5400 + 240 * r));
    }
    for (auto *c : f->Check1) EXPECT_TRUE(c->isHidden());
    EXPECT_TRUE(f->cmdPrint->isEnabled());
    EXPECT_EQ(f->findChild<QCheckBox *>(QStringLiteral("chkPrint")), f->chkPrint);
}

TEST_F(Form2Test, HandOverLaysOutTheGridForEachNumberOfWidths)
{
    const int wasteLeft[10] = {1560, 2280, 3000, 3720, 4440, 5160, 5880, 6600, 7320, 8040};
    for (int n = 1; n <= 10; ++n) {
        SCOPED_TRACE(n);
        Form2 *f = handOver(n, patterns(4, n));
        EXPECT_TRUE(f->isFormVisible());
        EXPECT_EQ(f->Text1[10]->x(), plat::tw(wasteLeft[n - 1]));
        for (int j = 0; j < 10; ++j) EXPECT_EQ(f->Text1[j]->isHidden(), j >= n) << j;
        for (int r = 0; r < 11; ++r) {
            const bool used = r < 4;
            EXPECT_EQ(f->Grammi[r]->isHidden(), !used) << r;
            EXPECT_EQ(f->txtFira[r]->isHidden(), !used) << r;
            if (used) {
                EXPECT_EQ(f->txtFira[r]->x(), plat::tw(wasteLeft[n - 1]));
            }
            for (int j = 0; j < 10; ++j) EXPECT_EQ(f->kommati(j)[r]->isHidden(), !(used && j < n)) << r << "," << j;
        }
        // The user plan starts as proposal 1.
        for (int i = 0; i < n; ++i) {
            EXPECT_EQ(f->Mikos[10 + i]->text(), f->Mikos[i]->text());
            EXPECT_EQ(f->Baros[10 + i]->text(), QStringLiteral("P%1").arg(i));
            EXPECT_EQ(f->Roles[10 + i]->text(), QStringLiteral("S%1").arg(i));
            EXPECT_EQ(f->Roles2[i]->text(), QStringLiteral("T%1").arg(i));
            EXPECT_TRUE(f->Check1[i]->isChecked());
        }
        EXPECT_EQ(f->Text4->text(), QStringLiteral("7,667%"));
        EXPECT_EQ(f->Grammi[3]->text(), QStringLiteral("4"));
    }
}

TEST_F(Form2Test, ShorterPlanAfterALongerOneShowsOnlyItsOwnRows)
{
    handOver(5, patterns(7, 5));
    Form2 *f = Inst::get();
    f->Grammi[0]->setText(QStringLiteral("99")); // the user's edit is replaced
    std::vector<Pattern> two = {{{2, 1}, QStringLiteral("4"), QStringLiteral("3")},
                                {{0, 3}, QStringLiteral("7"), QStringLiteral("2")}};
    handOver(2, two);
    for (int r = 0; r < 11; ++r) EXPECT_EQ(f->Grammi[r]->isHidden(), r >= 2) << r;
    EXPECT_EQ(f->Grammi[0]->text(), QStringLiteral("3"));
    EXPECT_EQ(f->Grammi[1]->text(), QStringLiteral("2"));
    // The rows of the earlier, longer order are cleared, not left standing.
    for (int i = 2; i < 10; ++i) {
        for (auto *e : {f->Mikos[i], f->Baros[i], f->Roles[i], f->Proion[i], f->Roles1[i], f->Proion1[i],
                        f->Roles2[i], f->Mikos[10 + i], f->Baros[10 + i], f->Roles[10 + i]})
            EXPECT_TRUE(e->text().isEmpty()) << e->objectName().toStdString() << i;
        EXPECT_FALSE(f->Check1[i]->isChecked());
    }
}

TEST_F(Form2Test, GridGrowsToEveryPatternTheSearchOpens)
{
    Form2 *f = handOver(3, patterns(15, 3));
    ASSERT_EQ(f->patternRowCount(), 15);
    for (int r = 0; r < 15; ++r) {
        EXPECT_FALSE(f->Grammi[r]->isHidden()) << r;
        EXPECT_EQ(f->Grammi[r]->y(), plat::tw(5400 + 240 * r));
        EXPECT_EQ(f->Grammi[r]->text(), plat::intText(r + 1));
    }
    EXPECT_GE(f->content()->height(), f->Grammi[14]->geometry().bottom());
    // A later, shorter plan hides the extra rows again.
    handOver(3, patterns(2, 3));
    for (int r = 2; r < 15; ++r) EXPECT_TRUE(f->Grammi[r]->isHidden()) << r;
}

TEST_F(Form2Test, HandOverBeforeAnySearchAndWithoutOrderRows)
{
    Form2 *f = handOver(3, {});
    for (int r = 0; r < 11; ++r) EXPECT_TRUE(f->Grammi[r]->isHidden());
    EXPECT_EQ(f->Text1[10]->x(), plat::tw(8040)) << "no row moved, so the head stays";
    EXPECT_EQ(f->Text8->text(), QStringLiteral("46"));
    EXPECT_EQ(f->Mikos[12]->text(), QStringLiteral("120"));

    Inst::unloadIfLoaded();
    QApplication::processEvents();
    f = handOver(0, {});
    EXPECT_TRUE(f->isFormVisible());
    for (int j = 0; j < 10; ++j) EXPECT_TRUE(f->Text1[j]->isHidden());
    EXPECT_TRUE(f->Text3->text().isEmpty()) << "totals travel only with order rows";
}

TEST_F(Form2Test, BlankCoilsBecomeZeroWhenTheFocusLeaves)
{
    Form2 *f = handOver(2, patterns(3, 2));
    f->Grammi[0]->setText(QStringLiteral("   "));
    f->Grammi[1]->setText(QStringLiteral("abc"));
    f->Grammi[2]->setText(QString());
    for (int r = 0; r < 3; ++r) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(f->Grammi[r], &out);
    }
    EXPECT_EQ(f->Grammi[0]->text(), QStringLiteral("0"));
    EXPECT_EQ(f->Grammi[1]->text(), QStringLiteral("abc"));
    EXPECT_EQ(f->Grammi[2]->text(), QStringLiteral("0"));
}

TEST_F(Form2Test, BackHidesAndKeepsTheContents)
{
    Form2 *f = handOver(2, patterns(2, 2));
    f->Grammi[1]->setText(QStringLiteral("7"));
    f->cmdPiso->click();
    EXPECT_TRUE(Inst::loaded());
    EXPECT_FALSE(f->isFormVisible());
    EXPECT_EQ(f->Grammi[1]->text(), QStringLiteral("7"));
    EXPECT_EQ(f->Mikos[0]->text(), QStringLiteral("100"));
}

TEST_F(Form2Test, ClosedWindowIsRefilledByTheNextHandOver)
{
    Form2 *first = handOver(2, patterns(2, 2));
    first->Grammi[0]->setText(QStringLiteral("55"));
    {
        plat::MsgBoxRecorder rec;
        EXPECT_TRUE(first->unload());
        EXPECT_TRUE(rec.messages.isEmpty()) << "closing asks nothing";
    }
    QApplication::processEvents();
    EXPECT_FALSE(Inst::loaded());
    Form2 *again = handOver(2, patterns(2, 2));
    EXPECT_TRUE(again->isFormVisible());
    EXPECT_EQ(again->Grammi[0]->text(), QStringLiteral("1"));
    EXPECT_EQ(again->Mikos[1]->text(), QStringLiteral("110"));
    EXPECT_TRUE(again->Check1[0]->isHidden());
}

// The worked example through the window: 3 and 2,9 coils, waste 4 and 7 mm.
TEST_F(Form2Test, SolveRecomputesTheUserPlan)
{
    planner.values.dblKgPerMm = 10;
    planner.values.dblBarosRoles[0] = 0.5;
    planner.values.dblBarosRoles[1] = 0.25;
    std::vector<Pattern> two = {{{2, 1}, QStringLiteral("4"), QStringLiteral("3")},
                                {{0, 3}, QStringLiteral("7"), QStringLiteral("2")}};
    Form2 *f = handOver(2, two);
    f->Grammi[1]->setText(QStringLiteral("2,9"));
    // Columns beyond the order play no part.
    f->kommati(5)[0]->setText(QStringLiteral("44"));
    plat::MsgBoxRecorder rec;
    f->cmdLisi->click();
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
    EXPECT_EQ(f->Grammi[1]->text(), QStringLiteral("2"));
    EXPECT_EQ(f->Roles[10]->text(), QStringLiteral("6"));   // 3 × 2
    EXPECT_EQ(f->Roles[11]->text(), QStringLiteral("9"));   // 3 × 1 + 2 × 3
    EXPECT_EQ(f->Baros[10]->text(), QStringLiteral("3"));
    EXPECT_EQ(f->Baros[11]->text(), QStringLiteral("2,25"));
    EXPECT_EQ(f->Text3->text(), QStringLiteral("26"));
    EXPECT_EQ(f->Text5->text(), QStringLiteral("260"));
    EXPECT_EQ(f->Text8->text(), QStringLiteral("46"));
    EXPECT_EQ(f->Text10->text(), QStringLiteral("460"));
    EXPECT_EQ(f->Text4->text(), QStringLiteral("8,762%")); // 460 kg / 5,25 t
    EXPECT_EQ(f->Roles[12]->text(), QString()) << "rows beyond the order stay as they were";

    // The trims are the planner's as they stand at the press.
    planner.txtArxi->setText(QStringLiteral("3"));
    f->cmdLisi->click();
    EXPECT_EQ(f->Text8->text(), QStringLiteral("51"));
}

TEST_F(Form2Test, SolveReportsBadCoilsAndReturnsThere)
{
    Form2 *f = handOver(1, patterns(3, 1));
    f->Text3->setText(QStringLiteral("keep"));
    plat::MsgBoxRecorder rec;

    f->Grammi[0]->setText(QStringLiteral("20000"));
    f->Grammi[2]->setText(QStringLiteral("abc"));
    f->cmdLisi->click();
    EXPECT_EQ(rec.texts(), QStringList{QString::fromUtf8(user_plan::MsgRolakia)});
    EXPECT_EQ(rec.messages.value(0).style, plat::MsgOkOnly);
    EXPECT_EQ(f->lastFocusName(), QStringLiteral("Grammi(2)"));
    EXPECT_EQ(f->Text3->text(), QStringLiteral("keep"));
    EXPECT_EQ(f->Grammi[0]->text(), QStringLiteral("20000")) << "nothing rounded before the checks pass";

    rec.clear();
    for (int r = 0; r < 3; ++r) f->Grammi[r]->setText(QStringLiteral("0,4"));
    f->cmdLisi->click();
    EXPECT_EQ(rec.texts(), QStringList{QString::fromUtf8(user_plan::MsgAllZero)});
    EXPECT_EQ(f->lastFocusName(), QStringLiteral("Grammi(0)"));
    for (int r = 0; r < 3; ++r) EXPECT_EQ(f->Grammi[r]->text(), QStringLiteral("0"));
    EXPECT_EQ(f->Text3->text(), QStringLiteral("keep"));
}

TEST_F(Form2Test, SolveWithoutPatternRowsLeavesTheFocusAlone)
{
    Form2 *f = handOver(2, {});
    plat::MsgBoxRecorder rec;
    f->cmdLisi->click();
    EXPECT_EQ(rec.texts(), QStringList{QString::fromUtf8(user_plan::MsgAllZero)});
    EXPECT_EQ(f->lastFocusName(), QString());
}

TEST_F(Form2Test, SolveBeforeAnyHandOverDoesNothing)
{
    Form2 *f = Inst::get();
    writeGrid(patterns(2, 2));
    f->Grammi[0]->show();
    f->Grammi[0]->setText(QStringLiteral("abc"));
    plat::MsgBoxRecorder rec;
    f->cmdLisi->click();
    EXPECT_TRUE(rec.messages.isEmpty());
    EXPECT_EQ(f->Grammi[0]->text(), QStringLiteral("abc"));
}

} // namespace
