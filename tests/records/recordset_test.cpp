#include "shell/records/recordset.h"

#include "common/db_test.h"

using rec::RecordSet;

namespace {

class RecordSetTest : public DbTest {
protected:
    void TearDown() override
    {
        rs.close();
        DbTest::TearDown();
    }
    QString openTypos() { return rs.open(plat::Database::db(), "Typos", {}, "Κωδικός"); }
    QString openCatalogue(const QString &sort = "Περιγραφή Είδους")
    {
        return rs.open(plat::Database::db(), "ProtasisXristi",
                       {"Κωδικός", "Περιγραφή Είδους", "Εύρος", "Τύπος", "Πάχος"}, sort);
    }

    RecordSet rs;
};

} // namespace

TEST_F(RecordSetTest, PositionsAtBothEndsAndOnAnEmptyTable)
{
    ASSERT_EQ(openTypos(), QString());
    EXPECT_EQ(rs.absolutePosition(), RecordSet::PosUnknown);
    EXPECT_TRUE(rs.bof());
    EXPECT_TRUE(rs.eof());
    // First and last have nowhere to go and are no failure; next and previous are refused.
    EXPECT_EQ(rs.moveFirst(), QString());
    EXPECT_EQ(rs.moveLast(), QString());
    EXPECT_NE(rs.moveNext(), QString());
    EXPECT_NE(rs.movePrevious(), QString());

    addTypes(3);
    ASSERT_EQ(openTypos(), QString());
    EXPECT_EQ(rs.absolutePosition(), 1);
    EXPECT_EQ(rs.moveLast(), QString());
    EXPECT_EQ(rs.absolutePosition(), 3);
    EXPECT_EQ(rs.moveNext(), QString());
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.currentRow(), -1);
    EXPECT_EQ(rs.absolutePosition(), RecordSet::PosEOF);
    EXPECT_NE(rs.moveNext(), QString());
    EXPECT_EQ(rs.movePrevious(), QString());
    EXPECT_EQ(rs.absolutePosition(), 3);
    EXPECT_EQ(rs.moveFirst(), QString());
    EXPECT_EQ(rs.movePrevious(), QString());
    EXPECT_EQ(rs.absolutePosition(), RecordSet::PosBOF);
    EXPECT_NE(rs.movePrevious(), QString());
}

TEST_F(RecordSetTest, AddsTheFirstRowOfAnEmptyTableAndReadsDecimalPoint)
{
    ASSERT_EQ(openCatalogue(), QString());
    ASSERT_EQ(rs.addNew(), QString());
    EXPECT_TRUE(rs.isAdding());
    EXPECT_EQ(rs.rowCount(), 1);
    EXPECT_EQ(rs.recordCount(), 0);
    EXPECT_EQ(rs.absolutePosition(), 1);
    ASSERT_EQ(rs.setField(0, "Α-1"), QString());
    ASSERT_EQ(rs.setField(1, "Λαμαρίνα"), QString());
    ASSERT_EQ(rs.setField(2, "  95 "), QString());
    ASSERT_EQ(rs.setField(3, "1"), QString());
    ASSERT_EQ(rs.setField(4, "2.5"), QString());
    EXPECT_TRUE(rows("select * from ProtasisXristi").isEmpty()); // nothing written before leaving the row
    ASSERT_EQ(rs.update(), QString());
    EXPECT_FALSE(rs.isAdding());
    // ID is the database's; the fixed-knife planner's count starts at its default.
    EXPECT_EQ(rows("select ID, Κωδικός, [Περιγραφή Είδους], Εύρος, Τύπος, Πάχος, [Αριθμός Ρόλων] from ProtasisXristi"),
              QStringList{"1|Α-1|Λαμαρίνα|95|1|2.5|0"});
    EXPECT_EQ(rs.field(4).toDouble(), 2.5);

    // A text in a numeric column is refused and changes nothing.
    EXPECT_EQ(rs.setField(2, "95mm"), QStringLiteral("Το πεδίο <Εύρος> δέχεται μόνο αριθμούς."));
    EXPECT_FALSE(rs.hasPendingChange());
}

TEST_F(RecordSetTest, RowIsWrittenWhenLeftAndAnUntouchedNewRowIsDropped)
{
    addTypes(2);
    ASSERT_EQ(openTypos(), QString());
    ASSERT_EQ(rs.setField(1, "ΨΥΧΡΗΣ"), QString());
    EXPECT_EQ(rows("select Τύπος from Typos where Κωδικός=1"), QStringList{"T1"});
    ASSERT_EQ(rs.moveNext(), QString());
    EXPECT_EQ(rows("select Τύπος from Typos where Κωδικός=1"), QStringList{"ΨΥΧΡΗΣ"});

    ASSERT_EQ(rs.addNew(), QString());
    EXPECT_EQ(rs.rowCount(), 3);
    ASSERT_EQ(rs.moveFirst(), QString());
    EXPECT_EQ(rs.rowCount(), 2);
    EXPECT_EQ(rows("select count(*) from Typos"), QStringList{"2"});

    // A new row with only a name gets its code from the database.
    ASSERT_EQ(rs.addNew(), QString());
    ASSERT_EQ(rs.setField(1, "ΘΕΡΜΗΣ"), QString());
    ASSERT_EQ(rs.movePrevious(), QString());
    EXPECT_EQ(rows("select * from Typos order by Κωδικός"), (QStringList{"1|ΨΥΧΡΗΣ", "2|T2", "3|ΘΕΡΜΗΣ"}));
    EXPECT_EQ(rs.value(2, 0).toInt(), 3);
}

