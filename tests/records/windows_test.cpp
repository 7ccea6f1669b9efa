#include "shell/frmmain.h"
#include "shell/records/frmparameters.h"
#include "shell/records/frmprotasisxristi.h"
#include "shell/records/frmtypos.h"
#include "shell/records/recordset.h"
#include "shell/records/recordsetmodel.h"

#include "platform/msgbox.h"
#include "platform/qnum.h"
#include "common/db_test.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <memory>

using plat::FormInstance;

namespace {

class RecordWindowTest : public DbTest {
protected:
    void TearDown() override
    {
        FormInstance<frmTypos>::unloadIfLoaded();
        FormInstance<frmProtasisXristi>::unloadIfLoaded();
        FormInstance<frmParameters>::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        DbTest::TearDown();
    }
    template <class T>
    T *openShown()
    {
        T *f = FormInstance<T>::get();
        f->showForm();
        QApplication::setActiveWindow(f);
        return f;
    }
    static bool setCell(rec::GridRecordForm *f, int row, int col, const QString &text)
    {
        return f->model()->setData(f->model()->index(row, col), text);
    }
    static bool editable(rec::GridRecordForm *f, int row)
    {
        return f->model()->flags(f->model()->index(row, 0)) & Qt::ItemIsEditable;
    }
    static int gridRow(rec::GridRecordForm *f) { return f->grdDataGrid->currentIndex().row(); }

    plat::MsgBoxRecorder rec{plat::MsgAnswer::Ok};
};

bool browseButtonsShown(rec::GridRecordForm *f)
{
    return f->cmdAdd->isVisible() && f->cmdEdit->isVisible() && f->cmdDelete->isVisible() &&
           f->cmdClose->isVisible() && !f->cmdUpdate->isVisible() && !f->cmdCancel->isVisible();
}
bool editButtonsShown(rec::GridRecordForm *f)
{
    return !f->cmdAdd->isVisible() && !f->cmdEdit->isVisible() && !f->cmdDelete->isVisible() &&
           !f->cmdClose->isVisible() && f->cmdUpdate->isVisible() && f->cmdCancel->isVisible();
}


// Opens the cell's editor and types into it, as a user does.
QLineEdit *typeInto(rec::GridRecordForm *f, int row, int col, const QString &text)
{
    rec::DataGrid *g = f->grdDataGrid;
    g->setCurrentIndex(f->model()->index(row, col));
    g->edit(g->currentIndex());
    auto *editor = qobject_cast<QLineEdit *>(g->indexWidget(g->currentIndex()));
    if (!editor) return nullptr;
    editor->selectAll();
    QTest::keyClicks(editor, text);
    return editor;
}
// The editor open in the grid now.
QLineEdit *openEditor(rec::GridRecordForm *f)
{
    // Enter hands the text over on the next turn of the loop; a refused
    // text comes back on the turn after.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    rec::DataGrid *g = f->grdDataGrid;
    return g->cellEditorOpen() ? qobject_cast<QLineEdit *>(g->indexWidget(g->currentIndex())) : nullptr;
}

// A message box takes the focus while it shows, as a real one does, and gives
// it back to `window` when answered.
std::function<void(const plat::MsgRecord &)> takeFocusWhileShown(QWidget *window)
{
    return [window](const plat::MsgRecord &) {
        QWidget box;
        box.show();
        QApplication::setActiveWindow(&box);
        box.setFocus();
        QCoreApplication::processEvents();
        box.hide();
        QApplication::setActiveWindow(window);
        QCoreApplication::processEvents();
    };
}

} // namespace

TEST_F(RecordWindowTest, GridWindowStatesButtonsAndCounter)
{
    addTypes(3);
    frmTypos *f = openShown<frmTypos>();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("ΤΥΠΟΣ ΕΙΔΩΝ"));
    EXPECT_EQ(f->cmdAdd->text(), QStringLiteral("ΠΡΟΣΘΗΚΗ"));
    EXPECT_EQ(f->cmdEdit->text(), QStringLiteral("ΔΙΟΡΘΩΣΙΣ"));
    EXPECT_EQ(f->cmdDelete->text(), QStringLiteral("ΔΙΑΓΡΑΦΗ"));
    EXPECT_EQ(f->cmdClose->text(), QStringLiteral("ΕΞΟΔΟΣ"));
    EXPECT_EQ(f->cmdUpdate->text(), QStringLiteral("ΕΝΗΜΕΡΩΣΙΣ"));
    EXPECT_EQ(f->cmdCancel->text(), QStringLiteral("ΑΚΥΡΟ"));
    EXPECT_EQ(f->cmdUpdate->geometry(), f->cmdAdd->geometry());
    EXPECT_EQ(f->cmdCancel->geometry(), f->cmdEdit->geometry());
    EXPECT_FALSE(f->cmdNext->isVisible());
    EXPECT_EQ(f->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Τύπος"));

    EXPECT_EQ(f->lblStatus->text(), QStringLiteral("Record: 1"));
    EXPECT_TRUE(browseButtonsShown(f));
    EXPECT_FALSE(editable(f, 0)); // stored rows take no typing while browsing

    f->cmdEdit->click();
    EXPECT_TRUE(f->isEditing());
    EXPECT_EQ(f->lblStatus->text(), QStringLiteral("Edit record"));
    EXPECT_TRUE(editButtonsShown(f));
    EXPECT_FALSE(f->cmdNext->isEnabled());
    EXPECT_FALSE(f->cmdFirst->isEnabled());
    EXPECT_TRUE(editable(f, 2));
    // Keys do nothing here while editing, Esc included.
    for (int key : {Qt::Key_End, Qt::Key_Escape, Qt::Key_PageDown}) QTest::keyClick(f->cmdUpdate, Qt::Key(key));
    EXPECT_TRUE(FormInstance<frmTypos>::loaded());
    EXPECT_EQ(f->adoPrimaryRS()->currentRow(), 0);
    EXPECT_EQ(f->lblStatus->text(), QStringLiteral("Edit record"));

    f->cmdCancel->click();
    EXPECT_FALSE(f->isEditing());
    EXPECT_TRUE(browseButtonsShown(f));
    EXPECT_TRUE(f->cmdNext->isEnabled());
    EXPECT_EQ(f->lblStatus->text(), QStringLiteral("Record: 1"));

    // Past either end: a beep and back to the end row.
    const int beeps = rec::beepCount();
    f->cmdLast_Click();
    EXPECT_EQ(f->lblStatus->text(), QStringLiteral("Record: 3"));
    f->cmdNext_Click();
    EXPECT_EQ(rec::beepCount(), beeps + 1);
    EXPECT_EQ(f->lblStatus->text(), QStringLiteral("Record: 3"));
    f->cmdFirst_Click();
    f->cmdPrevious_Click();
    EXPECT_EQ(rec::beepCount(), beeps + 2);
    EXPECT_EQ(f->lblStatus->text(), QStringLiteral("Record: 1"));
    EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(RecordWindowTest, OneRowPerKeyWithTheGridFocused)
{
    addTypes(4);
    frmTypos *f = openShown<frmTypos>();
    f->grdDataGrid->setFocus();
    const rec::RecordSet *rs = f->adoPrimaryRS();
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int row;
    };
    const Step steps[] = {
        {Qt::Key_Down, Qt::NoModifier, 1},   {Qt::Key_PageDown, Qt::NoModifier, 2},
        {Qt::Key_Up, Qt::ControlModifier, 0}, {Qt::Key_Down, Qt::ControlModifier, 3},
        {Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier, 2},
        {Qt::Key_Home, Qt::NoModifier, 0},   {Qt::Key_End, Qt::NoModifier, 3},
        {Qt::Key_Down, Qt::NoModifier, 3},   {Qt::Key_PageUp, Qt::NoModifier, 2},
    };
    for (const Step &s : steps) {
        QTest::keyClick(f->grdDataGrid, s.key, s.mods);
        EXPECT_EQ(rs->currentRow(), s.row) << "key " << s.key;
        EXPECT_EQ(gridRow(f), s.row) << "key " << s.key;
    }

    // While editing the keys are the grid's own: it moves, and the rows follow it.
    f->cmdEdit_Click();
    f->grdDataGrid->setFocus();
    QTest::keyClick(f->grdDataGrid, Qt::Key_Up);
    EXPECT_EQ(gridRow(f), 1);
    EXPECT_EQ(rs->currentRow(), 1);
    f->cmdCancel_Click();

    QTest::keyClick(f->grdDataGrid, Qt::Key_Escape);
    EXPECT_FALSE(FormInstance<frmTypos>::loaded());
}

