#include "recordform.h"

#include "navigation.h"
#include "recordset.h"
#include "recordsetmodel.h"

#include "platform/database.h"
#include "platform/msgbox.h"
#include "platform/qnum.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

namespace rec {

namespace {

int g_beeps = 0;

using plat::tw;

// Places of the action buttons on their strip and of the status strip's
// controls, as the windows were designed.
constexpr int kStripHeight = 300;
constexpr int kButtonWidth = 1275;
constexpr int kAddLeft = 290, kEditLeft = 1675, kDeleteLeft = 3060, kCloseLeft = 4445;
constexpr int kNavWidth = 345;
constexpr int kStatusLeft = 690, kStatusWidth = 3360, kStatusHeight = 285;
constexpr int kNextLeft = 4200, kLastLeft = 4545;

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, int left)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(tw(left), 0, tw(kButtonWidth), tw(kStripHeight));
    b->setAutoDefault(false);
    return b;
}

QToolButton *makeNavButton(QWidget *parent, const char *name, Qt::ArrowType arrow, int left)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setArrowType(arrow);
    b->setGeometry(tw(left), 0, tw(kNavWidth), tw(kStripHeight));
    b->hide();
    return b;
}

int shiftMaskOf(Qt::KeyboardModifiers m)
{
    int s = 0;
    if (m & Qt::ShiftModifier) s |= ShiftKey;
    if (m & Qt::ControlModifier) s |= CtrlKey;
    if (m & Qt::AltModifier) s |= AltKey;
    return s;
}

int keyCodeOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Escape: return KeyEscape;
    case Qt::Key_PageUp: return KeyPageUp;
    case Qt::Key_PageDown: return KeyPageDown;
    case Qt::Key_End: return KeyEnd;
    case Qt::Key_Home: return KeyHome;
    case Qt::Key_Up: return KeyUp;
    case Qt::Key_Down: return KeyDown;
    default: return 0;
    }
}

} // namespace

void soundBeep()
{
    ++g_beeps;
    QApplication::beep();
}

int beepCount() { return g_beeps; }

// ---------------------------------------------------------------------------

RecordForm::RecordForm(const QString &name, QWidget *parent) : plat::Form(name, parent), m_rs(new RecordSet(this))
{
    picButtons = new QFrame(this);
    picButtons->setObjectName(QStringLiteral("picButtons"));
    picStatBox = new QFrame(this);
    picStatBox->setObjectName(QStringLiteral("picStatBox"));

    cmdEdit = makeButton(picButtons, "cmdEdit", QStringLiteral("ΔΙΟΡΘΩΣΙΣ"), kEditLeft);
    cmdClose = makeButton(picButtons, "cmdClose", QStringLiteral("ΕΞΟΔΟΣ"), kCloseLeft);
    cmdUpdate = makeButton(picButtons, "cmdUpdate", QStringLiteral("ΕΝΗΜΕΡΩΣΙΣ"), kAddLeft);
    cmdCancel = makeButton(picButtons, "cmdCancel", QStringLiteral("ΑΚΥΡΟ"), kEditLeft);
    cmdUpdate->hide();
    cmdCancel->hide();

    cmdFirst = makeNavButton(picStatBox, "cmdFirst", Qt::UpArrow, 0);
    cmdPrevious = makeNavButton(picStatBox, "cmdPrevious", Qt::LeftArrow, kNavWidth);
    cmdNext = makeNavButton(picStatBox, "cmdNext", Qt::RightArrow, kNextLeft);
    cmdLast = makeNavButton(picStatBox, "cmdLast", Qt::DownArrow, kLastLeft);
    lblStatus = new QLabel(picStatBox);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setGeometry(tw(kStatusLeft), 0, tw(kStatusWidth), tw(kStatusHeight));
    lblStatus->setAutoFillBackground(true);
    QPalette pal = lblStatus->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    lblStatus->setPalette(pal);

    connect(cmdEdit, &QPushButton::clicked, this, &RecordForm::cmdEdit_Click);
    connect(cmdUpdate, &QPushButton::clicked, this, [this] { cmdUpdate_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, &RecordForm::cmdCancel_Click);
    connect(cmdClose, &QPushButton::clicked, this, &RecordForm::cmdClose_Click);
    connect(cmdFirst, &QToolButton::clicked, this, &RecordForm::cmdFirst_Click);
    connect(cmdPrevious, &QToolButton::clicked, this, &RecordForm::cmdPrevious_Click);
    connect(cmdNext, &QToolButton::clicked, this, &RecordForm::cmdNext_Click);
    connect(cmdLast, &QToolButton::clicked, this, &RecordForm::cmdLast_Click);
    connect(m_rs, &RecordSet::moveComplete, this, [this] { adoPrimaryRS_MoveComplete(); });
}

RecordForm::~RecordForm() = default;

void RecordForm::setInnerSize(int w, int h)
{
    m_designSize = QSize(w, h);
    resize(w, h);
}

void RecordForm::showEvent(QShowEvent *e)
{
    plat::Form::showEvent(e);
    // Inside the main window the frame adds a title bar and borders: size the
    // frame so that the client area is the designed one.
    if (!m_frameSized) {
        m_frameSized = true;
        if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget())) sub->resize(sub->sizeHint());
    }
}

