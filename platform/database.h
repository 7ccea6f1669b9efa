#pragma once
// The program's one database connection: an SQLite file "Divor.db", created
// with every table when missing. All statements go through db(); values typed
// by a user are always bound, never pasted into statement text.
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace plat {

class Database {
public:
    static constexpr int SchemaVersion = 1;

    // The file beside the executable, or in the per-user data folder when the
    // program's folder cannot be written.
    static QString defaultPath();

    // Opens (and when missing creates) the file. Returns an empty text on
    // success, else a Greek message saying what went wrong.
    static QString open(const QString &path);
    static void close();
    static bool isOpen();
    static QSqlDatabase db();

    // Replaces every row of a table with the given rows, in one transaction:
    // a failure leaves the old rows. Each row holds the values of `columns`.
    static bool rewriteTable(const QString &table, const QStringList &columns,
                             const QList<QVariantList> &rows, QString *error = nullptr);
    // A print-line table: ID 1..n and one text column.
    static bool rewriteLines(const QString &table, const QString &column, const QStringList &lines,
                             QString *error = nullptr);
};

// A Greek message for a failed database operation, with the driver's reason.
QString dbErrorText(const QSqlError &err);

} // namespace plat
