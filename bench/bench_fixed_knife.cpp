// Knife-setting search of the fixed-knife planner on the largest orders the
// window allows: seven ordered widths at one strip minimum each (the ranges
// of "Λύσις 2η") and fifteen secondary widths.
#include "fixed_knife/knife_search.h"
#include "fixed_knife/order_bounds.h"

#include "platform/numtext.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace fk;

namespace {

KnifeSearchInput order(double coilWidth, std::int64_t knives, const std::vector<double> &widths,
                       const std::vector<std::int64_t> &secondaryWidths, std::int64_t secondaryCount,
                       double trim = 2, double tonnes = 6)
{
    OrderValues v;
    v.leftTrimText = plat::numStr(trim);
    v.leftTrim = v.rightTrim = trim;
    v.coilWidth = coilWidth;
    v.coilWeight = 8;
    v.maxStrips = knives;
    for (double w : widths) v.rows.push_back({w, tonnes});
    std::vector<SecondaryWidth> chosen;
    for (std::int64_t w : secondaryWidths) chosen.push_back({w, secondaryCount});
    const OrderBounds b = computeOrderBounds(v, SolveMode::WithoutProportion, chosen);
    if (b.stop != BoundsStop::None) std::abort();
    return b.search;
}

// 7 widths, 11 knives, 15 one-strip secondaries on a 1250 mm coil:
// 11·10·9·8·7·6·5 · 2^15 = 5·10^10 combinations.
const KnifeSearchInput &defaultKnives()
{
    static const KnifeSearchInput in = order(1250, 11, {97, 123, 141, 158, 173, 187, 212},
                                             {45, 61, 72, 88, 96, 104, 117, 129, 136, 149, 163, 178, 196, 233, 271}, 1);
    return in;
}

// 7 narrow widths, 20 knives, 15 two-strip narrow secondaries on 1500 mm.
const KnifeSearchInput &narrowWidths()
{
    static const KnifeSearchInput in = order(1500, 20, {31, 37, 42, 46, 51, 55, 59},
                                             {30, 32, 33, 34, 36, 39, 41, 44, 47, 49, 52, 54, 56, 58, 60}, 2);
    return in;
}

// A coil of a kilometre with a million knives and two narrow widths: the
// counts of both widths run to about a hundred thousand.
const KnifeSearchInput &kilometreCoil()
{
    static const KnifeSearchInput in = order(1'000'000, 1'000'000, {10, 11}, {}, 0, 0, 5);
    return in;
}

// The narrow order with 60 knives: every secondary may take two strips.
const KnifeSearchInput &narrowSixtyKnives()
{
    static const KnifeSearchInput in = order(1500, 60, {31, 37, 42, 46, 51, 55, 59},
                                             {30, 32, 33, 34, 36, 39, 41, 44, 47, 49, 52, 54, 56, 58, 60}, 2);
    return in;
}

// Knives that run short of what the coil could take: 239 knives on 2247 mm,
// four narrow widths and fourteen secondaries, some of them by the hundred.
const KnifeSearchInput &knivesRunShort()
{
    static const KnifeSearchInput in = [] {
        KnifeSearchInput k = order(2247, 239, {13, 24, 14, 18}, {14, 14, 7, 7, 13, 8, 5, 9, 14, 30, 13, 25}, 4, 0, 5);
        k.items[kOrderedSlots + 12] = {3, 0, 539, 0};
        k.items[kOrderedSlots + 13] = {14, 0, 108, 0};
        return k;
    }();
    return in;
}

void run(benchmark::State &state, const KnifeSearchInput &in, SearchMode mode, detail::Strategy strategy)
{
    std::int64_t used = 0;
    for (auto _ : state) {
        const KnifeSearchResult r = detail::searchKnifeSettingWith(in, mode, strategy);
        benchmark::DoNotOptimize(r);
        used = r.usedWidth;
    }
    state.counters["used_mm"] = double(used);
}

void DefaultKnives_FirstWidest(benchmark::State &s) { run(s, defaultKnives(), SearchMode::FirstWidest, detail::Strategy::Auto); }
void DefaultKnives_ScoreTieBreak(benchmark::State &s) { run(s, defaultKnives(), SearchMode::ScoreTieBreak, detail::Strategy::Auto); }
void NarrowWidths_FirstWidest(benchmark::State &s) { run(s, narrowWidths(), SearchMode::FirstWidest, detail::Strategy::Auto); }
void NarrowWidths_ScoreTieBreak(benchmark::State &s) { run(s, narrowWidths(), SearchMode::ScoreTieBreak, detail::Strategy::Auto); }
void KilometreCoil_FirstWidest(benchmark::State &s) { run(s, kilometreCoil(), SearchMode::FirstWidest, detail::Strategy::Auto); }
void KilometreCoil_ScoreTieBreak(benchmark::State &s) { run(s, kilometreCoil(), SearchMode::ScoreTieBreak, detail::Strategy::Auto); }
void NarrowSixtyKnives_FirstWidest(benchmark::State &s) { run(s, narrowSixtyKnives(), SearchMode::FirstWidest, detail::Strategy::Auto); }
void NarrowSixtyKnives_ScoreTieBreak(benchmark::State &s) { run(s, narrowSixtyKnives(), SearchMode::ScoreTieBreak, detail::Strategy::Auto); }
void KnivesRunShort_FirstWidest(benchmark::State &s) { run(s, knivesRunShort(), SearchMode::FirstWidest, detail::Strategy::Auto); }
void KnivesRunShort_ScoreTieBreak(benchmark::State &s) { run(s, knivesRunShort(), SearchMode::ScoreTieBreak, detail::Strategy::Auto); }

} // namespace

BENCHMARK(DefaultKnives_FirstWidest)->Unit(benchmark::kMillisecond);
BENCHMARK(DefaultKnives_ScoreTieBreak)->Unit(benchmark::kMillisecond);
BENCHMARK(NarrowWidths_FirstWidest)->Unit(benchmark::kMillisecond);
BENCHMARK(NarrowWidths_ScoreTieBreak)->Unit(benchmark::kMillisecond);
BENCHMARK(KilometreCoil_FirstWidest)->Unit(benchmark::kMillisecond);
BENCHMARK(KilometreCoil_ScoreTieBreak)->Unit(benchmark::kMillisecond);
BENCHMARK(NarrowSixtyKnives_FirstWidest)->Unit(benchmark::kMillisecond);
BENCHMARK(NarrowSixtyKnives_ScoreTieBreak)->Unit(benchmark::kMillisecond);
BENCHMARK(KnivesRunShort_FirstWidest)->Unit(benchmark::kMillisecond);
BENCHMARK(KnivesRunShort_ScoreTieBreak)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
