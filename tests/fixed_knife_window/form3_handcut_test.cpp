// The planner window's hand-entered cut, clearing and continuation, driven
// through its controls.
#include "planner_window.h"
#include "common/db_test.h"
#include "fixed_knife/continuation.h"
#include "fixed_knife/form3.h"
#include "fixed_knife/frm_ypoloipa.h"
#include "platform/msgbox.h"
#include "platform/numtext.h"
#include "platform/qnum.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using plat::MsgBoxRecorder;

namespace {

// The messages as the planner reads them; the two "υπερβεί" texts differ in
// one accent.
const QString kAbove =
    QStringLiteral("Έχετε υπερβεί τον συνολικό αριθμό τσερκιών ανά κοπή. Η λύσις είναι αδύνατη");
const QString kNegative =
    QStringLiteral("Ο αριθμός τσερκιών ανά κοπή δεν μπορεί να είναι αρνητικός. Η λύσις είναι αδύνατη");
const QString kSum = QStringLiteral("Έχετε υπερβεί τον συνολικό αριθμο τσερκιών ανά κοπή. Η λύσις είναι αδύνατη");
const QString kBadCount = QStringLiteral("Δεν έχετε ορίσει σωστά τον αριθμό κομματιών ανά κοπή");
const QString kOrderChanged =
    QStringLiteral("Υπάρχει αλλαγή στήν παραγγελία. Παρακαλώ δώστε νέα παραγγελία γιά νά συνεχίσετε.");
const QString kCoils = QStringLiteral("Δεν έχετε ορίσει σωστά τον αριθμό των ρόλλων");
const QString kImpossible = QStringLiteral("Η λύσις είναι αδύνατη");
const QString kBadWeight = QStringLiteral("Δεν έχετε ορίσει σωστά το βάρος ρόλου");
const QString kBadKnives = QStringLiteral("Δεν έχετε ορίσει σωστά τον μέγιστο αριθμό τσερκιών ανά κοπή");

// Every figure the window shows, boxes and labels, for texts no figure may be.
void expectNoOverflowShown(const QWidget *w)
{
    QStringList shown;
    for (const QLineEdit *e : w->findChildren<QLineEdit *>()) shown << e->text();
    for (const QLabel *l : w->findChildren<QLabel *>()) shown << l->text();
    for (const QString &t : shown)
        for (const char *bad : {"Inf", "NaN", "9007199254740992"})
            EXPECT_FALSE(t.contains(QLatin1String(bad))) << t.toStdString();
}

void emptyLeftovers()
{
    for (auto &row : Module1::strYpoloipa)
        for (QString &cell : row) cell.clear();
}

QStringList texts(const QVector<QLineEdit *> &boxes, int n)
{
    QStringList out;
    for (int i = 0; i < n; ++i) out << boxes[i]->text();
    return out;
}

// What a user does to a cell: every key one edit, or one paste over all.
void typeInto(QLineEdit *box, const QString &text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

void pasteInto(QLineEdit *box, const QString &text)
{
    box->setFocus();
    box->selectAll();
    box->insert(text);
}

class PlannerTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        emptyLeftovers();
    }
    void TearDown() override
    {
        closePlanner();
        emptyLeftovers();
        DbTest::TearDown();
    }