TEST_F(RecordWindowTest, FirstTypeOnAnEmptyTable)
{
    frmTypos *f = openShown<frmTypos>();
    EXPECT_EQ(f->lblStatus->text(), QStringLiteral("Record: -1"));
    f->cmdAdd->click();
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
    ASSERT_EQ(f->model()->rowCount(), 1);
    EXPECT_EQ(QApplication::focusWidget(), f->grdDataGrid);
    EXPECT_FALSE(f->isEditing());
    EXPECT_TRUE(editable(f, 0)); // the new row takes typing while browsing
    EXPECT_TRUE(setCell(f, 0, 0, "1"));
    EXPECT_TRUE(setCell(f, 0, 1, "ΨΥΧΡΗΣ ΕΛΑΣΗΣ"));
    EXPECT_TRUE(rows("select * from Typos").isEmpty());
    // Leaving the row writes it.
    QTest::keyClick(f->grdDataGrid, Qt::Key_Down);
    EXPECT_EQ(rows("select * from Typos"), QStringList{"1|ΨΥΧΡΗΣ ΕΛΑΣΗΣ"});
    EXPECT_FALSE(editable(f, 0));
    EXPECT_EQ(f->lblStatus->text(), QStringLiteral("Record: 1"));

    // A text in a numeric cell is refused with a message.
    f->cmdAdd_Click();
    EXPECT_FALSE(setCell(f, 1, 0, "δύο"));
    EXPECT_EQ(rec.lastText(), QStringLiteral("Το πεδίο <Κωδικός> δέχεται μόνο αριθμούς."));
}

TEST_F(RecordWindowTest, FailedWriteKeepsTheEditingState)
{
    addTypes(2);
    frmTypos *f = openShown<frmTypos>();
    f->cmdEdit_Click();
    ASSERT_TRUE(setCell(f, 1, 0, "1")); // the code of the first row
    EXPECT_EQ(gridRow(f), 1);
    f->cmdUpdate->click();
    ASSERT_EQ(rec.messages.size(), 1);
    EXPECT_TRUE(rec.lastText().startsWith(QStringLiteral("Σφάλμα στη βάση δεδομένων:")));
    EXPECT_EQ(rec.messages[0].style, plat::MsgOkOnly);
    EXPECT_TRUE(f->isEditing());
    EXPECT_TRUE(editButtonsShown(f));

    f->cmdCancel->click();
    EXPECT_FALSE(f->isEditing());
    EXPECT_EQ(f->adoPrimaryRS()->currentRow(), 0);
    EXPECT_EQ(rows("select * from Typos order by Κωδικός"), (QStringList{"1|T1", "2|T2"}));
}

TEST_F(RecordWindowTest, DeletingTheLastAndEveryRow)
{
    addTypes(3);
    frmTypos *f = openShown<frmTypos>();
    f->cmdLast_Click();
    f->cmdDelete->click();
    EXPECT_EQ(f->lblStatus->text(), QStringLiteral("Record: 2"));
    EXPECT_EQ(gridRow(f), 1);
    f->cmdFirst_Click();
    f->cmdDelete_Click();
    EXPECT_EQ(f->lblStatus->text(), QStringLiteral("Record: 1"));
    EXPECT_EQ(f->adoPrimaryRS()->field(0).toInt(), 2);
    f->cmdDelete_Click();
    f->cmdDelete_Click(); // nothing left: does nothing
    EXPECT_TRUE(rows("select * from Typos").isEmpty());
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
}

TEST_F(RecordWindowTest, ClosingWhileEditingDiscardsAndReopensBrowsing)
{
    addTypes(2);
    frmTypos *f = openShown<frmTypos>();
    f->cmdEdit_Click();
    ASSERT_TRUE(setCell(f, 0, 1, "ΑΛΛΑΓΗ"));
    f->unload(); // the close box
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(rows("select Τύπος from Typos order by Κωδικός"), (QStringList{"T1", "T2"}));

    f = openShown<frmTypos>();
    EXPECT_FALSE(f->isEditing());
    EXPECT_TRUE(browseButtonsShown(f));
    f->grdDataGrid->setFocus();
    QTest::keyClick(f->grdDataGrid, Qt::Key_Down);
    EXPECT_EQ(f->lblStatus->text(), QStringLiteral("Record: 2"));
}

TEST_F(RecordWindowTest, ResizingToATinyHeightStillMovesTheStatusButtons)
{
    frmTypos *f = openShown<frmTypos>();
    f->resize(600, 300);
    EXPECT_EQ(f->grdDataGrid->height(), 300 - 2 - 20 - 20);
    EXPECT_EQ(f->lblStatus->width(), 600 - 100);
    EXPECT_EQ(f->cmdNext->x(), 500 + 46);
    EXPECT_EQ(f->cmdLast->x(), 546 + 22);
    EXPECT_EQ(f->grdDataGrid->width(), plat::tw(5745)); // the grid keeps its width
    f->resize(90, 10);
    EXPECT_EQ(f->grdDataGrid->height(), 300 - 42); // skipped
    EXPECT_EQ(f->lblStatus->width(), 500);         // skipped
    EXPECT_EQ(f->cmdNext->x(), 546);
}

