#include "fixed_knife/form3.h"
#include "fixed_knife/frm_notice.h"
#include "platform/database.h"
#include "platform/msgbox.h"
#include "platform/qnum.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using plat::MsgAnswer;
using plat::MsgBoxRecorder;

namespace {

const QString kNoSolution = QStringLiteral("Αυτή η παραγγελία δεν έχει λύση. Παρακαλώ ορίστε καινούργια");
const QString kOrderChanged =
    QStringLiteral("Υπάρχει αλλαγή στήν παραγγελία. Παρακαλώ δώστε νέα παραγγελία γιά νά συνεχίσετε.");
const QString kBadCount = QStringLiteral("Δεν έχετε ορίσει σωστά τον αριθμό κομματιών ανά κοπή");
const QString kExitQuestion = QStringLiteral("Παρακαλώ επιβεβαιώστε τήν έξοδόν σας από τήν εφαρμογή!");

void clearLeftovers()
{
    for (auto &row : Module1::strYpoloipa)
        for (QString &cell : row) cell.clear();
}

bool sqlExec(const QString &stmt)
{
    QSqlQuery q(plat::Database::db());
    return q.exec(stmt);
}

class Form3Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_EQ(plat::Database::open(m_dir.filePath(QStringLiteral("Divor.db"))), QString());
        clearLeftovers();
    }

    void TearDown() override
    {
        plat::FormInstance<Form3>::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        plat::Database::close();
        clearLeftovers();
    }

    // Opens the window as the menu does, shown and active; the tests run its
    // timer ticks themselves.
    Form3 *open()
    {
        Form3 *f = plat::FormInstance<Form3>::get();
        f->Timer1->stop();
        f->Timer2->stop();
        f->showForm();
        QApplication::setActiveWindow(f);
        f->activateWindow();
        return f;
    }

    // Ticks rows A.. and types their widths and weights.
    static void enterOrder(Form3 *f, const QList<QPair<QString, QString>> &rows)
    {
        for (int i = 0; i < rows.size(); ++i) {
            f->Check1[i]->click();
            f->Mikos[i]->setText(rows[i].first);
            f->Baros[i]->setText(rows[i].second);
        }
    }

    // The order of most tests: 400 and 200 mm, 8 t each, on 1250 - 2 - 2 =
    // 1246 mm, 8 t coils, 11 knives: strips 3 and 6 over 2 coils. Solved with
    // the given button, the search armed and not yet run.
    Form3 *armedStandardOrder(QPushButton *Form3::*button)
    {
        Form3 *f = open();
        enterOrder(f, {{"400", "8"}, {"200", "8"}});
        (f->*button)->click();
        EXPECT_TRUE(f->blnStartSearch);
        return f;
    }

    static QStringList texts(const QVector<QLineEdit *> &boxes, int n)
    {
        QStringList out;
        for (int i = 0; i < n; ++i) out << boxes[i]->text();
        return out;
    }

    static QList<bool> ticks(const Form3 *f)
    {
        QList<bool> out;
        for (QCheckBox *c : f->Check1) out << c->isChecked();
        return out;
    }

    QTemporaryDir m_dir;
};

// ------------------------------------------------------------------ load

