#include "fixed_knife/frm_search.h"

#include "fixed_knife/form3.h"
#include "platform/msgbox.h"
#include "platform/qnum.h"
#include "platform/controls.h"
#include "platform/widgets.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>

namespace cat = fk::catalogue;

namespace {

QString cellText(const QVariant &v)
{
    if (v.isNull()) return {};
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? plat::numText(d) : v.toString();
}

std::string str(const QString &s) { return s.toStdString(); }
QString qstr(const std::string &s) { return QString::fromStdString(s); }

// A count other than 0 (an empty one is no choice).
bool isChosen(const QVariant &count) { return !count.isNull() && count.toLongLong() != 0; }

} // namespace

// ------------------------------------------------------------ the grid's rows

void SearchResultModel::setResult(QVector<cat::ResultRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_open = true;
    endResetModel();
}

void SearchResultModel::dropResult()
{
    beginResetModel();
    m_rows.clear();
    m_open = false;
    endResetModel();
}

int SearchResultModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_rows.size()); }
int SearchResultModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant SearchResultModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size()) return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole) {
        if (role == Qt::TextAlignmentRole && index.column() != ColType)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    const cat::ResultRow &r = m_rows[index.row()];
    switch (index.column()) {
    case ColID: return plat::intText(r.id);
    case ColWidth: return cellText(r.width);
    case ColThickness: return cellText(r.thickness);
    case ColType: return r.typeName;
    case ColCount: return cellText(r.count);
    default: return {};
    }
}

bool SearchResultModel::saveCount(int row, const QString &text)
{
    if (!m_open || row < 0 || row >= m_rows.size()) return false;
    const std::optional<std::int64_t> count = fk::readCount(str(text));
    if (!count) {
        plat::msgBox(QString::fromUtf8(fk::kBadCountText));
        return false;
    }
    if (const QString err = cat::setCount(m_rows[row].id, *count); !err.isEmpty()) {
        plat::msgBox(err);
        return false;
    }
    m_rows[row].count = qint64(*count);
    const QModelIndex cell = index(row, ColCount);
    emit dataChanged(cell, cell);
    return true;
}

bool SearchResultModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != ColCount) return false;
    if (!saveCount(index.row(), value.toString())) return false;
    if (rowEdited) rowEdited();
    return true;
}

Qt::ItemFlags SearchResultModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_open && index.isValid() && index.column() == ColCount) f |= Qt::ItemIsEditable;
    return f;
}

QVariant SearchResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return QString();
    static const char *const captions[ColumnCount] = {"ID", "Εύρος", "Πάχος", "Τύπος", "Αριθμός Ρόλων"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(captions[section]) : QVariant();
}

// ------------------------------------------------------------ the window

frmSearch::frmSearch() : plat::Form(QStringLiteral("frmSearch"))
{
    setWindowTitle(QStringLiteral("ΦΙΛΤΡΑ"));
    buildControls();
    setFormSize(530, 500);
}

