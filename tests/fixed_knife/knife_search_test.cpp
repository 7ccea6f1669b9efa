#include "fixed_knife/knife_search.h"
#include "plain_knife_search.h"

#include <gtest/gtest.h>

#include <random>

using namespace fk;
using detail::Strategy;
using reference::plainSearch;

namespace {

ItemSlot slot(std::int64_t width, std::int64_t lo, std::int64_t hi) { return {width, lo, hi, 0}; }

KnifeSearchInput exampleOrder()
{
    KnifeSearchInput in;
    in.items[0] = slot(400, 1, 3);
    in.items[1] = slot(200, 1, 4);
    in.orderedCount = 2;
    in.usableWidth = 1246;
    in.maxStrips = 11;
    return in;
}

const Strategy kStrategies[] = {Strategy::Auto, Strategy::Tables, Strategy::WidthTables, Strategy::FewestTables,
                                 Strategy::BoundsOnly};

// Both modes, every strategy of the search against the plain enumeration;
// answers how many of the two modes found a cut.
int everyStrategyMatchesPlain(const KnifeSearchInput &in, int iter)
{
    int found = 0;
    for (SearchMode m : {SearchMode::FirstWidest, SearchMode::ScoreTieBreak}) {
        const KnifeSearchResult want = plainSearch(in, m);
        found += want.found;
        for (Strategy st : kStrategies) {
            const KnifeSearchResult got = detail::searchKnifeSettingWith(in, m, st);
            SCOPED_TRACE(testing::Message() << "iter " << iter << " mode " << int(m) << " strategy " << int(st));
            EXPECT_EQ(got.found, want.found);
            EXPECT_EQ(got.counts, want.counts);
            EXPECT_EQ(got.usedWidth, want.usedWidth);
            if (m == SearchMode::ScoreTieBreak) {
                EXPECT_EQ(got.scoreBar, want.scoreBar);
            }
            if (::testing::Test::HasFailure()) return found;
        }
    }
    return found;
}

} // namespace

TEST(KnifeSearch, WidestFillFirstFoundOrByScoreBar)
{
    const KnifeSearchInput in = exampleOrder();
    for (Strategy st : kStrategies) {
        SCOPED_TRACE(int(st));
        const KnifeSearchResult m1 = detail::searchKnifeSettingWith(in, SearchMode::FirstWidest, st);
        ASSERT_TRUE(m1.found);
        EXPECT_EQ(m1.counts[0], 1);
        EXPECT_EQ(m1.counts[1], 4);
        EXPECT_EQ(m1.usedWidth, 1200);
        EXPECT_DOUBLE_EQ(m1.waste, 46);

        const KnifeSearchResult m2 = detail::searchKnifeSettingWith(in, SearchMode::ScoreTieBreak, st);
        ASSERT_TRUE(m2.found);
        EXPECT_EQ(m2.counts[0], 2);
        EXPECT_EQ(m2.counts[1], 2);
        EXPECT_DOUBLE_EQ(m2.waste, 46);
        EXPECT_EQ(m2.scoreBar, 2);
    }
}

TEST(KnifeSearch, ScoreCountsSlotsZeroToFiveOnly)
{
    // Slot 0 at its minimum plus one raises the bar to 1 on a narrower cut;
    // at the widest width the later tie has slot 6 at its minimum plus one,
    // which scores nothing, so the earlier widest cut stays.
    KnifeSearchInput in;
    in.items[0] = slot(100, 1, 3);
    in.items[6] = slot(10, 1, 2);
    in.items[7] = slot(10, 0, 1);
    in.orderedCount = 7;
    in.usableWidth = 320;
    in.maxStrips = 20;
    for (Strategy st : kStrategies) {
        const KnifeSearchResult r = detail::searchKnifeSettingWith(in, SearchMode::ScoreTieBreak, st);
        EXPECT_EQ(r.counts[0], 3);
        EXPECT_EQ(r.counts[6], 1);
        EXPECT_EQ(r.counts[7], 1);
        EXPECT_EQ(r.scoreBar, 1);
    }
}