TEST_F(Form3Test, LoadShowsTheWindowAsDesignedAndResetsTheSelection)
{
    ASSERT_TRUE(sqlExec(QStringLiteral("insert into Typos (Κωδικός, Τύπος) values (2, 'Γαλβανιζέ'), (1, 'Μαύρο')")));
    ASSERT_TRUE(sqlExec(QStringLiteral("update tblParameters set AristeroXakrisma = 3, DexiXakrisma = 4.5,"
                                       " MikosTainias = 1500, BarosTainias = 12, ArithmosTainion = 9,"
                                       " AnektiApoklisi = 7, OikonomikoPrint = 1")));
    ASSERT_TRUE(sqlExec(QStringLiteral("insert into ProtasisXristi (Εύρος, [Αριθμός Ρόλων]) values"
                                       " (100, 2), (120, null), (140, 0), (160, -1)")));
    MsgBoxRecorder rec;
    Form3 *f = open();

    EXPECT_EQ(f->objectName(), QStringLiteral("Form3"));
    EXPECT_EQ(f->windowTitle(), QStringLiteral("ΠΡΟΓΡΑΜΜΑ ΚΟΠΗΣ ΧΩΡΙΣ ΑΛΛΑΓΗ ΜΑΧΑΙΡΙΩΝ"));
    ASSERT_NE(f->DScroller1, nullptr);
    EXPECT_EQ(f->findChild<QWidget *>(QStringLiteral("DScroller1")), f->DScroller1);
    EXPECT_EQ(QStringList({f->txtArxi->text(), f->txtTelos->text(), f->txtMikos->text(), f->Text2->text(),
                           f->Text4->text(), f->txtApoklisi->text()}),
              QStringList({"3", "4,5", "1500", "12", "9", "7"}));
    EXPECT_TRUE(f->chkPrint->isChecked());
    EXPECT_TRUE(f->txtApoklisi->isHidden());
    ASSERT_EQ(f->cmbEidos->count(), 2);
    EXPECT_EQ(f->cmbEidos->itemText(0), QStringLiteral("Μαύρο"));
    EXPECT_EQ(f->cmbEidos->itemText(1), QStringLiteral("Γαλβανιζέ"));
    EXPECT_EQ(f->lstDefterevon->count(), 0);
    EXPECT_EQ(f->intLisiMode, 0);
    EXPECT_TRUE(rec.messages.isEmpty());

    QSqlQuery q(plat::Database::db());
    ASSERT_TRUE(q.exec(QStringLiteral("select [Αριθμός Ρόλων] from ProtasisXristi order by ID")));
    QStringList counts;
    while (q.next()) counts << (q.value(0).isNull() ? QStringLiteral("null") : q.value(0).toString());
    EXPECT_EQ(counts, QStringList({"0", "null", "0", "0"}));

    // Seven order rows A..Ζ, nothing of a row shown until it is ticked.
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(f->Check1[i]->isHidden(), i >= 7) << i;
        EXPECT_FALSE(f->Check1[i]->isChecked());
        EXPECT_TRUE(f->Mikos[i]->isHidden());
    }
    EXPECT_EQ(f->Check1[0]->text(), QStringLiteral("A"));
    EXPECT_EQ(f->Check1[5]->text(), QStringLiteral("ΣΤ"));
    EXPECT_TRUE(f->Frame1->isHidden());
    EXPECT_TRUE(f->Frame3->isHidden());
    EXPECT_TRUE(f->Label22->isHidden());
    EXPECT_EQ(f->Line11->geometry().right(), plat::tw(4905));
    EXPECT_EQ(f->Text1[10]->text(), QStringLiteral("  Φύρα"));
    EXPECT_TRUE(f->Timer1->interval() == 1000 && f->Timer2->interval() == 1000);

    const QList<QPair<QPushButton *, QString>> buttons = {
        {f->lisi, "Λύσις 1η:Με τήρησι αναλογίας"},      {f->lisi2, "Λύσις 2η: Χωρίς τήρησι αναλογίας"},
        {f->cmdKatAnal, "ΚΑΤΑΡΓΗΣΙΣ ΑΝΑΛΟΓΙΑΣ"},         {f->lisi3, "Λύσις"},
        {f->cmdGrid, "ΔΕΥΤΕΡΕΥΟΝΤΑ ΠΡΟΪΟΝΤΑ"},           {f->cmdCleanSecontary, "Καθαρισμός δευτερευόντων"},
        {f->cmdClean, "Καθαρισμός όλων"},               {f->New, "Νέα παραγγελία"},
        {f->cmdPrint, "Εκτύπωσις"},                     {f->Exit, "Έξοδος"},
    };
    for (const auto &[button, text] : buttons) EXPECT_EQ(button->text(), text);
    for (QPushButton *b : {f->lisi, f->lisi2, f->cmdKatAnal, f->lisi3, f->cmdClean, f->New, f->Exit, f->cmdPrint,
                           f->cmdGrid, f->cmdCleanSecontary})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_TRUE(f->Command2->isHidden() && f->Command3->isHidden());
}

TEST_F(Form3Test, EmptyTypesTableLeavesTheListEmpty)
{
    MsgBoxRecorder rec;
    Form3 *f = open();
    EXPECT_EQ(f->cmbEidos->count(), 0);
    EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(Form3Test, NoticeTextAndCaption)
{
    frmHelp dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("ΠΑΡΑΤΗΡΗΣΙΣ"));
    EXPECT_EQ(dlg.Command1->text(), QStringLiteral("Έξοδος"));
    const QString t = dlg.Label1->text();
    EXPECT_EQ(t.size(), 509);
    EXPECT_TRUE(t.startsWith(QStringLiteral("Γιά τά είδη, τίς ποσότητες")));
    EXPECT_TRUE(t.contains(QStringLiteral("λύσις.") + QString(88, ' ') + QStringLiteral("Προτείνεται:") +
                           QString(70, ' ') + QStringLiteral("-Αλλαγή τών ποσοτήτων,") + QString(49, ' ') +
                           QStringLiteral("-Προσθήκη δευτερευόντων ειδών,") + QString(34, ' ') +
                           QStringLiteral("-Κατάργησις τής αναλογίας. ")));
    EXPECT_TRUE(t.endsWith(QStringLiteral("αναλογίας. ")));
}

