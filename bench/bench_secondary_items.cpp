// Secondary widths from the items catalogue: the knife-setting search driven
// by chosen catalogue rows (read as the solve reads them), and the chooser's
// search and acceptance over a large catalogue.
#include "fixed_knife/form3.h"
#include "fixed_knife/frm_search.h"
#include "fixed_knife/knife_search.h"
#include "fixed_knife/order_bounds.h"
#include "fixed_knife/secondary_catalogue.h"
#include "bench_app.h"
#include "platform/database.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdlib>

using namespace fk;

namespace {

void sql(const QString &statement, const QVariantList &values = {})
{
    QSqlQuery q(plat::Database::db());
    q.prepare(statement);
    for (const QVariant &v : values) q.addBindValue(v);
    if (!q.exec()) std::abort();
}

// A fresh catalogue holding the given widths, each chosen with `count`.
void catalogueOf(const std::vector<std::int64_t> &widths, std::int64_t count)
{
    sql(QStringLiteral("delete from ProtasisXristi"));
    for (std::int64_t w : widths)
        sql(QStringLiteral("insert into ProtasisXristi (Εύρος, Τύπος, Πάχος, [Αριθμός Ρόλων]) values (?, 1, 0.5, ?)"),
            {qint64(w), qint64(count)});
}

// One solve's secondary reading, slot preparation and search.
void solveFromCatalogue(benchmark::State &state, double coilWidth, std::int64_t knives,
                        const std::vector<double> &ordered, SearchMode mode)
{
    OrderValues v;
    v.leftTrimText = "2";
    v.leftTrim = v.rightTrim = 2;
    v.coilWidth = coilWidth;
    v.coilWeight = 8;
    v.maxStrips = knives;
    for (double w : ordered) v.rows.push_back({w, 6});
    std::int64_t used = 0;
    for (auto _ : state) {
        QVector<catalogue::ChosenRow> rows;
        if (!catalogue::chosenRows(&rows).isEmpty()) std::abort();
        // One strip minimum per ordered width: the widest ranges a solve gives.
        const OrderBounds b =
            computeOrderBounds(v, SolveMode::WithoutProportion, catalogue::asSecondaryWidths(rows));
        if (b.stop != BoundsStop::None) std::abort();
        const KnifeSearchResult r = searchKnifeSetting(b.search, mode);
        benchmark::DoNotOptimize(r);
        used = r.usedWidth;
    }
    state.counters["used_mm"] = double(used);
}

const std::vector<std::int64_t> kDefaultSecondaries = {45, 61, 72, 88, 96, 104, 117, 129, 136, 149, 163, 178, 196, 233, 271};
const std::vector<std::int64_t> kNarrowSecondaries = {30, 32, 33, 34, 36, 39, 41, 44, 47, 49, 52, 54, 56, 58, 60};

// 7 widths, 11 knives, 15 secondaries with a count of 1, 1250 mm coil.
void DefaultKnives(benchmark::State &s, SearchMode mode)
{
    catalogueOf(kDefaultSecondaries, 1);
    solveFromCatalogue(s, 1250, 11, {97, 123, 141, 158, 173, 187, 212}, mode);
}

// 7 narrow widths, 20 knives, 15 narrow secondaries with a count of 2, 1500 mm.
void NarrowWidths(benchmark::State &s, SearchMode mode)
{
    catalogueOf(kNarrowSecondaries, 2);
    solveFromCatalogue(s, 1500, 20, {31, 37, 42, 46, 51, 55, 59}, mode);
}

void DefaultKnives_Count1_FirstWidest(benchmark::State &s) { DefaultKnives(s, SearchMode::FirstWidest); }
void DefaultKnives_Count1_ScoreTieBreak(benchmark::State &s) { DefaultKnives(s, SearchMode::ScoreTieBreak); }
void NarrowWidths_Count2_FirstWidest(benchmark::State &s) { NarrowWidths(s, SearchMode::FirstWidest); }
void NarrowWidths_Count2_ScoreTieBreak(benchmark::State &s) { NarrowWidths(s, SearchMode::ScoreTieBreak); }

// A catalogue of 10 000 items, widths 20..2019 mm, two types.
void largeCatalogue()
{
    sql(QStringLiteral("delete from ProtasisXristi"));
    QSqlDatabase db = plat::Database::db();
    db.transaction();
    for (int i = 0; i < 10000; ++i)
        sql(QStringLiteral("insert into ProtasisXristi (Εύρος, Τύπος, Πάχος) values (?, ?, 0.5)"),
            {20 + (i * 7919) % 2000, 1 + i % 2});
    db.commit();
}

Form3 *planner()
{
    Form3 *f = plat::FormInstance<Form3>::get();
    f->Timer1->stop();
    f->Timer2->stop();
    f->showForm();
    return f;
}

// The chooser opened (every count reset) and "ΕΜΦΑΝΙΣΙΣ" over the whole
// catalogue; the rows with these IDs chosen with a count of 1 in between, as
// the grid's saves under an earlier search would leave them.
frmSearch *searched(Form3 *f, const QStringList &chosenIds = {})
{
    f->cmdGrid_Click();
    if (!chosenIds.isEmpty())
        sql(QStringLiteral("update ProtasisXristi set [Αριθμός Ρόλων] = 1 where ID in (select value from json_each(?))"),
            {QLatin1Char('[') + chosenIds.join(QLatin1Char(',')) + QLatin1Char(']')});
    frmSearch *s = plat::FormInstance<frmSearch>::ifLoaded();
    s->txtEvros1->setText(QStringLiteral("0"));
    s->txtEvros2->setText(QStringLiteral("3000"));
    s->cmdShow_Click();
    if (s->result()->rows().size() != 10000) std::abort();
    return s;
}

// "ΕΜΦΑΝΙΣΙΣ" over the whole catalogue.
void Chooser10000_Search(benchmark::State &state)
{
    largeCatalogue();
    Form3 *f = planner();
    frmSearch *s = searched(f);
    for (auto _ : state) s->cmdShow_Click();
    plat::FormInstance<frmSearch>::unloadIfLoaded();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// "ΑΠΟΔΟΧΗ" of a search result of 10 000 rows; `chosen` of them, spread
// evenly over the result, have a count.
void Chooser10000_Accept(benchmark::State &state)
{
    largeCatalogue();
    Form3 *f = planner();
    const int chosen = int(state.range(0));
    QStringList ids;
    {
        const QVector<catalogue::ResultRow> &rows = searched(f)->result()->rows();
        for (int r = 0; r < chosen; ++r) ids << QString::number(rows[r * (10000 / chosen)].id);
    }
    for (auto _ : state) {
        state.PauseTiming();
        frmSearch *s = searched(f, ids);
        state.ResumeTiming();
        s->cmdExecute_Click();
        state.PauseTiming();
        if (f->lstDefterevon->count() != chosen) std::abort();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    plat::FormInstance<frmSearch>::unloadIfLoaded();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

BENCHMARK(DefaultKnives_Count1_FirstWidest)->Unit(benchmark::kMillisecond);
BENCHMARK(DefaultKnives_Count1_ScoreTieBreak)->Unit(benchmark::kMillisecond);
BENCHMARK(NarrowWidths_Count2_FirstWidest)->Unit(benchmark::kMillisecond);
BENCHMARK(NarrowWidths_Count2_ScoreTieBreak)->Unit(benchmark::kMillisecond);
BENCHMARK(Chooser10000_Search)->Unit(benchmark::kMillisecond);
BENCHMARK(Chooser10000_Accept)->Arg(15)->Arg(10000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    BenchApplication app(argc, argv);
    if (!plat::Database::open(app.path(QStringLiteral("Divor.db"))).isEmpty()) return 1;
    sql(QStringLiteral("insert into Typos (Κωδικός, Τύπος) values (1, 'Μαύρο'), (2, 'Γαλβανιζέ')"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    plat::FormInstance<frmSearch>::unloadIfLoaded();
    plat::FormInstance<Form3>::unloadIfLoaded();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    plat::Database::close();
    return app.finish();
}