TEST_F(RecordWindowTest, ParameterChecksMessageAndFocus)
{
    frmParameters *f = openShown<frmParameters>();
    struct Case {
        QStringList texts; // by field index
        QString message;   // empty: written
        int focus;
    };
    const QString empty = QStringLiteral("Πρέπει να συμπληρωθούν όλα τα πεδία");
    const QString notNumber = QStringLiteral("Όλα τα πεδία πρέπει να είναι αριθμητικά");
    const QString range =
        QStringLiteral("Η τιμή που δώσατε για το πεδίο <Ανεκτή απόκλιση> είναι εκτός ορίων (0-100)");
    const Case cases[] = {
        {{"150", "2", "11", "8", "2", ""}, empty, 5},
        {{"λέξη", "", "11", "8", "2", "1250"}, notNumber, 0},
        {{"100,5", "2", "11", "8", "2", "1250"}, range, 0},
        {{"-1", "2", "11", "8", "2", "1250"}, range, 0},
        {{"10", "2", "11", "   ", "2", "1250"}, empty, 3},
        {{"10", "-", "11", "8", "2", "1250"}, notNumber, 1},
        {{"10", "2", "1,2,3", "8", "2", "1250"}, notNumber, 2},
        {{"10", "2", "11", "ένα", "2", "1250"}, notNumber, 3},
        {{"10", "2", "11", "8", "2", "1e400"}, notNumber, 5},
        {{"1e308", "2", "11", "8", "2", "1250"}, range, 0},
        {{"0", "2", "11", "8", "2", "1250"}, {}, -1},
        {{"10", "1e308", "11", "1e-320", "- 2", "1,79769313486232E+308"}, {}, -1},
        {{"100", " 2.5 ", "2,5", "8.25", "-1", "1250"}, {}, -1},
    };
    for (const Case &c : cases) {
        rec.clear();
        f->cmdEdit->click();
        for (int i = 0; i < 6; ++i) f->txtFields[i]->setText(c.texts[i]);
        f->cmdUpdate->click();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
            EXPECT_FALSE(f->isEditing());
            continue;
        }
        ASSERT_EQ(rec.messages.size(), 1) << c.message.toStdString();
        EXPECT_EQ(rec.lastText(), c.message);
        EXPECT_EQ(rec.messages[0].style, plat::MsgOkOnly);
        EXPECT_EQ(QApplication::focusWidget(), f->txtFields[c.focus]) << c.message.toStdString();
        EXPECT_TRUE(f->isEditing());
        EXPECT_EQ(f->txtFields[c.focus]->text(), c.texts[c.focus]); // typed text kept
        f->cmdCancel->click();
    }
    // The last accepted case is what the table holds; "." and "," both read as decimals.
    EXPECT_EQ(rows("select AnektiApoklisi, AristeroXakrisma, ArithmosTainion, BarosTainias, DexiXakrisma,"
                   " MikosTainias from tblParameters"),
              QStringList{"100|2.5|2.5|8.25|-1|1250"});
    EXPECT_EQ(f->txtFields[3]->text(), QStringLiteral("8,25"));
}

TEST_F(RecordWindowTest, ParametersAreReadOnlyWhileBrowsingAndClosingDiscards)
{
    frmParameters *f = openShown<frmParameters>();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Παράμετροι εφαρμογής"));
    EXPECT_EQ(f->chkFields->text(), QStringLiteral("Οικονομική εκτύπωσις"));
    EXPECT_EQ(f->lblLabels[2]->text(), QStringLiteral("Μέγιστος αριθμός τσερκιών ανά κοπή:"));
    // The coil-weight label stands one line high, its text whole, left of its box.
    QLabel *weight = f->lblLabels[3];
    EXPECT_EQ(weight->text(), QStringLiteral("Βάρος ταινίας (τόνοι):"));
    EXPECT_FALSE(weight->wordWrap());
    EXPECT_EQ(weight->height(), plat::tw(360));
    EXPECT_LE(weight->fontMetrics().horizontalAdvance(weight->text()), weight->width());
    EXPECT_LT(weight->geometry().right(), f->txtFields[3]->x());
    EXPECT_FALSE(f->picStatBox->isVisible());
    EXPECT_EQ(f->txtFields[5]->text(), QStringLiteral("1250"));
    for (QLineEdit *box : f->txtFields) EXPECT_TRUE(box->isReadOnly());
    EXPECT_FALSE(f->chkFields->isEnabled());

    f->cmdEdit->click();
    for (QLineEdit *box : f->txtFields) EXPECT_FALSE(box->isReadOnly());
    f->txtFields[0]->setText("55");
    f->chkFields->setChecked(true);
    f->unload();
    EXPECT_EQ(rows("select AnektiApoklisi, OikonomikoPrint from tblParameters"), QStringList{"10|0"});
}

TEST_F(RecordWindowTest, FirstSaveInsertsTheMissingParameterRow)
{
    exec("delete from tblParameters");
    frmParameters *f = openShown<frmParameters>();
    EXPECT_EQ(f->txtFields[0]->text(), QString());
    f->cmdEdit_Click();
    const QStringList texts{"5", "3", "12", "7,5", "3", "1000"};
    for (int i = 0; i < 6; ++i) f->txtFields[i]->setText(texts[i]);
    f->chkFields->setChecked(true);
    f->cmdUpdate_Click();
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
    EXPECT_FALSE(f->isEditing());
    EXPECT_EQ(rows("select AnektiApoklisi, AristeroXakrisma, ArithmosTainion, BarosTainias, DexiXakrisma,"
                   " MikosTainias, OikonomikoPrint from tblParameters"),
              QStringList{"5|3|12|7.5|3|1000|1"});
}

TEST_F(RecordWindowTest, CatalogueOpensFromTheMenuSortedByDescription)
{
    exec("insert into Typos values (2, 'ΓΑΛΒΑΝΙΖΕ')");
    exec("insert into Typos values (1, 'ΨΥΧΡΗΣ')");
    const char *items[][3] = {{"Κ4", "ώμος", "1000"}, {"Κ2", "Βήτα", "95"}, {"Κ3", "αβγ", "120"}, {"Κ1", "Άλφα", "9.5"}};
    for (const auto &it : items)
        exec(QStringLiteral("insert into ProtasisXristi (Κωδικός, [Περιγραφή Είδους], Εύρος, Τύπος, Πάχος)"
                            " values ('%1', '%2', %3, 1, 0.5)")
                 .arg(QString::fromUtf8(it[0]), QString::fromUtf8(it[1]), QString::fromLatin1(it[2])));
    frmProtasisXristi::openFromMenu();
    frmProtasisXristi *f = FormInstance<frmProtasisXristi>::ifLoaded();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->isFormVisible());
    EXPECT_EQ(f->windowTitle(), QStringLiteral("ΑΡΧΕΙΟ ΕΙΔΩΝ"));
    EXPECT_EQ(f->Frame1->title(), QStringLiteral("ΤΥΠΟΣ"));
    EXPECT_EQ(f->Frame2->title(), QStringLiteral("ΤΑΞΙΝΟΜΙΣΙΣ ΩΣ ΠΡΟΣ"));
    ASSERT_EQ(f->List1->count(), 2);
    EXPECT_EQ(f->List1->item(0)->text(), QStringLiteral("1\tΨΥΧΡΗΣ"));
    EXPECT_EQ(f->List1->item(1)->text(), QStringLiteral("2\tΓΑΛΒΑΝΙΖΕ"));
    ASSERT_EQ(f->List2->count(), 5);
    EXPECT_EQ(f->List2->item(1)->text(), QStringLiteral("Περιγραφή Είδους"));
    EXPECT_EQ(f->List2->currentRow(), -1);
    EXPECT_EQ(f->grdDataGrid->columnWidth(1), plat::tw(3300));

    auto column = [f](int col) {
        QStringList out;
        for (int r = 0; r < f->model()->rowCount(); ++r) out << f->model()->index(r, col).data().toString();
        return out;
    };
    EXPECT_EQ(column(1), (QStringList{"αβγ", "Άλφα", "Βήτα", "ώμος"}));

    // Choosing a sort while editing reorders and keeps the editing buttons;
    // the first row of the new order becomes current.
    f->cmdEdit_Click();
    f->cmdLast_Click();
    f->List2->setCurrentRow(2);
    EXPECT_EQ(column(2), (QStringList{"9,5", "95", "120", "1000"}));
    EXPECT_EQ(f->adoPrimaryRS()->currentRow(), 0);
    EXPECT_TRUE(editButtonsShown(f));
    EXPECT_EQ(f->grdDataGrid->columnWidth(1), plat::tw(3300));
    EXPECT_FALSE(f->OrderBy("Εύρος desc"));

    // Opening from the menu again refills the legend, one line per type.
    frmProtasisXristi::openFromMenu();
    EXPECT_EQ(f->List1->count(), 2);
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
}

