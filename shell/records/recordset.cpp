#include "recordset.h"

#include "platform/database.h"
#include "platform/qnum.h"

#include <QSqlQuery>
#include <algorithm>
#include <cmath>

namespace rec {

namespace {

const QString kNoCurrentRow = QStringLiteral("Δεν υπάρχει τρέχουσα εγγραφή.");

// SQLite's own rules for a declared type, reduced to what typed text needs.
ColumnKind kindOfDeclaredType(const QString &declared)
{
    const QString t = declared.toUpper();
    if (t.contains(QLatin1String("INT"))) return ColumnKind::Integer;
    if (t.isEmpty() || t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")) ||
        t.contains(QLatin1String("TEXT")) || t.contains(QLatin1String("BLOB")))
        return ColumnKind::Text;
    return ColumnKind::Real;
}

bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull()) return a.isNull() == b.isNull();
    if (isNumber(a) && isNumber(b)) return a.toDouble() == b.toDouble();
    if (isNumber(a) != isNumber(b)) return false;
    return a == b;
}

QVariant stored(const QVariant &v) { return v.isNull() ? QVariant() : v; }

} // namespace

RecordSet::RecordSet(QObject *parent) : QObject(parent) {}

QString RecordSet::columnName(int col) const
{
    return (col >= 0 && col < columnCount()) ? m_columns[col].name : QString();
}

ColumnKind RecordSet::columnKind(int col) const
{
    return (col >= 0 && col < columnCount()) ? m_columns[col].kind : ColumnKind::Text;
}

int RecordSet::columnIndex(const QString &name) const
{
    for (int i = 0; i < columnCount(); ++i)
        if (m_columns[i].name == name) return i;
    return -1;
}

int RecordSet::absolutePosition() const
{
    if (m_rows.isEmpty()) return PosUnknown;
    if (m_pos < 0) return PosBOF;
    if (m_pos >= rowCount()) return PosEOF;
    return m_pos + 1;
}

QVariant RecordSet::value(int row, int col) const
{
    if (row < 0 || row >= rowCount() || col < 0 || col >= columnCount()) return {};
    if (row == m_pendingRow) return m_pending[col];
    return m_rows[row].values[col];
}

QString RecordSet::open(const QSqlDatabase &db, const QString &table, const QStringList &columns,
                        const QString &sortColumn)
{
    // A file put in the place of the one opened is neither read nor shown.
    if (const QString lost = plat::Database::checkFile(); !lost.isEmpty()) return lost;
    if (!db.isOpen()) return QStringLiteral("Η βάση δεδομένων δεν είναι ανοικτή.");

    QSqlQuery info(db);
    if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(plat::sqlName(table))))
        return plat::dbErrorText(info.lastError());
    QVector<Column> all;
    int pkColumns = 0;
    while (info.next()) {
        Column c;
        c.name = info.value(1).toString();
        const QString type = info.value(2).toString();
        c.kind = kindOfDeclaredType(type);
        if (info.value(5).toInt() > 0) {
            ++pkColumns;
            c.rowidAlias = type.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
        }
        all.append(c);
    }
    info.finish();
    if (all.isEmpty()) return QStringLiteral("Ο πίνακας <%1> δεν υπάρχει στη βάση δεδομένων.").arg(table);
    if (pkColumns != 1)
        for (Column &c : all) c.rowidAlias = false;

    QVector<Column> chosen;
    if (columns.isEmpty()) {
        chosen = all;
    } else {
        for (const QString &name : columns) {
            auto it = std::find_if(all.begin(), all.end(), [&](const Column &c) { return c.name == name; });
            if (it == all.end())
                return QStringLiteral("Η στήλη <%1> δεν υπάρχει στον πίνακα <%2>.").arg(name, table);
            chosen.append(*it);
        }
    }

    QStringList names;
    for (const Column &c : chosen) names << plat::sqlName(c.name);
    QString sql =
        QStringLiteral("SELECT _rowid_, %1 FROM %2").arg(names.join(QLatin1Char(',')), plat::sqlName(table));
    if (!sortColumn.isEmpty()) {
        auto it = std::find_if(chosen.begin(), chosen.end(), [&](const Column &c) { return c.name == sortColumn; });
        if (it == chosen.end())
            return QStringLiteral("Η στήλη <%1> δεν υπάρχει στον πίνακα <%2>.").arg(sortColumn, table);
        // Ties keep the order in which the rows were entered.
        sql += QStringLiteral(" ORDER BY %1%2, _rowid_")
                   .arg(plat::sqlName(sortColumn),
                        it->kind == ColumnKind::Text ? QStringLiteral(" COLLATE GREEK") : QString());
    }

    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(sql)) return plat::dbErrorText(q.lastError());
    QVector<Row> rows;
    while (q.next()) {
        Row r;
        r.key = q.value(0);
        r.values.reserve(chosen.size());
        for (int i = 0; i < chosen.size(); ++i) r.values.append(stored(q.value(i + 1)));
        rows.append(r);
    }
    if (q.lastError().isValid()) return plat::dbErrorText(q.lastError());
    q.finish();

    emit aboutToReset();
    m_db = db;
    m_table = table;
    m_columns = chosen;
    m_rows = rows;
    m_pos = m_rows.isEmpty() ? -1 : 0;
    m_open = true;
    clearPending();
    m_adding = false;
    m_posBeforeAdd = -1;
    emit resetDone();
    emit moveComplete();
    return {};
}

