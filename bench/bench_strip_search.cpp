// Whole searches (every coil, both proposals) of the knife-change planner.
// Target: under 50 ms for every order below.
#include <benchmark/benchmark.h>

#include "strip_search/strip_search.h"
#include "tests/strip_search/solved_order.h"

namespace {

using strip_search::testing::Coil;
using strip_search::testing::OrderLine;

void runWhole(benchmark::State &state, const Coil &coil, const std::vector<OrderLine> &rows)
{
    const strip_search::SearchInputs in = strip_search::testing::solvedOrder(coil, rows);
    std::int64_t coils = 0;
    for (auto _ : state) {
        strip_search::SearchState st;
        strip_search::SearchResult res = strip_search::runSearch(in, st);
        coils = res.proposal1Coils + res.topUpCoils;
        benchmark::DoNotOptimize(res);
    }
    state.counters["coils"] = static_cast<double>(coils);
}

// Ten widths from 100 to 109 mm, 60 t each, coil 1250 without trims, 11 strips per cut.
void BM_TenWidthsElevenKnives(benchmark::State &state)
{
    std::vector<OrderLine> rows;
    for (int w = 100; w <= 109; ++w) rows.push_back({double(w), 60});
    runWhole(state, Coil{1250, 0, 0, 8, 11, 10}, rows);
}

// The same order on a 1205 mm coil: 11 x 109 leaves 6 mm, so proposal 1
// runs its passes and every one of them faces twelve counts per row.
void BM_TenWidthsElevenKnivesAccepted(benchmark::State &state)
{
    std::vector<OrderLine> rows;
    for (int w = 100; w <= 109; ++w) rows.push_back({double(w), 60});
    runWhole(state, Coil{1205, 0, 0, 8, 11, 10}, rows);
}

// Ten widths 41, 43, ... 59 mm, 40 t each, coil 1500 with 5 + 5 mm trims, 30 strips per cut.
void BM_TenWidthsThirtyKnives(benchmark::State &state)
{
    std::vector<OrderLine> rows;
    for (int w = 41; w <= 59; w += 2) rows.push_back({double(w), 40});
    runWhole(state, Coil{1500, 5, 5, 8, 30, 10}, rows);
}

// A typical order: five widths on a 1250 mm coil with 2 + 2 mm trims.
void BM_TypicalFiveWidths(benchmark::State &state)
{
    runWhole(state, Coil{1250, 2, 2, 8, 11, 10},
             {{95, 12}, {120, 20}, {160, 8}, {215, 15}, {305, 25}});
}

// 250 strips per cut of 5 mm fill the 1250 mm coil in countless ways: five
// rows of 5 mm beside one of 226 mm give a vast number of cuts of equal
// width that the preference for more widths has to tell apart.
void BM_ManyKnivesEqualWidths(benchmark::State &state)
{
    runWhole(state, Coil{1250, 0, 0, 8, 250, 5},
             {{5, 5}, {5, 5}, {5, 5}, {5, 5}, {5, 156}, {226, 226}});
}

// The same kind of order on 1155 mm of usable width, which 231 strips of
// 5 mm fill exactly: six rows of 5 mm beside one of 227 mm.
void BM_ManyKnivesNarrowWidths(benchmark::State &state)
{
    runWhole(state, Coil{1310, 101, 54, 8, 231, 5},
             {{5, 4}, {5, 4}, {5, 4}, {5, 4}, {5, 4}, {5, 150}, {227, 220}});
}

} // namespace

BENCHMARK(BM_ManyKnivesEqualWidths)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ManyKnivesNarrowWidths)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenWidthsElevenKnives)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenWidthsElevenKnivesAccepted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenWidthsThirtyKnives)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypicalFiveWidths)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