TEST_F(RecordWindowTest, SortListSortsOnlyWhenTheUserPicksAnItem)
{
    // Codes and descriptions in opposite orders, so the two sorts differ.
    const char *items[][2] = {{"Κ1", "Γάμμα"}, {"Κ2", "Βήτα"}, {"Κ3", "Άλφα"}};
    for (const auto &it : items)
        exec(QStringLiteral("insert into ProtasisXristi (Κωδικός, [Περιγραφή Είδους]) values ('%1', '%2')")
                 .arg(QString::fromUtf8(it[0]), QString::fromUtf8(it[1])));
    frmProtasisXristi *f = openShown<frmProtasisXristi>();
    auto codes = [f] {
        QStringList out;
        for (int r = 0; r < f->model()->rowCount(); ++r) out << f->model()->index(r, 0).data().toString();
        return out;
    };
    const QStringList byDescription{"Κ3", "Κ2", "Κ1"};
    ASSERT_EQ(codes(), byDescription);

    // Tabbing into the list picks nothing, so nothing is re-sorted.
    f->List2->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(codes(), byDescription);
    EXPECT_TRUE(f->List2->selectedItems().isEmpty());

    // A click on the first item sorts by code, even where the list's own
    // cursor already stood on it.
    const QRect first = f->List2->visualItemRect(f->List2->item(0));
    QTest::mouseClick(f->List2->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(codes(), (QStringList{"Κ1", "Κ2", "Κ3"}));
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
}

TEST_F(RecordWindowTest, FirstCatalogueItemOnAFreshDatabase)
{
    frmProtasisXristi::openFromMenu();
    frmProtasisXristi *f = FormInstance<frmProtasisXristi>::ifLoaded();
    ASSERT_NE(f, nullptr);
    f->cmdAdd->click();
    const QStringList texts{"Κ-95", "Ταινία ψυχρής", "95", "1", "2.5"};
    for (int c = 0; c < 5; ++c) EXPECT_TRUE(setCell(f, 0, c, texts[c]));
    QTest::keyClick(f->grdDataGrid, Qt::Key_Up); // leaves the row
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
    EXPECT_EQ(rows("select ID, Κωδικός, [Περιγραφή Είδους], Εύρος, Τύπος, Πάχος, [Αριθμός Ρόλων] from ProtasisXristi"),
              QStringList{"1|Κ-95|Ταινία ψυχρής|95|1|2.5|0"});
    EXPECT_EQ(f->model()->index(0, 4).data().toString(), QStringLiteral("2,5"));
}

TEST_F(RecordWindowTest, WindowWhoseTableCannotBeOpenedStaysClosed)
{
    exec("drop table Typos");
    exec("drop table tblParameters");
    frmTypos::openFromMenu();
    EXPECT_FALSE(FormInstance<frmTypos>::loaded());
    ASSERT_EQ(rec.messages.size(), 1);
    EXPECT_EQ(rec.lastText(),
              QStringLiteral("Το παράθυρο «ΤΥΠΟΣ ΕΙΔΩΝ» δεν μπορεί να ανοίξει.\n"
                             "Ο πίνακας <Typos> δεν υπάρχει στη βάση δεδομένων."));
    rec.clear();
    frmParameters::openFromMenu();
    EXPECT_FALSE(FormInstance<frmParameters>::loaded());
    EXPECT_EQ(rec.messages.size(), 1);
    // The catalogue opens; only its legend cannot be read, and it says so once.
    rec.clear();
    frmProtasisXristi::openFromMenu();
    EXPECT_TRUE(FormInstance<frmProtasisXristi>::loaded());
    EXPECT_EQ(rec.messages.size(), 1);
}

// A file that kept a column of its own through its upgrade, whatever its
// name holds, opens in the item-types window; the column is shown and edited
// as the others are.
TEST_F(RecordWindowTest, ItemTypesOpenWithAColumnOfTheFilesOwnWhateverItsName)
{
    const QString path = dir.filePath("old.db");
    for (const QString &name : {QStringLiteral("Σημ]είωση"), QStringLiteral("[Παλαιό"), QStringLiteral("Ένδειξη \"Α\"")}) {
        SCOPED_TRACE(name.toStdString());
        rec.clear();
        plat::Database::close();
        QFile::remove(path);
        {
            // A file of an earlier version: the type table without its key
            // column, so the upgrade builds it anew and copies the file's own
            // column over.
            auto old = QSqlDatabase::addDatabase("QSQLITE", "old");
            old.setDatabaseName(path);
            ASSERT_TRUE(old.open());
            QSqlQuery q(old);
            ASSERT_TRUE(q.exec(QStringLiteral("create table Typos (Τύπος TEXT, %1 TEXT)").arg(plat::sqlName(name))));
            ASSERT_TRUE(q.exec(QStringLiteral("insert into Typos values ('ΨΥΧΡΗΣ', 'παλαιά σημείωση')")));
            q.finish();
            old.close();
        }
        QSqlDatabase::removeDatabase("old");
        ASSERT_EQ(plat::Database::openReport(path).opened, true);
        ASSERT_EQ(rows(QStringLiteral("select Κωδικός, Τύπος, %1 from Typos").arg(plat::sqlName(name))),
                  QStringList{"1|ΨΥΧΡΗΣ|παλαιά σημείωση"});
        rec.clear();

        frmTypos::openFromMenu();
        frmTypos *f = FormInstance<frmTypos>::ifLoaded();
        ASSERT_NE(f, nullptr);
        EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
        const int col = f->adoPrimaryRS()->columnIndex(name);
        ASSERT_GE(col, 0);
        EXPECT_EQ(f->model()->headerData(col, Qt::Horizontal).toString(), name);
        EXPECT_EQ(f->model()->index(0, col).data().toString(), QStringLiteral("παλαιά σημείωση"));
        f->cmdEdit_Click();
        EXPECT_TRUE(setCell(f, 0, col, QStringLiteral("νέα")));
        f->cmdUpdate_Click();
        EXPECT_FALSE(f->isEditing());
        EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
        EXPECT_EQ(rows(QStringLiteral("select Τύπος, %1 from Typos").arg(plat::sqlName(name))),
                  QStringList{"ΨΥΧΡΗΣ|νέα"});
        f->unloadWithoutAsking();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(RecordWindowTest, WithoutADatabaseEachWindowSaysSoOnceAndStaysClosed)
{
    plat::Database::close();
    const struct {
        void (*open)();
        bool (*loaded)();
    } windows[] = {
        {&frmTypos::openFromMenu, &FormInstance<frmTypos>::loaded},
        {&frmProtasisXristi::openFromMenu, &FormInstance<frmProtasisXristi>::loaded},
        {&frmParameters::openFromMenu, &FormInstance<frmParameters>::loaded},
    };
    for (const auto &w : windows) {
        rec.clear();
        w.open();
        EXPECT_FALSE(w.loaded());
        ASSERT_EQ(rec.messages.size(), 1);
        EXPECT_TRUE(rec.lastText().endsWith(QStringLiteral("δεν μπορεί να ανοίξει.\nΗ βάση δεδομένων δεν είναι ανοικτή.")))
            << rec.lastText().toStdString();
    }
}

// Texts typed through the cell editor as a user types them: a text that a
// numeric column refuses is said, given back in its cell, and nothing of its
// row is saved half.
// Each way of leaving a refused cell: the message names the field, the cell
// opens again with what was typed, the row stays and nothing is written.
TEST_F(RecordWindowTest, ARefusedTextStaysInItsCellAndNothingIsSavedHalf)
{
    enum class Leave { Tab, Enter, OtherRow, UpdateButton, AddButton, PreviousButton };
    struct Case {
        const char *what;
        bool catalogue;
        int col;
        Leave leave;
        QString message;
    };
    const QString code = QStringLiteral("Το πεδίο <Κωδικός> δέχεται μόνο αριθμούς.");
    const QString width = QStringLiteral("Το πεδίο <Εύρος> δέχεται μόνο αριθμούς.");
    const Case cases[] = {
        {"type code by Tab", false, 0, Leave::Tab, code},
        {"type code by Enter", false, 0, Leave::Enter, code},
        {"type code by another row", false, 0, Leave::OtherRow, code},
        {"type code by ΕΝΗΜΕΡΩΣΗ", false, 0, Leave::UpdateButton, code},
        {"type code by ΠΡΟΣΘΗΚΗ", false, 0, Leave::AddButton, code},
        {"type code by the previous-row arrow", false, 0, Leave::PreviousButton, code},
        {"catalogue width by Tab", true, 2, Leave::Tab, width},
        {"catalogue width by another row", true, 2, Leave::OtherRow, width},
        {"catalogue width by ΕΝΗΜΕΡΩΣΗ", true, 2, Leave::UpdateButton, width},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        rec.clear();
        addTypes(1);
        exec(QStringLiteral("insert into ProtasisXristi (Κωδικός, [Περιγραφή Είδους], Εύρος, Τύπος, Πάχος) "
                            "values (1, 'ΠΡΩΤΟ', 100, 1, 0.5)"));
        const QString table = c.catalogue ? QStringLiteral("ProtasisXristi") : QStringLiteral("Typos");
        const QStringList before = rows("select * from " + table);
        rec::GridRecordForm *f = c.catalogue ? static_cast<rec::GridRecordForm *>(openShown<frmProtasisXristi>())
                                             : openShown<frmTypos>();
        // A new row takes typing while browsing (ΠΡΟΣΘΗΚΗ shows then) and
        // while editing (ΕΝΗΜΕΡΩΣΗ shows then).
        f->cmdAdd->click();
        const bool browsing = c.leave == Leave::AddButton || c.leave == Leave::PreviousButton;
        if (!browsing) f->cmdEdit_Click();
        const int row = f->model()->rowCount() - 1;
        ASSERT_EQ(row, 1);
        // The columns before the refused one take what is typed.
        for (int col = 0; col < c.col; ++col)
            ASSERT_TRUE(typeInto(f, row, col, col == 0 ? QStringLiteral("7") : QStringLiteral("NEW")));
        if (c.col > 0) openEditor(f), f->grdDataGrid->commitCellEditor();
        QLineEdit *editor = typeInto(f, row, c.col, QStringLiteral("abc"));
        ASSERT_TRUE(editor);
        switch (c.leave) {
        case Leave::Tab: QTest::keyClick(editor, Qt::Key_Tab); break;
        case Leave::Enter: QTest::keyClick(editor, Qt::Key_Return); break;
        case Leave::OtherRow:
            QTest::mouseClick(f->grdDataGrid->viewport(), Qt::LeftButton, {},
                              f->grdDataGrid->visualRect(f->model()->index(0, 1)).center());
            break;
        case Leave::UpdateButton: QTest::mouseClick(f->cmdUpdate, Qt::LeftButton); break;
        case Leave::AddButton: QTest::mouseClick(f->cmdAdd, Qt::LeftButton); break;
        case Leave::PreviousButton: QTest::mouseClick(f->cmdPrevious, Qt::LeftButton); break;
        }
        QLineEdit *back = openEditor(f);
        EXPECT_EQ(rec.texts(), QStringList{c.message});
        ASSERT_TRUE(back);
        EXPECT_EQ(back->text(), QStringLiteral("abc"));
        EXPECT_EQ(f->grdDataGrid->currentIndex(), f->model()->index(row, c.col));
        EXPECT_EQ(f->model()->rowCount(), 2);
        EXPECT_EQ(rows("select * from " + table), before);

        // Corrected, the row is written whole.
        back->selectAll();
        QTest::keyClicks(back, QStringLiteral("9"));
        if (browsing) f->cmdEdit_Click();
        f->cmdUpdate_Click();
        EXPECT_EQ(rec.texts(), QStringList{c.message});
        EXPECT_EQ(rows("select * from " + table).size(), 2);
        f->unloadWithoutAsking();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        exec("delete from ProtasisXristi");
        exec("delete from Typos");
    }
}

// Escape gives the refused text up: the row is free again.
TEST_F(RecordWindowTest, EscapeGivesUpARefusedText)
{
    addTypes(2);
    frmTypos *f = openShown<frmTypos>();
    f->cmdEdit_Click();
    QLineEdit *editor = typeInto(f, 0, 0, QStringLiteral("two"));
    ASSERT_TRUE(editor);
    QTest::keyClick(editor, Qt::Key_Tab);
    QLineEdit *back = openEditor(f);
    ASSERT_TRUE(back);
    QTest::keyClick(back, Qt::Key_Escape);
    QCoreApplication::processEvents();
    f->cmdUpdate_Click();
    EXPECT_FALSE(f->isEditing());
    EXPECT_EQ(rows("select * from Typos order by Κωδικός"), (QStringList{"1|T1", "2|T2"}));
}

// What a planner may type into each column of the two grids: a number column
// takes any number the program reads and refuses the rest by the field's
// name; a text column keeps the text exactly; a type's code is a whole
// number and cannot be emptied. A refused text writes nothing.
TEST_F(RecordWindowTest, EveryColumnTakesWhatItCanHoldAndRefusesTheRestByName)
{
    const QString longText(5000, QChar(0x03AC)); // ά
    const QString only = QStringLiteral("Το πεδίο <%1> δέχεται μόνο αριθμούς.");
    const QString whole = QStringLiteral("Το πεδίο <Κωδικός> δέχεται μόνο ακέραιους αριθμούς.");
    struct Case {
        bool catalogue;
        int col;
        QString typed;
        QString stored;  // as read back ("NULL" for nothing); empty when refused
        QString message; // the refusal
    };
    const Case cases[] = {
        {true, 2, "1e308", "1e+308", {}},
        {true, 2, "1,79769313486232E+308", "1.7976931348623157e+308", {}},
        {true, 2, "1e-320", "1e-320", {}},
        {true, 2, " - 2,5 ", "-2.5", {}},
        {true, 2, "1.250", "1.25", {}},
        {true, 2, "", "NULL", {}},
        {true, 2, "-", {}, only.arg("Εύρος")},
        {true, 2, "1e400", {}, only.arg("Εύρος")},
        {true, 2, "1,2,3", {}, only.arg("Εύρος")},
        {true, 2, "ένα", {}, only.arg("Εύρος")},
        {true, 4, "0,5mm", {}, only.arg("Πάχος")},
        {true, 3, "Ά", {}, only.arg("Τύπος")},
        {true, 0, "Κ'1\"; drop table Typos; --", "Κ'1\"; drop table Typos; --", {}},
        {true, 1, longText, longText, {}},
        {true, 1, "Ταινία ψυχρής έλασης ΐΰ", "Ταινία ψυχρής έλασης ΐΰ", {}},
        {false, 0, "1,5", {}, whole},
        {false, 0, "1e308", {}, whole},
        {false, 0, "12", "12", {}},
        {false, 0, "", {}, QStringLiteral("Το πεδίο <Κωδικός> δεν μπορεί να μείνει κενό.")},
        {false, 1, "Γαλβανιζέ «Α'»", "Γαλβανιζέ «Α'»", {}},
    };
    addTypes(1);
    exec("insert into ProtasisXristi (Κωδικός, [Περιγραφή Είδους], Εύρος, Τύπος, Πάχος) values ('Κ', 'Δ', 100, 1, 0.5)");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed.left(40).toStdString());
        rec.clear();
        const QString table = c.catalogue ? QStringLiteral("ProtasisXristi") : QStringLiteral("Typos");
        const QStringList columns = c.catalogue ? QStringList{"Κωδικός", "[Περιγραφή Είδους]", "Εύρος", "Τύπος", "Πάχος"}
                                                : QStringList{"Κωδικός", "Τύπος"};
        const QString read = QStringLiteral("select %1 from %2").arg(columns[c.col], table);
        const QStringList before = rows("select * from " + table);
        rec::GridRecordForm *f = c.catalogue ? static_cast<rec::GridRecordForm *>(openShown<frmProtasisXristi>())
                                             : openShown<frmTypos>();
        f->cmdEdit_Click();
        const bool taken = setCell(f, 0, c.col, c.typed);
        f->cmdUpdate_Click();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(taken);
            EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
            EXPECT_EQ(rows(read), QStringList{c.stored});
            EXPECT_FALSE(f->isEditing());
        } else {
            EXPECT_FALSE(taken);
            EXPECT_EQ(rec.texts(), QStringList{c.message});
            EXPECT_EQ(rows("select * from " + table), before);
            EXPECT_TRUE(f->isEditing());
        }
        f->unloadWithoutAsking();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        exec("delete from ProtasisXristi");
        exec("delete from Typos");
        addTypes(1);
        exec("insert into ProtasisXristi (Κωδικός, [Περιγραφή Είδους], Εύρος, Τύπος, Πάχος) values ('Κ', 'Δ', 100, 1, 0.5)");
    }
}

