#include "database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <sqlite3.h>

namespace plat {

namespace {

const char *kConnection = "velantra";

// Every table of the program, created once when the file is new. Names keep
// their Greek spelling; widths and weights are REAL so that they sort by value.
const char *kSchema[] = {
    "CREATE TABLE IF NOT EXISTS tblParameters ("
    " AnektiApoklisi REAL, AristeroXakrisma REAL, ArithmosTainion INTEGER, BarosTainias REAL,"
    " DexiXakrisma REAL, MikosTainias REAL, OikonomikoPrint INTEGER)",
    "CREATE TABLE IF NOT EXISTS Typos (Κωδικός INTEGER PRIMARY KEY, Τύπος TEXT)",
    "CREATE TABLE IF NOT EXISTS ProtasisXristi ("
    " ID INTEGER PRIMARY KEY AUTOINCREMENT, Κωδικός TEXT, [Περιγραφή Είδους] TEXT, Εύρος REAL,"
    " Τύπος INTEGER, Πάχος REAL, [Αριθμός Ρόλων] INTEGER DEFAULT 0)",
    "CREATE TABLE IF NOT EXISTS Protasis1 (ID INTEGER, Paraggelia TEXT)",
    "CREATE TABLE IF NOT EXISTS Protasis2 (ID INTEGER, Paraggelia TEXT)",
    "CREATE TABLE IF NOT EXISTS Protasis3 (ID INTEGER, Protasis TEXT)",
    "CREATE TABLE IF NOT EXISTS Protasis4 (ID INTEGER, Paraggelia TEXT)",
    "CREATE TABLE IF NOT EXISTS Seira (ID INTEGER, Mikos REAL, Baros REAL)",
};

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

QString createSchema(QSqlDatabase &db)
{
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA user_version"));
    int version = q.next() ? q.value(0).toInt() : 0;
    if (version >= Database::SchemaVersion) return {};
    if (!db.transaction()) return dbErrorText(db.lastError());
    for (const char *stmt : kSchema) {
        if (!q.exec(QString::fromUtf8(stmt))) {
            QString err = dbErrorText(q.lastError());
            db.rollback();
            return err;
        }
    }
    q.exec(QStringLiteral("SELECT COUNT(*) FROM tblParameters"));
    if (q.next() && q.value(0).toInt() == 0) {
        if (!q.exec(QStringLiteral("INSERT INTO tblParameters (AnektiApoklisi, AristeroXakrisma, ArithmosTainion,"
                                   " BarosTainias, DexiXakrisma, MikosTainias, OikonomikoPrint)"
                                   " VALUES (10, 2, 11, 8, 2, 1250, 0)"))) {
            QString err = dbErrorText(q.lastError());
            db.rollback();
            return err;
        }
    }
    q.exec(QStringLiteral("PRAGMA user_version = %1").arg(Database::SchemaVersion));
    if (!db.commit()) return dbErrorText(db.lastError());
    return {};
}

bool dirWritable(const QString &dir)
{
    QFileInfo fi(dir);
    return fi.isDir() && fi.isWritable();
}

} // namespace

QString Database::defaultPath()
{
    const QString appDir = QCoreApplication::applicationDirPath();
    const QString here = QDir(appDir).filePath(QStringLiteral("Divor.db"));
    if (QFileInfo::exists(here) ? QFileInfo(here).isWritable() : dirWritable(appDir)) return here;
    QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return QDir(data).filePath(QStringLiteral("Divor.db"));
}

QString Database::open(const QString &path)
{
    close();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QString::fromLatin1(kConnection));
    if (!db.isValid())
        return QStringLiteral("Δεν είναι διαθέσιμος ο οδηγός της βάσεως δεδομένων (SQLite).");
    db.setDatabaseName(path);
    if (!db.open()) {
        QString err = QStringLiteral("Δεν είναι δυνατό να ανοίξει η βάση δεδομένων <%1>.\n%2")
                          .arg(path, db.lastError().text());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QString::fromLatin1(kConnection));
        return err;
    }
    registerCollation(db);
    QSqlQuery check(db);
    if (!check.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"))) {
        QString err = QStringLiteral("Το αρχείο <%1> δεν είναι βάση δεδομένων τού προγράμματος.\n%2")
                          .arg(path, check.lastError().text());
        check = QSqlQuery();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QString::fromLatin1(kConnection));
        return err;
    }
    check = QSqlQuery();
    QString err = createSchema(db);
    if (!err.isEmpty()) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QString::fromLatin1(kConnection));
        return err;
    }
    return {};
}