// ------------------------------------------------------------ order grid

TEST_F(Form3Test, TickingBeyondTheBlockActivatesTheFirstFreeRow)
{
    Form3 *f = open();
    f->Check1[0]->click();
    f->Check1[2]->click();  // Γ while only A is ticked
    EXPECT_EQ(ticks(f), QList<bool>({true, true, false, false, false, false, false, false, false, false}));
    EXPECT_FALSE(f->Mikos[1]->isHidden());
    EXPECT_FALSE(f->Roles1[1]->isHidden());
    EXPECT_TRUE(f->Mikos[2]->isHidden());
    EXPECT_TRUE(f->Baros[2]->isHidden());
}

TEST_F(Form3Test, ClearingRowsKeepsTheBlockContiguous)
{
    Form3 *f = open();

    // The only row: hidden and emptied, nothing else.
    enterOrder(f, {{"100", "5"}});
    f->Check1[0]->click();
    EXPECT_FALSE(f->Check1[0]->isChecked());
    EXPECT_TRUE(f->Mikos[0]->isHidden() && f->Baros[0]->isHidden() && f->Roles[0]->isHidden());
    EXPECT_EQ(f->Mikos[0]->text(), QString());
    EXPECT_EQ(f->Baros[0]->text(), QString());

    // The last row of the block: nothing moves.
    enterOrder(f, {{"100", "5"}, {"200", "6"}, {"300", "7"}});
    f->Check1[2]->click();
    EXPECT_EQ(ticks(f).mid(0, 4), QList<bool>({true, true, false, false}));
    EXPECT_EQ(texts(f->Mikos, 3), QStringList({"100", "200", ""}));
    EXPECT_TRUE(f->Mikos[2]->isHidden());

    // Clearing A of an unevaluated A, Β: Β moves up and A shows its empty
    // evaluation cells.
    f->Check1[0]->click();
    EXPECT_EQ(ticks(f).mid(0, 3), QList<bool>({true, false, false}));
    EXPECT_EQ(texts(f->Mikos, 2), QStringList({"200", ""}));
    EXPECT_EQ(texts(f->Baros, 2), QStringList({"6", ""}));
    EXPECT_FALSE(f->txtPososto[0]->isHidden());
    EXPECT_FALSE(f->txtDiafora[0]->isHidden());
    EXPECT_EQ(f->txtPososto[0]->text(), QString());
    EXPECT_TRUE(f->Mikos[1]->isHidden());
}

TEST_F(Form3Test, ClearingTheFirstOfSevenMovesTheLastRowWithItsResults)
{
    Form3 *f = open();
    for (int i = 0; i < 7; ++i) {
        f->Check1[i]->click();
        f->Mikos[i]->setText(QString::number(10 * (i + 1)));
        f->Baros[i]->setText(QString::number(i + 1));
        f->Roles[i]->setText(QStringLiteral("R%1").arg(i));
        f->Proion[i]->setText(QStringLiteral("P%1").arg(i));
        f->Roles1[i]->setText(QStringLiteral("S%1").arg(i));
        f->txtPososto[i]->setText(QStringLiteral("%1%").arg(100 + i));
        f->txtDiafora[i]->setText(QStringLiteral("D%1").arg(i));
        f->txtPososto[i]->show();
        f->txtDiafora[i]->show();
    }
    QPalette red = f->txtPososto[6]->palette();
    red.setColor(QPalette::Text, QColor(255, 0, 0));
    f->txtPososto[6]->setPalette(red);

    f->Check1[0]->click();

    EXPECT_EQ(ticks(f).mid(0, 7), QList<bool>({true, true, true, true, true, true, false}));
    EXPECT_EQ(f->Mikos[0]->text(), QStringLiteral("70"));
    EXPECT_EQ(f->Baros[0]->text(), QStringLiteral("7"));
    EXPECT_EQ(f->Roles[0]->text(), QStringLiteral("R6"));
    EXPECT_EQ(f->Proion[0]->text(), QStringLiteral("P6"));
    EXPECT_EQ(f->Roles1[0]->text(), QStringLiteral("S6"));
    EXPECT_EQ(f->txtPososto[0]->text(), QStringLiteral("106%"));
    EXPECT_EQ(f->txtDiafora[0]->text(), QStringLiteral("D6"));
    EXPECT_EQ(Form3::textColor(f->txtPososto[0]), QColor(255, 0, 0));
    EXPECT_EQ(Form3::textColor(f->txtDiafora[0]), QColor(255, 0, 0));
    EXPECT_FALSE(f->txtPososto[0]->isHidden());
    EXPECT_FALSE(f->Roles1[0]->isHidden());
    EXPECT_EQ(texts(f->Mikos, 7), QStringList({"70", "20", "30", "40", "50", "60", ""}));
    EXPECT_EQ(f->Baros[6]->text(), QString());
    for (QLineEdit *b : {f->Mikos[6], f->Baros[6], f->Roles[6], f->Proion[6], f->Roles1[6], f->txtPososto[6],
                         f->txtDiafora[6]})
        EXPECT_TRUE(b->isHidden());
}