// A new row typed cell by cell, a text refused and corrected on the way, is
// written when the planner leaves it with the arrow key. The message box takes
// the focus while it shows, as a real one does (which closes the cell's
// editor under it).
TEST_F(RecordWindowTest, ANewRowTypedThroughItsCellsIsWrittenOnLeavingIt)
{
    addTypes(1);
    exec("insert into ProtasisXristi (Κωδικός, [Περιγραφή Είδους], Εύρος) values ('Κ1', 'Α', 95)");
    frmProtasisXristi *f = openShown<frmProtasisXristi>();
    rec.onMessage = takeFocusWhileShown(f);
    rec::DataGrid *g = f->grdDataGrid;
    for (Qt::Key leaveRefused : {Qt::Key_Tab, Qt::Key_Return}) {
        SCOPED_TRACE(leaveRefused);
        rec.clear();
        f->cmdAdd->click();
        const int row = f->model()->rowCount() - 1;
        auto typeHere = [&](const QString &text, Qt::Key leave) {
            if (!g->cellEditorOpen()) g->edit(g->currentIndex());
            auto *editor = qobject_cast<QLineEdit *>(g->indexWidget(g->currentIndex()));
            ASSERT_TRUE(editor);
            editor->selectAll();
            QTest::keyClicks(editor, text);
            QTest::keyClick(editor, leave);
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
        };
        g->setCurrentIndex(f->model()->index(row, 0));
        const QString code = QStringLiteral("K%1").arg(row);
        typeHere(code, Qt::Key_Tab);
        typeHere("New", Qt::Key_Tab);
        typeHere("12o", leaveRefused);
        EXPECT_EQ(rec.texts(), QStringList{"Το πεδίο <Εύρος> δέχεται μόνο αριθμούς."});
        EXPECT_EQ(g->currentIndex(), f->model()->index(row, 2));
        typeHere("120", Qt::Key_Return);
        EXPECT_FALSE(g->cellEditorOpen());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        EXPECT_EQ(rows("select Κωδικός, [Περιγραφή Είδους], Εύρος from ProtasisXristi where Κωδικός = '" + code + "'"),
                  QStringList{code + "|New|120"});
        EXPECT_EQ(rec.messages.size(), 1);
        EXPECT_EQ(f->adoPrimaryRS()->currentRow(), row - 1);
    }
}

