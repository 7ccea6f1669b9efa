// The database file in the states a planner meets. Each state is opened by a
// separate process (db_probe) running as an unprivileged user when the tests
// run as root, so that a read-only file or folder is really read-only: root
// writes through any permission bits. The probe says what it was told, which
// file it opened and whether it can write; the test then checks, as root,
// that the rows the file held are all still there.
#include "common/qstring_print.h"
#include "platform/database.h"
#include "platform/msgbox.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QThread>

#include <functional>
#include <memory>
#include <cstdio>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The probe as the unprivileged user can run it: the build folder may lie
// where only root can reach it (a clone under /root), so as root the probe is
// copied to a folder everybody can enter.
QString probePath()
{
    static const QString path = [] {
        const QString built = QStringLiteral(DB_PROBE_PATH);
        if (::geteuid() != 0) return built;
        static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/velantra-probe-XXXXXX"));
        const QString copy = dir.filePath(QStringLiteral("db_probe"));
        const QFile::Permissions open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                        QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        if (!dir.isValid() || !QFile::copy(built, copy) || !QFile::setPermissions(dir.path(), open) ||
            !QFile::setPermissions(copy, open))
            return built;
        return copy;
    }();
    return path;
}
const QString kProbe = probePath();
const QString kRetry =
    QStringLiteral("\nΠατήστε «Επανάληψη» για νέα προσπάθεια ή «Άκυρο» για να συνεχίσετε χωρίς βάση δεδομένων.");

// A connection of the test's own, apart from the program's.
class FixtureDb {
public:
    explicit FixtureDb(const QString &path) : kName(QStringLiteral("fixture%1").arg(++s_count))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kName);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        EXPECT_TRUE(db.open());
    }
    ~FixtureDb()
    {
        QSqlDatabase::database(kName, false).close();
        QSqlDatabase::removeDatabase(kName);
    }
    bool exec(const QString &sql)
    {
        QSqlQuery q(QSqlDatabase::database(kName, false));
        const bool ok = q.exec(sql);
        EXPECT_TRUE(ok) << sql.toStdString() << " " << q.lastError().text().toStdString();
        return ok;
    }
    QStringList rows(const QString &sql)
    {
        QStringList out;
        QSqlQuery q(QSqlDatabase::database(kName, false));
        if (!q.exec(sql)) return {QStringLiteral("error: ") + q.lastError().text()};
        while (q.next()) {
            QStringList cells;
            for (int i = 0; i < q.record().count(); ++i) cells << q.value(i).toString();
            out << cells.join(QLatin1Char('|'));
        }
        return out;
    }

private:
    static inline int s_count = 0;
    const QString kName;
};


enum class Shape {
    Current,       // every table and column, current version
    NoProtasis2,   // a table missing, though marked as a version-1 file
    NoColumns,     // [Αριθμός Ρόλων] and OikonomikoPrint missing
    NoKeyColumn,   // the catalogue without its ID
    Version0,      // every table, never marked with a version
    EmptyFile,     // zero bytes
    Text,          // not a database at all
    OtherProgram,  // an SQLite file with tables of some other program
    Damaged,       // an SQLite file with a broken page
};

