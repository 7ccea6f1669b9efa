// The secondary widths of the fixed-knife planner: the chooser "ΦΙΛΤΡΑ", the
// planner's list, and their way into the next solve's cut.
#include "fixed_knife/form3.h"
#include "fixed_knife/frm_search.h"
#include "fixed_knife/secondary_items.h"
#include "platform/database.h"
#include "platform/msgbox.h"
#include "platform/qnum.h"
#include "common/qstring_print.h"
#include "../fixed_knife/plain_knife_search.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sqlite3.h>

using plat::MsgBoxRecorder;

namespace {

const QString kTypeWithQuote = QStringLiteral("Γαλβ. 'Α'");

// The statements the program runs and the rows they give, as the database
// itself sees them, while one of these lives.
class StatementTrace {
public:
    StatementTrace()
    {
        const QVariant h = plat::Database::db().driver()->handle();
        if (h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0)
            m_handle = *static_cast<sqlite3 *const *>(h.data());
        EXPECT_TRUE(m_handle);
        if (m_handle) sqlite3_trace_v2(m_handle, SQLITE_TRACE_STMT | SQLITE_TRACE_ROW, &StatementTrace::seen, this);
    }
    ~StatementTrace()
    {
        if (m_handle) sqlite3_trace_v2(m_handle, 0, nullptr, nullptr);
    }
    StatementTrace(const StatementTrace &) = delete;
    StatementTrace &operator=(const StatementTrace &) = delete;

    int statements = 0;
    qint64 rows = 0;

private:
    static int seen(unsigned what, void *self, void *, void *text)
    {
        auto *t = static_cast<StatementTrace *>(self);
        // Statements run by triggers come as comments: not the program's own.
        if (what == SQLITE_TRACE_STMT && qstrncmp(static_cast<const char *>(text), "--", 2) != 0) ++t->statements;
        if (what == SQLITE_TRACE_ROW) ++t->rows;
        return 0;
    }