TEST_F(RecordSetTest, ChangingTheKeyColumnKeepsWritingTheSameRow)
{
    // Typos.Κωδικός is the row's own key in the table.
    addTypes(2);
    ASSERT_EQ(openTypos(), QString());
    ASSERT_EQ(rs.setField(0, "7"), QString());
    ASSERT_EQ(rs.update(), QString());
    ASSERT_EQ(rs.setField(1, "ΝΕΟΣ"), QString());
    ASSERT_EQ(rs.update(), QString());
    EXPECT_EQ(rows("select * from Typos order by Κωδικός"), (QStringList{"2|T2", "7|ΝΕΟΣ"}));
}

TEST_F(RecordSetTest, FailedWriteKeepsThePendingChangeAndTheRow)
{
    addTypes(2);
    ASSERT_EQ(openTypos(), QString());
    ASSERT_EQ(rs.moveNext(), QString());
    ASSERT_EQ(rs.setField(0, "1"), QString()); // the code of the other row
    const QString err = rs.moveFirst();
    EXPECT_TRUE(err.startsWith(QStringLiteral("Σφάλμα στη βάση δεδομένων:"))) << err.toStdString();
    EXPECT_EQ(rs.currentRow(), 1);
    EXPECT_TRUE(rs.hasPendingChange());
    EXPECT_EQ(rs.field(0).toInt(), 1);
    EXPECT_FALSE(rs.update().isEmpty());

    rs.cancelUpdate();
    EXPECT_FALSE(rs.hasPendingChange());
    EXPECT_EQ(rs.field(0).toInt(), 2);
    EXPECT_EQ(rs.moveFirst(), QString());
    EXPECT_EQ(rows("select * from Typos order by Κωδικός"), (QStringList{"1|T1", "2|T2"}));

    // A failed new row stays, and cancelling it returns to the row before it.
    ASSERT_EQ(rs.moveLast(), QString());
    ASSERT_EQ(rs.addNew(), QString());
    ASSERT_EQ(rs.setField(0, "2"), QString());
    EXPECT_FALSE(rs.update().isEmpty());
    EXPECT_TRUE(rs.isAdding());
    rs.cancelUpdate();
    EXPECT_FALSE(rs.isAdding());
    EXPECT_EQ(rs.rowCount(), 2);
    EXPECT_EQ(rs.currentRow(), 1);
}

TEST_F(RecordSetTest, EditingACatalogueRowWritesOnlyTheChangedColumns)
{
    exec("insert into ProtasisXristi (Κωδικός, [Περιγραφή Είδους], Εύρος, Τύπος, Πάχος, [Αριθμός Ρόλων])"
         " values ('Κ1', 'Ταινία', 95, 1, 1.5, 0)");
    ASSERT_EQ(openCatalogue(), QString());
    // The fixed-knife planner chooses this width while the catalogue is open.
    exec("update ProtasisXristi set [Αριθμός Ρόλων]=4, Πάχος=2");
    ASSERT_EQ(rs.setField(2, "120"), QString());
    ASSERT_EQ(rs.update(), QString());
    EXPECT_EQ(rows("select Εύρος, Πάχος, [Αριθμός Ρόλων] from ProtasisXristi"), QStringList{"120|2|4"});
    // What is shown afterwards is what the table holds.
    EXPECT_EQ(rs.field(4).toDouble(), 2.0);
}

TEST_F(RecordSetTest, DeletingTheLastAndTheOnlyRow)
{
    addTypes(3);
    ASSERT_EQ(openTypos(), QString());
    ASSERT_EQ(rs.moveNext(), QString());
    ASSERT_EQ(rs.deleteCurrent(), QString());
    EXPECT_EQ(rs.currentRow(), 1); // the row after it
    EXPECT_EQ(rs.field(0).toInt(), 3);
    ASSERT_EQ(rs.deleteCurrent(), QString());
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.rowCount(), 1);
    ASSERT_EQ(rs.moveLast(), QString());
    ASSERT_EQ(rs.deleteCurrent(), QString());
    EXPECT_EQ(rs.rowCount(), 0);
    EXPECT_EQ(rs.absolutePosition(), RecordSet::PosUnknown);
    EXPECT_TRUE(rows("select * from Typos").isEmpty());
    // With no current row nothing happens.
    EXPECT_EQ(rs.deleteCurrent(), QString());

    // Deleting a row being added only drops it.
    ASSERT_EQ(rs.addNew(), QString());
    ASSERT_EQ(rs.setField(1, "Χ"), QString());
    ASSERT_EQ(rs.deleteCurrent(), QString());
    EXPECT_EQ(rs.rowCount(), 0);
    EXPECT_TRUE(rows("select * from Typos").isEmpty());
}