void writeFile(const QString &path, Shape shape)
{
    if (shape == Shape::EmptyFile || shape == Shape::Text) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        if (shape == Shape::Text) f.write("Κωδικός;Εύρος\n1;100\n2;200\n");
        return;
    }
    FixtureDb db(path);
    if (shape == Shape::OtherProgram) {
        db.exec("CREATE TABLE invoices (id INTEGER, amount REAL)");
        db.exec("INSERT INTO invoices VALUES (1, 9.5)");
        return;
    }
    const bool noColumns = shape == Shape::NoColumns;
    db.exec(QStringLiteral("CREATE TABLE tblParameters (AnektiApoklisi REAL, AristeroXakrisma REAL,"
                           " ArithmosTainion INTEGER, BarosTainias REAL, DexiXakrisma REAL, MikosTainias REAL%1)")
                .arg(noColumns ? QString() : QStringLiteral(", OikonomikoPrint INTEGER")));
    db.exec("CREATE TABLE Typos (Κωδικός INTEGER PRIMARY KEY, Τύπος TEXT)");
    db.exec(QStringLiteral("CREATE TABLE ProtasisXristi (%1Κωδικός TEXT, [Περιγραφή Είδους] TEXT, Εύρος REAL,"
                           " Τύπος INTEGER, Πάχος REAL%2)")
                .arg(shape == Shape::NoKeyColumn ? QString() : QStringLiteral("ID INTEGER PRIMARY KEY AUTOINCREMENT, "),
                     noColumns ? QString() : QStringLiteral(", [Αριθμός Ρόλων] INTEGER DEFAULT 0")));
    db.exec("CREATE TABLE Protasis1 (ID INTEGER, Paraggelia TEXT)");
    if (shape != Shape::NoProtasis2) db.exec("CREATE TABLE Protasis2 (ID INTEGER, Paraggelia TEXT)");
    db.exec("CREATE TABLE Protasis3 (ID INTEGER, Protasis TEXT)");
    db.exec("CREATE TABLE Protasis4 (ID INTEGER, Paraggelia TEXT)");
    db.exec("CREATE TABLE Seira (ID INTEGER, Mikos REAL, Baros REAL)");

    db.exec(QStringLiteral("INSERT INTO tblParameters (AnektiApoklisi, AristeroXakrisma, ArithmosTainion,"
                           " BarosTainias, DexiXakrisma, MikosTainias) VALUES (5, 3, 9, 7.5, 3, 1500)"));
    db.exec("INSERT INTO Typos VALUES (1, 'Λαμαρίνα'), (2, 'Ταινία')");
    for (int i = 1; i <= 40; ++i)
        db.exec(QStringLiteral("INSERT INTO ProtasisXristi (Κωδικός, [Περιγραφή Είδους], Εύρος, Τύπος, Πάχος)"
                               " VALUES ('Κ%1', 'Ταινία %2 mm', %2, %3, 1.5)")
                    .arg(i)
                    .arg(50 + 10 * i)
                    .arg(1 + i % 2));
    db.exec("INSERT INTO Protasis1 VALUES (1, 'πρώτη γραμμή'), (2, 'δεύτερη γραμμή')");
    const int version = shape == Shape::Current || shape == Shape::Damaged ? plat::Database::SchemaVersion
                        : shape == Shape::Version0                         ? 0
                                                                           : 1;
    db.exec(QStringLiteral("PRAGMA user_version = %1").arg(version));
}

// Breaks one page in the middle of the file, leaving its header intact.
void damage(const QString &path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_GT(f.size(), 4 * 4096);
    f.seek(2 * 4096);
    f.write(QByteArray(4096, char(0xA5)));
}

// The rows a planner keeps, column by column as every version of the file has them.
QStringList keptRows(const QString &path)
{
    FixtureDb db(path);
    QStringList out;
    out << db.rows("SELECT AnektiApoklisi, AristeroXakrisma, ArithmosTainion, BarosTainias, DexiXakrisma,"
                   " MikosTainias FROM tblParameters");
    out << db.rows("SELECT * FROM Typos ORDER BY Κωδικός");
    out << db.rows("SELECT Κωδικός, [Περιγραφή Είδους], Εύρος, Τύπος, Πάχος FROM ProtasisXristi ORDER BY Κωδικός");
    out << db.rows("SELECT ID, Paraggelia FROM Protasis1 ORDER BY ID");
    return out;
}

// Every table and column the program reads, and the version mark.
QStringList schemaProblems(const QString &path)
{
    FixtureDb db(path);
    QStringList problems;
    for (const char *sql :
         {"SELECT AnektiApoklisi, AristeroXakrisma, ArithmosTainion, BarosTainias, DexiXakrisma, MikosTainias,"
          " OikonomikoPrint FROM tblParameters",
          "SELECT Κωδικός, Τύπος FROM Typos",
          "SELECT ID, Κωδικός, [Περιγραφή Είδους], Εύρος, Τύπος, Πάχος, [Αριθμός Ρόλων] FROM ProtasisXristi",
          "SELECT ID, Paraggelia FROM Protasis1", "SELECT ID, Paraggelia FROM Protasis2",
          "SELECT ID, Protasis FROM Protasis3", "SELECT ID, Paraggelia FROM Protasis4",
          "SELECT ID, Mikos, Baros FROM Seira"}) {
        const QStringList r = db.rows(QString::fromUtf8(sql));
        if (!r.isEmpty() && r.first().startsWith(QStringLiteral("error"))) problems << r.first();
    }
    const QStringList v = db.rows("PRAGMA user_version");
    if (v != QStringList{QString::number(plat::Database::SchemaVersion)}) problems << "version " + v.join(',');
    return problems;
}