TEST_F(Form3Test, ArrowKeysMoveWithinTheOrderAndRecountTheRows)
{
    Form3 *f = open();
    enterOrder(f, {{"100", "5"}, {"200", "6"}, {"300", "7"}});
    EXPECT_EQ(f->planning().intLastRow, 0);  // ticking alone does not recount

    struct Case {
        bool width;
        int row;
        Qt::Key key;
        QLineEdit *expected;
    };
    const QList<Case> cases = {
        {true, 0, Qt::Key_Down, f->Mikos[1]},  {true, 2, Qt::Key_Down, f->Mikos[2]},
        {true, 0, Qt::Key_Up, f->Mikos[0]},    {true, 2, Qt::Key_Up, f->Mikos[1]},
        {true, 1, Qt::Key_Right, f->Baros[1]}, {true, 1, Qt::Key_Left, f->Mikos[1]},
        {false, 1, Qt::Key_Left, f->Mikos[1]}, {false, 1, Qt::Key_Right, f->Baros[1]},
        {false, 0, Qt::Key_Down, f->Baros[1]}, {false, 2, Qt::Key_Down, f->Baros[2]},
        {false, 1, Qt::Key_Up, f->Baros[0]},   {false, 0, Qt::Key_Up, f->Baros[0]},
    };
    for (const Case &c : cases) {
        QLineEdit *from = c.width ? f->Mikos[c.row] : f->Baros[c.row];
        from->setFocus();
        QTest::keyClick(from, c.key);
        EXPECT_EQ(QApplication::focusWidget(), c.expected)
            << (c.width ? "Mikos " : "Baros ") << c.row << " key " << c.key;
    }
    EXPECT_EQ(f->planning().intLastRow, 2);

    f->Check1[3]->click();
    EXPECT_EQ(f->planning().intLastRow, 2);
    QTest::keyClick(f->Mikos[0], Qt::Key_A);
    EXPECT_EQ(f->planning().intLastRow, 3);
}

// ------------------------------------------------------------ solve and search