    static void closePlanner()
    {
        plat::FormInstance<Form3>::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static Form3 *planner() { return shownPlannerWithoutTimers(); }

    // Ticks rows A.., types the order, solves with `button` and runs the search.
    static Form3 *solved(const QList<QPair<QString, QString>> &rows, QPushButton *Form3::*button = &Form3::lisi)
    {
        Form3 *f = planner();
        for (int i = 0; i < rows.size(); ++i) {
            f->Check1[i]->click();
            f->Mikos[i]->setText(rows[i].first);
            f->Baros[i]->setText(rows[i].second);
        }
        (f->*button)->click();
        f->Timer1_Timer();
        return f;
    }

    // 400 and 200 mm at 8 t each, 1246 mm usable, 8 t coils, 11 knives: the
    // cut 1 x 400 + 4 x 200 over 2 coils, waste 46 mm, 6 knives free.
    static Form3 *standardCut()
    {
        Form3 *f = solved({{"400", "8"}, {"200", "8"}});
        EXPECT_EQ(texts(f->Akommati, 2), QStringList({"1", "4"}));
        EXPECT_EQ(f->lblMaxairia->text(), QStringLiteral("6"));
        return f;
    }

    // Every figure of the cut and its evaluation, to compare before and after.
    static QStringList figures(const Form3 *f)
    {
        QStringList out = texts(f->Akommati, 3) + texts(f->Proion, 2) + texts(f->Roles1, 2) +
                          texts(f->txtPososto, 2) + texts(f->txtDiafora, 2);
        for (const QLineEdit *t : {f->txtFira1, f->Text3, f->Text5, f->Text8, f->Text10, f->Text12})
            out << t->text();
        out << f->lblMaxairia->text() << f->Label24->text();
        return out;
    }
};

// ------------------------------------------------------------ hand-entered cut

TEST_F(PlannerTest, CountsAreCheckedAsTheyAreTyped)
{
    struct Case {
        const char *what;
        int cell;
        QString text;
        bool paste;
        QStringList messages;
        QStringList counts;
        QString maxairia, fira;
    };
    const QList<Case> cases = {
        {"12 pasted", 0, "12", true, {kAbove}, {"1", "4"}, "6", "46"},
        {"-1 pasted", 1, "-1", true, {kNegative}, {"1", "4"}, "6", "46"},
        {"minus alone", 0, "-", false, {kBadCount}, {"-", "4"}, "6", "46"},
        {"minus then 1", 0, "-1", false, {kBadCount, kNegative}, {"1", "4"}, "6", "46"},
        {"sum of 12", 1, "11", false, {kSum}, {"1", "4"}, "6", "46"},
        {"valid count", 1, "3", false, {}, {"1", "3"}, "7", "246"},
        {"too wide", 0, "3", false, {}, {"3", "4"}, "4", "-754"},
        {"fraction", 1, "2,5", false, {kBadCount}, {"1", "2,5"}, "8", "446"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        MsgBoxRecorder rec;
        Form3 *f = standardCut();
        if (c.paste) pasteInto(f->Akommati[c.cell], c.text);
        else typeInto(f->Akommati[c.cell], c.text);
        EXPECT_EQ(rec.texts(), c.messages);
        for (const plat::MsgRecord &m : rec.messages) EXPECT_EQ(m.style, plat::MsgOkOnly);
        EXPECT_EQ(texts(f->Akommati, 2), c.counts);
        EXPECT_EQ(f->lblMaxairia->text(), c.maxairia);
        EXPECT_EQ(f->txtFira1->text(), c.fira);
        EXPECT_EQ(f->Label24->text(), c.fira);
        EXPECT_TRUE(f->blnAkommatiFocus);
        closePlanner();
    }
}

// A cut of 1246 mm holds 1246 strips at most: a knife number or a count
// beyond that is refused with its own message and the searched cut comes
// back, so that no figure runs past every number.
TEST_F(PlannerTest, KnivesAndCountsBeyondWhatTheCutHoldsAreRefused)
{
    struct Case {
        const char *what;
        QString knives;
        int cell;
        QString text;
        QStringList messages;
        QStringList counts;
        QString maxairia, fira;
    };
    const QList<Case> cases = {
        {"knives and count beyond every number", "1e308", 0, "1e307", {kBadKnives}, {"1", "4"}, "6", "46"},
        {"knives one beyond the cut", "1247", 1, "3", {kBadKnives}, {"1", "4"}, "6", "46"},
        {"knives as many as the cut holds", "1246", 1, "3", {}, {"1", "3"}, "1242", "246"},
        {"count beyond every number", "11", 0, "1e307", {kAbove}, {"1", "4"}, "6", "46"},
        {"count beyond every number, knives unreadable", "x", 0, "1e307", {kAbove}, {"1", "4"}, "6", "46"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        MsgBoxRecorder rec;
        Form3 *f = standardCut();
        typeInto(f->Text4, c.knives);
        pasteInto(f->Akommati[c.cell], c.text);
        EXPECT_EQ(rec.texts(), c.messages);
        EXPECT_EQ(texts(f->Akommati, 2), c.counts);
        EXPECT_EQ(f->lblMaxairia->text(), c.maxairia);
        EXPECT_EQ(f->txtFira1->text(), c.fira);
        expectNoOverflowShown(f);
        rec.clear();
        f->lisi3->click();
        EXPECT_TRUE(rec.messages.isEmpty()) << rec.texts().join(" | ").toStdString();
        expectNoOverflowShown(f);
        closePlanner();
    }

    // Solved with such knives (the solve takes them), the free knives come
    // back as the search showed them, not cut short.
    MsgBoxRecorder rec;
    Form3 *f = planner();
    f->Text4->setText(QStringLiteral("1e308"));
    f = solved({{"400", "8"}, {"200", "8"}});
    const QString searchedKnives = f->lblMaxairia->text();
    EXPECT_EQ(searchedKnives, QStringLiteral("1E+308"));
    pasteInto(f->Akommati[0], QStringLiteral("1e307"));
    EXPECT_EQ(rec.texts(), QStringList({kBadKnives}));
    EXPECT_EQ(f->lblMaxairia->text(), searchedKnives);
    EXPECT_EQ(f->txtFira1->text(), QStringLiteral("46"));
    expectNoOverflowShown(f);
}

// A count cell left with a refused text counts no strips and no width while
// another count is typed.
TEST_F(PlannerTest, ARefusedCountCountsNothingInTheRunningFigures)
{
    for (const QString &refused : {QStringLiteral("2,5"), QStringLiteral("9,5"), QStringLiteral("x")}) {
        SCOPED_TRACE(refused.toStdString());
        MsgBoxRecorder rec;
        Form3 *f = standardCut();
        pasteInto(f->Akommati[1], refused);
        EXPECT_EQ(rec.texts(), QStringList({kBadCount}));
        pasteInto(f->Akommati[0], QStringLiteral("2"));
        EXPECT_EQ(rec.texts(), QStringList({kBadCount}));
        EXPECT_EQ(texts(f->Akommati, 2), QStringList({"2", refused}));
        EXPECT_EQ(f->txtFira1->text(), QStringLiteral("446"));
        EXPECT_EQ(f->lblMaxairia->text(), QStringLiteral("9"));

        // "Λύσις" still refuses the cell that holds no count.
        f->lisi3->click();
        EXPECT_EQ(rec.texts(), QStringList({kBadCount, kBadCount}));
        closePlanner();
    }
}

// A row weight whose share of the cut cannot be counted is refused at its
// row; one typed in after the search is not judged.
TEST_F(PlannerTest, ARowWeightTooSmallToCountIsRefusedAtItsRow)
{
    MsgBoxRecorder rec;
    const QList<QPair<QString, QString>> order = {{"400", "1e-320"}, {"200", "10"}, {"120", "6"}, {"90", "3"}};
    Form3 *f = solved(order, &Form3::lisi2);
    EXPECT_EQ(rec.texts(), QStringList({kBadWeight}));
    EXPECT_EQ(QApplication::focusWidget(), f->Baros[0]);
    EXPECT_FALSE(f->blnStartSearch);
    EXPECT_EQ(f->Akommati[0]->text(), QString());
    expectNoOverflowShown(f);
    closePlanner();

    rec.clear();
    f = solved({{"400", "8"}, {"200", "10"}, {"120", "6"}, {"90", "3"}}, &Form3::lisi2);
    ASSERT_TRUE(rec.messages.isEmpty()) << rec.texts().join(" | ").toStdString();
    ASSERT_FALSE(f->txtPososto[0]->text().isEmpty());
    const auto leftovers = Module1::strYpoloipa;
    f->Baros[0]->setText(QStringLiteral("1e-320"));
    f->lisi3->click();
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.texts().join(" | ").toStdString();
    EXPECT_EQ(f->txtPososto[0]->text(), QString());
    EXPECT_NE(f->txtPososto[0]->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(Module1::strYpoloipa, leftovers);
    expectNoOverflowShown(f);
}

TEST_F(PlannerTest, SolveRecomputesAnAcceptedHandCutWithItsSummary)
{
    MsgBoxRecorder rec;
    Form3 *f = standardCut();
    const QStringList searched = figures(f);
    typeInto(f->Akommati[1], QStringLiteral("3"));
    EXPECT_TRUE(f->blnAkommatiChanged);
    f->lisi3->click();
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.texts().join(" | ").toStdString();

    const double t200 = 8.0 / 1246 * 200;
    EXPECT_EQ(f->Proion[1]->text(), plat::numText(3 * t200 * 2));
    EXPECT_EQ(f->Roles1[1]->text(), QStringLiteral("6"));
    EXPECT_EQ(f->Proion[0]->text(), searched[3]);
    EXPECT_EQ(f->txtFira1->text(), QStringLiteral("246"));
    EXPECT_EQ(f->Text3->text(), QStringLiteral("492"));
    EXPECT_EQ(f->Text8->text(), QStringLiteral("500"));
    EXPECT_EQ(f->txtPososto[1]->text(), QStringLiteral("96,3%"));
    EXPECT_EQ(f->txtDiafora[1]->text(), QStringLiteral("- 0.3"));
    // The waste percentage is that of the hand cut: 250 mm of waste a coil
    // over 1000 mm of strips, where the searched cut had 4,167%.
    EXPECT_EQ(searched[16], QStringLiteral("4,167%"));
    EXPECT_EQ(f->Text12->text(), QStringLiteral("25%"));
    EXPECT_EQ(f->lblMaxairia->text(), QStringLiteral("7"));

    // A restore still goes back to the searched cut and its free knives.
    pasteInto(f->Akommati[0], QStringLiteral("12"));
    EXPECT_EQ(rec.texts(), QStringList({kAbove}));
    EXPECT_EQ(texts(f->Akommati, 2), QStringList({"1", "4"}));
    EXPECT_EQ(f->lblMaxairia->text(), QStringLiteral("6"));
}

TEST_F(PlannerTest, TooWideHandCutIsRefusedBySolveWithTheSearchedFiguresBack)
{
    MsgBoxRecorder rec;
    Form3 *f = standardCut();
    const QStringList searched = figures(f);

    // An accepted hand cut first: its figures must not survive the refusal.
    typeInto(f->Akommati[1], QStringLiteral("3"));
    f->lisi3->click();
    ASSERT_NE(figures(f), searched);

    typeInto(f->Akommati[0], QStringLiteral("3"));
    typeInto(f->Akommati[1], QStringLiteral("1"));
    EXPECT_TRUE(rec.messages.isEmpty());
    EXPECT_EQ(f->txtFira1->text(), QStringLiteral("-154"));
    EXPECT_EQ(f->lblMaxairia->text(), QStringLiteral("7"));

    f->lisi3->click();
    EXPECT_EQ(rec.texts(), QStringList({kImpossible}));
    EXPECT_EQ(figures(f), searched);
    EXPECT_EQ(f->dblFira, 46);
}

TEST_F(PlannerTest, SolveRefusesAChangedOrderAndBadCounts)
{
    struct Case {
        const char *what;
        std::function<void(Form3 *)> change;
        QStringList messages;
    };
    const QList<Case> cases = {
        {"row ticked after the search", [](Form3 *f) { f->Check1[2]->click(); }, {kOrderChanged}},
        {"row ticked and recounted",
         [](Form3 *f) {
             f->Check1[2]->click();
             QTest::keyClick(f->Mikos[2], Qt::Key_Down);
         },
         {kOrderChanged}},
        {"fraction left in a cell", [](Form3 *f) { typeInto(f->Akommati[1], "2,5"); }, {kBadCount, kBadCount}},
        {"coils not a number", [](Form3 *f) { typeInto(f->Grammi0, "x"); },
         {QStringLiteral("Δεν έχετε ορίσει σωστά τον αριθμό των τσερκιών")}},
        {"first count blank", [](Form3 *f) { f->Akommati[0]->clear(); }, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        MsgBoxRecorder rec;
        Form3 *f = standardCut();
        const QStringList before = texts(f->Proion, 2);
        c.change(f);
        f->lisi3->click();
        EXPECT_EQ(rec.texts(), c.messages);
        EXPECT_EQ(texts(f->Proion, 2), before);
        closePlanner();
    }
}

TEST_F(PlannerTest, CoilsAreCutBackToTenThousand)
{
    struct Case {
        const char *what;
        QString text;
        bool paste;
        int messages;
        QString left;
    };
    // A paste is cut back in one step, with one message; typed key by key,
    // each key too many gives its own.
    const QList<Case> cases = {
        {"six digits pasted", "123456", true, 1, "1234"},
        {"six digits typed", "123456", false, 2, "1234"},
        {"10000", "10000", true, 0, "10000"},
        {"10001", "10001", true, 1, "1000"},
        {"10 000 characters pasted", "12345," + QString(9994, '6'), true, 1, "1234"},
        {"the most a line holds pasted", "12345," + QString(32761, '6'), true, 1, "1234"},
        {"a long exponent pasted", "12345e" + QString(32761, '0'), true, 1, "12345e"},
        {"310 digits pasted, too many to be read", QString(310, '7'), true, 1, "7777"},
        {"10 000 sevens pasted", QString(10000, '7'), true, 1, "7777"},
    };
    MsgBoxRecorder rec;
    Form3 *f = standardCut();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        rec.clear();
        if (c.paste) pasteInto(f->Grammi0, c.text);
        else typeInto(f->Grammi0, c.text);
        EXPECT_EQ(rec.messages.size(), c.messages);
        for (const plat::MsgRecord &m : rec.messages) EXPECT_EQ(m.text, kCoils);
        EXPECT_EQ(f->Grammi0->text(), c.left);
    }

    // Typed key by key, the fifth and the sixth key each give the message.
    rec.clear();
    typeInto(f->Grammi0, QStringLiteral("1234"));
    EXPECT_TRUE(rec.messages.isEmpty());
    QTest::keyClick(f->Grammi0, Qt::Key_5);
    EXPECT_EQ(rec.messages.size(), 1);
    QTest::keyClick(f->Grammi0, Qt::Key_6);
    EXPECT_EQ(rec.messages.size(), 2);
    EXPECT_EQ(f->Grammi0->text(), QStringLiteral("1234"));
}

TEST_F(PlannerTest, SearchWritesItsOwnFiguresUnchecked)
{
    // 96000 t of 400 mm need 12001 coils: the search shows them as they are.
    MsgBoxRecorder rec;
    Form3 *f = solved({{"400", "96000"}}, &Form3::lisi2);
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.texts().join(" | ").toStdString();
    EXPECT_EQ(f->Grammi0->text(), QStringLiteral("12001"));
    EXPECT_EQ(f->Akommati[0]->text(), QStringLiteral("3"));
}

// Opening the planner empties the catalogue's selection; with nothing chosen
// there is nothing to write, and a database that takes no changes is not
// asked to.
TEST_F(PlannerTest, OpeningOnAReadOnlyDatabaseWritesOnlyAChosenCount)
{
    exec(QStringLiteral("insert into ProtasisXristi (Εύρος, [Αριθμός Ρόλων]) values (100, 0), (120, null)"));
    exec(QStringLiteral("pragma query_only = on"));
    {
        MsgBoxRecorder rec;
        Form3 *f = planner();
        // "Καθαρισμός όλων" has no chosen count to reset either.
        f->cmdClean_Click();
        EXPECT_TRUE(rec.messages.isEmpty()) << rec.texts().join(" | ").toStdString();
        closePlanner();
    }

    // A count is set: the reset is tried, and its refusal said.
    exec(QStringLiteral("pragma query_only = off"));
    exec(QStringLiteral("update ProtasisXristi set [Αριθμός Ρόλων] = 2 where Εύρος = 100"));
    exec(QStringLiteral("pragma query_only = on"));
    MsgBoxRecorder rec;
    planner();
    EXPECT_EQ(rec.messages.size(), 1);
    EXPECT_EQ(rows(QStringLiteral("select [Αριθμός Ρόλων] from ProtasisXristi order by ID")),
              QStringList({"2", "NULL"}));
}

// ------------------------------------------------------------ clearing and continuation

// Rows A to Ζ evaluated, with a catalogue selection and a leftover row.
class SevenRowsTest : public PlannerTest {
protected:
    Form3 *sevenRows()
    {
        Form3 *f = solved({{"100", "8"}, {"110", "8"}, {"120", "8"}, {"130", "8"}, {"140", "8"}, {"150", "8"},
                           {"160", "20"}});
        for (int i = 0; i < 7; ++i) EXPECT_FALSE(f->txtDiafora[i]->isHidden()) << i;
        exec(QStringLiteral("insert into ProtasisXristi (Εύρος, [Αριθμός Ρόλων]) values (100, 2), (120, null),"
                            " (140, 0)"));
        f->lstDefterevon->addItem(QStringLiteral("100 x 2"));
        return f;
    }

    static int markedLeftovers()
    {
        int n = 0;
        for (const auto &row : Module1::strYpoloipa) n += row[5] == QStringLiteral("255") ? 1 : 0;
        return n;
    }
};

TEST_F(SevenRowsTest, ClearingAllEmptiesTheWindow)
{
    MsgBoxRecorder rec;
    Form3 *f = sevenRows();
    const int marked = markedLeftovers();
    ASSERT_GT(marked, 0);
    const QString coils = f->Grammi0->text(), fira = f->txtFira1->text(), knives = f->lblMaxairia->text();

    f->cmdClean->click();
    EXPECT_TRUE(rec.messages.isEmpty());
    for (int r = 0; r < 10; ++r) {
        SCOPED_TRACE(r);
        EXPECT_FALSE(f->Check1[r]->isChecked());
        for (QLineEdit *b : {f->Mikos[r], f->Baros[r], f->Roles[r], f->Proion[r], f->Roles1[r]}) {
            EXPECT_TRUE(b->isHidden());
            EXPECT_EQ(b->text(), QString());
        }
        if (r < 7) { EXPECT_TRUE(f->txtPososto[r]->isHidden() && f->txtDiafora[r]->text().isEmpty()); }
        EXPECT_EQ(f->Akommati[r]->text(), QString());
        EXPECT_EQ(f->Text1[r]->text(), QString());
    }
    EXPECT_EQ(f->Text1[10]->text(), QStringLiteral("  Φύρα"));
    EXPECT_TRUE(f->Frame1->isHidden());
    for (QLineEdit *t : {f->Text3, f->Text5, f->Text8, f->Text10, f->Text12}) EXPECT_EQ(t->text(), QString());
    EXPECT_TRUE(f->Label22->isHidden() && f->Label23->isHidden() && f->LineS[0]->isHidden());
    EXPECT_EQ(f->Line11->geometry().right(), plat::tw(4905));
    for (const auto &row : Module1::strYpoloipa)
        for (const QString &cell : row) EXPECT_EQ(cell, QString());
    EXPECT_EQ(rows(QStringLiteral("select [Αριθμός Ρόλων] from ProtasisXristi order by ID")),
              QStringList({"0", "NULL", "0"}));
    EXPECT_EQ(f->lstDefterevon->count(), 0);
    EXPECT_EQ(QStringList({f->Grammi0->text(), f->txtFira1->text(), f->lblMaxairia->text()}),
              QStringList({coils, fira, knives}));
    EXPECT_FALSE(f->blnAkommatiChanged);
    EXPECT_EQ(f->intLisiMode, 0);

    // A new order of the same size: "Λύσις" has no cut for it.
    for (int r = 0; r < 7; ++r) f->Check1[r]->click();
    f->lisi3->click();
    EXPECT_EQ(rec.texts(), QStringList({kOrderChanged}));
}

TEST_F(SevenRowsTest, BothKindsOfRowsBeyondSevenAreCountedOut)
{
    MsgBoxRecorder rec;
    Form3 *f = sevenRows();
    const int marked = markedLeftovers();
    ASSERT_GT(marked, 0);
    const QStringList widths = texts(f->Mikos, 7), differences = texts(f->txtDiafora, 7);

    f->New->click();
    frmYpoloipa *dlg = frmYpoloipa::instance();
    ASSERT_TRUE(dlg);
    dlg->Check1->click();
    dlg->Check2->click();
    dlg->Command2->click();
    EXPECT_EQ(rec.texts(), QStringList({QString::fromStdString(fk::droppedRowsText(marked))}));
    EXPECT_EQ(rec.messages[0].style, plat::MsgOkOnly);
    EXPECT_EQ(texts(f->Mikos, 7), widths);
    EXPECT_EQ(texts(f->Baros, 7), differences);
    for (int r = 0; r < 7; ++r) EXPECT_TRUE(f->Check1[r]->isChecked());
    EXPECT_TRUE(f->Mikos[7]->isHidden());
    // The leftovers stay for a later continuation; the selection is reset.
    EXPECT_EQ(markedLeftovers(), marked);
    EXPECT_EQ(rows(QStringLiteral("select [Αριθμός Ρόλων] from ProtasisXristi order by ID")),
              QStringList({"0", "NULL", "0"}));
}

TEST_F(PlannerTest, ContinuationModesRefillTheGrid)
{
    using Rows = QList<QPair<QString, QString>>;
    struct Case {
        const char *what;
        bool keepEvaluated, keepLeftovers, cancel;
        Rows rows;  // the grid afterwards; empty: the old order stays
    };
    const QList<Case> cases = {
        {"cancel", true, true, true, {}},
        {"OK with no box", false, false, false, {}},
        {"mode 1", true, false, false, {{"400", "- 2.9"}, {"200", "+ 2.3"}}},
        {"mode 2", false, true, false, {{"200", "8"}}},
        {"mode 3", true, true, false, {{"400", "- 2.9"}, {"200", "+ 2.3"}, {"200", "8"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        MsgBoxRecorder rec;
        Form3 *f = standardCut();
        ASSERT_EQ(texts(f->txtDiafora, 2), QStringList({"- 2.9", "+ 2.3"}));
        ASSERT_EQ(Module1::strYpoloipa[0][0], QStringLiteral("200"));
        const QStringList before = figures(f);

        f->New->click();
        EXPECT_TRUE(f->Label22->isHidden());
        EXPECT_EQ(f->intDiafores, 2);
        frmYpoloipa *dlg = frmYpoloipa::instance();
        ASSERT_TRUE(dlg);
        EXPECT_FALSE(dlg->Check1->isChecked() || dlg->Check2->isChecked());
        if (c.keepEvaluated) dlg->Check1->click();
        if (c.keepLeftovers) dlg->Check2->click();
        (c.cancel ? dlg->Command1 : dlg->Command2)->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(frmYpoloipa::instance());
        EXPECT_TRUE(rec.messages.isEmpty());

        if (c.rows.isEmpty()) {
            EXPECT_EQ(figures(f), before);
            EXPECT_EQ(texts(f->Mikos, 2), QStringList({"400", "200"}));
        } else {
            for (int r = 0; r < 10; ++r) {
                const bool used = r < c.rows.size();
                EXPECT_EQ(f->Check1[r]->isChecked(), used) << r;
                EXPECT_EQ(f->Mikos[r]->text(), used ? c.rows[r].first : QString()) << r;
                EXPECT_EQ(f->Baros[r]->text(), used ? c.rows[r].second : QString()) << r;
                EXPECT_EQ(f->Roles1[r]->text(), QString());
                if (r < 7) { EXPECT_TRUE(f->txtDiafora[r]->isHidden()); }
            }
            EXPECT_TRUE(f->Frame1->isHidden());
            EXPECT_EQ(f->Text3->text(), QString());
            EXPECT_EQ(texts(f->Akommati, 2), QStringList({"1", "4"}));  // the old order's columns stay
            EXPECT_EQ(Module1::strYpoloipa[0][0], QStringLiteral("200"));

            f->lisi3->click();
            EXPECT_EQ(rec.texts(), QStringList({kOrderChanged}));
        }
        closePlanner();
        emptyLeftovers();
    }
}

TEST_F(PlannerTest, ShortRowComesBackAsAWeightTheSolveRefuses)
{
    MsgBoxRecorder rec;
    Form3 *f = standardCut();
    f->New->click();
    frmYpoloipa::instance()->Check1->click();
    frmYpoloipa::instance()->Command2->click();
    ASSERT_EQ(f->Baros[0]->text(), QStringLiteral("- 2.9"));
    f->lisi->click();
    EXPECT_EQ(rec.texts(), QStringList({kBadWeight}));
    EXPECT_EQ(QApplication::focusWidget(), f->Baros[0]);

    // The surplus row reads as its tonnes.
    rec.clear();
    f->Check1[0]->click();  // row Β moves up into A
    ASSERT_EQ(f->Baros[0]->text(), QStringLiteral("+ 2.3"));
    f->lisi->click();
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.texts().join(" | ").toStdString();
    EXPECT_TRUE(f->blnStartSearch);
}

TEST_F(PlannerTest, ContinuationEmptiesTheColumnsAfterTheOrder)
{
    // A secondary width takes column Γ; the new order keeps columns A and Β.
    MsgBoxRecorder rec;
    planner();  // opening the planner resets the selection: choose after it
    exec(QStringLiteral("insert into ProtasisXristi (Εύρος, [Αριθμός Ρόλων]) values (46, 1)"));
    Form3 *f = solved({{"400", "8"}, {"200", "8"}}, &Form3::lisi2);
    ASSERT_EQ(texts(f->Text1, 3), QStringList({"400", "200", "46"}));
    f->New->click();
    frmYpoloipa::instance()->Check1->click();
    frmYpoloipa::instance()->Command2->click();
    EXPECT_EQ(texts(f->Text1, 3), QStringList({"400", "200", ""}));
    EXPECT_EQ(texts(f->Akommati, 3), QStringList({"2", "2", ""}));
    EXPECT_TRUE(f->Mikos[2]->isHidden());
    EXPECT_EQ(rows(QStringLiteral("select [Αριθμός Ρόλων] from ProtasisXristi")), QStringList({"0"}));
}

TEST_F(PlannerTest, NoDialogBeforeAnEvaluationAndNoneAfterThePlannerCloses)
{
    MsgBoxRecorder rec;
    Form3 *f = planner();
    f->Check1[0]->click();
    f->New->click();
    EXPECT_FALSE(frmYpoloipa::instance());
    closePlanner();

    f = standardCut();
    f->New->click();
    QPointer<frmYpoloipa> dlg = frmYpoloipa::instance();
    ASSERT_TRUE(dlg);
    f->New->click();  // again while open: the same dialog
    EXPECT_EQ(frmYpoloipa::instance(), dlg.data());
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_TRUE(dlg->isWindow());
    EXPECT_FALSE(dlg->isModal());

    closePlanner();
    EXPECT_FALSE(dlg);
    EXPECT_FALSE(frmYpoloipa::instance());
}

TEST(ContinuationDialog, LaidOutAsDesigned)
{
    frmYpoloipa dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("VELANTRA"));
    EXPECT_EQ(dlg.size(), QSize(plat::tw(4890), plat::tw(3195)));
    EXPECT_EQ(dlg.Check1->text(), QStringLiteral("Να κρατηθούν τα υπόλοιπα;"));
    EXPECT_EQ(dlg.Check2->text(), QStringLiteral("Να κρατηθούν οι παραγγελίες που δεν έχουν συμπεριληφθεί αρχικά"));
    EXPECT_EQ(dlg.Command1->text(), QStringLiteral("Άκυρον"));
    EXPECT_EQ(dlg.Command2->text(), QStringLiteral("ΟΚ"));
    EXPECT_EQ(dlg.Check1->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(dlg.Check2->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(dlg.Check2->geometry(), QRect(plat::tw(480), plat::tw(1320), plat::tw(3975), plat::tw(495)));
    EXPECT_EQ(dlg.Check1->nextInFocusChain(), dlg.Check2);
    EXPECT_EQ(dlg.Command1->nextInFocusChain(), dlg.Command2);
    // A click on the wrapped caption ticks the box.
    QTest::mouseClick(dlg.Check2, Qt::LeftButton, {}, QPoint(dlg.Check2->width() - 10, 8));
    EXPECT_TRUE(dlg.Check2->isChecked());
}

} // namespace