QByteArray fileHash(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

struct ProbeResult {
    QStringList messages; // "style|text"
    QHash<QString, QString> values;
    QHash<QString, int> rows;
};

// The probe runs as the unprivileged user "nobody" when the tests run as
// root, so that permission bits decide as they do for a planner.
void asPlanner(QProcess &p)
{
    if (::geteuid() == 0) {
        p.setChildProcessModifier([] {
            const gid_t g = 65534;
            if (::setgroups(1, &g) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(99);
        });
    }
}

ProbeResult runProbe(const QStringList &args)
{
    QProcess p;
    asPlanner(p);
    p.start(kProbe, args);
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    ProbeResult r;
    for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        QStringList f = line.split(QLatin1Char('\t'));
        for (QString &s : f) s.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        if (f.size() == 3 && f[0] == QLatin1String("message")) r.messages << f[1] + QLatin1Char('|') + f[2];
        else if (f.size() == 3 && f[0] == QLatin1String("rows")) r.rows.insert(f[1], f[2].toInt());
        else if (f.size() == 2) r.values.insert(f[0], f[1]);
    }
    return r;
}

struct StateCase {
    const char *name;
    std::function<void(const QString &app, const QString &file)> prepare;
    // Paths in the texts: %F the database file, %A the program's folder, %D the per-user folder.
    QStringList messages;
    const char *opened; // "app", "data" or "" (nothing open)
    bool readOnly;
    enum Kept { RowsKept, RowsKeptUpgraded, Unchanged, NewFile } kept;
    bool lockedByAnother = false;
};

QString fill(QString s, const QString &app, const QString &data)
{
    return s.replace(QStringLiteral("%F"), app + QStringLiteral("/Divor.db"))
        .replace(QStringLiteral("%A"), app)
        .replace(QStringLiteral("%D"), data);
}

const QString kReadOnlyFile =
    QStringLiteral("48|Το αρχείο της βάσεως δεδομένων <%F> είναι μόνο για ανάγνωση.\nΤο πρόγραμμα το ανοίγει μόνο "
                   "για ανάγνωση: οι αλλαγές δεν μπορούν να αποθηκευτούν μέχρι να γίνει εγγράψιμο.");
const QString kReadOnlyFileRefusal =
    QStringLiteral("Η αλλαγή δεν αποθηκεύτηκε: το αρχείο της βάσεως δεδομένων <%F> είναι μόνο για ανάγνωση.");

void chmodPath(const QString &path, QFile::Permissions perms) { ASSERT_TRUE(QFile::setPermissions(path, perms)); }
const QFile::Permissions kAll = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther |
                                QFile::ExeOther;
const QFile::Permissions kReadAll = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
const QFile::Permissions kReadExecAll = kReadAll | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;

// Starts a writer of the proposals, kills it at a random moment of its
// rewrites and says whether it died inside a transaction, leaving a change
// to roll back (a journal whose header starts with zeros is none).
bool killWriter(const QString &path, int maxDelayUs)
{
    QProcess p;
    p.start(kProbe, {QStringLiteral("rewrite"), path});
    EXPECT_TRUE(p.waitForReadyRead(20000));
    QThread::usleep(QRandomGenerator::global()->bounded(maxDelayUs));
    ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
    EXPECT_TRUE(p.waitForFinished(20000));
    QFile journal(path + QStringLiteral("-journal"));
    return journal.open(QIODevice::ReadOnly) && journal.size() > 0 && journal.read(1) != QByteArray(1, '\0');
}

void interruptedRewrite(const QString &path)
{
    for (int attempt = 0; attempt < 200; ++attempt)
        if (killWriter(path, 5000)) return;
    FAIL() << "no rewrite was cut short";
}

std::function<void(const QString &, const QString &)> shaped(Shape shape, QFile::Permissions file = kAll,
                                                             QFile::Permissions folder = kAll)
{
    return [=](const QString &app, const QString &path) {
        writeFile(path, shape);
        if (shape == Shape::Damaged) damage(path);
        chmodPath(path, file);
        chmodPath(app, folder);
    };
}

} // namespace