TEST_F(Form3Test, RejectedInputsShowTheirMessageAndFocus)
{
    Form3 *f = open();
    enterOrder(f, {{"400", "8"}, {"200", "8"}});
    struct Case {
        const char *what;
        std::function<void()> edit;
        QString message;
        QWidget *focus;
    };
    const QList<Case> cases = {
        {"row weight", [&] { f->Baros[1]->setText("x"); }, "Δεν έχετε ορίσει σωστά το βάρος ρόλου", f->Baros[1]},
        {"coil weight 0", [&] { f->Text2->setText("0"); }, "Δεν έχετε ορίσει σωστά το βάρος ρόλου", f->Text2},
        {"width rounding to 0", [&] { f->Mikos[0]->setText("0,4"); }, "Δεν έχετε ορίσει σωστά το εύρος ρόλου",
         f->Mikos[0]},
        {"left trim", [&] { f->txtArxi->setText("a"); }, "Δεν έχετε ορίσει σωστά την αρχή.", f->txtArxi},
        {"too many rows", [&] { f->Text4->setText("1"); },
         "Ο αριθμός των αιτουμένων προϊόντων προς παραγωγή είναι μεγαλύτερος από τον αριθμό μαχαιριών", f->Text4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        f->Baros[1]->setText("8");
        f->Mikos[0]->setText("400");
        f->Text2->setText("8");
        f->Text4->setText("11");
        f->txtArxi->setText("2");
        f->Exit->setFocus();
        c.edit();
        MsgBoxRecorder rec;
        f->lisi->click();
        ASSERT_EQ(rec.texts(), QStringList({c.message}));
        EXPECT_EQ(rec.messages[0].style, 0);
        EXPECT_EQ(QApplication::focusWidget(), c.focus);
        EXPECT_FALSE(f->blnStartSearch);
        EXPECT_TRUE(f->Frame3->isHidden());
    }

    // Blank coil fields get their defaults and the left trim its decimal
    // comma, whatever follows.
    for (QLineEdit *b : {f->txtTelos, f->txtMikos, f->Text2, f->Text4}) b->setText(QStringLiteral(" "));
    f->txtArxi->setText(QStringLiteral("2.5"));
    MsgBoxRecorder rec;
    f->lisi2->click();
    EXPECT_EQ(QStringList({f->txtArxi->text(), f->txtTelos->text(), f->txtMikos->text(), f->Text2->text(),
                           f->Text4->text()}),
              QStringList({"2,5", "0", "1250", "8", "11"}));
    EXPECT_TRUE(rec.messages.isEmpty());
    EXPECT_TRUE(f->blnStartSearch);
}

TEST_F(Form3Test, SolvesBothModesEndToEnd)
{
    struct Case {
        QPushButton *Form3::*button;
        int mode;
        QStringList widths, counts, proion, roles1, pososto, diafora;
        QList<QColor> colours;
        QString maxairia, leftoverWidth;
    };
    const QColor blue(0, 0, 255), red(255, 0, 0);
    // Both widest fills of the standard order use 1200 mm.
    const QList<Case> cases = {
        {&Form3::lisi, 1, {"400", "200"}, {"1", "4"}, {"5,13643659711075", "10,2728731942215"}, {"2", "8"},
         {"64,2%", "128,4%"}, {"- 2.9", "+ 2.3"}, {blue, red}, "6", "200"},
        {&Form3::lisi2, 2, {"400", "200"}, {"2", "2"}, {"10,2728731942215", "5,13643659711075"}, {"4", "4"},
         {"128,4%", "64,2%"}, {"+ 2.3", "- 2.9"}, {red, blue}, "7", "400"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mode);
        MsgBoxRecorder rec;
        Form3 *f = armedStandardOrder(c.button);
        EXPECT_TRUE(rec.messages.isEmpty()) << rec.texts().join(" | ").toStdString();
        EXPECT_EQ(f->intLisiMode, c.mode);
        EXPECT_FALSE(f->Frame3->isHidden());
        EXPECT_FALSE(f->Frame1->isHidden());
        EXPECT_EQ(texts(f->Roles, 2), QStringList({"3", "6"}));
        EXPECT_EQ(texts(f->Akommati, 1), QStringList({""}));  // nothing searched before the tick

        f->Timer1_Timer();
        EXPECT_FALSE(f->blnStartSearch);
        EXPECT_TRUE(f->Frame3->isHidden());
        EXPECT_EQ(f->Grammi0->text(), QStringLiteral("2"));
        EXPECT_EQ(texts(f->Text1, 3), c.widths + QStringList({""}));
        EXPECT_EQ(texts(f->Akommati, 3), c.counts + QStringList({""}));
        EXPECT_TRUE(f->Akommati[0]->isEnabled() && f->Akommati[1]->isEnabled());
        EXPECT_FALSE(f->Akommati[2]->isEnabled());
        EXPECT_EQ(f->txtFira1->text(), QStringLiteral("46"));
        EXPECT_EQ(f->Label24->text(), QStringLiteral("46"));
        EXPECT_EQ(texts(f->Proion, 2), c.proion);
        EXPECT_EQ(texts(f->Roles1, 2), c.roles1);
        EXPECT_EQ(f->Text3->text(), QStringLiteral("92"));
        EXPECT_EQ(f->Text8->text(), QStringLiteral("100"));
        EXPECT_FALSE(f->Text5->text().isEmpty());
        EXPECT_TRUE(f->Text12->text().endsWith('%'));
        EXPECT_EQ(texts(f->txtPososto, 2), c.pososto);
        EXPECT_EQ(texts(f->txtDiafora, 2), c.diafora);
        EXPECT_EQ(Form3::textColor(f->txtPososto[0]), c.colours[0]);
        EXPECT_EQ(Form3::textColor(f->txtDiafora[1]), c.colours[1]);
        EXPECT_FALSE(f->Label22->isHidden());
        EXPECT_EQ(f->Line21->geometry().right(), plat::tw(6526));
        EXPECT_EQ(f->lblMaxairia->text(), c.maxairia);
        EXPECT_EQ(Module1::strYpoloipa[0][0], c.leftoverWidth);
        EXPECT_EQ(Module1::strYpoloipa[0][1], QStringLiteral("8"));
        EXPECT_EQ(Module1::strYpoloipa[0][5], QStringLiteral("255"));
        EXPECT_EQ(Module1::strYpoloipa[1][0], QString());
        EXPECT_EQ(f->planning().intLastRow, 1);
        EXPECT_DOUBLE_EQ(f->planning().dblBarosRoles[0], 8.0 / 1246 * 400);
        EXPECT_TRUE(rec.messages.isEmpty());

        plat::FormInstance<Form3>::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        clearLeftovers();
    }
}

TEST_F(Form3Test, SecondaryWidthWithStripsGetsItsOwnRow)
{
    // A chosen width is read from the catalogue at the solve (the chooser that
    // sets the count comes later; the solve reads whatever is chosen).
    Form3 *f = open();
    ASSERT_TRUE(sqlExec(QStringLiteral("insert into ProtasisXristi (Εύρος, [Αριθμός Ρόλων]) values (46, 1)")));
    enterOrder(f, {{"400", "8"}, {"200", "8"}});
    MsgBoxRecorder rec;
    f->lisi2->click();
    f->Timer1_Timer();
    EXPECT_EQ(texts(f->Text1, 4), QStringList({"400", "200", "46", ""}));
    EXPECT_EQ(f->txtFira1->text(), QStringLiteral("0"));
    EXPECT_FALSE(f->Mikos[2]->isHidden());
    EXPECT_EQ(f->Mikos[2]->text(), QStringLiteral("46"));
    EXPECT_EQ(f->Baros[2]->text(), QString());
    EXPECT_FALSE(f->Roles1[2]->isHidden());
    EXPECT_EQ(f->Roles1[2]->text(), QStringLiteral("2"));
    EXPECT_FALSE(f->Check1[2]->isChecked());
    EXPECT_TRUE(f->txtPososto[2]->isHidden());

    // The strips, produced tonnes, cut widths and the secondary width's count
    // sit in boxes nobody types into; their figures must not fade to grey.
    ASSERT_EQ(f->Akommati[2]->text(), QStringLiteral("1"));
    const QColor typed = f->Mikos[0]->palette().color(QPalette::Active, QPalette::Text);
    for (QLineEdit *b : {f->Roles[0], f->Proion[1], f->Roles1[2], f->Text1[0], f->Akommati[2]}) {
        SCOPED_TRACE(b->objectName().toStdString());
        EXPECT_FALSE(b->isEnabled());
        EXPECT_EQ(b->palette().color(QPalette::Disabled, QPalette::Text), typed);
    }
}

TEST_F(Form3Test, TypingTheCoilWeightStartsAnArmedSearchAtOnce)
{
    MsgBoxRecorder rec;
    Form3 *f = armedStandardOrder(&Form3::lisi);
    f->Text2->setText(QStringLiteral("9"));  // the search runs on the solve's figures
    EXPECT_FALSE(f->blnStartSearch);
    EXPECT_EQ(texts(f->Akommati, 2), QStringList({"1", "4"}));
    EXPECT_EQ(f->Proion[0]->text(), QStringLiteral("5,13643659711075"));
    // Nothing is armed now: further typing and ticks change nothing.
    f->Text2->setText(QStringLiteral("10"));
    f->Timer1_Timer();
    EXPECT_EQ(texts(f->Akommati, 2), QStringList({"1", "4"}));
}

TEST_F(Form3Test, NoTickDuringASolveStartsTheOldRequest)
{
    MsgBoxRecorder rec;
    Form3 *f = armedStandardOrder(&Form3::lisi);

    // A second solve that stops at a message: while the message is up the
    // timer ticks; the earlier request was lowered and nothing is searched.
    f->Baros[1]->setText(QStringLiteral("x"));
    int ticksSeen = 0;
    rec.onMessage = [&](const plat::MsgRecord &) {
        ++ticksSeen;
        f->Timer1_Timer();
        f->Text2->setText(f->Text2->text() + QStringLiteral("0"));
    };
    f->lisi->click();
    EXPECT_EQ(ticksSeen, 1);
    EXPECT_FALSE(f->blnStartSearch);
    EXPECT_EQ(f->Akommati[0]->text(), QString());
}

TEST_F(Form3Test, NoticeOfLoweredMinimumsBlocksNoTick)
{
    // 50 mm at 40 t over 6 coils wants 20 strips a cut of 11 knives: the
    // minimums are lowered and the notice is shown before the search is armed.
    Form3 *f = open();
    enterOrder(f, {{"50", "40"}, {"60", "1"}});
    MsgBoxRecorder rec;
    int notices = 0;
    bool armedDuringNotice = true;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *dlg = qobject_cast<frmHelp *>(QApplication::activeModalWidget())) {
            ++notices;
            armedDuringNotice = f->blnStartSearch;
            f->Timer1_Timer();
            dlg->Command1->click();
        }
    });
    poll.start();
    f->lisi->click();
    poll.stop();
    EXPECT_EQ(notices, 1);
    EXPECT_FALSE(armedDuringNotice);
    EXPECT_EQ(f->Akommati[0]->text(), QString());
    EXPECT_TRUE(f->blnStartSearch);
    EXPECT_TRUE(rec.messages.isEmpty());
    f->Timer1_Timer();
    EXPECT_FALSE(f->Akommati[0]->text().isEmpty());
}

