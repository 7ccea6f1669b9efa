#include "fixed_knife/secondary_catalogue.h"

#include "fixed_knife/knife_search.h"
#include "platform/database.h"
#include "platform/numtext.h"

#include <QHash>
#include <QSqlQuery>

namespace fk::catalogue {

namespace {

// Prepares, binds and runs a statement on `q`; a statement the database
// refuses to prepare reports its own reason, not a binding failure. Nothing
// is run on a file that is no longer the one opened.
QString run(QSqlQuery &q, const QString &statement, const QVariantList &values = {})
{
    if (const QString lost = plat::Database::checkFile(); !lost.isEmpty()) return lost;
    q.setForwardOnly(true);
    if (!q.prepare(statement)) return plat::dbErrorText(q.lastError());
    for (const QVariant &v : values) q.addBindValue(v);
    return q.exec() ? QString() : plat::dbErrorText(q.lastError());
}

} // namespace

QString searchStatement(const CatalogueFilter &f)
{
    QString s = QStringLiteral("select a.ID, a.Εύρος, a.Πάχος, p.Τύπος, a.[Αριθμός Ρόλων]"
                               " from ProtasisXristi as a inner join Typos as p on a.Τύπος=p.Κωδικός"
                               " where a.Εύρος BETWEEN ? and ?");
    if (f.thickness) s += QStringLiteral(" AND a.Πάχος=?");
    if (f.typeName) s += QStringLiteral(" AND p.Τύπος=?");
    // Rows of one width keep their table order.
    s += QStringLiteral(" order by a.Εύρος, a.ID");
    return s;
}

QString search(const CatalogueFilter &f, QVector<ResultRow> *rows)
{
    QVariantList values = {f.lowWidth, f.highWidth};
    if (f.thickness) values << *f.thickness;
    if (f.typeName) values << QString::fromStdString(*f.typeName);
    QSqlQuery q(plat::Database::db());
    if (QString err = run(q, searchStatement(f), values); !err.isEmpty()) return err;
    QVector<ResultRow> out;
    while (q.next())
        out.push_back({q.value(0).toLongLong(), q.value(1), q.value(2), q.value(3).toString(), q.value(4)});
    *rows = std::move(out);
    return {};
}

QString reread(QVector<ResultRow> *rows)
{
    if (rows->isEmpty()) return {};
    // The IDs go in as one JSON array: a single statement for any number of
    // rows, clear of the limit on bound values.
    QStringList ids;
    ids.reserve(rows->size());
    for (const ResultRow &r : *rows) ids << QString::number(r.id);
    QSqlQuery q(plat::Database::db());
    const QString statement =
        QStringLiteral("select ID, Εύρος, Πάχος, [Αριθμός Ρόλων] from ProtasisXristi"
                       " where ID in (select value from json_each(?))");
    const QString array = QLatin1Char('[') + ids.join(QLatin1Char(',')) + QLatin1Char(']');
    if (QString err = run(q, statement, {array}); !err.isEmpty()) return err;
    struct Now {
        QVariant width, thickness, count;
    };
    QHash<qint64, Now> now;
    now.reserve(rows->size());
    while (q.next()) {
        const qint64 id = q.value(0).toLongLong();
        if (!now.contains(id)) now.insert(id, {q.value(1), q.value(2), q.value(3)});
    }
    QVector<ResultRow> out;
    out.reserve(rows->size());
    for (ResultRow r : *rows) {
        const auto it = now.constFind(r.id);
        if (it == now.constEnd()) continue;
        r.width = it->width;
        r.thickness = it->thickness;
        r.count = it->count;
        out.push_back(std::move(r));
    }
    *rows = std::move(out);
    return {};
}

QString resetAllCounts()
{
    QSqlQuery q(plat::Database::db());
    return run(q, QStringLiteral("update ProtasisXristi set [Αριθμός Ρόλων] = 0"));
}

QString resetChosenCounts()
{
    QSqlQuery q(plat::Database::db());
    // An update that changes no row is still a write to SQLite.
    if (QString err = run(q, QStringLiteral("select 1 from ProtasisXristi where [Αριθμός Ρόλων] <> 0 limit 1"));
        !err.isEmpty() || !q.next())
        return err;
    return run(q, QStringLiteral("update ProtasisXristi set [Αριθμός Ρόλων] = 0 where [Αριθμός Ρόλων] <> 0"));
}

QString setCount(qint64 id, std::int64_t count)
{
    QSqlQuery q(plat::Database::db());
    return run(q, QStringLiteral("update ProtasisXristi set [Αριθμός Ρόλων] = ? where ID = ?"),
               {qint64(count), id});
}

QString clearCountOfWidth(std::int64_t width)
{
    QSqlQuery q(plat::Database::db());
    return run(q,
               QStringLiteral("update ProtasisXristi set [Αριθμός Ρόλων] = 0 where ID ="
                              " (select ID from ProtasisXristi where [Αριθμός Ρόλων] <> 0"
                              " and Εύρος = ? order by ID limit 1)"),
               {qint64(width)});
}

QString chosenRows(QVector<ChosenRow> *rows)
{
    QSqlQuery q(plat::Database::db());
    const QString statement = QStringLiteral("select Εύρος, [Αριθμός Ρόλων] from ProtasisXristi"
                                             " where [Αριθμός Ρόλων] <> 0 order by ID");
    if (QString err = run(q, statement); !err.isEmpty()) return err;
    QVector<ChosenRow> out;
    while (q.next()) out.push_back({q.value(0).toDouble(), q.value(1).toLongLong()});
    *rows = std::move(out);
    return {};
}

std::vector<SecondaryWidth> asSecondaryWidths(const QVector<ChosenRow> &rows)
{
    std::vector<SecondaryWidth> out;
    out.reserve(size_t(rows.size()));
    for (const ChosenRow &r : rows) out.push_back({clampedWhole(plat::roundHalfEven(r.width)), r.count});
    return out;
}

QString widestAtMost(std::int64_t width, std::optional<double> thickness, std::optional<double> *found)
{
    QString s = QStringLiteral("select Εύρος from ProtasisXristi where Εύρος <= ?");
    QVariantList values = {qint64(width)};
    if (thickness) {
        s += QStringLiteral(" and Πάχος = ?");
        values << *thickness;
    }
    s += QStringLiteral(" order by Εύρος desc limit 1");
    QSqlQuery q(plat::Database::db());
    if (QString err = run(q, s, values); !err.isEmpty()) return err;
    *found = q.next() ? std::optional<double>(q.value(0).toDouble()) : std::nullopt;
    return {};
}

QString typeNames(QStringList *names)
{
    QSqlQuery q(plat::Database::db());
    if (QString err = run(q, QStringLiteral("select Τύπος from Typos order by Κωδικός")); !err.isEmpty())
        return err;
    QStringList out;
    while (q.next()) out << q.value(0).toString();
    *names = std::move(out);
    return {};
}

} // namespace fk::catalogue
