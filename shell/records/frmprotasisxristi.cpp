#include "frmprotasisxristi.h"

#include "recordset.h"
#include "recordsetmodel.h"

#include "platform/database.h"
#include "platform/msgbox.h"
#include "platform/qnum.h"
#include "shell/module1.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QListWidget>
#include <QSqlQuery>
#include <QTableView>

using plat::tw;

namespace {

const QString kTable = QStringLiteral("ProtasisXristi");
const QStringList kColumns = {QStringLiteral("Κωδικός"), QStringLiteral("Περιγραφή Είδους"),
                              QStringLiteral("Εύρος"), QStringLiteral("Τύπος"), QStringLiteral("Πάχος")};
const QStringList kSortItems = {QStringLiteral("Κωδικός"), QStringLiteral("Περιγραφή Είδους"),
                                QStringLiteral("Εύρος"), QStringLiteral("Τύπος"), QStringLiteral("Πάχος")};

QListWidget *makeList(QGroupBox *frame, const char *name)
{
    auto *list = new QListWidget(frame);
    list->setObjectName(QString::fromLatin1(name));
    list->setSortingEnabled(false);
    list->setGeometry(tw(60), tw(210), tw(2925), tw(1230));
    return list;
}

} // namespace

const QStringList &frmProtasisXristi::sortExpressions()
{
    static const QStringList list = {QStringLiteral("Κωδικός"), QStringLiteral("[Περιγραφή Είδους]"),
                                     QStringLiteral("Εύρος"), QStringLiteral("Τύπος"), QStringLiteral("Πάχος")};
    return list;
}

frmProtasisXristi::frmProtasisXristi() : rec::GridRecordForm(QStringLiteral("frmProtasisXristi"), 11520, 3495)
{
    setWindowTitle(QStringLiteral("ΑΡΧΕΙΟ ΕΙΔΩΝ"));
    // Narrow enough that all five columns stay visible left of the two frames
    // once the description is widened.
    grdDataGrid->horizontalHeader()->setDefaultSectionSize(tw(1125));

    Frame1 = new QGroupBox(QStringLiteral("ΤΥΠΟΣ"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(tw(8340), tw(30), tw(3075), tw(1575));
    List1 = makeList(Frame1, "List1");

    Frame2 = new QGroupBox(QStringLiteral("ΤΑΞΙΝΟΜΙΣΙΣ ΩΣ ΠΡΟΣ"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(tw(8340), tw(1710), tw(3075), tw(1575));
    List2 = makeList(Frame2, "List2");
    // The list's cursor also moves by itself (focus by Tab puts it on the first
    // item): only a change of the selected item is the user's choice.
    connect(List2, &QListWidget::itemSelectionChanged, this, &frmProtasisXristi::List2_Click);

    // The frames are drawn over the grid's right-hand side.
    for (QGroupBox *f : {Frame1, Frame2}) {
        f->setAutoFillBackground(true);
        f->raise();
    }
    installKeyPreview();
}

void frmProtasisXristi::Form_Load()
{
    blnEditing = false;
    {
        const QSignalBlocker block(List2);
        List2->clear();
        List2->addItems(kSortItems);
        List2->setCurrentRow(-1);
    }
    OrderBy(QStringLiteral("[Περιγραφή Είδους]"));
}

bool frmProtasisXristi::OrderBy(const QString &sortExpression)
{
    const int pos = sortExpressions().indexOf(sortExpression);
    if (pos < 0) return false;
    // A change typed into the rows is written before they are read again, as
    // leaving its row would; if it cannot be written, nothing is reordered.
    if (m_rs->isOpen()) {
        commitOpenEditor();
        if (holdsRefusedText()) return false;
        if (QString err = m_rs->update(); !err.isEmpty()) {
            showFailure(err);
            return false;
        }
    }
    return openTable(kTable, kColumns, kColumns[pos]);
}

void frmProtasisXristi::List2_Click()
{
    const QList<QListWidgetItem *> selected = List2->selectedItems();
    const int pos = selected.isEmpty() ? -1 : List2->row(selected.first());
    if (pos >= 0 && pos < sortExpressions().size()) OrderBy(sortExpressions()[pos]);
}

void frmProtasisXristi::openFromMenu()
{
    frmProtasisXristi *f = rec::loadForMenu<frmProtasisXristi>();
    if (!f) return;

    f->List1->clear();
    QSqlQuery q(plat::Database::db());
    q.setForwardOnly(true);
    if (q.exec(QStringLiteral("select * from Typos"))) {
        while (q.next())
            f->List1->addItem(rec::displayText(q.value(QStringLiteral("Κωδικός"))) + QLatin1Char('\t') +
                              rec::displayText(q.value(QStringLiteral("Τύπος"))));
    } else {
        // The catalogue itself is open; only the legend is missing.
        plat::msgBox(QStringLiteral("Δεν είναι δυνατό να διαβαστούν οι τύποι ειδών.\n") +
                         plat::dbErrorText(q.lastError()),
                     plat::MsgOkOnly);
    }
    q.finish();

    Module1::ShowChildForm(f);
    f->grdDataGrid->setColumnWidth(1, tw(3300));
}