// A database that takes no writes (here one that only answers queries, as a
// read-only file does): every write of the editors is refused with a Greek
// message, nothing typed is dropped, and the table keeps its rows.
TEST_F(RecordWindowTest, RefusedWritesLoseNothingTyped)
{
    addTypes(2);
    exec("PRAGMA query_only = 1");
    const QString refused =
        QStringLiteral("Σφάλμα στη βάση δεδομένων: Η βάση δεδομένων δεν δέχεται αλλαγές (μόνο για ανάγνωση).");
    frmTypos *f = openShown<frmTypos>();

    // ΔΙΑΓΡΑΦΗ: the row stays, in the grid and in the table.
    f->cmdDelete->click();
    EXPECT_EQ(rec.texts(), QStringList{refused});
    EXPECT_EQ(f->model()->rowCount(), 2);

    // ΕΝΗΜΕΡΩΣΙΣ: the change stays typed and the window stays editing.
    rec.clear();
    f->cmdEdit_Click();
    ASSERT_TRUE(setCell(f, 1, 1, "ΑΛΛΑΓΗ"));
    f->cmdUpdate->click();
    EXPECT_EQ(rec.texts(), QStringList{refused});
    EXPECT_TRUE(f->isEditing());
    EXPECT_EQ(f->model()->index(1, 1).data().toString(), QStringLiteral("ΑΛΛΑΓΗ"));
    f->cmdCancel->click();

    // A new row: leaving it is refused, and it stays with what was typed.
    rec.clear();
    f->cmdAdd->click();
    ASSERT_TRUE(setCell(f, 2, 0, "9"));
    ASSERT_TRUE(setCell(f, 2, 1, "ΝΕΟΣ"));
    f->cmdFirst_Click();
    EXPECT_EQ(rec.texts(), QStringList{refused});
    EXPECT_EQ(f->adoPrimaryRS()->currentRow(), 2);
    EXPECT_EQ(f->model()->index(2, 1).data().toString(), QStringLiteral("ΝΕΟΣ"));

    // The parameters: refused, the typed texts kept, still editing.
    rec.clear();
    frmParameters *p = openShown<frmParameters>();
    p->cmdEdit->click();
    p->txtFields[5]->setText("1300");
    p->cmdUpdate->click();
    EXPECT_EQ(rec.texts(), QStringList{refused});
    EXPECT_TRUE(p->isEditing());
    EXPECT_EQ(p->txtFields[5]->text(), QStringLiteral("1300"));

    exec("PRAGMA query_only = 0");
    EXPECT_EQ(rows("select * from Typos order by Κωδικός"), (QStringList{"1|T1", "2|T2"}));
    EXPECT_EQ(rows("select MikosTainias from tblParameters"), QStringList{"1250"});
}

