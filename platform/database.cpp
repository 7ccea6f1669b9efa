#include "database.h"

#include "msgbox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QCursor>
#include <QGuiApplication>
#include <QHash>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <cerrno>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace plat {

QString sqlName(const QString &name)
{
    // Brackets cannot enclose a closing bracket: such a name is quoted instead.
    if (!name.contains(QLatin1Char(']'))) return QLatin1Char('[') + name + QLatin1Char(']');
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

namespace {

const char *kConnection = "velantra";

struct ColumnDef {
    const char *name;
    const char *decl;
    bool key; // a primary key: cannot be added to an existing table by ALTER TABLE
};
struct TableDef {
    const char *name;
    std::vector<ColumnDef> columns;
};

// Every table of the program. Names keep their Greek spelling; widths and
// weights are REAL so that they sort by value. Opening a file adds whatever of
// this it lacks.
const std::vector<TableDef> &schema()
{
    static const std::vector<TableDef> tables = {
        {"tblParameters",
         {{"AnektiApoklisi", "REAL", false},
          {"AristeroXakrisma", "REAL", false},
          {"ArithmosTainion", "INTEGER", false},
          {"BarosTainias", "REAL", false},
          {"DexiXakrisma", "REAL", false},
          {"MikosTainias", "REAL", false},
          {"OikonomikoPrint", "INTEGER", false}}},
        {"Typos", {{"Κωδικός", "INTEGER PRIMARY KEY", true}, {"Τύπος", "TEXT", false}}},
        {"ProtasisXristi",
         {{"ID", "INTEGER PRIMARY KEY AUTOINCREMENT", true},
          {"Κωδικός", "TEXT", false},
          {"Περιγραφή Είδους", "TEXT", false},
          {"Εύρος", "REAL", false},
          {"Τύπος", "INTEGER", false},
          {"Πάχος", "REAL", false},
          {"Αριθμός Ρόλων", "INTEGER DEFAULT 0", false}}},
        {"Protasis1", {{"ID", "INTEGER", false}, {"Paraggelia", "TEXT", false}}},
        {"Protasis2", {{"ID", "INTEGER", false}, {"Paraggelia", "TEXT", false}}},
        {"Protasis3", {{"ID", "INTEGER", false}, {"Protasis", "TEXT", false}}},
        {"Protasis4", {{"ID", "INTEGER", false}, {"Paraggelia", "TEXT", false}}},
        {"Seira", {{"ID", "INTEGER", false}, {"Mikos", "REAL", false}, {"Baros", "REAL", false}}},
    };
    return tables;
}

// SQLite folds only ASCII letters when it compares names.
bool sameName(const QString &a, const QString &b)
{
    if (a.size() != b.size()) return false;
    for (int i = 0; i < a.size(); ++i) {
        QChar x = a[i], y = b[i];
        if (x.unicode() < 128) x = x.toLower();
        if (y.unicode() < 128) y = y.toLower();
        if (x != y) return false;
    }
    return true;
}

// What became of the file opened while it was open.
enum class FileLoss {
    None,
    Gone,     // nothing at its path any more: deleted or moved away
    Replaced, // something else at its path: another file, a folder, ...
};

// The state of the open connection.
struct OpenState {
    QString path;
    bool readOnly = false;
    DbProblem problem = DbProblem::None;
    bool haveDirs = false;
    QString appDir, dataDir;
    // The file opened, by its identity on the disk rather than by its name.
    bool haveId = false;
    dev_t device = 0;
    ino_t inode = 0;
    // Set once the file at the path is found not to be the one opened; the
    // connection is closed then and stays closed.
    FileLoss loss = FileLoss::None;
    QString lostPath;
};
OpenState g_state;
// SQLite's busy timeout in ms; negative keeps the driver's own (5 s).
int g_lockWaitMs = -1;

// While a file in use is waited for, the planner sees the program is busy,
// not hung; the pointer is back before any message.
class WaitPointer {
public:
    WaitPointer() : m_on(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
    {
        if (m_on) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~WaitPointer()
    {
        if (m_on) QGuiApplication::restoreOverrideCursor();
    }
    WaitPointer(const WaitPointer &) = delete;
    WaitPointer &operator=(const WaitPointer &) = delete;

private:
    bool m_on;
};

// SQLite's primary result code of a failed statement.
int sqliteCode(const QSqlError &e)
{
    bool ok = false;
    const int code = e.nativeErrorCode().toInt(&ok);
    return ok ? (code & 0xff) : -1;
}

bool accessible(const QString &path, int mode)
{
    // The effective rights decide, as they do for the writes that follow.
    return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), mode, AT_EACCESS) == 0;
}

QString folderOf(const QString &path) { return QFileInfo(path).absolutePath(); }

// Greek letters compare by their base letter first (accents and case only
// break ties), so "Άλφα" sorts with "αβγ" before "Βήτα", as a Greek reader
// expects; plain code-point order would put every accented capital apart.
QString collationKey(const QString &s)
{
    const QString d = s.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(d.size());
    for (QChar c : d) {
        if (c.category() == QChar::Mark_NonSpacing) continue;
        QChar l = c.toLower();
        if (l == QChar(0x03C2)) l = QChar(0x03C3); // final sigma sorts as sigma
        out.append(l);
    }
    return out;
}

int greekCompare(void *, int n1, const void *s1, int n2, const void *s2)
{
    const QString a = QString::fromUtf8(static_cast<const char *>(s1), n1);
    const QString b = QString::fromUtf8(static_cast<const char *>(s2), n2);
    int c = collationKey(a).compare(collationKey(b));
    if (c == 0) c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool registerCollation(QSqlDatabase &db)
{
    QVariant h = db.driver()->handle();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0) return false;
    sqlite3 *handle = *static_cast<sqlite3 *const *>(h.data());
    if (!handle) return false;
    return sqlite3_create_collation(handle, "GREEK", SQLITE_UTF8, nullptr, greekCompare) == SQLITE_OK;
}

} // namespace

namespace {

void removeConnection()
{
    if (QSqlDatabase::contains(QString::fromLatin1(kConnection))) {
        {
            QSqlDatabase db = QSqlDatabase::database(QString::fromLatin1(kConnection), false);
            db.close();
        }
        QSqlDatabase::removeDatabase(QString::fromLatin1(kConnection));
    }
    g_state.path.clear();
    g_state.readOnly = false;
    g_state.problem = DbProblem::None;
    g_state.haveId = false;
}

// stat(), not open(): it never blocks, whatever now stands at the path (a
// FIFO would hold an open() until a writer came).
bool statPath(const QString &path, struct stat &st)
{
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}

void rememberFile(const QString &path)
{
    struct stat st;
    g_state.haveId = statPath(path, st);
    g_state.device = g_state.haveId ? st.st_dev : 0;
    g_state.inode = g_state.haveId ? st.st_ino : 0;
}

FileLoss lossAt(const QString &path)
{
    struct stat st;
    if (!statPath(path, st)) {
        if (errno == ENOENT || errno == ENOTDIR) return FileLoss::Gone;
        // A link leading round in a circle stands where the file was.
        if (errno == ELOOP) return FileLoss::Replaced;
        // No right to look (a folder closed meanwhile, ...): nothing says the
        // file is another one, and SQLite's own answers tell the rest.
        return FileLoss::None;
    }
    if (!S_ISREG(st.st_mode) || st.st_dev != g_state.device || st.st_ino != g_state.inode)
        return FileLoss::Replaced;
    return FileLoss::None;
}

QString lossMessage(FileLoss loss, const QString &path)
{
    const QString file = QDir::toNativeSeparators(path);
    if (loss == FileLoss::Gone)
        return QStringLiteral("Δεν βρέθηκε το αρχείο της βάσης δεδομένων:\n%1\nΔιαγράφηκε ή μετακινήθηκε όσο το "
                              "πρόγραμμα ήταν ανοιχτό. Για να χρησιμοποιήσετε τη βάση δεδομένων, ξεκινήστε ξανά το "
                              "πρόγραμμα.")
            .arg(file);
    return QStringLiteral("Το αρχείο της βάσης δεδομένων:\n%1\nαντικαταστάθηκε από άλλο όσο το πρόγραμμα ήταν "
                          "ανοιχτό. Το πρόγραμμα δεν διαβάζει ούτε γράφει πια το αρχείο που άνοιξε. Για να "
                          "χρησιμοποιήσετε το αρχείο που βρίσκεται τώρα εκεί, ξεκινήστε ξανά το πρόγραμμα.")
        .arg(file);
}

QString problemMessage(DbProblem p, const QString &path, const QString &detail = {})
{
    const QString dir = QDir::toNativeSeparators(folderOf(path));
    const QString file = QDir::toNativeSeparators(path);
    QString text;
    switch (p) {
    case DbProblem::None:
        return {};
    case DbProblem::ReadOnlyFile:
        text = QStringLiteral("Το αρχείο της βάσεως δεδομένων <%1> είναι μόνο για ανάγνωση.\n"
                              "Το πρόγραμμα το ανοίγει μόνο για ανάγνωση: οι αλλαγές δεν μπορούν να "
                              "αποθηκευτούν μέχρι να γίνει εγγράψιμο.")
                   .arg(file);
        break;
    case DbProblem::ReadOnlyFolder:
        text = QStringLiteral("Ο φάκελος <%2> της βάσεως δεδομένων <%1> είναι μόνο για ανάγνωση (το αρχείο "
                              "δέχεται αλλαγές, ο φάκελός του όχι).\n"
                              "Το πρόγραμμα ανοίγει τη βάση μόνο για ανάγνωση: οι αλλαγές δεν μπορούν να "
                              "αποθηκευτούν μέχρι να γίνει εγγράψιμος ο φάκελος.")
                   .arg(file, dir);
        break;
    case DbProblem::Locked:
        text = QStringLiteral("Το αρχείο της βάσεως δεδομένων <%1> χρησιμοποιείται αυτή τη στιγμή από άλλο "
                              "πρόγραμμα.")
                   .arg(file);
        break;
    case DbProblem::Damaged:
        text = QStringLiteral("Το αρχείο της βάσεως δεδομένων <%1> είναι κατεστραμμένο.").arg(file);
        break;
    case DbProblem::NotOurs:
        text = QStringLiteral("Το αρχείο <%1> δεν είναι βάση δεδομένων τού προγράμματος.").arg(file);
        break;
    case DbProblem::CannotOpen:
        text = QStringLiteral("Δεν είναι δυνατό να ανοίξει η βάση δεδομένων <%1>.").arg(file);
        break;
    }
    if (!detail.isEmpty()) text += QLatin1Char('\n') + detail;
    return text;
}

DbProblem problemOf(const QSqlError &e)
{
    switch (sqliteCode(e)) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return DbProblem::Locked;
    case SQLITE_CORRUPT:
        return DbProblem::Damaged;
    case SQLITE_NOTADB:
        return DbProblem::NotOurs;
    case SQLITE_READONLY:
        return DbProblem::ReadOnlyFile;
    default:
        return DbProblem::CannotOpen;
    }
}

// Why a statement failed, in Greek: by the driver's words where they say
// more than SQLite's code (which constraint), else by the code.
QString failureReason(const QSqlError &e)
{
    static const struct {
        const char *marker;
        const char *greek;
    } known[] = {
        {"UNIQUE constraint failed", "Υπάρχει ήδη εγγραφή μέ τήν ίδια τιμή."},
        {"PRIMARY KEY must be unique", "Υπάρχει ήδη εγγραφή μέ τήν ίδια τιμή."},
        {"NOT NULL constraint failed", "Ένα υποχρεωτικό πεδίο είναι κενό."},
        {"datatype mismatch", "Ένα πεδίο δέχεται μόνο αριθμούς."},
    };
    const QString reason = e.text();
    for (const auto &k : known)
        if (reason.contains(QLatin1String(k.marker), Qt::CaseInsensitive)) return QString::fromUtf8(k.greek);
    // What is missing is named: the names are the program's own.
    static const struct {
        const char *marker;
        const char *greek;
    } missing[] = {
        {"no such table: ", "Λείπει ένας πίνακας από τη βάση δεδομένων: <%1>."},
        {"no such column: ", "Λείπει ένα πεδίο από τη βάση δεδομένων: <%1>."},
    };
    for (const auto &m : missing) {
        const QString said = e.databaseText();
        const int at = said.indexOf(QLatin1String(m.marker), 0, Qt::CaseInsensitive);
        if (at >= 0) return QString::fromUtf8(m.greek).arg(said.mid(at + int(qstrlen(m.marker))).trimmed());
    }
    switch (sqliteCode(e)) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("Η βάση δεδομένων χρησιμοποιείται αυτή τη στιγμή από άλλο πρόγραμμα.");
    case SQLITE_READONLY:
        return QStringLiteral("Η βάση δεδομένων δεν δέχεται αλλαγές (μόνο για ανάγνωση).");
    case SQLITE_FULL:
        return QStringLiteral("Δεν υπάρχει ελεύθερος χώρος στον δίσκο.");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("Το αρχείο της βάσεως δεδομένων είναι κατεστραμμένο.");
    case SQLITE_IOERR:
        return QStringLiteral("Σφάλμα ανάγνωσης ή εγγραφής τού αρχείου στον δίσκο.");
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("Δεν επιτρέπεται η πρόσβαση στο αρχείο της βάσεως δεδομένων.");
    case SQLITE_CONSTRAINT:
        return QStringLiteral("Η βάση δεδομένων δεν δέχτηκε την αλλαγή.");
    case SQLITE_MISMATCH:
        return QStringLiteral("Ένα πεδίο δέχεται μόνο αριθμούς.");
    case SQLITE_TOOBIG:
        return QStringLiteral("Το κείμενο είναι πολύ μεγάλο.");
    default:
        return QStringLiteral("Η λειτουργία της βάσεως δεδομένων δεν ολοκληρώθηκε.");
    }
}

