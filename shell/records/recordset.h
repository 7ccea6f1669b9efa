#pragma once
// A small result set over one table of the database connection, for the
// record-editing windows: the rows of the table with their keys, a current
// position that can also stand before the first or after the last row, one
// pending change of the current row (or one row being added), and writes of
// only the changed columns through bound statements.
//
// A row is written when the set leaves it (any move, a new row, a reopening)
// or on update(); a write that fails leaves the set on that row with its
// pending change, and the move does not happen. Nothing is re-sorted after a
// write: rows stay where they were until the table is opened again.
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace rec {

// How a column's values are read from typed text, from the column's declared
// type in the schema.
enum class ColumnKind { Text, Integer, Real };

class RecordSet : public QObject {
    Q_OBJECT
public:
    // Special values of absolutePosition().
    static constexpr int PosUnknown = -1; // no rows at all
    static constexpr int PosBOF = -2;     // before the first row
    static constexpr int PosEOF = -3;     // after the last row

    explicit RecordSet(QObject *parent = nullptr);

    // Reads the rows of `table`: `columns` in that order (empty: every column
    // of the table, in table order), sorted by `sortColumn` when given, which
    // must be one of the columns (text columns sort with the Greek collation,
    // numeric ones by value). Table and column names come from the program,
    // never from typed text. On success any previous rows and pending change are
    // dropped.
    // Returns an empty text on success, else a Greek message; on failure the
    // set keeps what it had.
    QString open(const QSqlDatabase &db, const QString &table, const QStringList &columns = {},
                 const QString &sortColumn = {});
    void close();
    bool isOpen() const { return m_open; }
    QString table() const { return m_table; }

    int columnCount() const { return int(m_columns.size()); }
    QString columnName(int col) const;
    ColumnKind columnKind(int col) const;
    int columnIndex(const QString &name) const;

    // Rows shown, the row being added included.
    int rowCount() const { return int(m_rows.size()); }
    // Rows stored in the table (the row being added not counted).
    int recordCount() const { return rowCount() - (m_adding ? 1 : 0); }

    bool bof() const { return m_rows.isEmpty() || m_pos < 0; }
    bool eof() const { return m_rows.isEmpty() || m_pos >= rowCount(); }
    // The current row, -1 when there is none.
    int currentRow() const { return (bof() || eof()) ? -1 : m_pos; }
    // 1-based position of the current row, or one of the special values.
    int absolutePosition() const;

    // A value as shown: the pending one for the current row.
    QVariant value(int row, int col) const;
    QVariant field(int col) const { return value(currentRow(), col); }
    // Changes a column of the current row (pending until written). A text is
    // read by the column's kind: blanks only become empty (NULL); a numeric
    // column takes a number with "," or "." as decimal separator and refuses
    // anything else. Returns an empty text, or a Greek message and changes
    // nothing.
    QString setField(int col, const QVariant &v);

    bool isAdding() const { return m_adding; }
    // The current row has a change not yet written.
    bool hasPendingChange() const { return m_pendingRow >= 0; }

    // Moves; each writes the pending change first. On an empty set the
    // first/last moves do nothing and succeed; next at the end and previous
    // at the start are refused. Return an empty text or a Greek message.
    QString moveFirst();
    QString moveLast();
    QString moveNext();
    QString movePrevious();
    QString moveTo(int row);

    // Writes the pending change, then starts a new row after the last one and
    // makes it current. A new row left with nothing typed into it is dropped,
    // not written.
    QString addNew();
    // Writes the pending change of the current row (a new row becomes stored).
    QString update();
    // Discards the pending change; a row being added is dropped and the row
    // that was current before it becomes current again.
    void cancelUpdate();
    // Deletes the current row from the table at once; the row after it (or the
    // end) becomes the position. With no current row nothing happens. A row
    // being added is just dropped.
    QString deleteCurrent();

signals:
    // Structure notifications, for a model over the set.
    void aboutToReset();
    void resetDone();
    void aboutToInsertRow(int row);
    void rowInserted(int row);
    void aboutToRemoveRow(int row);
    void rowRemoved(int row);
    void rowChanged(int row);
    // After every change of the current position (also by opening).
    void moveComplete();

private:
    struct Column {
        QString name;
        ColumnKind kind = ColumnKind::Text;
        bool rowidAlias = false; // the table's INTEGER PRIMARY KEY: its value is the row's key
    };
    struct Row {
        QVariant key; // rowid; null for the row being added
        QVector<QVariant> values;
    };

    QString leaveRow();             // writes or drops what the current row holds
    QString writePending();         // UPDATE or INSERT of the current row
    QString rereadRow(int row);     // the stored values after a write
    void dropNewRow();
    void removeRow(int row);
    void clearPending();
    bool isUntouchedNewRow() const; // the row being added, with nothing typed into it
    void setPosition(int pos);

    QSqlDatabase m_db;
    QString m_table;
    QVector<Column> m_columns;
    QVector<Row> m_rows;
    int m_pos = -1;
    bool m_open = false;

    int m_pendingRow = -1;           // row whose pending values are in m_pending
    QVector<QVariant> m_pending;
    QVector<bool> m_touched;         // columns set since the row became pending
    bool m_adding = false;
    int m_posBeforeAdd = -1;
};

} // namespace rec