TEST_F(Form3Test, ReleasingTheProportion)
{
    Form3 *f = open();
    MsgBoxRecorder rec;

    // Before any cut: only the rows are recounted.
    enterOrder(f, {{"400", "8"}, {"200", "8"}});
    f->cmdKatAnal->click();
    EXPECT_FALSE(f->blnStartSearch);
    EXPECT_EQ(f->planning().intLastRow, 1);

    f->lisi2->click();
    f->Timer1_Timer();
    ASSERT_EQ(texts(f->Akommati, 2), QStringList({"2", "2"}));

    // The counts shown become the minimums of a mode-1 search.
    f->cmdKatAnal->click();
    EXPECT_TRUE(rec.messages.isEmpty());
    ASSERT_TRUE(f->blnStartSearch);
    EXPECT_EQ(f->intLisiMode, 1);
    ASSERT_TRUE(f->armedBounds());
    f->Timer1_Timer();
    EXPECT_EQ(texts(f->Akommati, 2), QStringList({"2", "2"}));

    // A blank count is refused with the focus on it.
    f->Akommati[1]->setText(QStringLiteral(" "));
    f->cmdKatAnal->click();
    EXPECT_EQ(rec.texts(), QStringList({kBadCount}));
    EXPECT_EQ(QApplication::focusWidget(), f->Akommati[1]);
    EXPECT_FALSE(f->blnStartSearch);

    // A changed order is refused: the counts belong to the old one.
    rec.clear();
    f->Akommati[1]->setText(QStringLiteral("2"));
    f->Mikos[1]->setText(QStringLiteral("210"));
    f->cmdKatAnal->click();
    EXPECT_EQ(rec.texts(), QStringList({kOrderChanged}));
    EXPECT_FALSE(f->blnStartSearch);
    rec.clear();
    f->Mikos[1]->setText(QStringLiteral("200"));
    f->Check1[2]->click();
    f->cmdKatAnal->click();
    EXPECT_EQ(rec.texts(), QStringList({kOrderChanged}));
    EXPECT_FALSE(f->blnStartSearch);
    EXPECT_EQ(f->planning().intLastRow, 2);
}