// The columns of each table the file has, in table order.
using FileTables = QHash<QString, QStringList>;

bool readTables(QSqlDatabase &db, FileTables &out, QSqlError &err)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%'"))) {
        err = q.lastError();
        return false;
    }
    QStringList names;
    while (q.next()) names << q.value(0).toString();
    for (const QString &t : names) {
        QSqlQuery info(db);
        info.setForwardOnly(true);
        if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(sqlName(t)))) {
            err = info.lastError();
            return false;
        }
        QStringList cols;
        while (info.next()) cols << info.value(1).toString();
        out.insert(t, cols);
    }
    return true;
}

const QStringList *findTable(const FileTables &tables, const QString &name)
{
    for (auto it = tables.cbegin(); it != tables.cend(); ++it)
        if (sameName(it.key(), name)) return &it.value();
    return nullptr;
}

bool hasColumn(const QStringList &cols, const QString &name)
{
    for (const QString &c : cols)
        if (sameName(c, name)) return true;
    return false;
}

QString createStatement(const TableDef &t, const QStringList &extra = {})
{
    QStringList cols;
    for (const ColumnDef &c : t.columns)
        cols << sqlName(QString::fromUtf8(c.name)) + QLatin1Char(' ') + QLatin1String(c.decl);
    for (const QString &e : extra) cols << sqlName(e);
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(sqlName(QString::fromUtf8(t.name)), cols.join(QStringLiteral(", ")));
}