void RecordForm::installKeyPreview()
{
    installEventFilter(this);
    for (QWidget *w : findChildren<QWidget *>()) w->installEventFilter(this);
}

bool RecordForm::eventFilter(QObject *obj, QEvent *e)
{
    if (e->type() == QEvent::KeyPress && !isUnloaded()) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (keyBelongsToEditor()) return false;
        const int code = keyCodeOf(k->key());
        if (code == 0) return false;
        return Form_KeyDown(code, shiftMaskOf(k->modifiers()));
    }
    return plat::Form::eventFilter(obj, e);
}

bool RecordForm::Form_KeyDown(int keyCode, int shift)
{
    if (blnEditing) return false;
    switch (navigationAction(keyCode, shift)) {
    case NavAction::None: return false;
    case NavAction::Close: cmdClose_Click(); break;
    case NavAction::First: cmdFirst_Click(); break;
    case NavAction::Last: cmdLast_Click(); break;
    case NavAction::Previous: cmdPrevious_Click(); break;
    case NavAction::Next: cmdNext_Click(); break;
    }
    return true;
}

void RecordForm::showFailure(const QString &description) { plat::msgBox(description, plat::MsgOkOnly); }

void RecordForm::failOpening(const QString &reason)
{
    m_openError = reason;
    plat::msgBox(QStringLiteral("Το παράθυρο «%1» δεν μπορεί να ανοίξει.\n%2").arg(windowTitle(), reason),
                 plat::MsgOkOnly);
}

void RecordForm::adoPrimaryRS_MoveComplete()
{
    lblStatus->setText(QStringLiteral("Record: ") + plat::intText(m_rs->absolutePosition()));
}

void RecordForm::SetButtons(bool b)
{
    if (cmdAdd) cmdAdd->setVisible(b);
    cmdEdit->setVisible(b);
    cmdUpdate->setVisible(!b);
    cmdCancel->setVisible(!b);
    if (cmdDelete) cmdDelete->setVisible(b);
    cmdClose->setVisible(b);
    cmdNext->setEnabled(b);
    cmdFirst->setEnabled(b);
    cmdLast->setEnabled(b);
    cmdPrevious->setEnabled(b);
}

void RecordForm::cmdEdit_Click()
{
    lblStatus->setText(QStringLiteral("Edit record"));
    blnEditing = true;
    SetButtons(false);
    editingChanged();
}

void RecordForm::cmdUpdate_Click() { writeAndBrowse(); }

bool RecordForm::writeAndBrowse()
{
    if (QString err = m_rs->update(); !err.isEmpty()) {
        showFailure(err);
        return false;
    }
    blnEditing = false;
    SetButtons(true);
    editingChanged();
    return true;
}