TEST(DatabaseFileStates, EachStateIsToldExactlyAndNoRowIsLost)
{
    const StateCase cases[] = {
        {"current file", shaped(Shape::Current), {}, "app", false, StateCase::RowsKept},
        {"missing file", [](const QString &, const QString &) {}, {}, "app", false, StateCase::NewFile},
        {"empty file", shaped(Shape::EmptyFile), {}, "app", false, StateCase::NewFile},
        {"a table missing", shaped(Shape::NoProtasis2), {}, "app", false, StateCase::RowsKeptUpgraded},
        {"columns missing", shaped(Shape::NoColumns), {}, "app", false, StateCase::RowsKeptUpgraded},
        {"key column missing", shaped(Shape::NoKeyColumn), {}, "app", false, StateCase::RowsKeptUpgraded},
        {"version 0", shaped(Shape::Version0), {}, "app", false, StateCase::RowsKeptUpgraded},
        {"read-only file", shaped(Shape::Current, kReadAll), {kReadOnlyFile}, "app", true, StateCase::Unchanged},
        {"read-only older file",
         shaped(Shape::NoColumns, kReadAll),
         {kReadOnlyFile + QStringLiteral("\nΤο αρχείο είναι παλαιότερης μορφής και δεν μπορεί να συμπληρωθεί όσο "
                                         "είναι μόνο για ανάγνωση· λείπουν: tblParameters.[OikonomikoPrint], "
                                         "ProtasisXristi.[Αριθμός Ρόλων].")},
         "app", true, StateCase::Unchanged},
        {"read-only folder, writable file",
         shaped(Shape::Current, kAll, kReadExecAll),
         {QStringLiteral("48|Ο φάκελος <%A> της βάσεως δεδομένων <%F> είναι μόνο για ανάγνωση (το αρχείο δέχεται "
                         "αλλαγές, ο φάκελός του όχι).\nΤο πρόγραμμα ανοίγει τη βάση μόνο για ανάγνωση: οι αλλαγές "
                         "δεν μπορούν να αποθηκευτούν μέχρι να γίνει εγγράψιμος ο φάκελος.")},
         "app", true, StateCase::Unchanged},
        {"read-only program folder, no file",
         [](const QString &app, const QString &) { chmodPath(app, kReadExecAll); },
         {QStringLiteral("48|Ο φάκελος τού προγράμματος <%A> δεν δέχεται αρχεία· η βάση δεδομένων δημιουργήθηκε "
                         "στο <%D/Divor.db>.")},
         "data", false, StateCase::NewFile},
        {"read-only file with a change cut short",
         [](const QString &app, const QString &file) {
             writeFile(file, Shape::Current);
             interruptedRewrite(file);
             chmodPath(file, kReadAll);
             chmodPath(file + QStringLiteral("-journal"), kReadAll);
             chmodPath(app, kAll);
         },
         {QStringLiteral("21|Δεν είναι δυνατό να ανοίξει η βάση δεδομένων <%F>.\nΜια αλλαγή της βάσεως δεδομένων "
                         "διακόπηκε και πρέπει να αναιρεθεί, κάτι που δεν γίνεται όσο το αρχείο ή ο φάκελός του "
                         "είναι μόνο για ανάγνωση.") +
              kRetry},
         "", false, StateCase::Unchanged},
        {"locked by another connection",
         shaped(Shape::Current),
         {QStringLiteral("21|Το αρχείο της βάσεως δεδομένων <%F> χρησιμοποιείται αυτή τη στιγμή από άλλο "
                         "πρόγραμμα.") +
              kRetry},
         "", false, StateCase::Unchanged, true},
        {"per-user file from before, program folder writable again",
         [](const QString &app, const QString &) {
             writeFile(app + QStringLiteral("/../data/Divor.db"), Shape::Current);
             chmodPath(app + QStringLiteral("/../data/Divor.db"), kAll);
         },
         {}, "data", false, StateCase::RowsKept},
        {"damaged",
         shaped(Shape::Damaged),
         {QStringLiteral("21|Το αρχείο της βάσεως δεδομένων <%F> είναι κατεστραμμένο.") + kRetry},
         "", false, StateCase::Unchanged},
        {"not a database",
         shaped(Shape::Text),
         {QStringLiteral("21|Το αρχείο <%F> δεν είναι βάση δεδομένων τού προγράμματος.") + kRetry},
         "", false, StateCase::Unchanged},
        {"another program's database",
         shaped(Shape::OtherProgram),
         {QStringLiteral("21|Το αρχείο <%F> δεν είναι βάση δεδομένων τού προγράμματος.") + kRetry},
         "", false, StateCase::Unchanged},
    };

    for (const StateCase &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir root;
        chmodPath(root.path(), kAll);
        const QString app = root.filePath(QStringLiteral("app"));
        const QString data = root.filePath(QStringLiteral("data"));
        ASSERT_TRUE(QDir().mkpath(app));
        ASSERT_TRUE(QDir().mkpath(data));
        chmodPath(app, kAll);
        chmodPath(data, kAll);
        const QString file = app + QStringLiteral("/Divor.db");
        c.prepare(app, file);
        // The file that is to be opened (or refused).
        const QString target = QString::fromLatin1(c.opened) == "data" ? data + QStringLiteral("/Divor.db") : file;
        const QByteArray hashBefore = fileHash(target);
        // Reading as root would roll back a change cut short: only the files
        // that are to change are read before the probe.
        const bool changes = c.kept == StateCase::RowsKept || c.kept == StateCase::RowsKeptUpgraded;
        const QStringList rowsBefore = changes ? keptRows(target) : QStringList();

        // Taken last: closing any other handle of the file in this process
        // would drop the lock.
        std::unique_ptr<FixtureDb> holder;
        if (c.lockedByAnother) {
            holder = std::make_unique<FixtureDb>(file);
            holder->exec("BEGIN EXCLUSIVE");
            holder->exec("UPDATE Typos SET Τύπος = Τύπος");
        }
        const ProbeResult r = runProbe({QStringLiteral("start"), app, data});
        holder.reset();
        chmodPath(app, kAll);

        QStringList expected;
        for (const QString &m : c.messages) expected << fill(m, app, data);
        EXPECT_EQ(r.messages, expected);
        const QString opened = QString::fromLatin1(c.opened);
        EXPECT_EQ(r.values.value("open"), opened.isEmpty() ? "0" : "1");
        if (!opened.isEmpty()) {
            const QString expectedPath = (opened == "app" ? app : data) + QStringLiteral("/Divor.db");
            EXPECT_EQ(r.values.value("path"), expectedPath);
            EXPECT_EQ(r.values.value("readonly"), c.readOnly ? "1" : "0");
            // Writes are refused with the message that names what is read-only.
            QString refusal = QStringLiteral("ok");
            if (c.readOnly)
                refusal = c.messages.first().contains(QStringLiteral("Ο φάκελος"))
                              ? fill(QStringLiteral("Η αλλαγή δεν αποθηκεύτηκε: ο φάκελος <%A> της βάσεως δεδομένων "
                                                    "<%F> είναι μόνο για ανάγνωση."),
                                     app, data)
                              : fill(kReadOnlyFileRefusal, app, data);
            EXPECT_EQ(r.values.value("rewrite"), refusal);
            EXPECT_EQ(r.values.value("insert"), refusal);
            EXPECT_EQ(r.rows.value("tblParameters"), 1);
        }

        if (opened == "data") {
            EXPECT_FALSE(QFile::exists(file)) << "one file only";
        }
        switch (c.kept) {
        case StateCase::RowsKept:
        case StateCase::RowsKeptUpgraded:
            EXPECT_EQ(keptRows(target), rowsBefore);
            EXPECT_EQ(schemaProblems(target), QStringList());
            EXPECT_EQ(r.rows.value("ProtasisXristi"), 40);
            break;
        case StateCase::Unchanged:
            EXPECT_EQ(fileHash(target), hashBefore);
            if (c.readOnly) {
                EXPECT_EQ(r.rows.value("ProtasisXristi"), 40);
            }
            break;
        case StateCase::NewFile: {
            const QString created = (opened == "data" ? data : app) + QStringLiteral("/Divor.db");
            EXPECT_EQ(schemaProblems(created), QStringList());
            FixtureDb db(created);
            EXPECT_EQ(db.rows("SELECT MikosTainias FROM tblParameters"), QStringList{"1250"});
            EXPECT_FALSE(QFile::exists(data + "/Divor.db") && opened == "app") << "one file only";
            break;
        }
        }
    }
}