TEST_F(Form3Test, NoSolutionClearsTheFiguresAndNoTickRunsDuringItsMessage)
{
    MsgBoxRecorder rec;
    Form3 *f = armedStandardOrder(&Form3::lisi);
    f->Timer1_Timer();
    ASSERT_EQ(texts(f->Akommati, 2), QStringList({"1", "4"}));

    // Minimums that cannot fit: 5 x 400 mm on 1246 mm.
    f->Akommati[0]->setText(QStringLiteral("5"));
    f->cmdKatAnal->click();
    ASSERT_TRUE(f->blnStartSearch);
    bool runningDuringMessage = false;
    rec.onMessage = [&](const plat::MsgRecord &) {
        runningDuringMessage = f->searchRunning();
        // A click and a tick while the message is up change nothing.
        f->blnStartSearch = true;
        f->Timer1_Timer();
        f->Text2_Change();
        f->blnStartSearch = false;
    };
    f->Timer1_Timer();
    EXPECT_EQ(rec.texts(), QStringList({kNoSolution}));
    EXPECT_TRUE(runningDuringMessage);
    EXPECT_EQ(texts(f->Akommati, 3), QStringList({"", "", ""}));
    EXPECT_EQ(texts(f->Text1, 2), QStringList({"", ""}));
    EXPECT_EQ(texts(f->Proion, 2), QStringList({"", ""}));
    EXPECT_EQ(texts(f->Roles1, 2), QStringList({"", ""}));
    for (QLineEdit *t : {f->Text3, f->Text5, f->Text8, f->Text10, f->Text12}) EXPECT_EQ(t->text(), QString());
    EXPECT_TRUE(f->txtPososto[0]->isHidden());
    EXPECT_TRUE(f->Frame3->isHidden());
    EXPECT_FALSE(f->shownBounds());

    // The release has nothing to release now.
    rec.clear();
    rec.onMessage = nullptr;
    f->cmdKatAnal->click();
    EXPECT_TRUE(rec.messages.isEmpty());
    EXPECT_FALSE(f->blnStartSearch);
}