TEST(KnifeSearch, BoundsAreInclusiveAndRangesMayBeEmpty)
{
    KnifeSearchInput in;
    in.items[0] = slot(100, 0, 10);
    in.orderedCount = 1;
    in.usableWidth = 1000;
    in.maxStrips = 10;
    for (SearchMode m : {SearchMode::FirstWidest, SearchMode::ScoreTieBreak}) {
        const KnifeSearchResult r = searchKnifeSetting(in, m);
        EXPECT_TRUE(r.found);
        EXPECT_EQ(r.counts[0], 10);
        EXPECT_DOUBLE_EQ(r.waste, 0);
    }

    in.items[3] = slot(50, 2, 1);  // no count at all
    EXPECT_FALSE(searchKnifeSetting(in, SearchMode::FirstWidest).found);
    EXPECT_FALSE(searchKnifeSetting(in, SearchMode::ScoreTieBreak).found);

    KnifeSearchInput tooWide = exampleOrder();
    tooWide.usableWidth = 599;  // one strip of each is already 600 mm
    const KnifeSearchResult r = searchKnifeSetting(tooWide, SearchMode::ScoreTieBreak);
    EXPECT_FALSE(r.found);
    EXPECT_EQ(r.counts, (std::array<std::int64_t, kSlotCount>{}));
}

TEST(KnifeSearch, CutNeedingMoreThanTenColumnsDoesNotFit)
{
    // Seven ordered rows own seven columns; only three secondary widths fit
    // beside them although the knives and the width would take all four.
    KnifeSearchInput in;
    for (int k = 0; k < 7; ++k) in.items[k] = slot(10, 1, 1);
    for (int k = 7; k < 11; ++k) in.items[k] = slot(100, 0, 1);
    in.orderedCount = 7;
    in.usableWidth = 1000;
    in.maxStrips = 20;
    for (Strategy st : kStrategies) {
        for (SearchMode m : {SearchMode::FirstWidest, SearchMode::ScoreTieBreak}) {
            const KnifeSearchResult r = detail::searchKnifeSettingWith(in, m, st);
            ASSERT_TRUE(r.found);
            EXPECT_EQ(r.usedWidth, 370);
            int used = 0;
            for (int k = 7; k < kSlotCount; ++k) used += r.counts[k] > 0;
            EXPECT_EQ(used, 3);
        }
    }
    // An ordered row that gets no strip still owns its column.
    in.items[6] = slot(500, 0, 1);
    for (int k = 7; k < 11; ++k) in.items[k] = slot(10, 0, 1);
    in.usableWidth = 100;
    for (Strategy st : kStrategies) {
        const KnifeSearchResult r = detail::searchKnifeSettingWith(in, SearchMode::FirstWidest, st);
        EXPECT_EQ(r.counts[6], 0);
        EXPECT_EQ(r.usedWidth, 90);
    }
}

TEST(KnifeSearch, HugeFiguresStaySound)
{
    KnifeSearchInput in;
    in.items[0] = slot(300'000'000'000'000, 1, 1'000'000'000);
    in.items[7] = slot(90'000'000'000'000, 0, 30000);
    in.orderedCount = 1;
    in.usableWidth = 1e15;
    in.maxStrips = 1'000'000'000;
    const KnifeSearchResult r = searchKnifeSetting(in, SearchMode::ScoreTieBreak);
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.counts[0], 3);
    EXPECT_EQ(r.counts[7], 1);
    EXPECT_EQ(r.usedWidth, 990'000'000'000'000);
}

