#pragma once
// The program's one database connection: an SQLite file "Divor.db", created
// with every table when missing and brought up to the current tables and
// columns when older. All statements go through db(); values typed by a user
// are always bound, never pasted into statement text.
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace plat {

// What stands in the way of using a database file as it should be used.
enum class DbProblem {
    None,
    ReadOnlyFile,   // opened, but the file cannot be written
    ReadOnlyFolder, // opened, the file could be written but its folder cannot
    Locked,         // another program holds the file
    Damaged,        // an SQLite file whose contents are broken
    NotOurs,        // not an SQLite file, or one holding none of the program's tables
    CannotOpen,     // missing folder, no permission to read, ...
};

struct DbOpenReport {
    bool opened = false;   // a connection is open (perhaps read-only)
    bool readOnly = false; // writes are refused
    bool created = false;  // the file did not exist and was created now
    DbProblem problem = DbProblem::None;
    QString path;
    // Tables and columns the file lacks and that could not be added (only
    // when the file is open read-only), as "Table" or "Table.[Column]".
    QStringList missing;
    // What to tell the planner; empty when the file opened as it should.
    QString message;
};

// One table's new contents for Database::rewriteTables.
struct TableRewrite {
    QString table;
    QStringList columns;
    QList<QVariantList> rows;
    // A print-line table: ID 1..n and one text column.
    static TableRewrite lines(const QString &table, const QString &column, const QStringList &lines);
};

class Database {
public:
    static constexpr int SchemaVersion = 2;

    // Where the database is: "Divor.db" in `appDir` whenever that file exists
    // (whatever its state); otherwise the one in `dataDir` when that exists
    // or `appDir` cannot take a new file (`dataDir` is created when missing);
    // otherwise a new one in `appDir`.
    static QString locate(const QString &appDir, const QString &dataDir);
    // locate() for the executable's folder and the per-user data folder.
    static QString defaultPath();

    // Opens (and when missing creates) the file, adds the tables and columns
    // it lacks, and reports how it went. A file that cannot be written is
    // opened read-only; nothing is opened for the other problems.
    static DbOpenReport openReport(const QString &path);
    // openReport() reduced to its message: empty when the file opened writable
    // and complete.
    static QString open(const QString &path);
    static void close();
    // How long a statement waits for another program to let go of the file
    // before it is told the file is in use (from the next opening on);
    // negative: the driver's own wait (5 s). Tests shorten it.
    static void setLockWait(int ms);
    static bool isOpen();
    static bool isReadOnly();
    // The file of the open connection (empty when none).
    static QString path();
    static QSqlDatabase db();

    // The program's start: opens the file locate() picks, telling the planner
    // what is wrong; a file that could not be opened is offered again
    // (Retry/Cancel) until it opens or the planner cancels. Remembers the
    // folders for ensureOpen(). Returns whether a connection is open.
    static bool openForProgram(const QString &appDir, const QString &dataDir);
    // For a window that needs the database: true when it is open, its file
    // is still the one opened (else checkFile()'s message and false: the file
    // now at the path is not opened in its place) and no other program holds
    // the file (else offers Retry/Cancel until it is free or the planner
    // cancels); when it is not open, tries the start's opening again (with
    // its messages) and says whether it opened now.
    static bool ensureOpen();

    // Whether the file at the database's path is still the file that was
    // opened: the same file (a link that leads to it counts), not only one of
    // the same name. Empty when it is, or when no database is open; else what
    // happened to it, naming the file. Once that has happened the connection
    // is closed for good: nothing more is read from or written to the file
    // that was opened, and every later call, ensureOpen() and dbErrorText()
    // give the same message until the program is started again.
    static QString checkFile();
    // checkFile(), its message shown to the planner; whether the file is
    // still the one opened.
    static bool checkFileTold();

    // The message for a write refused because the database is read-only:
    // names the file or the folder that cannot be written.
    static QString readOnlyMessage();

    // Replaces every row of a table with the given rows, in one transaction:
    // a failure leaves the old rows. Each row holds the values of `columns`.
    static bool rewriteTable(const QString &table, const QStringList &columns,
                             const QList<QVariantList> &rows, QString *error = nullptr);
    // A print-line table: ID 1..n and one text column.
    static bool rewriteLines(const QString &table, const QString &column, const QStringList &lines,
                             QString *error = nullptr);
    // Rewrites several tables in one transaction: afterwards either every
    // table holds its new rows or every one its old ones, also after a crash.
    static bool rewriteTables(const QList<TableRewrite> &tables, QString *error = nullptr);
};

// A table or column name as a statement reads it, whatever characters the
// name holds (a file may keep columns of its own with brackets or quotes).
QString sqlName(const QString &name);

// A Greek message for a failed database operation, with the driver's reason.
QString dbErrorText(const QSqlError &err);

} // namespace plat