// A coil weight that would carry the waste in kg past every number is
// refused at its field; nothing shows "Inf".
TEST_F(Form3Test, ACoilWeightBeyondEveryFigureIsRefusedAtItsField)
{
    MsgBoxRecorder rec;
    Form3 *f = open();
    enterOrder(f, {{"400", "8"}, {"200", "8"}});
    f->Text2->setText(QStringLiteral("1E+308"));
    f->lisi->click();
    EXPECT_EQ(rec.texts(), QStringList({QStringLiteral("Δεν έχετε ορίσει σωστά το βάρος ρόλου")}));
    EXPECT_EQ(QApplication::focusWidget(), f->Text2);
    EXPECT_FALSE(f->blnStartSearch);
    f->Timer1_Timer();
    for (QLineEdit *t : {f->Text3, f->Text5, f->Text8, f->Text10, f->Text12}) EXPECT_EQ(t->text(), QString());
}

// After a release that found no solution the count cells take new counts:
// the next press searches the same order with them.
TEST_F(Form3Test, ReleasingAgainAfterNoSolutionSearchesTheNewCounts)
{
    MsgBoxRecorder rec;
    Form3 *f = open();
    enterOrder(f, {{"400", "8"}, {"200", "8"}, {"150", "5"}});
    f->lisi->click();
    f->Timer1_Timer();
    ASSERT_FALSE(f->Akommati[0]->text().isEmpty());

    const auto release = [&](const QStringList &counts) {
        for (int i = 0; i < counts.size(); ++i) f->Akommati[i]->setText(counts[i]);
        f->cmdKatAnal->click();
        f->Timer1_Timer();
    };
    release({"9", "9", "9"});
    ASSERT_EQ(rec.texts(), QStringList({kNoSolution}));
    EXPECT_TRUE(f->Akommati[2]->isEnabled());

    rec.clear();
    release({"1", "1", "1"});
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
    EXPECT_EQ(f->txtFira1->text(), QStringLiteral("46"));
    EXPECT_TRUE(f->shownBounds());

    // Once the order itself changes, the counts no longer belong to it.
    release({"9", "9", "9"});
    rec.clear();
    f->Baros[2]->setText(QStringLiteral("6"));
    release({"1", "1", "1"});
    EXPECT_EQ(rec.texts(), QStringList({kOrderChanged}));
}

// ------------------------------------------------------------ close

TEST_F(Form3Test, CancelAtTheExitQuestionKeepsOrderResultAndLeftovers)
{
    MsgBoxRecorder rec(MsgAnswer::Cancel);
    Form3 *f = armedStandardOrder(&Form3::lisi);
    f->Timer1_Timer();
    ASSERT_EQ(Module1::strYpoloipa[0][0], QStringLiteral("200"));

    f->Exit->click();
    EXPECT_FALSE(f->unload());
    ASSERT_EQ(rec.messages.size(), 2);
    for (const plat::MsgRecord &m : rec.messages) {
        EXPECT_EQ(m.text, kExitQuestion);
        EXPECT_EQ(m.style, 49);
    }
    EXPECT_TRUE(plat::FormInstance<Form3>::loaded());
    EXPECT_TRUE(f->isFormVisible());
    EXPECT_EQ(texts(f->Mikos, 2), QStringList({"400", "200"}));
    EXPECT_EQ(texts(f->Akommati, 2), QStringList({"1", "4"}));
    EXPECT_EQ(f->txtPososto[1]->text(), QStringLiteral("128,4%"));
    EXPECT_EQ(Module1::strYpoloipa[0][0], QStringLiteral("200"));
    EXPECT_EQ(Module1::strYpoloipa[0][5], QStringLiteral("255"));

    rec.queueAnswers({MsgAnswer::Ok});
    f->Exit->click();
    EXPECT_FALSE(plat::FormInstance<Form3>::loaded());
    EXPECT_EQ(Module1::strYpoloipa[0][0], QString());
    EXPECT_EQ(Module1::strYpoloipa[0][5], QString());
}

} // namespace