    sqlite3 *m_handle = nullptr;
};

class SecondaryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_EQ(plat::Database::open(m_dir.filePath(QStringLiteral("Divor.db"))), QString());
        QSqlQuery q(plat::Database::db());
        ASSERT_TRUE(q.prepare(QStringLiteral("insert into Typos (Κωδικός, Τύπος) values (1, 'Μαύρο'), (2, ?)")));
        q.addBindValue(kTypeWithQuote);
        ASSERT_TRUE(q.exec());
        // ID: width, type, thickness
        exec("insert into ProtasisXristi (ID, Εύρος, Τύπος, Πάχος) values"
             " (1, 300, 1, 0.5), (2, 150, 1, 0.5), (3, 60, 2, 0.5), (4, 46, 1, 0.8), (5, 150, 2, 0.8),"
             " (6, 1250, 1, 0.5)");
        exec("update ProtasisXristi set [Αριθμός Ρόλων] = NULL where ID = 2");
    }

    void TearDown() override
    {
        plat::FormInstance<frmSearch>::unloadIfLoaded();
        plat::FormInstance<Form3>::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        plat::Database::close();
    }

    static void exec(const char *sql)
    {
        QSqlQuery q(plat::Database::db());
        ASSERT_TRUE(q.exec(QString::fromUtf8(sql))) << sql;
    }

    // "ID:count" of every catalogue row, NULL for an empty count.
    static QStringList counts()
    {
        QStringList out;
        QSqlQuery q(plat::Database::db());
        EXPECT_TRUE(q.exec(QStringLiteral("select ID, [Αριθμός Ρόλων] from ProtasisXristi order by ID")));
        while (q.next())
            out << QStringLiteral("%1:%2").arg(q.value(0).toString(),
                                              q.value(1).isNull() ? QStringLiteral("NULL") : q.value(1).toString());
        return out;
    }

    static Form3 *planner()
    {
        Form3 *f = plat::FormInstance<Form3>::get();
        f->Timer1->stop();
        f->Timer2->stop();
        f->showForm();
        return f;
    }

    // "ΔΕΥΤΕΡΕΥΟΝΤΑ ΠΡΟΪΟΝΤΑ"
    static frmSearch *openChooser(Form3 *f)
    {
        f->cmdGrid->click();
        frmSearch *s = plat::FormInstance<frmSearch>::ifLoaded();
        EXPECT_TRUE(s && s->isFormVisible());
        if (s) {
            QApplication::setActiveWindow(s);
            s->activateWindow();
        }
        return s;
    }

    static void search(frmSearch *s, const QString &from, const QString &to, const QString &paxos = {},
                       const QString &type = {})
    {
        s->txtEvros1->setText(from);
        s->txtEvros2->setText(to);
        s->txtPaxos->setText(paxos);
        s->cmbEidos->setEditText(type);
        s->cmdShow->click();
    }

    // The grid's rows as "width|thickness|type|count".
    static QStringList grid(const frmSearch *s)
    {
        QStringList out;
        const QAbstractItemModel *m = s->DataGrid1->model();
        for (int r = 0; r < m->rowCount(); ++r) {
            QStringList cells;
            for (int c = SearchResultModel::ColWidth; c <= SearchResultModel::ColCount; ++c)
                cells << m->index(r, c).data().toString();
            out << cells.join('|');
        }
        return out;
    }

    // A click on the row's selector.
    static void pick(frmSearch *s, int row) { emit s->DataGrid1->verticalHeader()->sectionClicked(row); }

    // A count typed into the grid's count cell.
    static bool type(frmSearch *s, int row, const QString &text)
    {
        QAbstractItemModel *m = s->DataGrid1->model();
        return m->setData(m->index(row, SearchResultModel::ColCount), text);
    }

    static QStringList lines(const Form3 *f)
    {
        QStringList out;
        for (int i = 0; i < f->lstDefterevon->count(); ++i) out << f->lstDefterevon->item(i)->text();
        return out;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SecondaryTest, ChooserAsDesignedAndAfterASearch)
{
    MsgBoxRecorder rec;
    Form3 *f = planner();
    EXPECT_TRUE(f->cmdGrid->isEnabled());
    EXPECT_TRUE(f->cmdCleanSecontary->isEnabled());
    frmSearch *s = openChooser(f);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->windowTitle(), QStringLiteral("ΦΙΛΤΡΑ"));
    const QList<QPair<const char *, const char *>> texts = {
        {"Label1", "ΕΥΡΟΣ:"}, {"Label4", "Από"},         {"Label6", "Έως"},      {"Label3", "ΤΥΠΟΣ:"},
        {"Label2", "ΠΑΧΟΣ:"}, {"Label14", "Διαθέσιμα μαχαίρια:"}, {"Label5", "Επελέγησαν:"},
        {"Label8", "Υπόλοιπο:"}};
    for (const auto &[name, text] : texts) {
        const QLabel *l = s->findChild<QLabel *>(QString::fromLatin1(name));
        ASSERT_TRUE(l) << name;
        EXPECT_EQ(l->text(), QString::fromUtf8(text));
    }
    EXPECT_EQ(s->cmdPiso->text(), QStringLiteral("<< ΠΙΣΩ"));
    EXPECT_EQ(s->cmdNea->text(), QStringLiteral("ΝΕΑ ΑΝΑΖΗΤΗΣΙΣ"));
    EXPECT_EQ(s->cmdShow->text(), QStringLiteral("ΕΜΦΑΝΙΣΙΣ"));
    EXPECT_EQ(s->cmdExecute->text(), QStringLiteral("ΑΠΟΔΟΧΗ"));
    EXPECT_EQ(s->DScroller1->property("BackColor").value<QColor>(), s->palette().color(QPalette::Window));
    EXPECT_TRUE(s->DataGrid1->isHidden());
    EXPECT_FALSE(s->cmdExecute->isEnabled());
    EXPECT_TRUE(s->Text1->isHidden());
    for (QLineEdit *b : {s->txtEvros1, s->txtEvros2, s->txtPaxos}) EXPECT_EQ(b->text(), QString());
    EXPECT_EQ(s->cmbEidos->count(), 2);
    EXPECT_EQ(s->cmbEidos->itemText(1), kTypeWithQuote);
    EXPECT_EQ(s->cmbEidos->currentText(), QString());

    search(s, "40", "160");
    EXPECT_FALSE(s->DataGrid1->isHidden());
    EXPECT_TRUE(s->cmdExecute->isEnabled());
    EXPECT_TRUE(s->DataGrid1->isColumnHidden(SearchResultModel::ColID));
    const QAbstractItemModel *m = s->DataGrid1->model();
    QStringList heads;
    for (int c = 0; c < m->columnCount(); ++c) heads << m->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(heads, QStringList({"ID", "Εύρος", "Πάχος", "Τύπος", "Αριθμός Ρόλων"}));
    EXPECT_EQ(grid(s), QStringList({"46|0,8|Μαύρο|0", "60|0,5|" + kTypeWithQuote + "|0", "150|0,5|Μαύρο|0",
                                    "150|0,8|" + kTypeWithQuote + "|0"}));
    for (int c = 0; c < m->columnCount(); ++c)
        EXPECT_EQ(bool(m->flags(m->index(0, c)) & Qt::ItemIsEditable), c == SearchResultModel::ColCount) << c;
    EXPECT_TRUE(rec.messages.isEmpty());

    // "ΝΕΑ ΑΝΑΖΗΤΗΣΙΣ" empties the filter boxes; grid and totals stay.
    s->cmdNea->click();
    for (QLineEdit *b : {s->txtEvros1, s->txtEvros2, s->txtPaxos}) EXPECT_EQ(b->text(), QString());
    EXPECT_EQ(s->cmbEidos->currentText(), QString());
    EXPECT_EQ(grid(s).size(), 4);

    // Closed by its frame it is unloaded: the next opening starts afresh.
    s->frame()->close();
    EXPECT_FALSE(plat::FormInstance<frmSearch>::loaded());
}