void RecordForm::cmdCancel_Click()
{
    SetButtons(true);
    blnEditing = false;
    editingChanged();
    m_rs->cancelUpdate();
    m_rs->moveFirst(); // a failure here is not reported
}

void RecordForm::cmdClose_Click() { unload(); }

void RecordForm::cmdFirst_Click()
{
    if (!settleTyping()) return;
    if (QString err = m_rs->moveFirst(); !err.isEmpty()) showFailure(err);
}

void RecordForm::cmdLast_Click()
{
    if (!settleTyping()) return;
    if (QString err = m_rs->moveLast(); !err.isEmpty()) showFailure(err);
}

void RecordForm::cmdNext_Click()
{
    if (!settleTyping()) return;
    if (!m_rs->eof()) {
        if (QString err = m_rs->moveNext(); !err.isEmpty()) {
            showFailure(err);
            return;
        }
    }
    if (m_rs->eof() && m_rs->rowCount() > 0) {
        soundBeep();
        if (QString err = m_rs->moveLast(); !err.isEmpty()) showFailure(err);
    }
}

void RecordForm::cmdPrevious_Click()
{
    if (!settleTyping()) return;
    if (!m_rs->bof()) {
        if (QString err = m_rs->movePrevious(); !err.isEmpty()) {
            showFailure(err);
            return;
        }
    }
    if (m_rs->bof() && m_rs->rowCount() > 0) {
        soundBeep();
        if (QString err = m_rs->moveFirst(); !err.isEmpty()) showFailure(err);
    }
}

void RecordForm::resizeEvent(QResizeEvent *e)
{
    plat::Form::resizeEvent(e);
    Form_Resize();
}

void RecordForm::Form_Resize()
{
    // The two strips stay on the bottom edge, full width.
    const int strip = tw(kStripHeight);
    picStatBox->setGeometry(0, height() - strip, width(), strip);
    picButtons->setGeometry(0, height() - 2 * strip, width(), strip);
    // A step that cannot be done (the window is too small) is skipped.
    const int statusWidth = frame()->width() - tw(1500);
    if (statusWidth >= 0) lblStatus->resize(statusWidth, lblStatus->height());
    cmdNext->move(lblStatus->width() + tw(700), cmdNext->y());
    cmdLast->move(cmdNext->x() + tw(340), cmdLast->y());
}

void RecordForm::Form_Unload()
{
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    blnEditing = false;
    // Closing discards what was not written.
    m_rs->cancelUpdate();
    m_rs->close();
}

// ---------------------------------------------------------------------------

