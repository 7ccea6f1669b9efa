#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "literal_choice.h"
#include "strip_search/pattern_choice.h"

namespace strip_search {
namespace {

struct ChoiceCase {
    const char *name;
    std::vector<std::int64_t> width;
    std::vector<std::int64_t> limit;
    std::int64_t maxStrips;
    double usable;
    std::vector<std::int64_t> expected;
    std::int64_t expectedUsed;
};

PatternProblem problemOf(const ChoiceCase &c)
{
    PatternProblem p;
    p.rows = static_cast<int>(c.width.size());
    for (int i = 0; i < p.rows; ++i) {
        p.width[i] = c.width[i];
        p.limit[i] = c.limit[i];
    }
    p.maxStrips = c.maxStrips;
    p.usable = c.usable;
    return p;
}

std::vector<std::int64_t> countsOf(const PatternChoice &c, int rows)
{
    return std::vector<std::int64_t>(c.count.begin(), c.count.begin() + rows);
}

TEST(PatternChoice, TieBreakAndFeasibilityCases)
{
    const ChoiceCase cases[] = {
        // 0x150+3x300, 2x150+2x300, 4x150+1x300 replace in turn; 6x150 has one width only.
        {"two widths on 900", {150, 300}, {6, 3}, 11, 900, {4, 1}, 900},
        // 1+1+1 (750, three widths) raises the tie level; 2x150+2x250 then leads and
        // 3x150+1x350 (same width, two widths) cannot replace it.
        {"three widths on 800", {150, 250, 350}, {5, 3, 2}, 11, 800, {2, 2, 0}, 800},
        // 7 x 100 fits the width but not the three knives.
        {"strip cap", {100}, {7}, 3, 700, {3}, 300},
        {"exact fill is feasible", {250}, {4}, 11, 1000, {4}, 1000},
        {"all limits zero", {100, 200}, {0, 0}, 11, 1000, {0, 0}, 0},
        {"one width takes its limit", {120}, {5}, 11, 1250, {5}, 600},
        {"nothing fits the width", {100}, {3}, 11, 50, {0}, 0},
        {"no knives", {100, 200}, {4, 4}, 0, 1000, {0, 0}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const PatternProblem p = problemOf(c);
        const PatternChoice fast = choosePattern(p);
        EXPECT_EQ(countsOf(fast, p.rows), c.expected);
        EXPECT_EQ(fast.used, c.expectedUsed);
        const PatternChoice ref = testing::literalChoice(p);
        EXPECT_EQ(countsOf(ref, p.rows), c.expected);
    }
}

// Seeded random orders, compared with the full walk. Families: any widths
// (unsorted, repeated, fractional room); multiples of 10 mm, where many
// trials tie on the width and the tie level's history decides; up to ten
// rows with small limits; and coils too wide for the table of exact widths,
// where the plain width bound is used.
struct Family {
    const char *name;
    unsigned seed;
    int rounds;
    int minRows, maxRows;
    int maxLimit;
    bool tens;
    bool wide = false;
};

TEST(PatternChoice, EqualsFullWalkOnRandomOrders)
{
    const Family families[] = {
        {"any widths", 20240611u, 4000, 1, 5, 6, false},
        {"tie-heavy", 7u, 4000, 2, 5, 6, true},
        {"ten rows", 99u, 300, 7, 10, 2, false},
        {"very wide coil", 31u, 600, 1, 5, 4, false, true},
    };
    for (const auto &f : families) {
        SCOPED_TRACE(f.name);
        std::mt19937 rng(f.seed);
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        for (int round = 0; round < f.rounds; ++round) {
            PatternProblem p;
            p.rows = pick(f.minRows, f.maxRows);
            const int widest = f.wide ? pick(20000, 60000) : pick(3, 60);
            for (int i = 0; i < p.rows; ++i) {
                p.width[i] = f.tens ? 10 * pick(1, 6) : pick(1, widest);
                if (!f.tens && i > 0 && pick(0, 5) == 0) p.width[i] = p.width[i - 1];
                p.limit[i] = pick(0, f.maxLimit);
            }
            p.maxStrips = pick(0, 14);
            if (f.wide) p.usable = pick(70000, 300000);
            else if (f.tens) p.usable = 10 * pick(3, 25) + (pick(0, 2) == 0 ? pick(1, 9) : 0);
            else p.usable = pick(0, widest * 6) + (pick(0, 3) == 0 ? 0.5 : 0.0);
            const PatternChoice fast = choosePattern(p);
            const PatternChoice ref = testing::literalChoice(p);
            ASSERT_EQ(countsOf(fast, p.rows), countsOf(ref, p.rows)) << "round " << round;
            ASSERT_EQ(fast.used, ref.used) << "round " << round;
        }
    }
}

// Many knives on narrow widths, most of them equal: countless trials share
// the best width and only the history of the tie level tells them apart.
// Limits are cut down until the full walk stays at some ten thousand trials.
TEST(PatternChoice, EqualsFullWalkWithManyKnivesAndEqualWidths)
{
    std::mt19937 rng(1311u);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 1500; ++round) {
        PatternProblem p;
        p.rows = pick(3, 8);
        const int base = pick(1, 7);
        for (int i = 0; i < p.rows; ++i) {
            // Mostly one narrow width, a few multiples of it, now and then a wide one.
            const int kind = pick(0, 9);
            p.width[i] = kind < 6 ? base : kind < 9 ? base * pick(2, 4) : pick(20, 90);
            p.limit[i] = pick(0, 40);
        }
        auto trials = [&] {
            double t = 1;
            for (int i = 0; i < p.rows; ++i) t *= double(p.limit[i] + 1);
            return t;
        };
        while (trials() > 12000) {
            std::int64_t &l = p.limit[pick(0, p.rows - 1)];
            l = l / 2;
        }
        p.maxStrips = pick(0, 60);
        p.usable = pick(base, 250) + (pick(0, 3) == 0 ? 0.5 : 0.0);
        const PatternChoice fast = choosePattern(p);
        const PatternChoice ref = testing::literalChoice(p);
        ASSERT_EQ(countsOf(fast, p.rows), countsOf(ref, p.rows)) << "round " << round;
        ASSERT_EQ(fast.used, ref.used) << "round " << round;
    }
}

} // namespace
} // namespace strip_search