TEST_F(SecondaryTest, ClosingThePlannerClosesItsChooserAndTheNextPlannerStartsAfresh)
{
    MsgBoxRecorder rec;
    frmSearch *s = openChooser(planner());
    search(s, "40", "160");
    pick(s, 0);
    // A chooser without its planner would accept into nothing: it goes with it.
    plat::FormInstance<Form3>::unloadIfLoaded();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(plat::FormInstance<frmSearch>::loaded());

    Form3 *f = planner();  // its load resets every count
    EXPECT_EQ(counts(), QStringList({"1:0", "2:0", "3:0", "4:0", "5:0", "6:0"}));
    s = openChooser(f);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(grid(s), QStringList());
    EXPECT_FALSE(s->cmdExecute->isEnabled());
    EXPECT_EQ(lines(f), QStringList());
    EXPECT_TRUE(rec.messages.isEmpty());
}

// What each filter finds, and what the search writes back into its boxes.
TEST_F(SecondaryTest, SearchFilters)
{
    MsgBoxRecorder rec;
    frmSearch *s = openChooser(planner());
    exec("insert into ProtasisXristi (ID, Εύρος, Τύπος, Πάχος) values (7, 0, 1, 0.5)");
    struct Case {
        QString from, to, paxos, type;
        QStringList widths;  // Εύρος of the rows found, in grid order
        QString shownFrom, shownTo, shownPaxos;
    };
    const QList<Case> cases = {
        {"", " ", "", "", {"0"}, "0", "0", ""},               // blank boxes: between 0 and 0
        {"100", "", "", "", {}, "100", "0", ""},              // upper blank: between 100 and 0
        {"40", "200", "0,8", "", {"46", "150"}, "40", "200", "0.8"},  // comma thickness
        {"40,5", "200", "", "Μαύρο", {"46", "150"}, "40.5", "200", ""},
        {"0", "2000", "", kTypeWithQuote, {"60", "150"}, "0", "2000", ""},  // a name with a quote
        {"0", "2000", "", kTypeWithQuote + " ", {}, "0", "2000", ""},       // the name as typed
        {"0", "2000", "0.5", "Μαύρο", {"0", "150", "300", "1250"}, "0", "2000", "0.5"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE((c.from + "|" + c.to + "|" + c.paxos + "|" + c.type).toStdString());
        search(s, c.from, c.to, c.paxos, c.type);
        QStringList widths;
        for (const QString &row : grid(s)) widths << row.section('|', 0, 0);
        EXPECT_EQ(widths, c.widths);
        EXPECT_EQ(s->txtEvros1->text(), c.shownFrom);
        EXPECT_EQ(s->txtEvros2->text(), c.shownTo);
        EXPECT_EQ(s->txtPaxos->text(), c.shownPaxos);
        EXPECT_TRUE(s->cmdExecute->isEnabled());
    }
    EXPECT_TRUE(rec.messages.isEmpty());
    EXPECT_EQ(counts(), QStringList({"1:0", "2:0", "3:0", "4:0", "5:0", "6:0", "7:0"}));
}

TEST_F(SecondaryTest, RefusedAndFailedSearchesKeepTheGrid)
{
    MsgBoxRecorder rec;
    frmSearch *s = openChooser(planner());
    QString focused;
    rec.onMessage = [&](const plat::MsgRecord &) {};

    struct Case {
        QString from, to, paxos, message;
        QLineEdit *focus;
    };
    const QList<Case> cases = {
        {"α", "200", "", "Δεν έχετε ορίσει σωστά το εύρος.", s->txtEvros1},
        {"40", "2 00", "", "Δεν έχετε ορίσει σωστά το εύρος.", s->txtEvros2},
        {"40", "200", "0,5 mm", "Δεν έχετε ορίσει σωστά το πάχος.", s->txtPaxos},
    };
    for (const Case &c : cases) {
        rec.clear();
        search(s, c.from, c.to, c.paxos);
        EXPECT_EQ(rec.texts(), QStringList({c.message}));
        EXPECT_EQ(rec.messages.value(0).style, int(plat::MsgOkOnly));
        EXPECT_EQ(QApplication::focusWidget(), c.focus) << c.message.toStdString();
        EXPECT_TRUE(s->DataGrid1->isHidden());
        EXPECT_FALSE(s->cmdExecute->isEnabled());
    }

    // A query the database refuses: its reason in a Greek message, nothing
    // shown, nothing to accept.
    exec("alter table Typos rename to TyposOld");
    rec.clear();
    search(s, "40", "200");
    ASSERT_EQ(rec.messages.size(), 1);
    // The database's own reason: the missing table.
    EXPECT_TRUE(rec.lastText().startsWith(
        QStringLiteral("Η αναζήτηση δέν έγινε.\nΣφάλμα στη βάση δεδομένων: Λείπει ένας πίνακας")))
        << rec.lastText().toStdString();
    EXPECT_TRUE(s->DataGrid1->isHidden());
    EXPECT_FALSE(s->cmdExecute->isEnabled());

    // After a good search, a failed one leaves its result as it was.
    exec("alter table TyposOld rename to Typos");
    search(s, "40", "200");
    const QStringList before = grid(s);
    ASSERT_EQ(before.size(), 4);
    exec("alter table Typos rename to TyposOld");
    rec.clear();
    search(s, "0", "2000");
    EXPECT_EQ(rec.messages.size(), 1);
    EXPECT_EQ(grid(s), before);
    pick(s, 0);
    EXPECT_EQ(counts().value(3), QStringLiteral("4:1"));
}

TEST_F(SecondaryTest, CountsTypedAndPicked)
{
    MsgBoxRecorder rec;
    Form3 *f = planner();
    frmSearch *s = openChooser(f);
    search(s, "40", "1300");
    ASSERT_EQ(grid(s).size(), 6);  // 46, 60, 150, 150, 300, 1250

    pick(s, 0);
    EXPECT_EQ(s->DataGrid1->currentIndex().row(), 0);
    EXPECT_EQ(counts(), QStringList({"1:0", "2:0", "3:0", "4:1", "5:0", "6:0"}));
    EXPECT_EQ(s->lblSum->text(), QStringLiteral("46"));
    EXPECT_EQ(s->lblRest->text(), QStringLiteral("1254"));

    // Re-picking a row puts its count back to 1.
    EXPECT_TRUE(type(s, 0, "3"));
    EXPECT_EQ(s->lblSum->text(), QStringLiteral("138"));
    pick(s, 0);
    EXPECT_EQ(counts().value(3), QStringLiteral("4:1"));
    EXPECT_EQ(grid(s).value(0), QStringLiteral("46|0,8|Μαύρο|1"));

    // 1250 × 27 goes beyond 16 bits; the rest may go below 0.
    EXPECT_TRUE(type(s, 5, " 27 "));
    EXPECT_EQ(s->lblSum->text(), QStringLiteral("33796"));
    EXPECT_EQ(s->lblRest->text(), QStringLiteral("-32496"));
    EXPECT_TRUE(rec.messages.isEmpty());

    // Anything but a whole number 0..32767 is refused and the old value stays.
    for (const char *bad : {"-1", "2,5", "32768", "", "δύο", "1 2"}) {
        rec.clear();
        EXPECT_FALSE(type(s, 5, QString::fromUtf8(bad))) << bad;
        EXPECT_EQ(rec.texts(), QStringList({QString::fromUtf8(fk::kBadCountText)})) << bad;
        EXPECT_EQ(counts().value(5), QStringLiteral("6:27")) << bad;
        EXPECT_EQ(grid(s).value(5).section('|', 3), QStringLiteral("27")) << bad;
    }
    EXPECT_TRUE(type(s, 5, "32767"));
    EXPECT_TRUE(type(s, 5, "0"));
    EXPECT_EQ(s->lblSum->text(), QStringLiteral("46"));

    // Typed through the grid's own editor.
    rec.clear();
    const QModelIndex cell = s->DataGrid1->model()->index(1, SearchResultModel::ColCount);
    s->DataGrid1->setCurrentIndex(cell);
    s->DataGrid1->edit(cell);
    auto *editor = s->DataGrid1->viewport()->findChild<QLineEdit *>();
    ASSERT_TRUE(editor);
    editor->setText(QStringLiteral("2"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(counts().value(2), QStringLiteral("3:2"));
    EXPECT_EQ(s->lblSum->text(), QStringLiteral("166"));

    // A later filter shows the counts chosen under an earlier one.
    search(s, "50", "70");
    EXPECT_EQ(grid(s), QStringList({"60|0,5|" + kTypeWithQuote + "|2"}));
    EXPECT_TRUE(rec.messages.isEmpty());

    // A count the database does not take: its reason, the old value shown.
    exec("alter table ProtasisXristi rename to Kept");
    EXPECT_FALSE(type(s, 0, "5"));
    ASSERT_EQ(rec.messages.size(), 1);
    EXPECT_TRUE(rec.lastText().startsWith(QStringLiteral("Σφάλμα στη βάση δεδομένων: Λείπει ένας πίνακας")));
    EXPECT_EQ(grid(s), QStringList({"60|0,5|" + kTypeWithQuote + "|2"}));
    exec("alter table Kept rename to ProtasisXristi");
}

TEST_F(SecondaryTest, AcceptListsTheChosenRowsOnThePlanner)
{
    MsgBoxRecorder rec;
    Form3 *f = planner();
    frmSearch *s = openChooser(f);
    search(s, "40", "160");
    pick(s, 0);                 // 46, thickness 0,8, Μαύρο
    type(s, 1, "2");            // 60, 0,5, the quoted type
    type(s, 2, "1");            // 150, 0,5, Μαύρο
    s->cmdExecute->click();

    EXPECT_FALSE(plat::FormInstance<frmSearch>::loaded());
    EXPECT_EQ(lines(f), QStringList({"46 x 1", "60 x 2", "150 x 1"}));
    EXPECT_EQ(f->lblSinolo->text(), QStringLiteral("256"));
    EXPECT_EQ(f->lstDefterevon->currentRow(), 2);
    // Thickness and type of the last listed row.
    EXPECT_EQ(f->txtPaxos->text(), QStringLiteral("0,5"));
    EXPECT_EQ(f->txtTypos->text(), QStringLiteral("Μαύρο"));
    EXPECT_TRUE(rec.messages.isEmpty());

    // The next opening starts from the design state and resets every count,
    // an empty one too, while the planner keeps its list until it accepts.
    exec("update ProtasisXristi set [Αριθμός Ρόλων] = NULL where ID = 6");
    s = openChooser(f);
    EXPECT_TRUE(s->DataGrid1->isHidden());
    EXPECT_FALSE(s->cmdExecute->isEnabled());
    EXPECT_EQ(s->lblSum->text(), QString());
    EXPECT_EQ(counts(), QStringList({"1:0", "2:0", "3:0", "4:0", "5:0", "6:0"}));
    EXPECT_EQ(lines(f), QStringList({"46 x 1", "60 x 2", "150 x 1"}));
    s->cmdPiso->click();
    EXPECT_FALSE(plat::FormInstance<frmSearch>::loaded());
    EXPECT_EQ(lines(f), QStringList({"46 x 1", "60 x 2", "150 x 1"}));
}

// The catalogue window can change or delete a picked item while the chooser
// is open: the planner's list must show what the next solve will read.
TEST_F(SecondaryTest, AcceptListsTheCatalogueAsItIsNowNotAsTheSearchReadIt)
{
    MsgBoxRecorder rec;
    Form3 *f = planner();
    frmSearch *s = openChooser(f);
    search(s, "40", "160");
    type(s, 0, "1");  // 46
    type(s, 1, "2");  // 60
    type(s, 2, "1");  // 150
    exec("delete from ProtasisXristi where ID = 3");                  // 60 deleted
    exec("update ProtasisXristi set Εύρος = 48 where ID = 4");        // 46 corrected
    s->cmdExecute->click();
    EXPECT_EQ(lines(f), QStringList({"48 x 1", "150 x 1"}));
    EXPECT_EQ(f->lblSinolo->text(), QStringLiteral("198"));
    EXPECT_TRUE(rec.messages.isEmpty());
}

// "ΑΠΟΔΟΧΗ" reads back the chosen rows only, all in one statement, however
// long the result: a row not chosen here is not read, and is not listed even
// if its count was set meanwhile.
TEST_F(SecondaryTest, AcceptReadsBackOnlyTheChosenRows)
{
    MsgBoxRecorder rec;
    Form3 *f = planner();
    {
        QSqlDatabase db = plat::Database::db();
        db.transaction();
        QSqlQuery q(db);
        q.prepare(QStringLiteral("insert into ProtasisXristi (Εύρος, Τύπος, Πάχος) values (?, 1, 0.5)"));
        for (int i = 0; i < 500; ++i) {
            q.addBindValue(100 + i % 50);
            ASSERT_TRUE(q.exec());
        }
        db.commit();
    }
    frmSearch *s = openChooser(f);
    search(s, "40", "160");
    ASSERT_EQ(s->result()->rows().size(), 504);
    type(s, 0, "2");    // 46
    type(s, 503, "1");  // 150, ID 5
    exec("update ProtasisXristi set [Αριθμός Ρόλων] = 3 where ID = 3");  // 60, not chosen here
    StatementTrace trace;
    s->cmdExecute->click();
    EXPECT_EQ(lines(f), QStringList({"46 x 2", "150 x 1"}));
    EXPECT_EQ(trace.statements, 1);
    EXPECT_EQ(trace.rows, 2);
    EXPECT_TRUE(rec.messages.isEmpty());
}

// Every row of a result of 10 000 chosen: all listed, in the result's order,
// as the catalogue holds them now, far beyond any limit on bound values.
TEST_F(SecondaryTest, AcceptOfTenThousandChosenRows)
{
    MsgBoxRecorder rec;
    Form3 *f = planner();
    exec("delete from ProtasisXristi");
    {
        QSqlDatabase db = plat::Database::db();
        db.transaction();
        QSqlQuery q(db);
        q.prepare(QStringLiteral("insert into ProtasisXristi (Εύρος, Τύπος, Πάχος) values (?, ?, 0.5)"));
        for (int i = 0; i < 10000; ++i) {
            q.addBindValue(20 + (i * 7919) % 2000);
            q.addBindValue(1 + i % 2);
            ASSERT_TRUE(q.exec());
        }
        db.commit();
    }
    frmSearch *s = openChooser(f);
    exec("update ProtasisXristi set [Αριθμός Ρόλων] = 1");
    search(s, "0", "3000");
    ASSERT_EQ(s->result()->rows().size(), 10000);
    // Corrected meanwhile: every width mirrored, so the widths now fall where
    // the search had them rising; the first row is deleted.
    QStringList want;
    {
        QSqlQuery q(plat::Database::db());
        ASSERT_TRUE(q.exec(QStringLiteral("select 3000 - Εύρος from ProtasisXristi order by Εύρος, ID")));
        while (q.next()) want << q.value(0).toString() + QStringLiteral(" x 1");
    }
    want.removeFirst();
    exec("update ProtasisXristi set Εύρος = 3000 - Εύρος");
    exec("delete from ProtasisXristi where ID = (select ID from ProtasisXristi order by Εύρος desc, ID limit 1)");
    StatementTrace trace;
    s->cmdExecute->click();
    EXPECT_EQ(lines(f), want);
    EXPECT_EQ(trace.statements, 1);
    EXPECT_TRUE(rec.messages.isEmpty());
}

// "ΑΠΟΔΟΧΗ" on results that list nothing, and the chooser's events once
// its result is no longer open.
TEST_F(SecondaryTest, AcceptAndGridEventsWithoutAChoice)
{
    MsgBoxRecorder rec;
    Form3 *f = planner();
    const QStringList old = {"46 x 1", "60 x 2"};
    auto withOldList = [&] {
        f->lstDefterevon->clear();
        f->lstDefterevon->addItems(old);
        f->lblSinolo->setText(QStringLiteral("106"));
        f->txtPaxos->setText(QStringLiteral("0,8"));
    };
    struct Case {
        const char *what;
        std::function<void(frmSearch *)> before;
        bool open;     // a result is open
        bool emptied;  // the list emptied, total "0"; else kept
    };
    const QList<Case> cases = {
        {"all-zero result", [](frmSearch *s) { search(s, "40", "160"); }, true, true},
        {"empty result", [](frmSearch *s) { search(s, "2000", "3000"); }, true, false},
        {"no search", [](frmSearch *) {}, false, false},
        {"reopened", [&](frmSearch *s) { search(s, "40", "160"); pick(s, 0); f->cmdGrid->click(); }, false, false},
        {"cleared", [&](frmSearch *s) { search(s, "40", "160"); pick(s, 0); f->cmdCleanSecontary->click(); },
         false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        frmSearch *s = openChooser(f);
        c.before(s);
        withOldList();
        if (!c.open) {
            // With no open result the grid's events change nothing.
            const QStringList before = counts();
            const QString sum = s->lblSum->text();
            pick(s, 0);
            EXPECT_FALSE(type(s, 0, "2"));
            EXPECT_EQ(counts(), before);
            EXPECT_EQ(s->lblSum->text(), sum);
        }
        s->cmdExecute_Click();
        EXPECT_FALSE(plat::FormInstance<frmSearch>::loaded());
        EXPECT_EQ(lines(f), c.emptied ? QStringList() : old);
        EXPECT_EQ(f->lblSinolo->text(), c.emptied ? QStringLiteral("0") : QStringLiteral("106"));
        EXPECT_EQ(f->txtPaxos->text(), QStringLiteral("0,8"));
    }
    EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(SecondaryTest, RangePresetsFromTheShownCut)
{
    MsgBoxRecorder rec;
    Form3 *f = planner();
    struct Case {
        const char *fira, *knives, *paxos;
        QString from, to;         // the chooser's range after opening
        QString plannerPaxos;     // the planner's thickness afterwards
    };
    const QList<Case> cases = {
        {"310", "2", "", "150", "310", ""},          // 155: widest at or below is 150
        {"310", "2", "0,8", "150", "310", "0.8"},     // of that thickness; the comma becomes a point
        {"310", "2", "0,7", "", "310", "0.7"},        // none of that thickness
        {"310", "2", "μαύρο", "150", "310", "μαύρο"}, // no thickness condition, no change
        {"90", "2", "", "", "90", ""},               // nothing at or below 45
        {"93", "2", "", "46", "93", ""},              // 46.5 goes to 46
        {"310", "", "", "keep1", "keep2", ""},        // no free knives: no presets
        {"310", "0", "", "keep1", "keep2", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.fira) + "/" + c.knives + "/" + c.paxos);
        f->txtFira1->setText(QString::fromUtf8(c.fira));
        f->lblMaxairia->setText(QString::fromUtf8(c.knives));
        f->txtPaxos->setText(QString::fromUtf8(c.paxos));
        f->cmbEidos->setEditText(QStringLiteral("Μαύρο"));
        // A chooser left open keeps its boxes unless the presets change them.
        frmSearch *s = plat::FormInstance<frmSearch>::get();
        s->txtEvros1->setText(QStringLiteral("keep1"));
        s->txtEvros2->setText(QStringLiteral("keep2"));
        openChooser(f);
        EXPECT_EQ(s->txtEvros1->text(), c.from);
        EXPECT_EQ(s->txtEvros2->text(), c.to);
        EXPECT_EQ(s->lblMaxairia->text(), QString::fromUtf8(c.knives));
        EXPECT_EQ(s->txtPaxos->text(), QString::fromUtf8(c.paxos));  // copied before the presets
        EXPECT_EQ(f->txtPaxos->text(), c.plannerPaxos);
        EXPECT_EQ(s->cmbEidos->currentText(), QStringLiteral("Μαύρο"));
    }
    EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(SecondaryTest, DeleteKeyAndClearing)
{
    MsgBoxRecorder rec;
    Form3 *f = planner();
    exec("update ProtasisXristi set [Αριθμός Ρόλων] = 2 where ID in (1, 5)");
    exec("update ProtasisXristi set [Αριθμός Ρόλων] = 1 where ID = 4");
    f->lstDefterevon->addItems({"150 x 2", "46 x 1", "300 x 2"});
    f->lblSinolo->setText(QStringLiteral("7"));

    // Nothing selected: nothing happens.
    f->lstDefterevon->setCurrentRow(-1);
    f->lstDefterevon->clearSelection();
    f->lstDefterevon->setFocus();
    QTest::keyClick(f->lstDefterevon, Qt::Key_Delete);
    EXPECT_EQ(lines(f).size(), 3);
    EXPECT_EQ(f->lblSinolo->text(), QStringLiteral("7"));

    // Another key does nothing either.
    f->lstDefterevon->setCurrentRow(0);
    QTest::keyClick(f->lstDefterevon, Qt::Key_Backspace);
    EXPECT_EQ(lines(f).size(), 3);

    // Delete clears the first chosen row of that width; the list is rebuilt
    // from every chosen row in table order; the last entry stays selected.
    QTest::keyClick(f->lstDefterevon, Qt::Key_Delete);
    EXPECT_EQ(counts(), QStringList({"1:2", "2:NULL", "3:0", "4:1", "5:0", "6:0"}));
    EXPECT_EQ(lines(f), QStringList({"300 x 2", "46 x 1"}));
    EXPECT_EQ(f->lblSinolo->text(), QStringLiteral("346"));
    EXPECT_EQ(f->lstDefterevon->currentRow(), 1);
    // Pressed again it acts on that last entry.
    f->lstDefterevon_KeyDown(Qt::Key_Delete, 0);
    EXPECT_EQ(lines(f), QStringList({"300 x 2"}));
    EXPECT_EQ(f->lblSinolo->text(), QStringLiteral("300"));

    // An opening of the chooser resets every count; Delete on an old entry
    // then only rebuilds the list and the total.
    openChooser(f)->cmdPiso->click();
    EXPECT_EQ(lines(f), QStringList({"300 x 2"}));
    f->lstDefterevon->setCurrentRow(0);
    f->lstDefterevon_KeyDown(Qt::Key_Delete, 0);
    EXPECT_EQ(lines(f), QStringList());
    EXPECT_EQ(f->lblSinolo->text(), QStringLiteral("0"));
    EXPECT_EQ(counts(), QStringList({"1:0", "2:0", "3:0", "4:0", "5:0", "6:0"}));

    // "Καθαρισμός δευτερευόντων": every count to 0, an empty one too; the
    // list empties, the total stays.
    exec("update ProtasisXristi set [Αριθμός Ρόλων] = 3 where ID = 3");
    exec("update ProtasisXristi set [Αριθμός Ρόλων] = NULL where ID = 2");
    f->lstDefterevon->addItem(QStringLiteral("60 x 3"));
    f->FindSumDef();
    EXPECT_EQ(f->lblSinolo->text(), QStringLiteral("60"));
    f->cmdCleanSecontary->click();
    EXPECT_EQ(counts(), QStringList({"1:0", "2:0", "3:0", "4:0", "5:0", "6:0"}));
    EXPECT_EQ(lines(f), QStringList());
    EXPECT_EQ(f->lblSinolo->text(), QStringLiteral("60"));
    EXPECT_TRUE(rec.messages.isEmpty());
}

// A catalogue that cannot be read or written: each operation says why and
// leaves the planner's list as it was.
TEST_F(SecondaryTest, CatalogueFailuresKeepThePlannerAsItWas)
{
    MsgBoxRecorder rec;
    Form3 *f = planner();
    f->lstDefterevon->addItems({"150 x 2", "46 x 1"});
    f->FindSumDef();
    exec("alter table ProtasisXristi rename to Kept");
    const std::function<void()> actions[] = {
        [&] { f->cmdGrid->click(); },
        [&] { f->lstDefterevon_KeyDown(Qt::Key_Delete, 0); },
        [&] { f->cmdCleanSecontary->click(); },
    };
    for (const auto &act : actions) {
        rec.clear();
        act();
        ASSERT_EQ(rec.messages.size(), 1);
        EXPECT_TRUE(rec.lastText().startsWith(QStringLiteral("Σφάλμα στη βάση δεδομένων: Λείπει ένας πίνακας")));
        EXPECT_EQ(lines(f), QStringList({"150 x 2", "46 x 1"}));
        EXPECT_EQ(f->lblSinolo->text(), QStringLiteral("196"));
        EXPECT_FALSE(plat::FormInstance<frmSearch>::loaded());
    }
}

// From the chooser into the cut: the chosen catalogue rows take the item
// slots after the ordered rows in table order, and the cut shown is the one
// the plain enumeration of every combination chooses.
TEST_F(SecondaryTest, ChosenRowsTakePartInTheNextSolve)
{
    MsgBoxRecorder rec;
    Form3 *f = planner();
    // 400 and 200 mm, 8 t each, on 1250 - 2 - 2 = 1246 mm, 8 t coils, 11 knives.
    f->Check1[0]->click();
    f->Check1[1]->click();
    f->Mikos[0]->setText(QStringLiteral("400"));
    f->Baros[0]->setText(QStringLiteral("8"));
    f->Mikos[1]->setText(QStringLiteral("200"));
    f->Baros[1]->setText(QStringLiteral("8"));

    for (QPushButton *solve : {f->lisi2, f->lisi}) {
        SCOPED_TRACE(solve->objectName().toStdString());
        frmSearch *s = openChooser(f);
        search(s, "40", "160");
        pick(s, 0);          // 46 (ID 4)
        type(s, 1, "2");     // 60 (ID 3)
        type(s, 2, "1");     // 150 (ID 2)
        s->cmdExecute->click();
        ASSERT_EQ(lines(f), QStringList({"46 x 1", "60 x 2", "150 x 1"}));

        solve->click();
        ASSERT_TRUE(f->blnStartSearch);
        f->Timer1_Timer();
        ASSERT_TRUE(f->shownBounds());
        const fk::OrderBounds &b = *f->shownBounds();
        // Slots 7.. in table order: 150 (ID 2), 60 (ID 3), 46 (ID 4).
        const std::int64_t want[][2] = {{150, 1}, {60, 2}, {46, 1}};
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(b.search.items[7 + k].width, want[k][0]);
            EXPECT_EQ(b.search.items[7 + k].lo, 0);
            EXPECT_EQ(b.search.items[7 + k].hi, want[k][1]);
        }
        for (int k = 10; k < fk::kSlotCount; ++k) EXPECT_EQ(b.search.items[k].hi, 0);

        const fk::KnifeSearchResult r = fk::reference::plainSearch(b.search, b.searchMode);
        ASSERT_TRUE(r.found);
        // Columns: the ordered widths first, then each secondary with strips.
        QStringList wantWidths, wantCounts;
        for (int k = 0; k < fk::kSlotCount; ++k) {
            if (k >= 2 && r.counts[k] == 0) continue;
            wantWidths << QString::number(b.search.items[k].width);
            wantCounts << QString::number(r.counts[k]);
        }
        ASSERT_GT(wantWidths.size(), 2) << "the cut takes no secondary width";
        QStringList gotWidths, gotCounts;
        for (int c = 0; c < 10 && !f->Text1[c]->text().isEmpty(); ++c) {
            gotWidths << f->Text1[c]->text();
            gotCounts << f->Akommati[c]->text();
        }
        EXPECT_EQ(gotWidths, wantWidths);
        EXPECT_EQ(gotCounts, wantCounts);
        const double waste = 1246 - double(r.usedWidth);
        EXPECT_EQ(f->txtFira1->text(), plat::numText(waste));
        // A secondary column owns the grid row of its column: its width,
        // strips over all coils and no ordered weight.
        const int coils = f->Grammi0->text().toInt();
        for (int c = 2; c < wantWidths.size(); ++c) {
            EXPECT_FALSE(f->Mikos[c]->isHidden());
            EXPECT_EQ(f->Mikos[c]->text(), wantWidths[c]);
            EXPECT_EQ(f->Baros[c]->text(), QString());
            EXPECT_EQ(f->Roles1[c]->text(), QString::number(coils * wantCounts[c].toInt()));
            // Tonnes: strips per cut × one strip over an 8 t coil of 1246 mm × coils.
            const double tonnes = wantCounts[c].toDouble() * (8.0 / 1246 * wantWidths[c].toDouble()) * coils;
            EXPECT_NEAR(plat::toNumber(f->Proion[c]->text()).value_or(-1), tonnes, 1e-9);
        }
        EXPECT_EQ(f->Text3->text(), plat::numText(coils * waste));
        EXPECT_TRUE(rec.messages.isEmpty()) << rec.texts().join('/').toStdString();
    }
}