// The fast search against the plain enumeration on small random orders,
// both modes, every pruning strategy.
TEST(KnifeSearch, MatchesPlainEnumeration)
{
    std::mt19937 rng(20240517);
    auto pick = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
    const std::vector<std::int64_t> tiePalette = {50, 100, 150, 200, 250, 300, 120, 80};
    int fitting = 0, cases = 0;
    for (int iter = 0; iter < 600; ++iter) {
        KnifeSearchInput in;
        const int kind = iter % 3;  // 0 free widths, 1 widths that tie, 2 many narrow secondaries
        in.orderedCount = kind == 2 ? pick(5, 7) : pick(1, 7);
        auto width = [&](bool secondary) -> std::int64_t {
            if (secondary && pick(0, 19) == 0) return 0;
            if (kind == 1) return tiePalette[pick(0, int(tiePalette.size()) - 1)];
            if (kind == 2) return pick(10, 60);
            return pick(1, 450);
        };
        for (int k = 0; k < in.orderedCount; ++k) {
            const std::int64_t lo = kind == 2 ? 1 : pick(0, 2);
            in.items[k] = slot(width(false), lo, lo + pick(kind == 2 ? 0 : -1, kind == 2 ? 1 : 3));
        }
        const int secondaries = kind == 2 ? pick(10, 15) : pick(0, 15);
        for (int k = kOrderedSlots; k < kOrderedSlots + secondaries; ++k)
            in.items[k] = slot(width(true), 0, kind == 2 ? 1 : pick(0, 2));
        // Keep the plain enumeration small enough to run.
        auto size = [&] {
            double p = 1;
            for (const ItemSlot &s : in.items) p *= double(std::max<std::int64_t>(s.hi - s.lo + 1, 1));
            return p;
        };
        while (size() > 40000) {
            ItemSlot &s = in.items[pick(0, kSlotCount - 1)];
            if (s.hi > s.lo) --s.hi;
        }
        in.usableWidth = kind == 2 ? pick(300, 900) : pick(100, 1500) + (pick(0, 3) == 0 ? 0.5 : 0);
        in.maxStrips = kind == 2 ? pick(9, 16) : pick(1, 14);

        fitting += everyStrategyMatchesPlain(in, iter);
        cases += 2;
        if (HasFailure()) return;
    }
    // The generator must mostly produce orders that have a cut.
    EXPECT_GT(fitting, cases / 2);
}

// Many knives on few narrow, often equal widths: wide ranges in a few slots,
// so that countless combinations share the widest width and the score bar's
// history decides. Ordered slots are laid out as both solve buttons lay them
// out (first slot up to the knives, each next one up to what the minimums
// before it leave), sometimes followed by ordered slots with one count only
// and by secondary widths, some of them 0 mm.
TEST(KnifeSearch, MatchesPlainEnumerationWithManyKnivesAndEqualWidths)
{
    std::mt19937 rng(4242);
    auto pick = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
    int fitting = 0, cases = 0;
    for (int iter = 0; iter < 1000; ++iter) {
        KnifeSearchInput in;
        const bool proportion = iter % 2 == 0;
        const std::int64_t base = pick(1, 12);
        auto narrow = [&] { return pick(0, 3) == 0 ? base * pick(2, 3) : base + (pick(0, 2) == 0 ? pick(0, 2) : 0); };
        in.orderedCount = pick(1, 7);
        in.maxStrips = pick(in.orderedCount, 80);
        std::int64_t hi = in.maxStrips;
        for (int k = 0; k < in.orderedCount; ++k) {
            const std::int64_t lo = proportion ? pick(1, 4) : 1;
            in.items[k] = slot(narrow(), lo, hi);
            hi -= lo;
        }
        // Slots beyond the first few keep one count: the enumeration stays small.
        const int wide = pick(1, std::min(3, in.orderedCount));
        for (int k = wide; k < in.orderedCount; ++k) in.items[k].hi = in.items[k].lo + (pick(0, 2) == 0 ? 1 : 0);
        const int secondaries = pick(0, 4);
        for (int j = 0; j < secondaries; ++j)
            in.items[kOrderedSlots + pick(0, kSecondarySlots - 1)] = slot(pick(0, 6) == 0 ? 0 : narrow(), 0, pick(0, 3));
        auto size = [&] {
            double p = 1;
            for (const ItemSlot &s : in.items) p *= double(std::max<std::int64_t>(s.hi - s.lo + 1, 1));
            return p;
        };
        while (size() > 10000) {
            ItemSlot &s = in.items[pick(0, kSlotCount - 1)];
            if (s.hi > s.lo) s.hi = s.lo + (s.hi - s.lo) / 2;
        }
        std::int64_t least = 0;
        for (const ItemSlot &s : in.items) least += std::max<std::int64_t>(s.lo, 0) * s.width;
        in.usableWidth = double(least + pick(0, int(base) * 60)) + (pick(0, 3) == 0 ? 0.5 : 0);
        // Now and then knives to spare: only the width and the columns bind.
        if (iter % 3 == 0) in.maxStrips = 1000;

        fitting += everyStrategyMatchesPlain(in, iter);
        cases += 2;
        if (HasFailure()) return;
    }
    EXPECT_GT(fitting, cases / 2);
}

