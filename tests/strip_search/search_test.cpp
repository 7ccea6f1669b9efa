#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "literal_choice.h"
#include "solved_order.h"
#include "strip_search/strip_search.h"

namespace strip_search {
namespace {

using Strings = std::vector<std::string>;

const char *const kEndOfProposal1 = "Η <<ΠΡΟΤΑΣΙΣ 1>> είναι μέχρι αυτο το σημείο.";

std::string proposal2Heading(int lines)
{
    return "Οι παρακάτω γραμμές σε άθροισμα με τις " + std::to_string(lines) +
           " παραπάνω είναι η <<ΠΡΟΤΑΣΙΣ 2>>";
}

// Inputs set directly: rows of the given widths with the given strips to cut,
// no trims, an 8 t coil.
SearchInputs order(const std::vector<std::int64_t> &widths, const std::vector<std::int64_t> &left,
                   double usable, double maxStrips, double passes, double threshold = 0.9)
{
    SearchInputs in;
    in.lastRow = static_cast<int>(widths.size()) - 1;
    for (size_t i = 0; i < widths.size(); ++i) {
        in.stripWidth[i] = widths[i];
        in.stripsLeft[i] = left[i];
        in.stripsOrdered[i] = static_cast<double>(left[i]);
        in.widthText[i] = std::to_string(widths[i]);
    }
    in.usableWidth = usable;
    in.coilWeight = 8;
    in.maxStripsPerCut = maxStrips;
    in.fillThreshold = threshold;
    in.passes = passes;
    in.kgPerMm = 8 / usable * 1000;
    in.trimLeftText.assign(1, '0');
    in.trimRightText.assign(1, '0');
    return in;
}

SearchResult solve(const SearchInputs &in)
{
    SearchState st;
    return runSearch(in, st);
}

Strings topUpLines(const SearchResult &r)
{
    Strings out;
    bool after = false;
    for (const auto &l : r.list3) {
        if (after) out.push_back(l);
        if (l.rfind("Οι παρακάτω", 0) == 0) after = true;
    }
    return out;
}

TEST(StripSearch, LineKeyTextAndGridFormats)
{
    struct Case {
        const char *name;
        SearchInputs in;
        std::string line, key, text;
        Strings gridCounts;
        std::string gridWaste;
    };
    const Case cases[] = {
        {"one row", order({100}, {30}, 1000, 11, 3), "1. Μέγιστο μήκος: 1000,  έχουμε 10 x Α. Φύρα:0", "10",
         " 10 x 100, φύρα: 0", {"10"}, "0"},
        {"two rows", order({150, 300}, {20, 20}, 900, 11, 10),
         "1. Μέγιστο μήκος: 900,  έχουμε 4 x Α και 1 x Β. Φύρα:0", "4-1", " 4 x 150, 1 x 300, φύρα: 0",
         {"4", "1"}, "0"},
        // The middle row has nothing left: its zero stands in the key, the
        // line and the grid, and is left out of the pattern text.
        {"zero count", order({100, 150, 200}, {3, 0, 20}, 706, 11, 5),
         "1. Μέγιστο μήκος: 700,  έχουμε 3 x Α, 0 x Β και 2 x Γ. Φύρα:6", "3-0-2", " 3 x 100, 2 x 200, φύρα: 6",
         {"3", "0", "2"}, "6"},
        {"ten rows", order({100, 101, 102, 103, 104, 105, 106, 107, 108, 109}, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 1045, 11, 2),
         "1. Μέγιστο μήκος: 1045,  έχουμε 1 x Α, 1 x Β, 1 x Γ, 1 x Δ, 1 x Ε, 1 x ΣΤ, 1 x Ζ, 1 x Η, 1 x Θ και 1 x Ι. Φύρα:0",
         "1-1-1-1-1-1-1-1-1-1", " 1 x 100, 1 x 101, 1 x 102, 1 x 103, 1 x 104, 1 x 105, 1 x 106, 1 x 107, 1 x 108, 1 x 109, φύρα: 0",
         {"1", "1", "1", "1", "1", "1", "1", "1", "1", "1"}, "0"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const SearchResult r = solve(c.in);
        ASSERT_TRUE(r.proposal2Reached);
        ASSERT_FALSE(r.list3.empty());
        EXPECT_EQ(r.list3[0], c.line);
        ASSERT_FALSE(r.lstPro1.empty());
        EXPECT_EQ(r.lstPro1[0], c.key);
        EXPECT_EQ(r.list1[0], c.key);
        EXPECT_EQ(r.list2[0], c.text);
        ASSERT_FALSE(r.grid.empty());
        EXPECT_EQ(r.grid[0].counts, c.gridCounts);
        EXPECT_EQ(r.grid[0].waste, c.gridWaste);
    }
}

TEST(StripSearch, SamePatternOnConsecutiveCoilsIsOneGridRow)
{
    const SearchResult r = solve(order({100}, {30}, 1000, 11, 3));
    EXPECT_EQ(r.list3, (Strings{"1. Μέγιστο μήκος: 1000,  έχουμε 10 x Α. Φύρα:0",
                                "2. Μέγιστο μήκος: 1000,  έχουμε 10 x Α. Φύρα:0",
                                "3. Μέγιστο μήκος: 1000,  έχουμε 10 x Α. Φύρα:0", kEndOfProposal1,
                                proposal2Heading(3)}));
    EXPECT_EQ(r.lstPro1, (Strings{"10", "10", "10"}));
    EXPECT_EQ(r.lstPro2, r.lstPro1);
    EXPECT_EQ(r.list1, (Strings{"10"}));
    EXPECT_EQ(r.list2.size(), 1u);
    ASSERT_EQ(r.grid.size(), 1u);
    EXPECT_EQ(r.grid[0].coils, "3");
    EXPECT_EQ(r.repeatText, (Strings{"", "3"}));
    ASSERT_EQ(r.patterns.size(), 1u);
    EXPECT_EQ(r.patterns[0].line1, "3 ρολλάκια που έχουν:  10 x 100, φύρα: 0");
    EXPECT_EQ(r.patterns[0].line2, "3 ρολλάκια που έχουν:  10 x 100, φύρα: 0");
    EXPECT_EQ(r.patterns[0].countText1, "3 ρολλάκια που έχουν: ");
}

// 150 and 300 on 900 mm with 20 strips each: passes 2 to 4 reuse 4 x 150 +
// 1 x 300, pass 5 (4 strips of 150 left, as many as the pattern holds)
// searches again and finds it once more; then only 3 x 300 is left.
TEST(StripSearch, ReusedPatternAndItsEnd)
{
    const SearchResult r = solve(order({150, 300}, {20, 20}, 900, 11, 10));
    EXPECT_EQ(r.lstPro1, (Strings{"4-1", "4-1", "4-1", "4-1", "4-1", "0-3", "0-3", "0-3", "0-3", "0-3"}));
    ASSERT_EQ(r.grid.size(), 2u);
    EXPECT_EQ(r.grid[0].coils, "5");
    EXPECT_EQ(r.grid[1].coils, "5");
    EXPECT_EQ(r.grid[1].counts, (Strings{"0", "3"}));
    EXPECT_EQ(r.stripsLeft[0], 0);
    EXPECT_EQ(r.stripsLeft[1], 0);
    EXPECT_TRUE(topUpLines(r).empty());
}

TEST(StripSearch, WasteOfTenRejectsAndUnderTenAccepts)
{
    struct Case {
        const char *name;
        double usable;
        size_t coils;
        std::string firstLine;
    };
    const Case cases[] = {
        {"10 mm", 910, 0, kEndOfProposal1},
        {"9.5 mm", 909.5, 1, "1. Μέγιστο μήκος: 900,  έχουμε 9 x Α. Φύρα:9,5"},
        // Under 10 mm of width nothing fits: a cut without strips is no cut.
        {"no strips fit", 8, 0, kEndOfProposal1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const SearchResult r = solve(order({100}, {9}, c.usable, 11, 3));
        ASSERT_TRUE(r.proposal2Reached);
        EXPECT_EQ(r.lstPro1.size(), c.coils);
        EXPECT_EQ(r.list3[0], c.firstLine);
        EXPECT_EQ(r.list3[c.coils + 1], proposal2Heading(static_cast<int>(c.coils)));
    }
}

TEST(StripSearch, FirstPassRejectedLeavesProposalOneEmpty)
{
    const SearchResult r = solve(order({100}, {9}, 910, 11, 3));
    EXPECT_EQ(r.list3, (Strings{kEndOfProposal1, proposal2Heading(0)}));
    EXPECT_TRUE(r.lstPro1.empty());
    EXPECT_TRUE(r.lstPro2.empty());
    EXPECT_TRUE(r.grid.empty());
    EXPECT_TRUE(r.patterns.empty());
    EXPECT_FALSE(r.proposal1.netWaste.has_value());
    EXPECT_FALSE(r.proposal2.netWaste.has_value());
    EXPECT_TRUE(r.rows1.empty());
    ASSERT_EQ(r.rows2.size(), 1u);
    EXPECT_EQ(r.rows2[0].strips, "0");
    EXPECT_EQ(r.rows2[0].productWeight, "0");
    EXPECT_FALSE(r.waste1.show);
    EXPECT_FALSE(r.waste2.show);
}

// 311 mm on a 1250 mm coil with trims of 0,1 and 0,2: each cut wastes
// 5,70000000000005 mm as the 15-digit text shows it; the top-up line counts
// it as 6 mm. Expected figures worked out separately in double arithmetic.
TEST(StripSearch, TotalsOfBothProposalsWithDecimalTrims)
{
    testing::Coil coil{1250, 0.1, 0.2, 8, 11, 10};
    SearchInputs in = testing::solvedOrder(coil, {{311, 1}});
    in.stripsLeft[0] = 10;
    in.stripsOrdered[0] = 10;
    in.passes = 3;
    SearchState st;
    const SearchResult r = runSearch(in, st);

    EXPECT_EQ(r.list3, (Strings{"1. Μέγιστο μήκος: 1244,  έχουμε 4 x Α. Φύρα:5,70000000000005",
                                "2. Μέγιστο μήκος: 1244,  έχουμε 4 x Α. Φύρα:5,70000000000005", kEndOfProposal1,
                                proposal2Heading(2), "3. Μέγιστο μήκος: 1244,  έχουμε 4 x Α. Φύρα:6"}));
    EXPECT_EQ(r.grid[0].waste, "5,70000000000005");
    EXPECT_EQ(r.proposal1.netWaste, "11,4000000000001");
    EXPECT_EQ(r.proposal1.netWasteKg, "72,9775146035054");
    EXPECT_EQ(r.proposal1.totalWaste, "12,0000000000001");
    EXPECT_EQ(r.proposal1.totalWasteKg, "76,8184364247425");
    EXPECT_EQ(r.proposal2.netWaste, "17,4000000000001");
    EXPECT_EQ(r.proposal2.netWasteKg, "111,386732815876");
    EXPECT_EQ(r.proposal2.totalWaste, "18,3000000000001");
    EXPECT_EQ(r.proposal2.totalWasteKg, "117,148115547732");
    ASSERT_EQ(r.rows1.size(), 1u);
    EXPECT_EQ(r.rows1[0].strips, "8");
    EXPECT_EQ(r.rows1[0].productWeight, "15,9270224853965");
    EXPECT_EQ(r.rows2[0].strips, "12");
    EXPECT_EQ(r.rows2[0].productWeight, "23,8905337280947");
    // 482,3... and 490,35... thousandths of a percent.
    EXPECT_TRUE(r.waste1.show);
    EXPECT_EQ(r.waste1.percent, 0.482);
    EXPECT_EQ(r.waste2.percent, 0.49);
    ASSERT_EQ(r.patterns.size(), 1u);
    EXPECT_EQ(r.patterns[0].line1, "2 ρολλάκια που έχουν:  4 x 311, φύρα: 5,70000000000005");
    EXPECT_EQ(r.patterns[0].line2, "3 ρολλάκια που έχουν:  4 x 311, φύρα: 5,70000000000005");
    EXPECT_EQ(r.stripsLeft[0], -2);
    EXPECT_EQ(st.lineNo, 3);
    EXPECT_EQ(st.stripsCut[0], 12);
}

TEST(StripSearch, TopUpPlanStartsOnlyBelowTheThreshold)
{
    struct Case {
        const char *name;
        double threshold;
        size_t topUps;
    };
    // One cut of 10 x 100 out of 20 strips leaves the row filled to 0,5.
    const Case cases[] = {
        {"fill equals threshold: no plan", 0.5, 0},
        // Plan 10 / 10 + 1 = 2 coils; the first passes the threshold.
        {"fill below threshold: one line of two planned", 0.55, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const SearchResult r = solve(order({100}, {20}, 1000, 11, 1, c.threshold));
        EXPECT_EQ(topUpLines(r).size(), c.topUps);
        EXPECT_EQ(r.lstPro2.size(), 1 + c.topUps);
        ASSERT_EQ(r.patterns.size(), 1u);
        EXPECT_EQ(r.patterns[0].coils2, static_cast<std::int64_t>(1 + c.topUps));
        if (c.topUps == 0) {
            // Without top-up lines proposal 2 is proposal 1, totals included.
            EXPECT_EQ(r.proposal2.netWaste, r.proposal1.netWaste);
            EXPECT_EQ(r.proposal2.totalWasteKg, r.proposal1.totalWasteKg);
            EXPECT_TRUE(r.waste2.show);
        }
    }
}

// A top-up line counts its waste in whole mm, halves going to the even one.
TEST(StripSearch, TopUpWasteIsRoundedHalfToEven)
{
    struct Case {
        double usable;
        std::string cutLine, topUpLine;
    };
    const Case cases[] = {
        {909.5, "1. Μέγιστο μήκος: 900,  έχουμε 9 x Α. Φύρα:9,5", "2. Μέγιστο μήκος: 900,  έχουμε 9 x Α. Φύρα:10"},
        {908.5, "1. Μέγιστο μήκος: 900,  έχουμε 9 x Α. Φύρα:8,5", "2. Μέγιστο μήκος: 900,  έχουμε 9 x Α. Φύρα:8"},
    };
    for (const auto &c : cases) {
        const SearchResult r = solve(order({100}, {18}, c.usable, 11, 1));
        EXPECT_EQ(r.list3.front(), c.cutLine);
        EXPECT_EQ(topUpLines(r), (Strings{c.topUpLine}));
    }
}

// Row Γ (200 mm) has its fill 2/20 after one cut of 3 x 100 + 2 x 200. Its
// plan is 18 / 2 + 1 = 10; the ninth line brings it to 20/20 past 0,9, and
// the eighth, which reaches 0,9 exactly, is followed by another. The top-up
// also overproduces row Α, and row Β (nothing ordered) stays empty.
TEST(StripSearch, TopUpStopsOnlyAboveTheThresholdAndNumbersOn)
{
    const SearchResult r = solve(order({100, 150, 200}, {3, 0, 20}, 706, 11, 5));
    const Strings topUps = topUpLines(r);
    ASSERT_EQ(topUps.size(), 9u);
    EXPECT_EQ(r.list3[1], kEndOfProposal1);
    EXPECT_EQ(r.list3[2], proposal2Heading(1));
    EXPECT_EQ(topUps.front(), "2. Μέγιστο μήκος: 700,  έχουμε 3 x Α, 0 x Β και 2 x Γ. Φύρα:6");
    EXPECT_EQ(topUps.back(), "10. Μέγιστο μήκος: 700,  έχουμε 3 x Α, 0 x Β και 2 x Γ. Φύρα:6");
    EXPECT_EQ(r.rows2[0].strips, "30");
    EXPECT_EQ(r.rows2[1].strips, "0");
    EXPECT_EQ(r.rows2[2].strips, "20");
    EXPECT_EQ(r.stripsLeft[0], -27);
    EXPECT_EQ(r.lstPro2.size(), 10u);
    EXPECT_EQ(r.patterns[0].countText2, "10 ρολλάκια που έχουν: ");
}

// The cut 2 x 100 + 4 x 200 leaves Α at 2/3 and Β at 4/8. Α's top-up line
// brings Β to 8/8, so Β's plan, set just before its turn, is empty.
TEST(StripSearch, RowFilledByAnEarlierRowsTopUpIsSkipped)
{
    const SearchResult r = solve(order({100, 200}, {3, 8}, 1000, 11, 1));
    EXPECT_EQ(r.lstPro1, (Strings{"2-4"}));
    EXPECT_EQ(topUpLines(r), (Strings{"2. Μέγιστο μήκος: 1000,  έχουμε 2 x Α και 4 x Β. Φύρα:0"}));
    EXPECT_EQ(r.rows2[0].strips, "4");
    EXPECT_EQ(r.rows2[1].strips, "8");
}

// A row tops up with the cut that carried most of its width: a later cut
// with strictly more strips of it takes the row over, one with as many
// leaves the earlier cut in place.
TEST(StripSearch, TopUpUsesTheCutWithMostOfTheRowsWidth)
{
    struct Case {
        const char *name;
        SearchInputs in;
        Strings cuts, topUps;
    };
    const Case cases[] = {
        // Α: 3 strips in the first cut, 7 in the second.
        {"more strips take over", order({90, 360}, {20, 1}, 630, 8, 4, 0.87), {"3-1", "7-0", "7-0"},
         {"4. Μέγιστο μήκος: 630,  έχουμε 7 x Α και 0 x Β. Φύρα:0"}},
        // Β: 2 strips in every cut; its fill goes 6/15, 8/15, 10/15, 12/15.
        {"as many strips keep the first",
         order({65, 146, 320}, {14, 15, 5}, 1133, 12, 5, 0.7),
         {"8-2-1", "3-2-2", "3-2-2"},
         {"4. Μέγιστο μήκος: 1132,  έχουμε 8 x Α, 2 x Β και 1 x Γ. Φύρα:1",
          "5. Μέγιστο μήκος: 1132,  έχουμε 8 x Α, 2 x Β και 1 x Γ. Φύρα:1",
          "6. Μέγιστο μήκος: 1132,  έχουμε 8 x Α, 2 x Β και 1 x Γ. Φύρα:1"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const SearchResult r = solve(c.in);
        EXPECT_EQ(r.lstPro1, c.cuts);
        EXPECT_EQ(topUpLines(r), c.topUps);
    }
}

// A pattern that comes back after another gets a second grid row but one
// table line, with all its coils.
TEST(StripSearch, RecurringPatternHasOneTableLine)
{
    const SearchResult r = solve(order({48, 90, 202, 276}, {23, 4, 32, 8}, 1295, 13, 8));
    EXPECT_EQ(r.list1, (Strings{"4-1-5-0", "7-0-2-2", "4-1-5-0", "0-0-5-1"}));
    ASSERT_EQ(r.grid.size(), 4u);
    EXPECT_EQ(r.grid[0].coils, "3");
    EXPECT_EQ(r.grid[2].coils, "1");
    ASSERT_EQ(r.patterns.size(), 3u);
    EXPECT_EQ(r.patterns[0].key, "4-1-5-0");
    EXPECT_EQ(r.patterns[0].line1, "4 ρολλάκια που έχουν:  4 x 48, 1 x 90, 5 x 202, φύρα: 3");
    EXPECT_EQ(r.patterns[1].key, "7-0-2-2");
    EXPECT_EQ(r.patterns[1].coils1, 1);
    EXPECT_EQ(r.patterns[1].coils2, 3);
    EXPECT_EQ(r.patterns[2].coils1, 2);
    EXPECT_EQ(r.patterns[2].line2, "2 ρολλάκια που έχουν:  5 x 202, 1 x 276, φύρα: 9");
}

// Counts 0,11,1,1 and 0,1,11,1 would run together into the same digits.
TEST(StripSearch, KeysKeepTwoDigitCountsApart)
{
    const SearchResult r = solve(order({60, 60, 60, 120}, {12, 22, 34, 21}, 848, 19, 8));
    EXPECT_EQ(r.lstPro1[2], "0-11-1-1");
    EXPECT_EQ(r.lstPro1[3], "0-1-11-1");
    ASSERT_GE(r.patterns.size(), 4u);
    for (const auto &p : r.patterns) EXPECT_EQ(p.coils1, 1) << p.key;
}

TEST(StripSearch, MoreThanElevenPatternsAllReachTheGrid)
{
    const SearchResult r = solve(order({62, 141, 150, 167, 183, 209, 225, 251, 283},
                                       {9, 18, 3, 15, 26, 29, 13, 11, 14}, 1247, 8, 22));
    ASSERT_EQ(r.grid.size(), 12u);
    EXPECT_EQ(r.list1.size(), 12u);
    EXPECT_EQ(r.list2.size(), 12u);
    ASSERT_EQ(r.repeatText.size(), 13u);
    EXPECT_EQ(r.lstPro1.size(), 19u);
    EXPECT_EQ(r.grid[11].counts, (Strings{"0", "1", "0", "0", "6", "0", "0", "0", "0"}));
    EXPECT_EQ(r.grid[11].waste, "8");
    EXPECT_EQ(r.grid[11].coils, "1");
    EXPECT_EQ(r.repeatText[12], "1");
    EXPECT_EQ(r.grid[4].coils, "4");
}

TEST(StripSearch, RowCountOutsideOneToTenDoesNothing)
{
    for (int lastRow : {-1, 10}) {
        SearchInputs in = order({100}, {10}, 1000, 11, 2);
        in.lastRow = lastRow;
        SearchState st;
        st.lineNo = 7;
        const SearchResult r = runSearch(in, st);
        EXPECT_FALSE(r.proposal2Reached);
        EXPECT_TRUE(r.list3.empty());
        EXPECT_EQ(st.lineNo, 7);
    }
}

TEST(StripSearch, WastePercentRoundsHalvesToEvenAndNeedsAWeight)
{
    struct Case {
        double kg, tonnes;
        std::optional<double> percent;
    };
    const Case cases[] = {
        {3.125, 1, 0.312},    // 312,5 thousandths
        {313.5, 100, 0.314},  // 313,5 thousandths
        {50000, 1, 5000},     // far beyond what 16 bits held
        {12, 0, std::nullopt},
        {0, 0, std::nullopt},
    };
    for (const auto &c : cases) EXPECT_EQ(wastePercent(c.kg, c.tonnes), c.percent) << c.kg << " / " << c.tonnes;
}

// Every proposal-1 cut is either the previous pattern (while it still fits
// strictly under every row's strips left) or the full walk's choice for the
// limits of that pass.
TEST(StripSearch, CutsFollowTheWalkAndTheReuseRule)
{
    std::mt19937 rng(4242);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 400; ++round) {
        const int n = pick(1, 4);
        std::vector<std::int64_t> widths, left;
        for (int i = 0; i < n; ++i) {
            widths.push_back(10 * pick(2, 15));
            left.push_back(pick(0, 12));
        }
        std::sort(widths.begin(), widths.end());
        const double usable = 10 * pick(20, 60) + pick(0, 9);
        const double maxStrips = pick(2, 9);
        const SearchResult r = solve(order(widths, left, usable, maxStrips, 30));

        PatternProblem p;
        p.rows = n;
        p.usable = usable;
        p.maxStrips = static_cast<std::int64_t>(maxStrips);
        std::array<std::int64_t, kMaxRows> stock{}, prev{};
        for (int i = 0; i < n; ++i) stock[i] = left[i];
        for (size_t cut = 0; cut < r.lstPro1.size(); ++cut) {
            bool reuse = cut > 0;
            for (int i = 0; i < n; ++i) reuse = reuse && prev[i] < stock[i];
            std::array<std::int64_t, kMaxRows> want = prev;
            if (!reuse) {
                for (int i = 0; i < n; ++i) {
                    p.width[i] = widths[i];
                    p.limit[i] = std::min<std::int64_t>(
                        stock[i], std::min<std::int64_t>(static_cast<std::int64_t>(usable / widths[i]), p.maxStrips));
                }
                want = testing::literalChoice(p).count;
            }
            std::string key;
            for (int i = 0; i < n; ++i) {
                if (i) key += '-';
                key += std::to_string(want[i]);
            }
            ASSERT_EQ(r.lstPro1[cut], key) << "round " << round << " cut " << cut;
            for (int i = 0; i < n; ++i) stock[i] -= want[i];
            prev = want;
        }
    }
}

} // namespace
} // namespace strip_search