TEST(DatabaseFileStates, KeyColumnAddedLaterNumbersTheRowsInTheirOrder)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("Divor.db");
    writeFile(file, Shape::NoKeyColumn);
    ASSERT_EQ(plat::Database::open(file), QString());
    plat::Database::close();
    FixtureDb db(file);
    EXPECT_EQ(db.rows("SELECT ID, Κωδικός, [Αριθμός Ρόλων] FROM ProtasisXristi WHERE ID <= 2 ORDER BY ID"),
              (QStringList{"1|Κ1|0", "2|Κ2|0"}));
    db.exec("INSERT INTO ProtasisXristi (Κωδικός) VALUES ('νέο')");
    EXPECT_EQ(db.rows("SELECT ID FROM ProtasisXristi WHERE Κωδικός = 'νέο'"), QStringList{"41"});
}

// Tables and columns the planner's file holds of its own may be named with any
// character, a closing bracket too: the file still opens, and a table rebuilt
// around its missing key keeps such a column with its rows.
TEST(DatabaseFileStates, NamesWithABracketInTheFileOpenAndAreKept)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("Divor.db");
    writeFile(file, Shape::NoKeyColumn);
    {
        FixtureDb db(file);
        db.exec("CREATE TABLE \"notes]1\" (\"a]b\")");
        db.exec("INSERT INTO \"notes]1\" VALUES ('σημείωση')");
        db.exec("ALTER TABLE ProtasisXristi ADD COLUMN \"x]\"\"y\"");
        db.exec("UPDATE ProtasisXristi SET \"x]\"\"y\" = 'κρατιέται' WHERE Κωδικός = 'Κ1'");
    }
    ASSERT_EQ(plat::Database::open(file), QString());
    plat::Database::close();
    FixtureDb db(file);
    EXPECT_EQ(db.rows("SELECT \"a]b\" FROM \"notes]1\""), QStringList{"σημείωση"});
    EXPECT_EQ(db.rows("SELECT ID, \"x]\"\"y\" FROM ProtasisXristi WHERE Κωδικός = 'Κ1'"),
              QStringList{"1|κρατιέται"});
}