// A coil a kilometre wide with 65 536 knives: exact tables of every strip
// count would take terabytes. Every strategy asked for by name still answers,
// as the plain enumeration does, within the memory the planner has.
TEST(KnifeSearch, WideCoilWithManyKnivesNeedsNoHugeTables)
{
    struct Case {
        const char *what;
        std::int64_t narrow;  // mm of the one ordered width with a wide range
    };
    const Case cases[] = {
        {"knives to spare", 16},  // 62 500 strips fill the coil
        {"knives run short", 15}, // 66 666 strips would
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        KnifeSearchInput in;
        in.items[0] = slot(c.narrow, 1, 70000);
        in.items[7] = slot(977, 0, 1);
        in.items[8] = slot(433, 0, 1);
        in.items[9] = slot(89, 0, 1);
        in.orderedCount = 1;
        in.usableWidth = 1'000'003;
        in.maxStrips = 65536;
        EXPECT_EQ(everyStrategyMatchesPlain(in, 0), 2);
    }
}

TEST(KnifeSearch, LayoutKeepsOrderedColumnsAndAddsSecondaryRows)
{
    KnifeSearchInput in;
    in.items[0] = {400, 1, 3, 2.5};
    in.items[1] = {200, 0, 4, 1.25};
    in.items[7] = {100, 0, 1, 0.5};
    in.orderedCount = 2;
    in.usableWidth = 1246;
    in.maxStrips = 11;
    KnifeSearchResult r;
    r.found = true;
    r.counts[0] = 2;
    r.counts[7] = 1;
    r.usedWidth = 900;
    r.waste = 346;

    const CutFigures f = layoutCut(in, r, {3, 2, 2, 2});
    ASSERT_TRUE(f.found);
    EXPECT_EQ(f.grammi, "3");
    ASSERT_EQ(f.columns.size(), 3u);
    EXPECT_EQ(f.columns[0].width, "400");
    EXPECT_EQ(f.columns[0].akommati, "2");
    EXPECT_EQ(f.columns[0].proion, "15");
    EXPECT_EQ(f.columns[0].roles1, "6");
    EXPECT_FALSE(f.columns[0].secondary);
    EXPECT_EQ(f.columns[1].width, "200");
    EXPECT_EQ(f.columns[1].akommati, "0");
    EXPECT_EQ(f.columns[1].proion, "0");
    EXPECT_EQ(f.columns[1].roles1, "0");
    EXPECT_EQ(f.columns[2].slot, 7);
    EXPECT_TRUE(f.columns[2].secondary);
    EXPECT_EQ(f.columns[2].width, "100");
    EXPECT_EQ(f.columns[2].proion, "1,5");
    EXPECT_EQ(f.columns[2].roles1, "3");
    EXPECT_EQ(f.fira, "346");
    EXPECT_EQ(f.savedAkommati[0], 2);
    EXPECT_EQ(f.savedAkommati[1], 0);
    EXPECT_EQ(f.savedAkommati[10], 346);
    EXPECT_EQ(f.text3, "1038");
    EXPECT_EQ(f.text5, "2076");
    EXPECT_EQ(f.text8, "1050");
    EXPECT_EQ(f.text10, "2100");

    const CutFigures none = layoutCut(in, KnifeSearchResult{}, {3, 2, 2, 2});
    EXPECT_FALSE(none.found);
    EXPECT_EQ(none.message, "Αυτή η παραγγελία δεν έχει λύση. Παρακαλώ ορίστε καινούργια");
    EXPECT_TRUE(none.columns.empty());
    EXPECT_EQ(none.fira, "");
    EXPECT_EQ(none.text3, "");
    EXPECT_EQ(none.text10, "");
}