GridRecordForm::GridRecordForm(const QString &name, int designWidth, int gridHeight, QWidget *parent)
    : RecordForm(name, parent)
{
    grdDataGrid = new DataGrid(this);
    grdDataGrid->setObjectName(QStringLiteral("grdDataGrid"));
    grdDataGrid->setGeometry(0, 0, tw(designWidth), tw(gridHeight));
    grdDataGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    grdDataGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grdDataGrid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    grdDataGrid->verticalHeader()->setDefaultSectionSize(tw(255));
    grdDataGrid->verticalHeader()->setMinimumWidth(tw(255));
    grdDataGrid->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    grdDataGrid->horizontalHeader()->setHighlightSections(false);
    grdDataGrid->lower();

    m_model = new RecordSetModel(m_rs, this);
    m_model->rowEditable = [this](int row) {
        return blnEditing || (m_rs->isAdding() && row == m_rs->rowCount() - 1);
    };
    m_model->reportError = [this](const QString &err) {
        if (!m_closing) showFailure(err);
    };
    connect(m_model, &RecordSetModel::textRefused, this, &GridRecordForm::keepRefusedText);
    connect(grdDataGrid->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget *editor, QAbstractItemDelegate::EndEditHint hint) { refusedEditorClosed(editor, hint); });
    grdDataGrid->setModel(m_model);
    connect(grdDataGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &cur, const QModelIndex &) {
                if (!m_syncing && !m_model->changingRows() && cur.isValid()) gridRowChanged(cur.row());
            });

    cmdAdd = makeButton(picButtons, "cmdAdd", QStringLiteral("ΠΡΟΣΘΗΚΗ"), kAddLeft);
    cmdDelete = makeButton(picButtons, "cmdDelete", QStringLiteral("ΔΙΑΓΡΑΦΗ"), kDeleteLeft);
    cmdUpdate->raise();
    cmdCancel->raise();
    connect(cmdAdd, &QPushButton::clicked, this, &GridRecordForm::cmdAdd_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &GridRecordForm::cmdDelete_Click);
    grdDataGrid->editorOpened = [this](QWidget *editor) { editor->installEventFilter(this); };
    // A planner typing a list of items goes on with the next one: Tab from
    // the last cell of the row being added writes it and begins another,
    // instead of wrapping to the first row, where typing goes nowhere.
    grdDataGrid->nextAfterLastCell = [this]() -> QModelIndex {
        const QModelIndex cur = grdDataGrid->currentIndex();
        if (!m_rs->isAdding() || cur.row() != m_rs->rowCount() - 1) return {};
        // A text given back to its cell and now taken frees the row; the
        // editor closing with it is told so only after this move.
        const bool givenBackTaken = m_reopenedEditor && m_refusals == m_refusalsAtReopen;
        if (holdsRefusedText() && !givenBackTaken) return cur;
        if (QString err = m_rs->addNew(); !err.isEmpty()) {
            showFailure(err);
            return grdDataGrid->currentIndex();
        }
        return m_model->index(m_rs->rowCount() - 1, 0);
    };

    setInnerSize(tw(designWidth), tw(gridHeight + 30 + 2 * kStripHeight));
}

bool GridRecordForm::openTable(const QString &table, const QStringList &columns, const QString &sortColumn)
{
    QVector<int> widths;
    for (int i = 0; i < m_model->columnCount(); ++i) widths << grdDataGrid->columnWidth(i);
    const QString err = m_rs->open(plat::Database::db(), table, columns, sortColumn);
    if (!err.isEmpty()) {
        if (m_openError.isEmpty() && !isVisible())
            failOpening(err);
        else
            showFailure(err);
        return false;
    }
    if (widths.size() == m_model->columnCount())
        for (int i = 0; i < widths.size(); ++i) grdDataGrid->setColumnWidth(i, widths[i]);
    syncGridToRecordSet();
    return true;
}

void DataGrid::commitCellEditor()
{
    if (!cellEditorOpen()) return;
    if (QWidget *editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

bool DataGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    const bool editing = QTableView::edit(index, trigger, event);
    if (editing && editorOpened)
        if (QWidget *editor = indexWidget(index)) editorOpened(editor);
    return editing;
}

QModelIndex DataGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex cur = currentIndex();
    if (cursorAction == MoveNext && nextAfterLastCell && cur.isValid() && model() &&
        cur.row() == model()->rowCount() - 1 &&
        horizontalHeader()->visualIndex(cur.column()) == horizontalHeader()->count() - 1) {
        if (const QModelIndex next = nextAfterLastCell(); next.isValid()) return next;
    }
    return QTableView::moveCursor(cursorAction, modifiers);
}

void GridRecordForm::commitOpenEditor()
{
    const bool open = grdDataGrid->cellEditorOpen();
    const int refusals = m_refusals;
    grdDataGrid->commitCellEditor();
    // A text given back and now taken frees its row.
    if (open && refusals == m_refusals) m_refusedCell = QPersistentModelIndex();
}

void GridRecordForm::syncGridToRecordSet()
{
    const int row = m_rs->currentRow();
    const QModelIndex cur = grdDataGrid->currentIndex();
    m_syncing = true;
    if (row < 0) {
        if (cur.isValid()) grdDataGrid->selectionModel()->clearCurrentIndex();
    } else if (!cur.isValid() || cur.row() != row) {
        grdDataGrid->setCurrentIndex(m_model->index(row, cur.isValid() ? cur.column() : 0));
    }
    m_syncing = false;
}