// Another program holds the file in a write transaction: the planner is told
// so (not that the file is damaged or foreign), and Retry opens it once the
// other program lets go.
TEST(DatabaseFileStates, FileInUseIsToldAndRetryOpensItWhenReleased)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("Divor.db");
    writeFile(file, Shape::NoColumns);
    const QStringList rowsBefore = keptRows(file);
    {
        FixtureDb other(file);
        other.exec("BEGIN EXCLUSIVE");
        other.exec("UPDATE Protasis1 SET Paraggelia = Paraggelia");
        plat::MsgBoxRecorder rec;
        rec.queueAnswers({plat::MsgAnswer::Retry});
        plat::Database::setLockWait(200);
        // The wait shows a busy pointer, gone before the message and after.
        rec.onMessage = [&](const plat::MsgRecord &) {
            EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
            other.exec("ROLLBACK");
        };
        ASSERT_TRUE(plat::Database::openForProgram(dir.path(), dir.filePath("data")));
        EXPECT_EQ(rec.messages.size(), 1);
        EXPECT_EQ(rec.messages.value(0).style, int(plat::MsgRetryCancelCritical));
        EXPECT_EQ(rec.lastText(), QStringLiteral("Το αρχείο της βάσεως δεδομένων <%1> χρησιμοποιείται αυτή τη στιγμή "
                                                 "από άλλο πρόγραμμα.")
                                          .arg(file) +
                                      kRetry);
        EXPECT_EQ(plat::Database::path(), file);
        EXPECT_FALSE(plat::Database::isReadOnly());
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    plat::Database::setLockWait(-1);
    plat::Database::close();
    EXPECT_EQ(keptRows(file), rowsBefore);
    EXPECT_EQ(schemaProblems(file), QStringList()) << "upgraded once it could be written";
}

// A crash in the middle of writing the proposals of a search leaves both
// tables from the same search: the writer is killed again and again at
// random moments of its rewrites.
TEST(ProposalRewrite, AKilledWriterLeavesBothProposalsFromTheSameSearch)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("Divor.db");
    ASSERT_EQ(plat::Database::open(file), QString());
    plat::Database::close();
    int interrupted = 0;
    const int runs = 100;
    for (int run = 0; run < runs; ++run) {
        SCOPED_TRACE(run);
        if (killWriter(file, 20000)) ++interrupted;

        FixtureDb db(file);
        EXPECT_EQ(db.rows("PRAGMA integrity_check"), QStringList{"ok"});
        const QStringList p1 = db.rows("SELECT ID, Paraggelia FROM Protasis1 ORDER BY ID");
        const QStringList p2 = db.rows("SELECT ID, Paraggelia FROM Protasis2 ORDER BY ID");
        ASSERT_FALSE(p1.isEmpty());
        const long solve = p1.first().section(' ', 1, 1).toLong();
        QStringList want1, want2;
        for (long k = 1; k <= 3 + solve % 7; ++k) want1 << QStringLiteral("%1|solve %2 proposal 1 line %1").arg(k).arg(solve);
        for (long k = 1; k <= 2 + solve % 5; ++k) want2 << QStringLiteral("%1|solve %2 proposal 2 line %1").arg(k).arg(solve);
        EXPECT_EQ(p1, want1);
        EXPECT_EQ(p2, want2);
    }
    // The kills do land inside the transaction, not only between them.
    EXPECT_GT(interrupted, 0);
}

TEST(ProposalRewrite, AFailureInTheSecondTableKeepsTheFirstTableOld)
{
    QTemporaryDir dir;
    ASSERT_EQ(plat::Database::open(dir.filePath("Divor.db")), QString());
    ASSERT_TRUE(plat::Database::rewriteTables({plat::TableRewrite::lines("Protasis1", "Paraggelia", {"old 1"}),
                                               plat::TableRewrite::lines("Protasis2", "Paraggelia", {"old 2"})}));
    QSqlQuery(plat::Database::db())
        .exec("CREATE TRIGGER no_bad BEFORE INSERT ON Protasis2 BEGIN SELECT RAISE(ABORT, 'refused'); END");
    QString error;
    EXPECT_FALSE(plat::Database::rewriteTables({plat::TableRewrite::lines("Protasis1", "Paraggelia", {"new 1"}),
                                                plat::TableRewrite::lines("Protasis2", "Paraggelia", {"new 2"})},
                                               &error));
    EXPECT_EQ(error, QStringLiteral("Σφάλμα στη βάση δεδομένων: Η βάση δεδομένων δεν δέχτηκε την αλλαγή."));
    QSqlQuery q(plat::Database::db());
    q.exec("SELECT (SELECT Paraggelia FROM Protasis1) || ',' || (SELECT Paraggelia FROM Protasis2)");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("old 1,old 2"));
    q.finish();
    plat::Database::close();
}