// ΔΙΑΓΡΑΦΗ on a new row whose cell holds a text not yet taken (or one
// refused): the row goes, with its text, and nothing is said about a text
// that goes with it.
TEST_F(RecordWindowTest, DeletingANewRowDropsWhatIsTypedInItWithoutAWord)
{
    addTypes(1);
    for (bool inMainWindow : {false, true}) {
        SCOPED_TRACE(inMainWindow ? "in the main window" : "a window of its own");
        exec("insert into ProtasisXristi (Κωδικός, Εύρος) values ('Κ', 100)");
        // In the main window a click gives the child window's frame the focus.
        std::unique_ptr<frmMain> main;
        if (inMainWindow) {
            main = std::make_unique<frmMain>();
            main->show();
        }
        frmProtasisXristi *f = openShown<frmProtasisXristi>();
        for (bool refusedFirst : {false, true}) {
            SCOPED_TRACE(refusedFirst);
            rec.clear();
            f->cmdAdd->click();
            QLineEdit *editor = typeInto(f, 1, 2, QStringLiteral("abc"));
            ASSERT_TRUE(editor);
            if (refusedFirst) {
                QTest::keyClick(editor, Qt::Key_Tab);
                ASSERT_TRUE(openEditor(f));
                rec.clear();
            }
            QTest::mouseClick(f->cmdDelete, Qt::LeftButton);
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
            EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
            EXPECT_EQ(f->model()->rowCount(), 1);
            EXPECT_FALSE(f->grdDataGrid->cellEditorOpen());
            EXPECT_EQ(rows("select Κωδικός, Εύρος from ProtasisXristi"), QStringList{"Κ|100"});
        }
        // A stored row is deleted as before.
        f->cmdDelete->click();
        EXPECT_TRUE(rows("select * from ProtasisXristi").isEmpty());
        EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
        f->unloadWithoutAsking();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// ΑΚΥΡΟ after a refused text gives the row up at once: the refusal, said
// when the text was refused, is not said again, and nothing is written.
TEST_F(RecordWindowTest, CancelAfterARefusedTextGivesTheRowUpWithoutRepeatingTheRefusal)
{
    const QString refusal = QStringLiteral("Το πεδίο <Εύρος> δέχεται μόνο αριθμούς.");
    struct Case {
        const char *what;
        bool newRow;
        Qt::Key leave;
        bool inMainWindow; // a child window: a click gives its frame the focus
    };
    const Case cases[] = {
        {"new row, Tab", true, Qt::Key_Tab, false},
        {"new row, Enter", true, Qt::Key_Return, false},
        {"stored row, Tab", false, Qt::Key_Tab, false},
        {"new row, Tab, in the main window", true, Qt::Key_Tab, true},
        {"stored row, Enter, in the main window", false, Qt::Key_Return, true},
    };
    addTypes(1);
    exec("insert into ProtasisXristi (Κωδικός, [Περιγραφή Είδους], Εύρος) values ('Κ1', 'Α', 95)");
    exec("insert into ProtasisXristi (Κωδικός, [Περιγραφή Είδους], Εύρος) values ('Κ2', 'Β', 120)");
    const QStringList before = rows("select * from ProtasisXristi order by ID");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<frmMain> main;
        if (c.inMainWindow) {
            main = std::make_unique<frmMain>();
            main->show();
        }
        frmProtasisXristi *f = openShown<frmProtasisXristi>();
        ASSERT_EQ(qobject_cast<QMdiSubWindow *>(f->parentWidget()) != nullptr, c.inMainWindow);
        rec.onMessage = takeFocusWhileShown(f);
        rec.clear();
        if (c.newRow) QTest::mouseClick(f->cmdAdd, Qt::LeftButton);
        QTest::mouseClick(f->cmdEdit, Qt::LeftButton);
        const int row = c.newRow ? 2 : 1;
        QLineEdit *editor = typeInto(f, row, 2, QStringLiteral("abc"));
        ASSERT_TRUE(editor);
        QTest::keyClick(editor, c.leave);
        ASSERT_TRUE(openEditor(f));
        ASSERT_EQ(rec.texts(), QStringList{refusal});

        QTest::mouseClick(f->cmdCancel, Qt::LeftButton);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_EQ(rec.texts(), QStringList{refusal});
        EXPECT_FALSE(f->isEditing());
        EXPECT_TRUE(browseButtonsShown(f));
        EXPECT_FALSE(f->grdDataGrid->cellEditorOpen());
        EXPECT_EQ(f->model()->rowCount(), 2);
        EXPECT_EQ(f->adoPrimaryRS()->currentRow(), 0);
        EXPECT_EQ(f->model()->index(1, 2).data().toString(), QStringLiteral("120"));
        EXPECT_EQ(rows("select * from ProtasisXristi order by ID"), before);
        // The window is free: the next row is taken by the arrow key.
        QTest::keyClick(f->grdDataGrid, Qt::Key_Down);
        EXPECT_EQ(f->adoPrimaryRS()->currentRow(), 1);
        EXPECT_EQ(rec.texts(), QStringList{refusal});
        rec.onMessage = nullptr;
        f->unloadWithoutAsking();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

namespace {
// Types into whatever has the focus, as a planner at the keyboard does.
void typeKeys(const QString &text, Qt::Key leave)
{
    // Greek letters have no key code of their own here: the text is what counts.
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(),
                            ch.unicode() < 128 ? Qt::Key(ch.toUpper().unicode()) : Qt::Key_A, QString(ch),
                            Qt::NoModifier);
    QTest::keyClick(QApplication::focusWidget(), leave);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}
} // namespace

// A planner typing a list of items: ΠΡΟΣΘΗΚΗ starts the new row at its first
// cell wherever the cursor stood, and Tab from the row's last cell writes it
// and begins the next one, so every text typed lands in the list.
TEST_F(RecordWindowTest, TypingAListOfItemsWithTabLandsEveryTextInItsCell)
{
    struct Case {
        const char *window;
        int startColumn; // where the cursor stands before ΠΡΟΣΘΗΚΗ
        QList<QStringList> items;
        const char *query;
        QStringList written;
    };
    const QList<Case> cases = {
        {"types", 0, {{"7", "ΨΥΧΡΗΣ"}, {"8", "ΘΕΡΜΗΣ"}}, "select * from Typos where Κωδικός > 2",
         {"7|ΨΥΧΡΗΣ", "8|ΘΕΡΜΗΣ"}},
        {"types", 1, {{"7", "ΨΥΧΡΗΣ"}, {"8", "ΘΕΡΜΗΣ"}}, "select * from Typos where Κωδικός > 2",
         {"7|ΨΥΧΡΗΣ", "8|ΘΕΡΜΗΣ"}},
        {"catalogue", 0, {{"Κ7", "Ταινία", "120", "1", "0,8"}, {"Κ8", "Λάμα", "95,5", "2", "1,5"}},
         "select Κωδικός, [Περιγραφή Είδους], Εύρος, Τύπος, Πάχος from ProtasisXristi order by Κωδικός",
         {"Κ7|Ταινία|120|1|0.8", "Κ8|Λάμα|95.5|2|1.5"}},
        {"catalogue", 3, {{"Κ7", "Ταινία", "120", "1", "0,8"}, {"Κ8", "Λάμα", "95,5", "2", "1,5"}},
         "select Κωδικός, [Περιγραφή Είδους], Εύρος, Τύπος, Πάχος from ProtasisXristi order by Κωδικός",
         {"Κ7|Ταινία|120|1|0.8", "Κ8|Λάμα|95.5|2|1.5"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.window) + " from column " + std::to_string(c.startColumn));
        addTypes(2);
        rec::GridRecordForm *f = c.window == std::string("types")
                                     ? static_cast<rec::GridRecordForm *>(openShown<frmTypos>())
                                     : static_cast<rec::GridRecordForm *>(openShown<frmProtasisXristi>());
        rec::DataGrid *g = f->grdDataGrid;
        const int before = f->model()->rowCount();
        if (before > 0) g->setCurrentIndex(f->model()->index(0, c.startColumn));
        g->setFocus();
        f->cmdAdd->click();
        for (int i = 0; i < c.items.size(); ++i) {
            const int row = before + i;
            ASSERT_EQ(g->currentIndex(), f->model()->index(row, 0)) << "item " << i;
            for (const QString &text : c.items[i]) typeKeys(text, Qt::Key_Tab);
        }
        EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
        EXPECT_EQ(rows(c.query), c.written);
        // The row begun after the last item waits at its first cell; left
        // untouched, it goes away.
        EXPECT_EQ(g->currentIndex(), f->model()->index(before + c.items.size(), 0));
        EXPECT_TRUE(f->adoPrimaryRS()->isAdding());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        EXPECT_EQ(f->model()->rowCount(), before + c.items.size());
        EXPECT_EQ(rows(c.query), c.written);
        f->cmdClose->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        exec("delete from ProtasisXristi");
        exec("delete from Typos");
        rec.clear();
    }
}

// Tab from the last cell of a new row that cannot be written yet stays in the
// row with everything typed; nothing is begun after it.
TEST_F(RecordWindowTest, TabFromANewRowThatCannotBeWrittenStaysInIt)
{
    addTypes(2);
    frmTypos *f = openShown<frmTypos>();
    rec::DataGrid *g = f->grdDataGrid;
    const int row = f->model()->rowCount();

    // A code already used: the database refuses the row.
    f->cmdAdd->click();
    typeKeys("1", Qt::Key_Tab);
    typeKeys("ΔΙΠΛΟΣ", Qt::Key_Tab);
    ASSERT_EQ(rec.messages.size(), 1);
    EXPECT_EQ(f->model()->rowCount(), row + 1);
    EXPECT_EQ(g->currentIndex().row(), row);
    EXPECT_EQ(f->model()->index(row, 1).data().toString(), QStringLiteral("ΔΙΠΛΟΣ"));
    EXPECT_EQ(rows("select count(*) from Typos"), QStringList{"2"});
    // Corrected, the row is written and the next one begun.
    rec.clear();
    g->setCurrentIndex(f->model()->index(row, 0));
    typeKeys("5", Qt::Key_Tab);
    typeKeys("", Qt::Key_Tab);
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
    EXPECT_EQ(rows("select * from Typos where Κωδικός = 5"), QStringList{"5|ΔΙΠΛΟΣ"});
    EXPECT_EQ(g->currentIndex(), f->model()->index(row + 1, 0));

    // A text refused in the last cell of the catalogue stays there.
    frmProtasisXristi *p = openShown<frmProtasisXristi>();
    rec::DataGrid *pg = p->grdDataGrid;
    pg->setFocus();
    p->cmdAdd->click();
    const int prow = p->model()->rowCount() - 1;
    for (const char *text : {"Κ1", "Α", "100", "1"}) typeKeys(text, Qt::Key_Tab);
    rec.clear();
    typeKeys("λεπτό", Qt::Key_Tab);
    EXPECT_EQ(rec.texts(), QStringList{"Το πεδίο <Πάχος> δέχεται μόνο αριθμούς."});
    EXPECT_EQ(pg->currentIndex(), p->model()->index(prow, 4));
    EXPECT_EQ(p->model()->rowCount(), prow + 1);
    EXPECT_TRUE(rows("select * from ProtasisXristi").isEmpty());
    auto *editor = openEditor(p);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->text(), QStringLiteral("λεπτό"));
    editor->selectAll();
    typeKeys("0,5", Qt::Key_Tab);
    EXPECT_EQ(rows("select Κωδικός, Πάχος from ProtasisXristi"), QStringList{"Κ1|0.5"});
    EXPECT_EQ(pg->currentIndex(), p->model()->index(prow + 1, 0));
}

// ΠΡΟΣΘΗΚΗ clicked while a cell of the row being added is still open: the
// typed text is taken with the row before the next one begins, and a text
// the cell cannot hold keeps the row where it is.
TEST_F(RecordWindowTest, AddingWhileACellIsOpenTakesItsTextFirst)
{
    struct Case {
        const char *width;
        QStringList messages;
        QStringList written;
        bool nextBegun;
    };
    const QList<Case> cases = {
        {"120", {}, {"Κ9|120"}, true},
        {"12ο", {"Το πεδίο <Εύρος> δέχεται μόνο αριθμούς."}, {}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.width);
        frmProtasisXristi *f = openShown<frmProtasisXristi>();
        rec::DataGrid *g = f->grdDataGrid;
        g->setFocus();
        f->cmdAdd->click();
        typeKeys("Κ9", Qt::Key_Tab);
        typeKeys("", Qt::Key_Tab);
        ASSERT_EQ(g->currentIndex(), f->model()->index(0, 2));
        for (const QChar ch : QString::fromUtf8(c.width))
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_A, QString(ch), Qt::NoModifier);
        ASSERT_TRUE(g->cellEditorOpen());
        QTest::mouseClick(f->cmdAdd, Qt::LeftButton);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_EQ(rec.texts(), c.messages);
        EXPECT_EQ(rows("select Κωδικός, Εύρος from ProtasisXristi"), c.written);
        if (c.nextBegun) {
            EXPECT_EQ(f->model()->rowCount(), 2);
            EXPECT_EQ(g->currentIndex(), f->model()->index(1, 0));
        } else {
            EXPECT_EQ(f->model()->rowCount(), 1);
            EXPECT_EQ(g->currentIndex(), f->model()->index(0, 2));
        }
        f->cmdClose->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        exec("delete from ProtasisXristi");
        rec.clear();
    }
}

