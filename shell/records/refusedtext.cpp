// A text typed into a grid cell that the rows refuse (letters in a numeric
// column) is not dropped: the message says why, the cell opens again with
// what was typed, and its row is neither left nor written until the text is
// corrected or given up (Escape, or ΑΚΥΡΟ with the rest of the row).
#include "recordform.h"

#include "recordsetmodel.h"

#include <QLineEdit>
#include <QTimer>

namespace rec {

void DataGrid::discardCellEditor()
{
    if (!cellEditorOpen()) return;
    if (QWidget *editor = indexWidget(currentIndex())) closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool GridRecordForm::settleTyping()
{
    commitOpenEditor();
    return !holdsRefusedText();
}

void GridRecordForm::keepRefusedText(const QModelIndex &cell, const QString &typed)
{
    if (m_closing) return;
    ++m_refusals;
    m_refusedCell = cell;
    m_refusedText = typed;
    // The view closes the editor after this returns; it opens again then.
    QTimer::singleShot(0, this, &GridRecordForm::reopenRefusedCell);
}

void GridRecordForm::reopenRefusedCell()
{
    const QModelIndex cell = m_refusedCell;
    if (m_closing || !cell.isValid() || !(m_model->flags(cell) & Qt::ItemIsEditable)) {
        // The row went away or takes no typing any more (cancelled).
        m_refusedCell = QPersistentModelIndex();
        return;
    }
    grdDataGrid->discardCellEditor();
    m_syncing = true;
    grdDataGrid->setCurrentIndex(cell);
    m_syncing = false;
    grdDataGrid->edit(cell);
    m_reopenedEditor = grdDataGrid->indexWidget(cell);
    m_refusalsAtReopen = m_refusals;
    if (auto *box = qobject_cast<QLineEdit *>(m_reopenedEditor.data())) {
        box->setText(m_refusedText);
        box->setFocus();
    }
}

void GridRecordForm::refusedEditorClosed(QWidget *editor, int)
{
    // The given-back text was accepted, or given up: the row is free again.
    // A refusal of it again has already asked for the cell once more.
    if (!m_reopenedEditor || editor != m_reopenedEditor) return;
    m_reopenedEditor = nullptr;
    if (m_refusals == m_refusalsAtReopen) m_refusedCell = QPersistentModelIndex();
}

} // namespace rec