void GridRecordForm::gridRowChanged(int row)
{
    if (row == m_rs->currentRow()) return;
    // A refused text goes back into its cell: its row stays current.
    if (holdsRefusedText()) {
        syncGridToRecordSet();
        return;
    }
    // The user picked another row in the grid: the row left is written first;
    // when that fails the grid goes back to it.
    if (QString err = m_rs->moveTo(row); !err.isEmpty()) {
        showFailure(err);
        syncGridToRecordSet();
    }
}

void GridRecordForm::adoPrimaryRS_MoveComplete()
{
    RecordForm::adoPrimaryRS_MoveComplete();
    syncGridToRecordSet();
}

bool GridRecordForm::keyBelongsToEditor() const
{
    if (grdDataGrid->cellEditorOpen()) return true;
    QWidget *fw = QApplication::focusWidget();
    return fw && fw != grdDataGrid->viewport() && grdDataGrid->viewport()->isAncestorOf(fw);
}

void GridRecordForm::cmdAdd_Click()
{
    if (holdsRefusedText()) return;
    // On an empty table there is no last row to go to: the new row is simply
    // the first.
    if (m_rs->rowCount() > 0) {
        if (QString err = m_rs->moveLast(); !err.isEmpty()) {
            showFailure(err);
            return;
        }
    }
    if (QString err = m_rs->addNew(); !err.isEmpty()) {
        showFailure(err);
        return;
    }
    // The new row is typed from its first cell, wherever the cursor stood.
    m_syncing = true;
    grdDataGrid->setCurrentIndex(m_model->index(m_rs->rowCount() - 1, 0));
    m_syncing = false;
    grdDataGrid->setFocus();
}

void GridRecordForm::cmdDelete_Click()
{
    // What is typed into a new row goes with the row.
    if (m_rs->isAdding() && m_rs->currentRow() == m_rs->rowCount() - 1) {
        grdDataGrid->discardCellEditor();
        m_refusedCell = QPersistentModelIndex();
    } else {
        commitOpenEditor();
    }
    if (m_rs->currentRow() < 0) return;
    if (QString err = m_rs->deleteCurrent(); !err.isEmpty()) {
        showFailure(err);
        return;
    }
    // The row after the deleted one is current now; past the end, the last.
    if (m_rs->eof() && m_rs->rowCount() > 0) {
        if (QString err = m_rs->moveLast(); !err.isEmpty()) showFailure(err);
    }
}

void GridRecordForm::cmdUpdate_Click()
{
    commitOpenEditor();
    // Nothing of a row is written while one of its texts was refused.
    if (holdsRefusedText()) return;
    RecordForm::cmdUpdate_Click();
}

bool GridRecordForm::eventFilter(QObject *obj, QEvent *e)
{
    // A press on ΑΚΥΡΟ or ΔΙΑΓΡΑΦΗ takes the focus from the cell being typed
    // before the button acts. The button settles what is typed there (given
    // up with the row, or handed over before a stored row is deleted): it is
    // not handed over on the way, where a refused text would be said again.
    if (e->type() == QEvent::FocusOut && grdDataGrid->cellEditorOpen() &&
        obj == grdDataGrid->indexWidget(grdDataGrid->currentIndex())) {
        QWidget *to = QApplication::focusWidget();
        if (to && (to == cmdCancel || to == cmdDelete)) return true;
    }
    return RecordForm::eventFilter(obj, e);
}

void GridRecordForm::cmdCancel_Click()
{
    // What is typed in the open cell is given up with the rest of the row.
    grdDataGrid->discardCellEditor();
    m_refusedCell = QPersistentModelIndex();
    RecordForm::cmdCancel_Click();
}

void GridRecordForm::Form_Resize()
{
    RecordForm::Form_Resize();
    const int gridHeight = height() - tw(30) - picButtons->height() - picStatBox->height();
    if (gridHeight >= 0) grdDataGrid->resize(grdDataGrid->width(), gridHeight);
}

void GridRecordForm::Form_Unload()
{
    m_closing = true;
    RecordForm::Form_Unload();
}

} // namespace rec