void Database::close()
{
    if (!QSqlDatabase::contains(QString::fromLatin1(kConnection))) return;
    {
        QSqlDatabase db = QSqlDatabase::database(QString::fromLatin1(kConnection), false);
        db.close();
    }
    QSqlDatabase::removeDatabase(QString::fromLatin1(kConnection));
}

bool Database::isOpen()
{
    return QSqlDatabase::contains(QString::fromLatin1(kConnection)) &&
           QSqlDatabase::database(QString::fromLatin1(kConnection), false).isOpen();
}

QSqlDatabase Database::db() { return QSqlDatabase::database(QString::fromLatin1(kConnection), false); }

bool Database::rewriteTable(const QString &table, const QStringList &columns, const QList<QVariantList> &rows,
                            QString *error)
{
    auto fail = [&](const QSqlError &e) {
        if (error) *error = dbErrorText(e);
        return false;
    };
    QSqlDatabase db = Database::db();
    if (!db.isOpen()) {
        if (error) *error = QStringLiteral("Η βάση δεδομένων δεν είναι ανοικτή.");
        return false;
    }
    // Table and column names come from the program's own code, never from typed text.
    QStringList quoted;
    QStringList marks;
    for (const QString &c : columns) {
        quoted << QLatin1Char('[') + c + QLatin1Char(']');
        marks << QStringLiteral("?");
    }
    if (!db.transaction()) return fail(db.lastError());
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("DELETE FROM [%1]").arg(table))) {
        QSqlError e = q.lastError();
        db.rollback();
        return fail(e);
    }
    if (!q.prepare(QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
                       .arg(table, quoted.join(QLatin1Char(',')), marks.join(QLatin1Char(','))))) {
        QSqlError e = q.lastError();
        db.rollback();
        return fail(e);
    }
    for (const QVariantList &row : rows) {
        for (int i = 0; i < columns.size(); ++i) q.bindValue(i, i < row.size() ? row[i] : QVariant());
        if (!q.exec()) {
            QSqlError e = q.lastError();
            db.rollback();
            return fail(e);
        }
    }
    if (!db.commit()) {
        QSqlError e = db.lastError();
        db.rollback();
        return fail(e);
    }
    return true;
}

bool Database::rewriteLines(const QString &table, const QString &column, const QStringList &lines, QString *error)
{
    QList<QVariantList> rows;
    rows.reserve(lines.size());
    for (int i = 0; i < lines.size(); ++i) rows.append({i + 1, lines[i]});
    return rewriteTable(table, {QStringLiteral("ID"), column}, rows, error);
}

QString dbErrorText(const QSqlError &err)
{
    QString reason = err.text().trimmed();
    if (reason.isEmpty()) reason = QStringLiteral("άγνωστη αιτία");
    // The failures a planner can cause or meet get a Greek explanation; the
    // driver's own words follow for whoever looks after the database.
    static const struct {
        const char *marker;
        const char *greek;
    } known[] = {
        {"UNIQUE constraint failed", "Υπάρχει ήδη εγγραφή μέ τήν ίδια τιμή."},
        {"PRIMARY KEY must be unique", "Υπάρχει ήδη εγγραφή μέ τήν ίδια τιμή."},
        {"NOT NULL constraint failed", "Ένα υποχρεωτικό πεδίο είναι κενό."},
        {"datatype mismatch", "Ένα πεδίο δέχεται μόνο αριθμούς."},
        {"database is locked", "Η βάση δεδομένων χρησιμοποιείται αυτή τη στιγμή από άλλο πρόγραμμα."},
        {"readonly database", "Η βάση δεδομένων δεν δέχεται αλλαγές (μόνο για ανάγνωση)."},
        {"database or disk is full", "Δεν υπάρχει ελεύθερος χώρος στον δίσκο."},
        {"no such table", "Λείπει ένας πίνακας από τη βάση δεδομένων."},
        {"no such column", "Λείπει ένα πεδίο από τη βάση δεδομένων."},
    };
    for (const auto &k : known)
        if (reason.contains(QLatin1String(k.marker), Qt::CaseInsensitive))
            return QStringLiteral("Σφάλμα στη βάση δεδομένων: %1\n(%2)").arg(QString::fromUtf8(k.greek), reason);
    return QStringLiteral("Σφάλμα στη βάση δεδομένων: %1").arg(reason);
}

} // namespace plat
