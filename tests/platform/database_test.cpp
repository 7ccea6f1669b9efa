#include "common/db_test.h"
#include "platform/database.h"

#include <gtest/gtest.h>

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

namespace {

class DatabaseTest : public DbTest {
protected:
    QStringList lines(const QString &table, const QString &column)
    {
        QStringList out;
        QSqlQuery q(plat::Database::db());
        q.exec(QStringLiteral("select ID, %1 from %2 order by ID").arg(column, table));
        while (q.next()) out << q.value(0).toString() + ":" + q.value(1).toString();
        return out;
    }
};

} // namespace

TEST_F(DatabaseTest, NewFileHasEveryTableAndOneParameterRow)
{
    QSqlQuery q(plat::Database::db());
    for (const char *t : {"tblParameters", "Typos", "ProtasisXristi", "Protasis1", "Protasis2", "Protasis3",
                          "Protasis4", "Seira"})
        EXPECT_TRUE(q.exec(QStringLiteral("select * from %1").arg(QString::fromLatin1(t)))) << t;
    ASSERT_TRUE(q.exec("select MikosTainias, BarosTainias, ArithmosTainion, AnektiApoklisi from tblParameters"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toDouble(), 1250);
    EXPECT_FALSE(q.next());

    // Opening again neither recreates nor adds a second parameter row.
    plat::Database::close();
    ASSERT_EQ(plat::Database::open(dir.filePath("Divor.db")), QString());
    QSqlQuery q2(plat::Database::db());
    q2.exec("select count(*) from tblParameters");
    q2.next();
    EXPECT_EQ(q2.value(0).toInt(), 1);
}

TEST_F(DatabaseTest, RewriteRestartsIdsAndDropsOldLines)
{
    ASSERT_TRUE(plat::Database::rewriteLines("Protasis1", "Paraggelia", {"α", "β", "γ"}));
    ASSERT_TRUE(plat::Database::rewriteLines("Protasis1", "Paraggelia", {"δ", "ε"}));
    EXPECT_EQ(lines("Protasis1", "Paraggelia"), (QStringList{"1:δ", "2:ε"}));
    ASSERT_TRUE(plat::Database::rewriteLines("Protasis1", "Paraggelia", {}));
    EXPECT_TRUE(lines("Protasis1", "Paraggelia").isEmpty());
}

TEST_F(DatabaseTest, FailedRewriteKeepsTheOldLines)
{
    ASSERT_TRUE(plat::Database::rewriteLines("Protasis2", "Paraggelia", {"old 1", "old 2"}));
    // The second new row fails halfway through the rewrite.
    QSqlQuery q(plat::Database::db());
    ASSERT_TRUE(q.exec("CREATE TRIGGER no_bad BEFORE INSERT ON Protasis2 WHEN NEW.Paraggelia = 'bad' "
                       "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    QString error;
    EXPECT_FALSE(plat::Database::rewriteLines("Protasis2", "Paraggelia", {"new 1", "bad", "new 3"}, &error));
    EXPECT_EQ(error, QStringLiteral("Σφάλμα στη βάση δεδομένων: Η βάση δεδομένων δεν δέχτηκε την αλλαγή."));
    EXPECT_EQ(lines("Protasis2", "Paraggelia"), (QStringList{"1:old 1", "2:old 2"}));
}

TEST_F(DatabaseTest, SeiraSortsWidthsByValue)
{
    ASSERT_TRUE(plat::Database::rewriteTable("Seira", {"ID", "Mikos", "Baros"},
                                             {{1, 1000, 5}, {2, 95, 6}, {3, 120, 7}}));
    QSqlQuery q(plat::Database::db());
    ASSERT_TRUE(q.exec("select * from Seira order by Mikos"));
    QStringList widths;
    while (q.next()) widths << q.value("Mikos").toString();
    EXPECT_EQ(widths, (QStringList{"95", "120", "1000"}));
}

TEST_F(DatabaseTest, GreekTextSortsAsAGreekReaderExpects)
{
    QSqlQuery q(plat::Database::db());
    ASSERT_TRUE(q.prepare("insert into Typos (Κωδικός, Τύπος) values (?, ?)"));
    int code = 1;
    for (const char *name : {"ώμος", "Βήτα", "αβγ", "Άλφα", "Ωμέγα", "ζήτα"}) {
        q.addBindValue(code++);
        q.addBindValue(QString::fromUtf8(name));
        ASSERT_TRUE(q.exec());
    }
    ASSERT_TRUE(q.exec("select Τύπος from Typos order by Τύπος COLLATE GREEK"));
    QStringList names;
    while (q.next()) names << q.value(0).toString();
    EXPECT_EQ(names, (QStringList{"αβγ", "Άλφα", "Βήτα", "ζήτα", "Ωμέγα", "ώμος"}));
}

TEST_F(DatabaseTest, CommonFailuresAreExplainedInGreek)
{
    QSqlQuery q(plat::Database::db());
    ASSERT_TRUE(q.exec("insert into Typos (Κωδικός, Τύπος) values (1, 'α')"));
    ASSERT_FALSE(q.exec("insert into Typos (Κωδικός, Τύπος) values (1, 'β')"));
    EXPECT_EQ(plat::dbErrorText(q.lastError()),
              QStringLiteral("Σφάλμα στη βάση δεδομένων: Υπάρχει ήδη εγγραφή μέ τήν ίδια τιμή."));
    ASSERT_FALSE(q.exec("select * from NoSuchTable"));
    EXPECT_EQ(plat::dbErrorText(q.lastError()),
              QStringLiteral("Σφάλμα στη βάση δεδομένων: Λείπει ένας πίνακας από τη βάση δεδομένων: <NoSuchTable>."));
    // The driver's English never reaches the planner, whatever it says.
    ASSERT_FALSE(q.exec("select from where"));
    EXPECT_EQ(plat::dbErrorText(q.lastError()),
              QStringLiteral("Σφάλμα στη βάση δεδομένων: Η λειτουργία της βάσεως δεδομένων δεν ολοκληρώθηκε."));
}

TEST(DatabaseOpen, UnreadableFileGivesAGreekMessage)
{
    QTemporaryDir dir;
    QFile f(dir.filePath("Divor.db"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    const QString err = plat::Database::open(dir.filePath("Divor.db"));
    EXPECT_FALSE(err.isEmpty());
    EXPECT_TRUE(err.contains(QStringLiteral("δεν είναι βάση δεδομένων"))) << err.toStdString();
    EXPECT_FALSE(plat::Database::isOpen());

    const QString missingDir = plat::Database::open(dir.filePath("no/such/folder/Divor.db"));
    EXPECT_FALSE(missingDir.isEmpty());
    EXPECT_FALSE(plat::Database::isOpen());
}