void frmSearch::buildControls()
{
    using plat::makeBox;
    using plat::makeButton;
    using plat::makeLabel;

    auto *w = new QWidget;
    w->setObjectName(QStringLiteral("content"));
    w->setFixedSize(510, 455);
    DScroller1 = plat::hostScroller(this, w);

    QFont bold = font();
    bold.setBold(true);
    const int labelX = 12, boxX = 96;
    makeLabel(w, "Label1", QStringLiteral("ΕΥΡΟΣ:"), QRect(labelX, 14, 80, 22))->setFont(bold);
    makeLabel(w, "Label4", QStringLiteral("Από"), QRect(boxX, 14, 34, 22));
    txtEvros1 = makeBox(w, QStringLiteral("txtEvros1"), QRect(boxX + 36, 14, 76, 22));
    makeLabel(w, "Label6", QStringLiteral("Έως"), QRect(boxX + 124, 14, 34, 22));
    txtEvros2 = makeBox(w, QStringLiteral("txtEvros2"), QRect(boxX + 160, 14, 76, 22));

    makeLabel(w, "Label3", QStringLiteral("ΤΥΠΟΣ:"), QRect(labelX, 46, 80, 22))->setFont(bold);
    cmbEidos = new QComboBox(w);
    cmbEidos->setObjectName(QStringLiteral("cmbEidos"));
    cmbEidos->setEditable(true);
    cmbEidos->setInsertPolicy(QComboBox::NoInsert);
    cmbEidos->setGeometry(boxX, 46, 236, 24);

    makeLabel(w, "Label2", QStringLiteral("ΠΑΧΟΣ:"), QRect(labelX, 80, 80, 22))->setFont(bold);
    txtPaxos = makeBox(w, QStringLiteral("txtPaxos"), QRect(boxX, 80, 76, 22));
    makeLabel(w, "Label14", QStringLiteral("Διαθέσιμα μαχαίρια:"), QRect(300, 80, 150, 22));
    lblMaxairia = makeLabel(w, "lblMaxairia", QString(), QRect(452, 80, 46, 22));
    lblMaxairia->setFont(bold);

    const int by = 114;
    cmdPiso = makeButton(w, "cmdPiso", QStringLiteral("<< ΠΙΣΩ"), QRect(labelX, by, 110, 32));
    cmdNea = makeButton(w, "cmdNea", QStringLiteral("ΝΕΑ ΑΝΑΖΗΤΗΣΙΣ"), QRect(132, by, 170, 32));
    cmdShow = makeButton(w, "cmdShow", QStringLiteral("ΕΜΦΑΝΙΣΙΣ"), QRect(312, by, 186, 32));

    m_model = new SearchResultModel(this);
    DataGrid1 = new QTableView(w);
    DataGrid1->setObjectName(QStringLiteral("DataGrid1"));
    DataGrid1->setGeometry(labelX, 156, 486, 236);
    DataGrid1->setModel(m_model);
    DataGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DataGrid1->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    DataGrid1->verticalHeader()->setDefaultSectionSize(22);
    DataGrid1->verticalHeader()->setMinimumWidth(22);
    DataGrid1->verticalHeader()->setSectionsClickable(true);
    DataGrid1->horizontalHeader()->setStretchLastSection(true);
    DataGrid1->setColumnWidth(SearchResultModel::ColWidth, 90);
    DataGrid1->setColumnWidth(SearchResultModel::ColThickness, 90);
    DataGrid1->setColumnWidth(SearchResultModel::ColType, 140);
    DataGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DataGrid1->hide();
    m_model->rowEdited = [this] { DataGrid1_RowEdited(); };
    // The row selector picks the row.
    connect(DataGrid1->verticalHeader(), &QHeaderView::sectionClicked, this, [this](int row) {
        DataGrid1->setCurrentIndex(m_model->index(row, SearchResultModel::ColCount));
        DataGrid1_RowPicked();
    });

    const int ty = 404;
    makeLabel(w, "Label5", QStringLiteral("Επελέγησαν:"), QRect(labelX, ty, 90, 24))->setFont(bold);
    lblSum = makeLabel(w, "lblSum", QString(), QRect(104, ty, 60, 24));
    makeLabel(w, "Label8", QStringLiteral("Υπόλοιπο:"), QRect(172, ty, 80, 24))->setFont(bold);
    lblRest = makeLabel(w, "lblRest", QString(), QRect(254, ty, 60, 24));
    cmdExecute = makeButton(w, "cmdExecute", QStringLiteral("ΑΠΟΔΟΧΗ"), QRect(362, ty - 4, 136, 32));
    cmdExecute->setEnabled(false);

    Text1 = makeBox(w, QStringLiteral("Text1"), QRect(0, 0, 10, 10));
    Text1->hide();

    connect(cmdShow, &QPushButton::clicked, this, &frmSearch::cmdShow_Click);
    connect(cmdNea, &QPushButton::clicked, this, &frmSearch::cmdNea_Click);
    connect(cmdPiso, &QPushButton::clicked, this, &frmSearch::cmdPiso_Click);
    connect(cmdExecute, &QPushButton::clicked, this, &frmSearch::cmdExecute_Click);

    QList<QWidget *> chain = {txtEvros1, txtEvros2, cmbEidos, txtPaxos, cmdPiso, cmdNea, cmdShow, DataGrid1,
                              cmdExecute};
    for (int i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void frmSearch::Form_Load() { plat::setScrollerBackColor(DScroller1, palette().color(QPalette::Window)); }

void frmSearch::dropSharedResult()
{
    if (frmSearch *s = plat::FormInstance<frmSearch>::ifLoaded()) s->m_model->dropResult();
}

void frmSearch::cmdShow_Click()
{
    const fk::SearchBoxCheck c = fk::checkSearchBoxes(str(txtEvros1->text()), str(txtEvros2->text()),
                                                      str(txtPaxos->text()), str(cmbEidos->currentText()));
    for (auto [box, text] : {std::pair{txtEvros1, &c.evros1}, {txtEvros2, &c.evros2}, {txtPaxos, &c.paxos}})
        if (box->text() != qstr(*text)) box->setText(qstr(*text));
    if (!c.accepted) {
        plat::msgBox(qstr(c.message));
        if (auto *box = findChild<QLineEdit *>(qstr(c.focus))) box->setFocus();
        return;
    }

    Text1->setText(cat::searchStatement(c.filter));
    QVector<cat::ResultRow> rows;
    if (const QString err = cat::search(c.filter, &rows); !err.isEmpty()) {
        // The grid keeps what it showed; nothing new can be accepted.
        plat::msgBox(QStringLiteral("Η αναζήτηση δέν έγινε.\n") + err);
        return;
    }
    m_model->setResult(std::move(rows));
    DataGrid1->show();
    DataGrid1->setColumnHidden(SearchResultModel::ColID, true);
    cmdExecute->setEnabled(true);
}

void frmSearch::cmdNea_Click()
{
    txtEvros1->clear();
    txtEvros2->clear();
    txtPaxos->clear();
    cmbEidos->setEditText(QString());
}

void frmSearch::cmdPiso_Click() { unloadWithoutAsking(); }

void frmSearch::DataGrid1_RowPicked()
{
    if (!m_model->isOpen() || m_model->rows().isEmpty()) return;
    const int row = DataGrid1->currentIndex().row();
    if (row < 0) return;
    // A count refused is told once; the sum read after it would only say it again.
    if (!m_model->saveCount(row, QStringLiteral("1"))) return;
    RecalcSelection();
}

void frmSearch::DataGrid1_RowEdited()
{
    if (!m_model->isOpen() || m_model->rows().isEmpty()) return;
    RecalcSelection();
}

void frmSearch::RecalcSelection()
{
    QVector<cat::ChosenRow> chosen;
    if (const QString err = cat::chosenRows(&chosen); !err.isEmpty()) {
        plat::msgBox(err);
        return;
    }
    const std::int64_t sum = fk::selectedWidth(cat::asSecondaryWidths(chosen));
    lblSum->setText(plat::intText(sum));
    lblRest->setText(plat::intText(fk::wholeOrZero(str(txtEvros2->text())) - sum));
}

void frmSearch::cmdExecute_Click()
{
    const bool open = m_model->isOpen();
    const bool anyRow = !m_model->rows().isEmpty();
    // Only the rows chosen here are listed; their order is the result's.
    QVector<cat::ResultRow> rows;
    for (const cat::ResultRow &r : m_model->rows())
        if (isChosen(r.count)) rows.push_back(r);
    unloadWithoutAsking();
    // No open result, or an empty one: the planner keeps its list.
    if (!open || !anyRow) return;
    Form3 *f = plat::FormInstance<Form3>::ifLoaded();
    if (!f) return;
    // The catalogue window may have changed a picked item meanwhile; the list
    // must show what the next solve reads from the table.
    if (const QString err = cat::reread(&rows); !err.isEmpty()) {
        plat::msgBox(err);
        return;
    }

    QStringList listed;
    const cat::ResultRow *last = nullptr;
    for (const cat::ResultRow &r : rows) {
        if (!isChosen(r.count)) continue;
        listed << qstr(fk::secondaryLine(r.width.toDouble(), r.count.toLongLong()));
        last = &r;
    }
    f->lstDefterevon->clear();
    f->lstDefterevon->addItems(listed);
    // Thickness and type are those of the last row listed.
    if (last) {
        f->txtPaxos->setText(cellText(last->thickness));
        f->txtTypos->setText(last->typeName);
    }
    f->FindSumDef();
}