TEST_F(RecordSetTest, GreekTextAndNumbersSortAsAReaderExpects)
{
    const char *items[][2] = {{"ώμος", "1000"}, {"Βήτα", "95"}, {"αβγ", "120"}, {"Άλφα", "9.5"}};
    for (const auto &it : items)
        exec(QStringLiteral("insert into ProtasisXristi ([Περιγραφή Είδους], Εύρος) values ('%1', %2)")
                 .arg(QString::fromUtf8(it[0]), QString::fromLatin1(it[1])));
    auto column = [this](int col) {
        QStringList out;
        for (int r = 0; r < rs.rowCount(); ++r) out << rs.value(r, col).toString();
        return out;
    };
    ASSERT_EQ(openCatalogue(), QString());
    EXPECT_EQ(column(1), (QStringList{"αβγ", "Άλφα", "Βήτα", "ώμος"}));
    ASSERT_EQ(openCatalogue("Εύρος"), QString());
    EXPECT_EQ(column(2), (QStringList{"9.5", "95", "120", "1000"}));
    EXPECT_EQ(rs.currentRow(), 0);
}

TEST_F(RecordSetTest, RefusesUnknownNamesAndKeepsItsRowsOnFailure)
{
    addTypes(2);
    ASSERT_EQ(openTypos(), QString());
    ASSERT_EQ(rs.moveNext(), QString());
    EXPECT_EQ(rs.open(plat::Database::db(), "Typos", {}, "Κωδικός; drop table Typos"),
              QStringLiteral("Η στήλη <Κωδικός; drop table Typos> δεν υπάρχει στον πίνακα <Typos>."));
    EXPECT_EQ(rs.open(plat::Database::db(), "Χωρίς", {}),
              QStringLiteral("Ο πίνακας <Χωρίς> δεν υπάρχει στη βάση δεδομένων."));
    EXPECT_TRUE(rs.isOpen());
    EXPECT_EQ(rs.rowCount(), 2);
    EXPECT_EQ(rs.currentRow(), 1);
    EXPECT_EQ(rows("select count(*) from Typos"), QStringList{"2"});
}

// A file may keep columns of its own through an upgrade, with any characters
// in their names: the rows are read, sorted, changed, added and deleted with
// them as with the program's own columns.
TEST_F(RecordSetTest, ColumnsOfTheFilesOwnWithBracketsAndQuotesInTheirNames)
{
    const QString names[] = {"Σημ]είωση", "[Παλαιό", "]]", "Ένδειξη \"Α\"", "a]b\"c[d"};
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        exec("delete from Typos");
        addTypes(2);
        exec(QStringLiteral("alter table Typos add column %1 TEXT").arg(plat::sqlName(name)));
        exec(QStringLiteral("update Typos set %1 = 'Β' where Κωδικός = 1").arg(plat::sqlName(name)));
        exec(QStringLiteral("update Typos set %1 = 'Α' where Κωδικός = 2").arg(plat::sqlName(name)));

        ASSERT_EQ(rs.open(plat::Database::db(), "Typos", {}, name), QString());
        const int col = rs.columnIndex(name);
        ASSERT_EQ(col, 2);
        EXPECT_EQ(rs.value(0, col).toString(), QStringLiteral("Α")); // sorted by it
        EXPECT_EQ(rs.value(0, 0).toInt(), 2);

        ASSERT_EQ(rs.setField(col, "Γ"), QString());
        ASSERT_EQ(rs.update(), QString());
        ASSERT_EQ(rs.addNew(), QString());
        ASSERT_EQ(rs.setField(1, "T3"), QString());
        ASSERT_EQ(rs.setField(col, "Δ"), QString());
        ASSERT_EQ(rs.update(), QString());
        EXPECT_EQ(rs.value(2, 0).toInt(), 3); // read back after the write
        ASSERT_EQ(rs.moveFirst(), QString());
        ASSERT_EQ(rs.moveNext(), QString());
        ASSERT_EQ(rs.deleteCurrent(), QString());
        EXPECT_EQ(rows(QStringLiteral("select Κωδικός, Τύπος, %1 from Typos order by Κωδικός").arg(plat::sqlName(name))),
                  (QStringList{"2|T2|Γ", "3|T3|Δ"}));
        rs.close();
        exec(QStringLiteral("alter table Typos drop column %1").arg(plat::sqlName(name)));
    }
}
