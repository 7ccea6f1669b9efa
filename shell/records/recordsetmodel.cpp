#include "recordsetmodel.h"

#include "recordset.h"

#include "platform/qnum.h"

namespace rec {

QString displayText(const QVariant &v)
{
    if (v.isNull() || !v.isValid()) return {};
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return plat::intText(v.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return plat::numText(v.toDouble());
    default:
        return v.toString();
    }
}

RecordSetModel::RecordSetModel(RecordSet *rs, QObject *parent) : QAbstractTableModel(parent), m_rs(rs)
{
    connect(rs, &RecordSet::aboutToReset, this, [this] {
        ++m_changing;
        beginResetModel();
    });
    connect(rs, &RecordSet::resetDone, this, [this] {
        m_markedRow = -1;
        endResetModel();
        --m_changing;
    });
    connect(rs, &RecordSet::aboutToInsertRow, this, [this](int row) {
        ++m_changing;
        beginInsertRows({}, row, row);
    });
    connect(rs, &RecordSet::rowInserted, this, [this](int) {
        endInsertRows();
        --m_changing;
    });
    connect(rs, &RecordSet::aboutToRemoveRow, this, [this](int row) {
        ++m_changing;
        if (m_markedRow == row) m_markedRow = -1;
        beginRemoveRows({}, row, row);
    });
    connect(rs, &RecordSet::rowRemoved, this, [this](int) {
        endRemoveRows();
        --m_changing;
    });
    connect(rs, &RecordSet::rowChanged, this, [this](int row) {
        if (row < 0 || row >= rowCount() || columnCount() == 0) return;
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        emit headerDataChanged(Qt::Vertical, row, row);
    });
    // The record selector follows the current row.
    connect(rs, &RecordSet::moveComplete, this, [this] {
        const int old = m_markedRow;
        m_markedRow = m_rs->currentRow();
        if (old >= 0 && old < rowCount()) emit headerDataChanged(Qt::Vertical, old, old);
        if (m_markedRow >= 0) emit headerDataChanged(Qt::Vertical, m_markedRow, m_markedRow);
    });
}

int RecordSetModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_rs->rowCount(); }

int RecordSetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rs->columnCount();
}

QVariant RecordSetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) return displayText(m_rs->value(index.row(), index.column()));
    if (role == Qt::TextAlignmentRole && m_rs->columnKind(index.column()) != ColumnKind::Text)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    return {};
}

bool RecordSetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole) return false;
    const QString text = value.toString();
    // An editor closed without a change writes nothing.
    if (text == displayText(m_rs->value(index.row(), index.column()))) return false;
    QString err;
    if (index.row() != m_rs->currentRow()) err = m_rs->moveTo(index.row());
    if (err.isEmpty()) err = m_rs->setField(index.column(), text);
    if (!err.isEmpty()) {
        if (reportError) reportError(err);
        emit textRefused(index, text);
        return false;
    }
    return true;
}

Qt::ItemFlags RecordSetModel::flags(const QModelIndex &index) const
{
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (rowEditable && rowEditable(index.row())) f |= Qt::ItemIsEditable;
    return f;
}

QVariant RecordSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return m_rs->columnName(section);
    // The record selector: the current row, a row with an unwritten change,
    // the row being added.
    if (m_rs->isAdding() && section == m_rs->rowCount() - 1) return QStringLiteral("*");
    if (section == m_rs->currentRow()) return m_rs->hasPendingChange() ? QStringLiteral("✎") : QStringLiteral("▶");
    return QString();
}

} // namespace rec
