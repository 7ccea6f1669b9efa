// The prints end to end on a database: a proposal of 1 000 lines and the
// items catalogue of 10 000 items, each read from its table, made into the
// report with its start-up figures, its first page drawn for the preview and
// the whole report written as PDF.
#include "bench_app.h"
#include "platform/database.h"
#include "reports/prints.h"

#include <benchmark/benchmark.h>

#include <QSqlQuery>
#include <QVariant>

#include <cstdlib>

namespace {

void fill()
{
    QSqlDatabase db = plat::Database::db();
    db.transaction();
    QSqlQuery q(db);
    q.prepare(QStringLiteral("insert into Protasis1 (ID, Paraggelia) values (?, ?)"));
    for (int i = 1; i <= 1000; ++i) {
        q.addBindValue(i);
        q.addBindValue(QStringLiteral("%1 ρολλάκια που έχουν: 3 x 250, 2 x 310, 1 x 97, φύρα: 12").arg(i % 40 + 1));
        q.exec();
    }
    q.exec(QStringLiteral("insert into Typos values (1, 'DC01'), (2, 'DX51')"));
    q.prepare(QStringLiteral("insert into ProtasisXristi (Κωδικός, [Περιγραφή Είδους], Εύρος, Τύπος, Πάχος) "
                             "values (?, ?, ?, ?, ?)"));
    for (int i = 1; i <= 10000; ++i) {
        q.addBindValue(QStringLiteral("K%1").arg(i));
        q.addBindValue(QStringLiteral("Ταινία ψυχρής έλασης %1").arg(i));
        q.addBindValue(100 + i % 900 + 0.5);
        q.addBindValue(1 + i % 2);
        q.addBindValue(0.8);
        q.exec();
    }
    db.commit();
}

template <class Make>
void run(benchmark::State &s, Make make)
{
    int pages = 0;
    for (auto _ : s) {
        std::unique_ptr<plat::Report> report = make();
        if (!report) std::abort();
        QImage first = report->pageImage(0, 96);
        benchmark::DoNotOptimize(first.constBits());
        benchmark::DoNotOptimize(report->pdfBytes().size());
        pages = report->pageCount();
    }
    s.counters["pages"] = pages;
}

void Print_Proposal1_1000Lines(benchmark::State &s)
{
    run(s, [] { return reports::makeReport(reports::PrintJob::Proposal1); });
}

void Print_Catalogue_10000Items(benchmark::State &s)
{
    run(s, [] { return reports::makeCatalogueReport(false); });
}

} // namespace

BENCHMARK(Print_Proposal1_1000Lines)->Unit(benchmark::kMillisecond);
BENCHMARK(Print_Catalogue_10000Items)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    BenchApplication app(argc, argv);
    if (!plat::Database::open(app.path(QStringLiteral("Divor.db"))).isEmpty()) return 1;
    fill();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    plat::Database::close();
    return app.finish();
}