// The statements that bring the file's tables up to the program's; `missing`
// gets what they add, as the planner should read it.
QStringList upgradeStatements(const FileTables &tables, QStringList &missing)
{
    QStringList out;
    for (const TableDef &t : schema()) {
        const QString name = QString::fromUtf8(t.name);
        const QStringList *have = findTable(tables, name);
        if (!have) {
            missing << name;
            out << createStatement(t);
            continue;
        }
        QStringList lacking;
        bool keyLacking = false;
        for (const ColumnDef &c : t.columns) {
            const QString col = QString::fromUtf8(c.name);
            if (hasColumn(*have, col)) continue;
            lacking << col;
            missing << name + QLatin1Char('.') + sqlName(col);
            keyLacking = keyLacking || c.key;
        }
        if (lacking.isEmpty()) continue;
        if (!keyLacking) {
            for (const ColumnDef &c : t.columns)
                if (lacking.contains(QString::fromUtf8(c.name)))
                    out << QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                               .arg(sqlName(name), sqlName(QString::fromUtf8(c.name)), QLatin1String(c.decl));
            continue;
        }
        // A key column cannot be added in place: the table is built anew and
        // its rows (with any columns of its own) copied over.
        QStringList extra, common;
        for (const QString &col : *have) {
            bool ours = false;
            for (const ColumnDef &c : t.columns) ours = ours || sameName(col, QString::fromUtf8(c.name));
            if (!ours) extra << col;
            common << sqlName(col);
        }
        const QString old = sqlName(name + QStringLiteral("_before_upgrade"));
        out << QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(sqlName(name), old);
        out << createStatement(t, extra);
        out << QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3")
                   .arg(sqlName(name), common.join(QLatin1Char(',')), old);
        out << QStringLiteral("DROP TABLE %1").arg(old);
    }
    return out;
}