void RecordSet::close()
{
    if (!m_open && m_rows.isEmpty() && m_columns.isEmpty()) return;
    emit aboutToReset();
    m_open = false;
    m_rows.clear();
    m_columns.clear();
    m_pos = -1;
    clearPending();
    m_adding = false;
    m_posBeforeAdd = -1;
    m_db = QSqlDatabase();
    emit resetDone();
}

QString RecordSet::setField(int col, const QVariant &v)
{
    const int row = currentRow();
    if (row < 0) return kNoCurrentRow;
    if (col < 0 || col >= columnCount()) return QStringLiteral("Άγνωστο πεδίο.");

    QVariant value;
    const Column &c = m_columns[col];
    if (v.typeId() == QMetaType::QString) {
        const QString text = v.toString();
        if (text.trimmed().isEmpty()) {
            // A row's key cannot be emptied: the database would refuse it, in
            // words that do not name the field. A new row gets the next key.
            if (c.rowidAlias && !(m_adding && row == rowCount() - 1))
                return QStringLiteral("Το πεδίο <%1> δεν μπορεί να μείνει κενό.").arg(c.name);
            value = QVariant();
        } else if (c.kind == ColumnKind::Text) {
            value = text;
        } else {
            const auto n = plat::toNumber(text);
            if (!n) return QStringLiteral("Το πεδίο <%1> δέχεται μόνο αριθμούς.").arg(c.name);
            const bool whole = std::floor(*n) == *n && std::fabs(*n) < 9.2e18;
            // A row's key is a whole number the database can hold as one.
            if (c.rowidAlias && !whole)
                return QStringLiteral("Το πεδίο <%1> δέχεται μόνο ακέραιους αριθμούς.").arg(c.name);
            // Whole numbers go to an integer column as integers, so that codes
            // compare equal wherever they are joined.
            if (c.kind == ColumnKind::Integer && whole)
                value = qint64(*n);
            else
                value = *n;
        }
    } else if (v.typeId() == QMetaType::Bool) {
        value = v.toBool() ? 1 : 0;
    } else {
        value = stored(v);
    }

    if (m_pendingRow != row) {
        m_pendingRow = row;
        m_pending = m_rows[row].values;
        m_touched = QVector<bool>(columnCount(), false);
    }
    m_pending[col] = value;
    m_touched[col] = true;
    emit rowChanged(row);
    return {};
}

void RecordSet::setPosition(int pos)
{
    m_pos = std::clamp(pos, -1, rowCount());
    emit moveComplete();
}

void RecordSet::clearPending()
{
    m_pendingRow = -1;
    m_pending.clear();
    m_touched.clear();
}

void RecordSet::removeRow(int row)
{
    // The state is settled before anyone hears of the removal.
    if (m_pendingRow == row) clearPending();
    emit aboutToRemoveRow(row);
    m_rows.removeAt(row);
    emit rowRemoved(row);
}

void RecordSet::dropNewRow()
{
    if (!m_adding) return;
    m_adding = false;
    removeRow(rowCount() - 1);
}

bool RecordSet::isUntouchedNewRow() const
{
    if (!m_adding || m_pos != rowCount() - 1) return false;
    if (m_pendingRow != m_pos) return true;
    for (int i = 0; i < columnCount(); ++i)
        if (m_touched[i] && !m_pending[i].isNull()) return false;
    return true;
}

QString RecordSet::leaveRow()
{
    if (isUntouchedNewRow()) {
        dropNewRow();
        return {};
    }
    if (m_pendingRow >= 0) return writePending();
    return {};
}

