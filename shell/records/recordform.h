#pragma once
// The record-editing window shared by the parameters, catalogue and item-types
// windows: one RecordSet, a browsing and an editing state, the action buttons,
// the record counter, navigation by buttons and keys, resizing.
#include "platform/forms.h"

#include <QSize>
#include <QString>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableView>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;
class QToolButton;

namespace rec {

class RecordSet;
class RecordSetModel;

// The system beep at either end of the rows. Counted, so tests can see it.
void soundBeep();
int beepCount();

class RecordForm : public plat::Form {
    Q_OBJECT
public:
    explicit RecordForm(const QString &name, QWidget *parent = nullptr);
    ~RecordForm() override;

    RecordSet *adoPrimaryRS() const { return m_rs; }
    bool isEditing() const { return blnEditing; }
    // Why the window's table could not be opened; empty when it was.
    QString openError() const { return m_openError; }

    void cmdEdit_Click();
    virtual void cmdUpdate_Click();
    virtual void cmdCancel_Click();
    void cmdClose_Click();
    void cmdFirst_Click();
    void cmdPrevious_Click();
    void cmdNext_Click();
    void cmdLast_Click();
    // Acts on a key while browsing (key code and shift mask of navigation.h);
    // returns whether the window acted on it, so the key goes no further.
    bool Form_KeyDown(int keyCode, int shift);

    void Form_Unload() override;

    // Buttons and status strip, shared by every member.
    QFrame *picButtons = nullptr;
    QFrame *picStatBox = nullptr;
    QPushButton *cmdEdit = nullptr;
    QPushButton *cmdClose = nullptr;
    QPushButton *cmdUpdate = nullptr;
    QPushButton *cmdCancel = nullptr;
    QToolButton *cmdFirst = nullptr;
    QToolButton *cmdPrevious = nullptr;
    QToolButton *cmdNext = nullptr;
    QToolButton *cmdLast = nullptr;
    QLabel *lblStatus = nullptr;
    // The grid members' buttons; null in the parameters window.
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdDelete = nullptr;

    QSize sizeHint() const override { return m_designSize; }

protected:

    void SetButtons(bool b);
    virtual void Form_Resize();
    // After the editing state changes (to make fields read-only or not).
    virtual void editingChanged() {}
    // After every change of the current row.
    virtual void adoPrimaryRS_MoveComplete();
    // True while a key belongs to an open cell editor.
    virtual bool keyBelongsToEditor() const { return false; }
    // Before a move: hands what is being typed to the row; false when the
    // row holds a refused text and may not be left.
    virtual bool settleTyping() { return true; }
    // Keys reach the window before the focused control: call once every
    // control exists.
    void installKeyPreview();
    // Shows a failure with its description (OK only, program's title).
    void showFailure(const QString &description);
    // The window could not open its table: says so once, with the reason.
    void failOpening(const QString &reason);
    // The window's client size as designed; a child window's frame is sized
    // around it when first shown.
    void setInnerSize(int w, int h);
    // Writes the pending change and returns to browsing; a failed write is
    // shown and leaves the window editing. Returns whether it was written.
    bool writeAndBrowse();

    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *obj, QEvent *e) override;

    RecordSet *m_rs = nullptr;
    bool blnEditing = false;
    QString m_openError;

private:
    QSize m_designSize;
    bool m_frameSized = false;
};

// The grid of the grid members: a table view that can say whether a cell
// editor is open and hand the editor's text to the rows.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    using QTableView::QTableView;
    using QTableView::edit;
    bool cellEditorOpen() const { return state() == EditingState; }
    void commitCellEditor();
    // Closes an open cell editor without handing its text to the rows.
    void discardCellEditor();
    // Where Tab goes from the last cell of the last row; unset or answering
    // an invalid index, the grid wraps to the first row.
    std::function<QModelIndex()> nextAfterLastCell;
    // Told of every cell editor the grid opens.
    std::function<void(QWidget *editor)> editorOpened;

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
};

// Loads a record-editing window for its menu command. A window whose table
// could not be opened (it has said why) is closed again and null returned.
template <class T>
T *loadForMenu()
{
    const bool wasLoaded = plat::FormInstance<T>::loaded();
    T *f = plat::FormInstance<T>::get();
    if (!wasLoaded && !f->openError().isEmpty()) {
        f->unloadWithoutAsking();
        return nullptr;
    }
    return f;
}

// A member that shows its rows in a grid and can add and delete rows.
class GridRecordForm : public RecordForm {
    Q_OBJECT
public:
    explicit GridRecordForm(const QString &name, int designWidth, int gridHeight, QWidget *parent = nullptr);

    DataGrid *grdDataGrid = nullptr;
    RecordSetModel *model() const { return m_model; }

    void cmdAdd_Click();
    void cmdDelete_Click();
    void cmdUpdate_Click() override;
    void cmdCancel_Click() override;
    void Form_Unload() override;

protected:
    // (Re)opens the table into the grid, keeping the column widths; reports a
    // failure itself and returns whether the table is open in the new order.
    bool openTable(const QString &table, const QStringList &columns, const QString &sortColumn);
    // Hands an open cell editor's text to the rows, as leaving the cell would.
    void commitOpenEditor();
    // A typed text was refused and is being given back to its cell: the row
    // may not be left nor written until it is corrected or given up.
    bool holdsRefusedText() const { return m_refusedCell.isValid(); }

    void adoPrimaryRS_MoveComplete() override;
    bool keyBelongsToEditor() const override;
    bool settleTyping() override;
    void Form_Resize() override;
    bool eventFilter(QObject *obj, QEvent *e) override;

private:
    void syncGridToRecordSet();
    void gridRowChanged(int row);
    void keepRefusedText(const QModelIndex &cell, const QString &typed);
    void reopenRefusedCell();
    void refusedEditorClosed(QWidget *editor, int hint);

    RecordSetModel *m_model = nullptr;
    bool m_syncing = false;
    bool m_closing = false;
    // The cell whose typed text was refused, and that text.
    QPersistentModelIndex m_refusedCell;
    QString m_refusedText;
    int m_refusals = 0;           // refusals so far
    int m_refusalsAtReopen = 0;   // ... when the text was given back
    QPointer<QWidget> m_reopenedEditor;
};

} // namespace rec