TEST(DatabaseFileStates, WithoutAConnectionTheMessageIsGreek)
{
    plat::Database::close();
    QSqlQuery q(plat::Database::db());
    EXPECT_FALSE(q.exec("SELECT * FROM Typos"));
    EXPECT_EQ(plat::dbErrorText(q.lastError()),
              QStringLiteral("Σφάλμα στη βάση δεδομένων: η βάση δεδομένων δεν είναι ανοικτή."));
}

// Another program takes the file after the start: a command that opens a
// window is told once, with Retry, instead of each of the window's reads
// waiting and failing; Cancel opens nothing, Retry goes on once the file is
// free again.
TEST(DatabaseFileStates, FileTakenAfterTheStartIsToldOnceBeforeAWindowOpens)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("Divor.db");
    writeFile(file, Shape::Current);
    plat::Database::setLockWait(100);
    ASSERT_EQ(plat::Database::open(file), QString());
    const QString told = QStringLiteral("Το αρχείο της βάσεως δεδομένων <%1> χρησιμοποιείται αυτή τη στιγμή από άλλο "
                                        "πρόγραμμα.\nΠατήστε «Επανάληψη» για νέα προσπάθεια ή «Άκυρο» για να μην "
                                        "ανοίξει το παράθυρο.")
                             .arg(file);
    {
        plat::MsgBoxRecorder rec;
        EXPECT_TRUE(plat::Database::ensureOpen());
        EXPECT_TRUE(rec.messages.isEmpty());

        FixtureDb other(file);
        other.exec("BEGIN EXCLUSIVE");
        other.exec("UPDATE Typos SET Τύπος = Τύπος");
        EXPECT_FALSE(plat::Database::ensureOpen());
        EXPECT_EQ(rec.texts(), QStringList{told});
        EXPECT_EQ(rec.messages.value(0).style, int(plat::MsgRetryCancelCritical));

        rec.clear();
        rec.queueAnswers({plat::MsgAnswer::Retry, plat::MsgAnswer::Retry});
        int asked = 0;
        rec.onMessage = [&](const plat::MsgRecord &) {
            if (++asked == 2) other.exec("ROLLBACK");
        };
        EXPECT_TRUE(plat::Database::ensureOpen());
        EXPECT_EQ(rec.texts(), (QStringList{told, told}));
    }
    EXPECT_TRUE(plat::Database::isOpen());
    plat::Database::setLockWait(-1);
    plat::Database::close();
}

namespace {

const QString kGone =
    QStringLiteral("Δεν βρέθηκε το αρχείο της βάσης δεδομένων:\n%F\nΔιαγράφηκε ή μετακινήθηκε όσο το πρόγραμμα "
                   "ήταν ανοιχτό. Για να χρησιμοποιήσετε τη βάση δεδομένων, ξεκινήστε ξανά το πρόγραμμα.");
const QString kReplaced =
    QStringLiteral("Το αρχείο της βάσης δεδομένων:\n%F\nαντικαταστάθηκε από άλλο όσο το πρόγραμμα ήταν ανοιχτό. "
                   "Το πρόγραμμα δεν διαβάζει ούτε γράφει πια το αρχείο που άνοιξε. Για να χρησιμοποιήσετε το "
                   "αρχείο που βρίσκεται τώρα εκεί, ξεκινήστε ξανά το πρόγραμμα.");
const QString kNoPrint = QStringLiteral("\nΗ εκτύπωση δεν μπορεί να γίνει.");
const QStringList kDoors = {"window", "save", "insert", "print"};

// Opens `file` in the probe, lets `change` act on it while it is open, then
// goes through the doors, `first` first and then every one again; returns
// each door's answer in that order, and "open" last.
QList<std::pair<QString, QString>> probeChanged(const QString &file, const QString &first,
                                                const std::function<void()> &change)
{
    QProcess p;
    asPlanner(p);
    p.start(kProbe, QStringList{"changed", file, first} + kDoors);
    EXPECT_TRUE(p.waitForReadyRead(20000));
    EXPECT_EQ(p.readLine(), QByteArray("ready\n"));
    change();
    p.write("go\n");
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    QList<std::pair<QString, QString>> said;
    for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
        QString rest = line.section('\t', 1);
        said.append(std::pair{line.section(QLatin1Char('\t'), 0, 0), rest.replace(QStringLiteral("\\n"), QStringLiteral("\n"))});
    }
    return said;
}

} // namespace