QString RecordSet::writePending()
{
    const int row = m_pendingRow;
    if (row < 0) return {};
    if (const QString lost = plat::Database::checkFile(); !lost.isEmpty()) return lost;
    QSqlQuery q(m_db);
    const bool inserting = m_adding && row == rowCount() - 1;
    QVariant newKey = m_rows[row].key;

    if (inserting) {
        QStringList names, marks;
        QVariantList values;
        for (int i = 0; i < columnCount(); ++i) {
            if (!m_touched[i] || m_pending[i].isNull()) continue;
            names << plat::sqlName(m_columns[i].name);
            marks << QStringLiteral("?");
            values << m_pending[i];
        }
        const QString sql = names.isEmpty()
                                ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(plat::sqlName(m_table))
                                : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                      .arg(plat::sqlName(m_table), names.join(QLatin1Char(',')),
                                           marks.join(QLatin1Char(',')));
        if (!q.prepare(sql)) return plat::dbErrorText(q.lastError());
        for (const QVariant &v : values) q.addBindValue(v);
        if (!q.exec()) return plat::dbErrorText(q.lastError());
        newKey = q.lastInsertId();
    } else {
        QStringList sets;
        QVariantList values;
        for (int i = 0; i < columnCount(); ++i) {
            if (!m_touched[i] || sameValue(m_pending[i], m_rows[row].values[i])) continue;
            sets << plat::sqlName(m_columns[i].name) + QStringLiteral("=?");
            values << m_pending[i];
            if (m_columns[i].rowidAlias) newKey = m_pending[i];
        }
        if (!sets.isEmpty()) {
            if (!q.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE _rowid_=?")
                               .arg(plat::sqlName(m_table), sets.join(QLatin1Char(',')))))
                return plat::dbErrorText(q.lastError());
            for (const QVariant &v : values) q.addBindValue(v);
            q.addBindValue(m_rows[row].key);
            if (!q.exec()) return plat::dbErrorText(q.lastError());
            if (q.numRowsAffected() == 0)
                return QStringLiteral("Η εγγραφή δεν βρέθηκε στον πίνακα <%1>· ίσως διαγράφηκε από άλλο παράθυρο.")
                    .arg(m_table);
        }
    }
    q.finish();

    m_rows[row].key = newKey;
    m_rows[row].values = m_pending;
    clearPending();
    if (inserting) m_adding = false;
    rereadRow(row);
    return {};
}

QString RecordSet::rereadRow(int row)
{
    QStringList names;
    for (const Column &c : m_columns) names << plat::sqlName(c.name);
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (q.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE _rowid_=?")
                      .arg(names.join(QLatin1Char(',')), plat::sqlName(m_table)))) {
        q.addBindValue(m_rows[row].key);
        if (q.exec() && q.next())
            for (int i = 0; i < columnCount(); ++i) m_rows[row].values[i] = stored(q.value(i));
    }
    emit rowChanged(row);
    return {};
}

QString RecordSet::moveFirst()
{
    if (QString e = leaveRow(); !e.isEmpty()) return e;
    setPosition(m_rows.isEmpty() ? -1 : 0);
    return {};
}

QString RecordSet::moveLast()
{
    if (QString e = leaveRow(); !e.isEmpty()) return e;
    setPosition(rowCount() - 1);
    return {};
}

QString RecordSet::moveNext()
{
    if (eof()) return kNoCurrentRow;
    const int target = m_pos + 1;
    if (QString e = leaveRow(); !e.isEmpty()) return e;
    setPosition(target);
    return {};
}

QString RecordSet::movePrevious()
{
    if (bof()) return kNoCurrentRow;
    const int target = m_pos - 1;
    if (QString e = leaveRow(); !e.isEmpty()) return e;
    setPosition(target);
    return {};
}

QString RecordSet::moveTo(int row)
{
    if (row < 0 || row >= rowCount()) return kNoCurrentRow;
    if (row == currentRow()) return {};
    if (QString e = leaveRow(); !e.isEmpty()) return e;
    if (row >= rowCount()) row = rowCount() - 1; // the row left was a dropped new row
    setPosition(row);
    return {};
}

QString RecordSet::addNew()
{
    if (!m_open) return QStringLiteral("Ο πίνακας δεν είναι ανοικτός.");
    if (QString e = leaveRow(); !e.isEmpty()) return e;
    m_posBeforeAdd = currentRow();
    const int row = rowCount();
    emit aboutToInsertRow(row);
    m_rows.append(Row{QVariant(), QVector<QVariant>(columnCount())});
    m_adding = true;
    emit rowInserted(row);
    setPosition(row);
    return {};
}

QString RecordSet::update()
{
    if (currentRow() < 0) return {};
    if (isUntouchedNewRow()) {
        cancelUpdate();
        return {};
    }
    return writePending();
}

void RecordSet::cancelUpdate()
{
    if (m_adding) {
        dropNewRow();
        setPosition(m_posBeforeAdd);
        return;
    }
    if (m_pendingRow >= 0) {
        const int row = m_pendingRow;
        clearPending();
        emit rowChanged(row);
    }
}

QString RecordSet::deleteCurrent()
{
    const int row = currentRow();
    if (row < 0) return {};
    if (m_adding && row == rowCount() - 1) {
        dropNewRow();
        setPosition(row);
        return {};
    }
    if (const QString lost = plat::Database::checkFile(); !lost.isEmpty()) return lost;
    QSqlQuery q(m_db);
    if (!q.prepare(QStringLiteral("DELETE FROM %1 WHERE _rowid_=?").arg(plat::sqlName(m_table))))
        return plat::dbErrorText(q.lastError());
    q.addBindValue(m_rows[row].key);
    if (!q.exec()) return plat::dbErrorText(q.lastError());
    q.finish();
    // A row another window deleted already is gone all the same.
    removeRow(row);
    setPosition(row);
    return {};
}

} // namespace rec