// Tab walks the parameters as they stand on the screen, top to bottom, then
// the buttons shown in each state.
TEST_F(RecordWindowTest, ParametersTabFollowsTheScreenRows)
{
    frmParameters *f = openShown<frmParameters>();
    // Screen rows 1 to 6 hold the fields of index 1, 4, 2, 3, 5, 0; row 7 the
    // check box, which takes no focus while browsing (it is read-only then).
    QList<QWidget *> rowsOnScreen;
    for (int i : {1, 4, 2, 3, 5, 0}) rowsOnScreen << f->txtFields[i];
    struct Case {
        bool editing;
        QList<QWidget *> buttons;
    };
    for (const Case &c : {Case{false, {f->cmdEdit, f->cmdClose}}, Case{true, {f->cmdUpdate, f->cmdCancel}}}) {
        SCOPED_TRACE(c.editing ? "editing" : "browsing");
        if (c.editing) f->cmdEdit->click();
        const QList<QWidget *> expected =
            rowsOnScreen + (c.editing ? QList<QWidget *>{f->chkFields} : QList<QWidget *>{}) + c.buttons;
        expected.first()->setFocus();
        QList<QWidget *> seen{QApplication::focusWidget()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget();
        }
        EXPECT_EQ(seen, expected);
    }
    f->cmdCancel->click();
}