const char *kDefaultParameters = "INSERT INTO tblParameters (AnektiApoklisi, AristeroXakrisma, ArithmosTainion,"
                                 " BarosTainias, DexiXakrisma, MikosTainias, OikonomikoPrint)"
                                 " VALUES (10, 2, 11, 8, 2, 1250, 0)";

DbOpenReport fail(DbOpenReport r, DbProblem p, QString detail = {})
{
    removeConnection();
    // Not being able to write, when it keeps the file from opening at all, is
    // told as a file that cannot be opened, with the reason.
    if (p == DbProblem::ReadOnlyFile || p == DbProblem::ReadOnlyFolder) {
        p = DbProblem::CannotOpen;
        if (detail.isEmpty()) detail = QStringLiteral("Το αρχείο ή ο φάκελός του είναι μόνο για ανάγνωση.");
    }
    r.opened = false;
    r.readOnly = false;
    r.problem = p;
    r.message = problemMessage(p, r.path, detail);
    return r;
}

DbOpenReport openFile(const QString &path, bool forceReadOnly)
{
    removeConnection();
    g_state.loss = FileLoss::None;
    g_state.lostPath.clear();
    DbOpenReport r;
    r.path = path;
    const QFileInfo fi(path);
    const QString dir = folderOf(path);
    const bool existed = fi.exists();
    if (existed && fi.isDir())
        return fail(r, DbProblem::NotOurs);
    if (!existed) {
        if (!QFileInfo(dir).isDir())
            return fail(r, DbProblem::CannotOpen,
                        QStringLiteral("Ο φάκελος <%1> δεν υπάρχει.").arg(QDir::toNativeSeparators(dir)));
        if (!accessible(dir, W_OK | X_OK))
            return fail(r, DbProblem::CannotOpen,
                        QStringLiteral("Ο φάκελος <%1> δεν δέχεται νέα αρχεία.").arg(QDir::toNativeSeparators(dir)));
    } else if (!accessible(path, R_OK)) {
        return fail(r, DbProblem::CannotOpen, QStringLiteral("Δεν επιτρέπεται η ανάγνωση τού αρχείου."));
    }
    // A file that cannot be written is still the planner's data: it opens
    // read-only rather than being passed over for another file.
    if (existed && (forceReadOnly || !accessible(path, W_OK))) r.problem = DbProblem::ReadOnlyFile;
    else if (existed && !accessible(dir, W_OK | X_OK)) r.problem = DbProblem::ReadOnlyFolder;
    r.readOnly = r.problem != DbProblem::None;

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QString::fromLatin1(kConnection));
    if (!db.isValid()) {
        QSqlDatabase::removeDatabase(QString::fromLatin1(kConnection));
        return fail(r, DbProblem::CannotOpen,
                    QStringLiteral("Δεν είναι διαθέσιμος ο οδηγός της βάσεως δεδομένων (SQLite)."));
    }
    db.setDatabaseName(path);
    QStringList options;
    if (r.readOnly) options << QStringLiteral("QSQLITE_OPEN_READONLY");
    if (g_lockWaitMs >= 0) options << QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(g_lockWaitMs);
    db.setConnectOptions(options.join(QLatin1Char(';')));
    if (!db.open()) {
        const QSqlError e = db.lastError();
        db = QSqlDatabase();
        qWarning("database: %s", qUtf8Printable(e.text()));
        return fail(r, problemOf(e), failureReason(e));
    }
    registerCollation(db);
    r.created = !existed;

    // Reading every page tells a file in use by another program from a
    // damaged one and from one that is no database at all.
    {
        QSqlQuery check(db);
        check.setForwardOnly(true);
        if (!check.exec(QStringLiteral("PRAGMA quick_check"))) {
            const QSqlError e = check.lastError();
            check = QSqlQuery();
            db = QSqlDatabase();
            const DbProblem p = problemOf(e);
            // A change cut short by a crash must be rolled back before anyone
            // reads the file, and that needs the right to write.
            if (p == DbProblem::ReadOnlyFile)
                return fail(r, DbProblem::CannotOpen,
                            QStringLiteral("Μια αλλαγή της βάσεως δεδομένων διακόπηκε και πρέπει να αναιρεθεί, κάτι "
                                           "που δεν γίνεται όσο το αρχείο ή ο φάκελός του είναι μόνο για ανάγνωση."));
            if (p == DbProblem::CannotOpen) qWarning("database: %s", qUtf8Printable(e.text()));
            return fail(r, p, p == DbProblem::CannotOpen ? failureReason(e) : QString());
        }
        if (!check.next() || check.value(0).toString() != QLatin1String("ok")) {
            check = QSqlQuery();
            db = QSqlDatabase();
            return fail(r, DbProblem::Damaged);
        }
    }

    FileTables tables;
    QSqlError err;
    if (!readTables(db, tables, err)) {
        db = QSqlDatabase();
        return fail(r, problemOf(err));
    }
    bool anyOurs = false;
    for (const TableDef &t : schema()) anyOurs = anyOurs || findTable(tables, QString::fromUtf8(t.name));
    // Tables of some other program: adding ours would change a file that is
    // not the planner's.
    if (!tables.isEmpty() && !anyOurs) {
        db = QSqlDatabase();
        return fail(r, DbProblem::NotOurs);
    }

    QStringList missing;
    const QStringList steps = upgradeStatements(tables, missing);
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA user_version"));
    const int version = q.next() ? q.value(0).toInt() : 0;
    bool noParameters = false;
    if (findTable(tables, QStringLiteral("tblParameters"))) {
        q.exec(QStringLiteral("SELECT COUNT(*) FROM tblParameters"));
        noParameters = q.next() && q.value(0).toInt() == 0;
    } else {
        noParameters = true;
    }
    q.finish();

    if (r.readOnly) {
        r.missing = missing;
    } else if (!steps.isEmpty() || noParameters || version < Database::SchemaVersion) {
        // All or nothing: a file half upgraded would be neither old nor new.
        auto abandon = [&](const QSqlError &e) {
            db.rollback();
            q = QSqlQuery();
            db = QSqlDatabase();
            return e;
        };
        if (!db.transaction()) {
            const QSqlError e = abandon(db.lastError());
            return fail(r, problemOf(e));
        }
        QStringList all = steps;
        if (noParameters) all << QString::fromLatin1(kDefaultParameters);
        if (version < Database::SchemaVersion) all << QStringLiteral("PRAGMA user_version = %1").arg(Database::SchemaVersion);
        for (const QString &stmt : all) {
            if (!q.exec(stmt)) {
                const QSqlError e = abandon(q.lastError());
                const DbProblem p = problemOf(e);
                if (p == DbProblem::ReadOnlyFile && !forceReadOnly) return openFile(path, true);
                return fail(r, p,
                            p == DbProblem::CannotOpen
                                ? QStringLiteral("Δεν ήταν δυνατό να προστεθούν όσα λείπουν από τη μορφή τού "
                                                 "προγράμματος.\n") + dbErrorText(e)
                                : QString());
            }
        }
        q.finish();
        if (!db.commit()) {
            const QSqlError e = abandon(db.lastError());
            return fail(r, problemOf(e));
        }
    }

    g_state.path = path;
    g_state.readOnly = r.readOnly;
    g_state.problem = r.problem;
    rememberFile(path);
    r.opened = true;
    r.message = problemMessage(r.problem, path);
    if (!r.missing.isEmpty())
        r.message += QStringLiteral("\nΤο αρχείο είναι παλαιότερης μορφής και δεν μπορεί να συμπληρωθεί όσο είναι "
                                    "μόνο για ανάγνωση· λείπουν: %1.")
                         .arg(r.missing.join(QStringLiteral(", ")));
    return r;
}

} // namespace

