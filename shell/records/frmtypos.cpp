#include "frmtypos.h"

#include "shell/module1.h"

#include <QHeaderView>
#include <QTableView>

frmTypos::frmTypos() : rec::GridRecordForm(QStringLiteral("frmTypos"), 5745, 3495)
{
    setWindowTitle(QStringLiteral("ΤΥΠΟΣ ΕΙΔΩΝ"));
    grdDataGrid->horizontalHeader()->setStretchLastSection(true);
    installKeyPreview();
}

void frmTypos::openFromMenu()
{
    if (frmTypos *f = rec::loadForMenu<frmTypos>()) Module1::ShowChildForm(f);
}

void frmTypos::Form_Load()
{
    blnEditing = false;
    openTable(QStringLiteral("Typos"), {}, QStringLiteral("Κωδικός"));
}
