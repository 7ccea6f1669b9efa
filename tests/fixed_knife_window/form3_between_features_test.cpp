// The planner driven across its features: what one feature leaves behind
// must not be picked up by the next.
#include "planner_window.h"
#include "common/db_test.h"
#include "fixed_knife/form3.h"
#include "fixed_knife/frm_search.h"
#include "fixed_knife/frm_ypoloipa.h"
#include "platform/msgbox.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <functional>

using plat::MsgBoxRecorder;

namespace {

void emptyLeftovers()
{
    for (auto &row : Module1::strYpoloipa)
        for (QString &cell : row) cell.clear();
}

QStringList listLines(const Form3 *f)
{
    QStringList out;
    for (int i = 0; i < f->lstDefterevon->count(); ++i) out << f->lstDefterevon->item(i)->text();
    return out;
}

class BetweenFeaturesTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        emptyLeftovers();
        addTypes(1);
        exec("insert into ProtasisXristi (ID, Εύρος, Τύπος, Πάχος) values (1, 20, 1, 0.5), (2, 40, 1, 0.5)");
    }
    void TearDown() override
    {
        plat::FormInstance<frmSearch>::unloadIfLoaded();
        plat::FormInstance<Form3>::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        emptyLeftovers();
        DbTest::TearDown();
    }

    static Form3 *planner() { return shownPlannerWithoutTimers(); }

    // 400 mm / 8 t and 200 mm / 3 t, solved with proportion and searched:
    // the cut 1 x 400 + 4 x 200 on two coils; row Β is over-produced.
    static Form3 *searched()
    {
        Form3 *f = planner();
        const QList<QPair<QString, QString>> rows = {{"400", "8"}, {"200", "3"}};
        for (int i = 0; i < rows.size(); ++i) {
            f->Check1[i]->click();
            f->Mikos[i]->setText(rows[i].first);
            f->Baros[i]->setText(rows[i].second);
        }
        f->lisi->click();
        f->Timer1_Timer();
        EXPECT_EQ(f->Akommati[1]->text(), QStringLiteral("4"));
        return f;
    }

    // The chooser opened from the planner, both catalogue rows listed and
    // the first picked (count 1 written to the catalogue).
    static frmSearch *chooserWithAPick(Form3 *f)
    {
        f->cmdGrid->click();
        frmSearch *s = plat::FormInstance<frmSearch>::ifLoaded();
        EXPECT_NE(s, nullptr);
        if (!s) return nullptr;
        s->txtEvros1->setText(QStringLiteral("0"));
        s->txtEvros2->setText(QStringLiteral("100"));
        s->cmdShow->click();
        emit s->DataGrid1->verticalHeader()->sectionClicked(0);
        return s;
    }

    static void continueWithLeftovers(Form3 *f)
    {
        f->New->click();
        frmYpoloipa *d = frmYpoloipa::instance();
        ASSERT_NE(d, nullptr);
        d->Check2->setChecked(true);
        d->Command2->click();
    }

    // The two ways the order on screen gives way to another.
    static std::vector<std::pair<const char *, std::function<void(Form3 *)>>> orderReplacements()
    {
        return {{"Καθαρισμός όλων", [](Form3 *f) { f->cmdClean->click(); }},
                {"Νέα παραγγελία", [](Form3 *f) { continueWithLeftovers(f); }}};
    }
};

} // namespace

// Clearing the window, or continuing into a new order, empties the secondary
// choice in the catalogue; a chooser left open over its old result must not
// bring that choice back onto the planner when it is accepted.
TEST_F(BetweenFeaturesTest, ClearingOrContinuingWithTheChooserOpenLeavesNoStaleChoice)
{
    for (const auto &[name, replaceOrder] : orderReplacements()) {
        SCOPED_TRACE(name);
        MsgBoxRecorder rec;
        Form3 *f = searched();
        frmSearch *s = chooserWithAPick(f);
        ASSERT_NE(s, nullptr);
        ASSERT_EQ(rows("select ID, [Αριθμός Ρόλων] from ProtasisXristi order by ID"),
                  QStringList({"1|1", "2|0"}));

        replaceOrder(f);
        EXPECT_EQ(rows("select ID, [Αριθμός Ρόλων] from ProtasisXristi order by ID"),
                  QStringList({"1|0", "2|0"}));
        s->cmdExecute->click();
        EXPECT_EQ(listLines(f), QStringList());
        EXPECT_TRUE(rec.messages.isEmpty()) << rec.texts().join('\n').toStdString();

        plat::FormInstance<frmSearch>::unloadIfLoaded();
        plat::FormInstance<Form3>::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Once the order on screen is cleared or replaced, the count cells of the old
// cut take no typing: nothing would check or use what is typed there.
TEST_F(BetweenFeaturesTest, CountCellsOfAClearedOrContinuedOrderTakeNoTyping)
{
    for (const auto &[name, replaceOrder] : orderReplacements()) {
        SCOPED_TRACE(name);
        MsgBoxRecorder rec;
        Form3 *f = searched();
        ASSERT_TRUE(f->Akommati[0]->isEnabled());
        replaceOrder(f);
        for (QLineEdit *a : f->Akommati) EXPECT_FALSE(a->isEnabled()) << a->property("Index").toInt();

        // The next search gives the cells of its own order back.
        for (int i = 0; i < 7; ++i)
            if (f->Check1[i]->isChecked()) f->Baros[i]->setText(QStringLiteral("5"));
        if (!f->Check1[0]->isChecked()) {
            f->Check1[0]->click();
            f->Mikos[0]->setText(QStringLiteral("300"));
            f->Baros[0]->setText(QStringLiteral("5"));
        }
        f->lisi->click();
        f->Timer1_Timer();
        EXPECT_TRUE(rec.messages.isEmpty()) << rec.texts().join('\n').toStdString();
        EXPECT_TRUE(f->Akommati[0]->isEnabled());

        plat::FormInstance<Form3>::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// A figure wider than its box (shares and differences of thousands of coils,
// a waste with many decimals) starts at its first digit and is whole in the
// box's tooltip.
TEST_F(BetweenFeaturesTest, LongEvaluationFiguresShowWholeInTheirTooltips)
{
    MsgBoxRecorder rec;
    Form3 *f = searched();
    f->Grammi0->setFocus();
    f->Grammi0->selectAll();
    QTest::keyClicks(f->Grammi0, QStringLiteral("9000"));
    f->lisi3->click();
    ASSERT_TRUE(rec.messages.isEmpty()) << rec.texts().join('\n').toStdString();
    f->txtFira1->setText(QStringLiteral("45,6666666666667"));
    for (QLineEdit *box : {f->txtPososto[1], f->txtDiafora[1], f->txtFira1}) {
        SCOPED_TRACE(box->objectName().toStdString());
        ASSERT_GT(box->fontMetrics().horizontalAdvance(box->text()), box->width()) << box->text().toStdString();
        EXPECT_EQ(box->toolTip(), box->text());
        EXPECT_EQ(box->cursorPosition(), 0);
    }
}