TableRewrite TableRewrite::lines(const QString &table, const QString &column, const QStringList &lines)
{
    TableRewrite t{table, {QStringLiteral("ID"), column}, {}};
    t.rows.reserve(lines.size());
    for (int i = 0; i < lines.size(); ++i) t.rows.append({i + 1, lines[i]});
    return t;
}

QString Database::locate(const QString &appDir, const QString &dataDir)
{
    const QString here = QDir(appDir).filePath(QStringLiteral("Divor.db"));
    const QString mine = QDir(dataDir).filePath(QStringLiteral("Divor.db"));
    if (QFileInfo::exists(here)) return here;
    // A file made in the per-user folder while the program's folder could
    // not be written holds the planner's data: a new empty file beside the
    // program would silently take its place.
    if (QFileInfo::exists(mine) || !accessible(appDir, W_OK | X_OK)) {
        QDir().mkpath(dataDir);
        return mine;
    }
    return here;
}

QString Database::defaultPath()
{
    return locate(QCoreApplication::applicationDirPath(),
                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

DbOpenReport Database::openReport(const QString &path) { return openFile(path, false); }

QString Database::open(const QString &path) { return openReport(path).message; }

void Database::close()
{
    removeConnection();
    g_state.loss = FileLoss::None;
    g_state.lostPath.clear();
}

void Database::setLockWait(int ms) { g_lockWaitMs = ms; }

bool Database::isOpen()
{
    return QSqlDatabase::contains(QString::fromLatin1(kConnection)) &&
           QSqlDatabase::database(QString::fromLatin1(kConnection), false).isOpen();
}

bool Database::isReadOnly() { return isOpen() && g_state.readOnly; }

QString Database::path() { return isOpen() ? g_state.path : QString(); }

QSqlDatabase Database::db() { return QSqlDatabase::database(QString::fromLatin1(kConnection), false); }

bool Database::openForProgram(const QString &appDir, const QString &dataDir)
{
    g_state.haveDirs = true;
    g_state.appDir = appDir;
    g_state.dataDir = dataDir;
    for (;;) {
        const QString path = locate(appDir, dataDir);
        DbOpenReport r;
        {
            const WaitPointer busy;
            r = openReport(path);
        }
        if (r.opened) {
            QString text = r.message;
            if (r.created && QFileInfo(folderOf(path)) != QFileInfo(appDir))
                text = QStringLiteral("Ο φάκελος τού προγράμματος <%1> δεν δέχεται αρχεία· η βάση δεδομένων "
                                      "δημιουργήθηκε στο <%2>.")
                           .arg(QDir::toNativeSeparators(appDir), QDir::toNativeSeparators(path)) +
                       (text.isEmpty() ? QString() : QLatin1Char('\n') + text);
            if (!text.isEmpty()) msgBox(text, MsgExclamation);
            return true;
        }
        const QString prompt =
            r.message + QStringLiteral("\nΠατήστε «Επανάληψη» για νέα προσπάθεια ή «Άκυρο» για να συνεχίσετε "
                                       "χωρίς βάση δεδομένων.");
        if (msgBox(prompt, MsgRetryCancelCritical) != MsgAnswer::Retry) return false;
    }
}

QString Database::checkFile()
{
    if (g_state.loss == FileLoss::None) {
        if (!isOpen() || !g_state.haveId) return {};
        const FileLoss loss = lossAt(g_state.path);
        if (loss == FileLoss::None) return {};
        // SQLite would go on with the file it holds, which is no longer the
        // planner's database at that path; reopening the path instead would
        // put another file under windows showing this one's rows.
        const QString path = g_state.path;
        removeConnection();
        g_state.loss = loss;
        g_state.lostPath = path;
    }
    return lossMessage(g_state.loss, g_state.lostPath);
}

bool Database::checkFileTold()
{
    const QString lost = checkFile();
    if (!lost.isEmpty()) msgBox(lost, MsgCritical);
    return lost.isEmpty();
}

bool Database::ensureOpen()
{
    if (!checkFileTold()) return false;
    if (isOpen()) {
        // Another program may have taken the file since it was opened: a
        // window would then meet the wait and the message at each of its
        // reads and open half filled. It is said once, here, with Retry.
        for (;;) {
            QSqlQuery q(db());
            bool read;
            {
                const WaitPointer busy;
                read = q.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
            }
            if (read) return true;
            const DbProblem p = problemOf(q.lastError());
            // Any other failure is each operation's own to tell.
            if (p != DbProblem::Locked) return true;
            q = QSqlQuery();
            const QString prompt =
                problemMessage(p, g_state.path) +
                QStringLiteral("\nΠατήστε «Επανάληψη» για νέα προσπάθεια ή «Άκυρο» για να μην ανοίξει το παράθυρο.");
            if (msgBox(prompt, MsgRetryCancelCritical) != MsgAnswer::Retry) return false;
        }
    }
    if (!g_state.haveDirs)
        return openForProgram(QCoreApplication::applicationDirPath(),
                              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    return openForProgram(g_state.appDir, g_state.dataDir);
}

QString Database::readOnlyMessage()
{
    const QString file = QDir::toNativeSeparators(g_state.path);
    if (g_state.problem == DbProblem::ReadOnlyFolder)
        return QStringLiteral("Η αλλαγή δεν αποθηκεύτηκε: ο φάκελος <%2> της βάσεως δεδομένων <%1> είναι μόνο "
                              "για ανάγνωση.")
            .arg(file, QDir::toNativeSeparators(folderOf(g_state.path)));
    return QStringLiteral("Η αλλαγή δεν αποθηκεύτηκε: το αρχείο της βάσεως δεδομένων <%1> είναι μόνο για "
                          "ανάγνωση.")
        .arg(file);
}

bool Database::rewriteTable(const QString &table, const QStringList &columns, const QList<QVariantList> &rows,
                            QString *error)
{
    return rewriteTables({TableRewrite{table, columns, rows}}, error);
}

bool Database::rewriteLines(const QString &table, const QString &column, const QStringList &lines, QString *error)
{
    return rewriteTables({TableRewrite::lines(table, column, lines)}, error);
}

bool Database::rewriteTables(const QList<TableRewrite> &tables, QString *error)
{
    auto refuse = [&](const QString &text) {
        if (error) *error = text;
        return false;
    };
    if (const QString lost = checkFile(); !lost.isEmpty()) return refuse(lost);
    QSqlDatabase db = Database::db();
    if (!db.isOpen()) return refuse(QStringLiteral("Η βάση δεδομένων δεν είναι ανοικτή."));
    if (isReadOnly()) return refuse(readOnlyMessage());
    if (!db.transaction()) return refuse(dbErrorText(db.lastError()));
    auto fail = [&](const QSqlError &e) {
        db.rollback();
        return refuse(dbErrorText(e));
    };
    // Table and column names come from the program's own code, never from typed text.
    for (const TableRewrite &t : tables) {
        QStringList quoted;
        QStringList marks;
        for (const QString &c : t.columns) {
            quoted << sqlName(c);
            marks << QStringLiteral("?");
        }
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("DELETE FROM %1").arg(sqlName(t.table)))) return fail(q.lastError());
        if (!q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(sqlName(t.table), quoted.join(QLatin1Char(',')), marks.join(QLatin1Char(',')))))
            return fail(q.lastError());
        for (const QVariantList &row : t.rows) {
            for (int i = 0; i < t.columns.size(); ++i) q.bindValue(i, i < row.size() ? row[i] : QVariant());
            if (!q.exec()) return fail(q.lastError());
        }
    }
    if (!db.commit()) return fail(db.lastError());
    return true;
}

QString dbErrorText(const QSqlError &err)
{
    // A statement the doors did not check first (SQLite refuses writes to a
    // deleted file as if it were read-only) is told by what really happened.
    if (const QString lost = Database::checkFile(); !lost.isEmpty()) return lost;
    const QString reason = err.text().trimmed();
    // No connection at all: the driver's English words would only puzzle.
    if (!Database::isOpen() || reason.contains(QLatin1String("Driver not loaded")))
        return QStringLiteral("Σφάλμα στη βάση δεδομένων: η βάση δεδομένων δεν είναι ανοικτή.");
    if (Database::isReadOnly() && sqliteCode(err) == SQLITE_READONLY) return Database::readOnlyMessage();
    // The planner reads Greek only; the driver's own words go to the log for
    // whoever looks after the database.
    if (!reason.isEmpty()) qWarning("database: %s", qUtf8Printable(reason));
    return QStringLiteral("Σφάλμα στη βάση δεδομένων: %1").arg(failureReason(err));
}

} // namespace plat