// The file at the database's path deleted, or something else put there,
// while the program has it open: whichever door the planner's next action
// goes through first (a window opening, a save, a plain statement, a print)
// says which of the two happened, naming the file, and so does every door
// after it; nothing is read from the file opened, nothing is written to it or
// to whatever is now at the path. A file still the one opened (also through a
// link) keeps its answers, the read-only refusal included.
TEST(DatabaseFileStates, AFileChangedWhileOpenIsToldAtEveryDoorAndNeitherFileIsTouched)
{
    enum After { Gone, Replaced, Same };
    const struct {
        const char *name;
        bool readOnly; // the file opened cannot be written by the planner
        After after;
        std::function<void(const QString &file, const QString &kept)> change;
    } cases[] = {
        {"deleted", false, Gone, [](const QString &file, const QString &) { ASSERT_TRUE(QFile::remove(file)); }},
        {"read-only file deleted", true, Gone,
         [](const QString &file, const QString &) { ASSERT_TRUE(QFile::remove(file)); }},
        {"another Divor.db renamed over it", false, Replaced,
         [](const QString &file, const QString &) {
             const QString other = file + QStringLiteral(".new");
             writeFile(other, Shape::Current);
             FixtureDb(other).exec("INSERT INTO Protasis1 VALUES (3, 'άλλου αρχείου')");
             ASSERT_EQ(::rename(QFile::encodeName(other).constData(), QFile::encodeName(file).constData()), 0);
         }},
        {"a folder in its place", false, Replaced,
         [](const QString &file, const QString &) {
             ASSERT_TRUE(QFile::remove(file));
             ASSERT_TRUE(QDir().mkdir(file));
         }},
        {"a FIFO in its place", false, Replaced,
         [](const QString &file, const QString &) {
             ASSERT_TRUE(QFile::remove(file));
             ASSERT_EQ(::mkfifo(QFile::encodeName(file).constData(), 0666), 0);
         }},
        {"a link to the same file in its place", false, Same,
         [](const QString &file, const QString &kept) {
             ASSERT_TRUE(QFile::remove(file));
             ASSERT_TRUE(QFile::link(kept, file));
         }},
        {"read-only file left alone", true, Same, [](const QString &, const QString &) {}},
    };

    for (const auto &c : cases) {
        for (const QString &first : kDoors) {
            SCOPED_TRACE(std::string(c.name) + ", first " + first.toStdString());
            QTemporaryDir root;
            chmodPath(root.path(), kAll);
            const QString app = root.filePath(QStringLiteral("app"));
            ASSERT_TRUE(QDir().mkpath(app));
            chmodPath(app, kAll);
            const QString file = app + QStringLiteral("/Divor.db");
            // The file opened stays reachable under a second name, to be
            // compared afterwards.
            const QString kept = root.filePath(QStringLiteral("kept.db"));
            writeFile(file, Shape::Current);
            chmodPath(file, c.readOnly ? kReadAll : kAll);
            ASSERT_EQ(::link(QFile::encodeName(file).constData(), QFile::encodeName(kept).constData()), 0);

            QByteArray keptBefore, nowBefore;
            const auto said = probeChanged(file, first, [&] {
                keptBefore = fileHash(kept);
                c.change(file, kept);
                if (QFileInfo(file).isFile()) nowBefore = fileHash(file);
            });

            const QString told = QString(c.after == Gone ? kGone : kReplaced).replace(QStringLiteral("%F"), file);
            QList<std::pair<QString, QString>> expected;
            for (const QString &door : QStringList{first} + kDoors) {
                QString answer;
                if (c.after != Same)
                    answer = door == "window" ? "0\t16|" + told : door == "print" ? told + kNoPrint : told;
                else if (door == "window")
                    answer = "1\t";
                else if (door == "print")
                    answer = "rows 2";
                else
                    answer = c.readOnly ? fill(kReadOnlyFileRefusal, app, {}) : QStringLiteral("ok");
                expected.append(std::pair{door, answer});
            }
            expected.append(std::pair{QStringLiteral("open"), QString(c.after == Same ? "1" : "0")});
            EXPECT_EQ(said, expected);

            if (c.after != Same || c.readOnly) {
                EXPECT_EQ(fileHash(kept), keptBefore) << "the file opened is not written";
            }
            if (c.after == Replaced && !nowBefore.isEmpty()) {
                EXPECT_EQ(fileHash(file), nowBefore) << "the file now at the path is not written";
            }
            if (QFileInfo(file).isDir()) {
                EXPECT_TRUE(QDir(file).isEmpty());
            }
        }
    }
}
