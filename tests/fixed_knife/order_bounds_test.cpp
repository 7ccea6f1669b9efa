#include "fixed_knife/order_bounds.h"

#include <gtest/gtest.h>

#include <random>

using namespace fk;

namespace {

OrderValues order(double coilWidth, double coilWeight, std::int64_t knives, std::vector<OrderRowValues> rows)
{
    OrderValues v;
    v.leftTrimText = std::string(1, '0');
    v.coilWidth = coilWidth;
    v.coilWeight = coilWeight;
    v.maxStrips = knives;
    v.rows = std::move(rows);
    return v;
}

std::vector<std::int64_t> minimums(const OrderBounds &b)
{
    std::vector<std::int64_t> lo;
    for (int i = 0; i <= b.lastRow; ++i) lo.push_back(b.search.items[i].lo);
    return lo;
}

std::vector<std::int64_t> maximums(const OrderBounds &b)
{
    std::vector<std::int64_t> hi;
    for (int i = 0; i <= b.lastRow; ++i) hi.push_back(b.search.items[i].hi);
    return hi;
}

} // namespace

TEST(OrderBounds, StripsCoilsAndSlots)
{
    OrderValues v = order(1250, 8, 11, {{400, 10}, {200, 5}});
    v.leftTrim = v.rightTrim = 2;
    const OrderBounds b = computeOrderBounds(v, SolveMode::WithProportion, {});
    ASSERT_EQ(b.stop, BoundsStop::None);
    EXPECT_EQ(b.lastRow, 1);
    EXPECT_DOUBLE_EQ(b.usableWidth, 1246);
    EXPECT_DOUBLE_EQ(b.kgPerMm, 8.0 / 1246 * 1000);
    ASSERT_EQ(b.rows.size(), 2u);
    EXPECT_EQ(b.rows[0].strips, 3);  // 10 t x 1246 / 400 / 8 = 3.89
    EXPECT_EQ(b.rows[1].roles, "3");
    EXPECT_DOUBLE_EQ(b.coils, 2);    // 1800 mm of strips on 1246 mm
    EXPECT_EQ(minimums(b), (std::vector<std::int64_t>{1, 1}));
    EXPECT_EQ(maximums(b), (std::vector<std::int64_t>{11, 10}));
    EXPECT_DOUBLE_EQ(b.search.items[0].tonnesPerStrip, 8.0 / 1246 * 400);
    EXPECT_EQ(b.search.orderedCount, 2);
    EXPECT_EQ(b.search.maxStrips, 11);
    EXPECT_EQ(b.searchMode, SearchMode::FirstWidest);
    for (int k = 2; k < kSlotCount; ++k) EXPECT_EQ(b.search.items[k].hi, 0) << k;
    EXPECT_FALSE(b.noticeForKnives || b.noticeForWidth);
}

TEST(OrderBounds, WholeTonnesAndOneCoilAboveAnExactFill)
{
    // 20 t of 500 mm on 1000 mm, 10 t coils: 4 strips fill exactly two coils.
    OrderBounds b = computeOrderBounds(order(1000, 10, 11, {{500, 20}}), SolveMode::WithProportion, {});
    EXPECT_EQ(b.rows[0].strips, 4);
    EXPECT_DOUBLE_EQ(b.coils, 3);

    // 0.4 t rounds to no strip, yet the row gets one strip per cut; 2.5 t
    // rounds to 2, 3.5 t to 4.
    b = computeOrderBounds(order(1000, 1, 11, {{100, 0.4}, {100, 2.5}, {100, 3.5}}), SolveMode::WithProportion, {});
    ASSERT_EQ(b.stop, BoundsStop::None);
    EXPECT_EQ(b.rows[0].orderWeight, 0);
    EXPECT_EQ(b.rows[0].strips, 0);
    EXPECT_EQ(b.rows[1].orderWeight, 2);
    EXPECT_EQ(b.rows[2].orderWeight, 4);
    EXPECT_EQ(b.search.items[0].lo, 1);
}

TEST(OrderBounds, MinimumsLoweredFirstRowsFirstNoticeOncePerLoop)
{
    // Proportional minimums 3, 3, 3 against 5 knives: rows A and B go down
    // to 1 before row Γ is touched.
    OrderBounds b = computeOrderBounds(order(1000, 1, 5, {{100, 100}, {100, 100}, {100, 100}}),
                                       SolveMode::WithProportion, {});
    ASSERT_EQ(b.stop, BoundsStop::None);
    EXPECT_EQ(minimums(b), (std::vector<std::int64_t>{1, 1, 3}));
    EXPECT_EQ(maximums(b), (std::vector<std::int64_t>{5, 4, 3}));
    EXPECT_TRUE(b.noticeForKnives);
    EXPECT_FALSE(b.noticeForWidth);

    // 9 strips of 100 mm plus the one strip of 500 mm a small row gets:
    // lowered to 7 for the knives, then to 5 for the width.
    b = computeOrderBounds(order(1000, 1, 8, {{100, 50}, {500, 0.4}}), SolveMode::WithProportion, {});
    EXPECT_EQ(minimums(b), (std::vector<std::int64_t>{5, 1}));
    EXPECT_TRUE(b.noticeForKnives);
    EXPECT_TRUE(b.noticeForWidth);

    b = computeOrderBounds(order(1000, 1, 11, {{100, 50}, {500, 0.4}}), SolveMode::WithProportion, {});
    EXPECT_EQ(minimums(b), (std::vector<std::int64_t>{5, 1}));
    EXPECT_FALSE(b.noticeForKnives);
    EXPECT_TRUE(b.noticeForWidth);

    // Without the proportion every minimum is 1 and no notice is shown.
    b = computeOrderBounds(order(1000, 1, 5, {{100, 100}, {100, 100}, {100, 100}}), SolveMode::WithoutProportion, {});
    EXPECT_EQ(minimums(b), (std::vector<std::int64_t>{1, 1, 1}));
    EXPECT_EQ(maximums(b), (std::vector<std::int64_t>{5, 4, 3}));
    EXPECT_FALSE(b.noticeForKnives || b.noticeForWidth);
    EXPECT_EQ(b.searchMode, SearchMode::ScoreTieBreak);
}

// The lowering as the planner does it, one strip at a time.
TEST(OrderBounds, LoweringMatchesOneStripAtATime)
{
    std::mt19937 rng(7);
    auto pick = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
    for (int iter = 0; iter < 500; ++iter) {
        std::vector<OrderRowValues> rows;
        const int n = pick(1, 7);
        for (int i = 0; i < n; ++i) rows.push_back({double(pick(20, 300)), double(pick(0, 400)) / 4});
        const double coil = pick(600, 2000);
        OrderValues v = order(coil, pick(1, 30) / 2.0, pick(n, 20), rows);
        v.leftTrim = pick(0, 4) / 2.0;
        const OrderBounds b = computeOrderBounds(v, SolveMode::WithProportion, {});
        if (b.stop != BoundsStop::None) continue;

        std::vector<std::int64_t> lo;
        for (const OrderedRowBounds &r : b.rows) lo.push_back(std::max<std::int64_t>(r.perCoil, 1));
        auto lowerFirst = [&] {
            for (auto &x : lo)
                if (x > 1) {
                    --x;
                    return;
                }
        };
        bool knives = false, width = false;
        auto strips = [&] { std::int64_t s = 0; for (auto x : lo) s += x; return s; };
        auto used = [&] { double s = 0; for (size_t i = 0; i < lo.size(); ++i) s += double(b.rows[i].width * lo[i]); return s; };
        while (strips() > v.maxStrips) { knives = true; lowerFirst(); }
        while (used() > b.usableWidth) { width = true; lowerFirst(); }
        SCOPED_TRACE(iter);
        EXPECT_EQ(minimums(b), lo);
        EXPECT_EQ(b.noticeForKnives, knives);
        EXPECT_EQ(b.noticeForWidth, width);
    }
}

TEST(OrderBounds, Stops)
{
    std::vector<OrderRowValues> seven(7, {100, 5});
    OrderBounds b = computeOrderBounds(order(1250, 8, 6, seven), SolveMode::WithoutProportion, {});
    EXPECT_EQ(b.stop, BoundsStop::TooManyRows);
    EXPECT_EQ(b.message.text, "Ο αριθμός των αιτουμένων προϊόντων προς παραγωγή είναι μεγαλύτερος από τον αριθμό μαχαιριών");
    EXPECT_EQ(b.message.focus, (Focus{"Text4"}));
    EXPECT_EQ(computeOrderBounds(order(1250, 8, 7, seven), SolveMode::WithoutProportion, {}).stop, BoundsStop::None);

    // The weight limit holds with the proportion only; strips are computed.
    b = computeOrderBounds(order(1250, 8, 11, {{100, 10000.5}}), SolveMode::WithProportion, {});
    EXPECT_EQ(b.stop, BoundsStop::WeightTooLarge);
    EXPECT_EQ(b.message.text, "Το βάρος της παραγγελίας είναι πολύ μεγάλο. Παρακαλώ ορίστε καινούργια");
    EXPECT_FALSE(b.message.focus);
    ASSERT_EQ(b.rows.size(), 1u);
    EXPECT_EQ(b.rows[0].strips, 15625);
    EXPECT_EQ(computeOrderBounds(order(1250, 8, 11, {{100, 20000}}), SolveMode::WithoutProportion, {}).stop,
              BoundsStop::None);
    // Strips beyond exact counting, in either mode, from the weight or from
    // the coil: refused before any row is figured.
    for (const auto &[v, mode] : {std::pair{order(1250, 8, 11, {{100, 1e300}}), SolveMode::WithoutProportion},
                                  std::pair{order(1e300, 8, 11, {{400, 8}}), SolveMode::WithProportion},
                                  std::pair{order(1250, 1e-300, 11, {{400, 8}}), SolveMode::WithoutProportion}}) {
        b = computeOrderBounds(v, mode, {});
        EXPECT_EQ(b.stop, BoundsStop::WeightTooLarge);
        EXPECT_FALSE(b.message.focus);
        EXPECT_TRUE(b.rows.empty());
    }

    OrderValues v = order(1200, 8, 11, {{500, 5}, {400, 5}, {300, 5}});
    v.leftTrim = v.rightTrim = 2;  // 1196 mm usable
    b = computeOrderBounds(v, SolveMode::WithProportion, {});
    EXPECT_EQ(b.stop, BoundsStop::NoSolution);
    EXPECT_EQ(b.message.text, "Αυτή η παραγγελία δεν έχει λύση. Παρακαλώ ορίστε καινούργια");
    EXPECT_FALSE(b.message.focus);
    v.rows[2].width = 296;
    EXPECT_EQ(computeOrderBounds(v, SolveMode::WithProportion, {}).stop, BoundsStop::None);
}

// The search is armed only when it can settle the order in a moment. A
// kilometre of coil with two narrow widths and knives to spare is searched;
// seven narrow rows and fifteen secondary widths with knives that run short
// on a coil of 200 m are refused at the coil width, and so is a release of
// the proportion that brings those secondary widths to such a coil.
TEST(OrderBounds, SearchTooLargeForItsTablesIsRefusedAtTheCoilWidth)
{
    EXPECT_EQ(computeOrderBounds(order(1'000'000, 8, 1'000'000, {{10, 5}, {11, 5}}), SolveMode::WithoutProportion, {})
                  .stop,
              BoundsStop::None);

    std::vector<OrderRowValues> rows;
    for (int i = 0; i < 7; ++i) rows.push_back({double(20 + 3 * i), 50});
    std::vector<SecondaryWidth> chosen;
    for (int i = 0; i < 15; ++i) chosen.push_back({21 + 2 * i, 300});
    for (SolveMode mode : {SolveMode::WithProportion, SolveMode::WithoutProportion}) {
        const OrderBounds b = computeOrderBounds(order(200'000, 8, 5000, rows), mode, chosen);
        EXPECT_EQ(b.stop, BoundsStop::SearchTooLarge);
        EXPECT_EQ(b.message.text,
                  "Το εύρος ρόλου είναι πολύ μεγάλο για τον υπολογισμό. Παρακαλώ ορίστε μικρότερο εύρος ρόλου");
        EXPECT_EQ(b.message.focus, (Focus{"txtMikos"}));
        EXPECT_EQ(computeOrderBounds(order(1500, 8, 5000, rows), mode, chosen).stop, BoundsStop::None);
    }

    const OrderBounds solved = computeOrderBounds(order(200'000, 8, 5000, rows), SolveMode::WithProportion, {});
    ASSERT_EQ(solved.stop, BoundsStop::None);
    const OrderBounds released = withShownMinimums(solved, minimums(solved), chosen);
    EXPECT_EQ(released.stop, BoundsStop::SearchTooLarge);
    EXPECT_EQ(released.message.focus, (Focus{"txtMikos"}));
}

TEST(OrderBounds, SecondaryWidthsFillSlotsSevenOnAndClearTheRest)
{
    std::vector<SecondaryWidth> chosen;
    for (int i = 0; i < 17; ++i) chosen.push_back({40 + i, i == 3 ? 0 : 1 + i % 2});
    const OrderValues v = order(1000, 10, 11, {{200, 5}});
    OrderBounds b = computeOrderBounds(v, SolveMode::WithProportion, chosen);
    EXPECT_EQ(b.search.items[7].width, 40);
    EXPECT_EQ(b.search.items[7].hi, 1);
    EXPECT_EQ(b.search.items[9].width, 42);
    EXPECT_EQ(b.search.items[10].width, 44);  // the unchosen 43 is skipped
    EXPECT_EQ(b.search.items[21].width, 55);
    EXPECT_EQ(b.search.items[21].lo, 0);
    EXPECT_DOUBLE_EQ(b.search.items[8].tonnesPerStrip, 10.0 / 1000 * 41);

    // A later release with fewer secondary widths leaves nothing of the
    // earlier ones behind.
    b = withShownMinimums(b, {3}, {{70, 2}});
    EXPECT_EQ(b.search.items[7].width, 70);
    EXPECT_EQ(b.search.items[7].hi, 2);
    for (int k = 8; k < kSlotCount; ++k) {
        EXPECT_EQ(b.search.items[k].width, 0) << k;
        EXPECT_EQ(b.search.items[k].hi, 0) << k;
    }
}

TEST(OrderBounds, ShownCountsBecomeMinimums)
{
    const OrderBounds solved =
        computeOrderBounds(order(1250, 8, 11, {{400, 10}, {200, 5}, {100, 3}}), SolveMode::WithoutProportion, {});
    const OrderBounds b = withShownMinimums(solved, {2, 3, 0}, {});
    EXPECT_EQ(minimums(b), (std::vector<std::int64_t>{2, 3, 0}));
    EXPECT_EQ(maximums(b), (std::vector<std::int64_t>{11, 9, 6}));
    EXPECT_EQ(b.searchMode, SearchMode::FirstWidest);
    EXPECT_EQ(b.search.items[1].width, 200);
    EXPECT_DOUBLE_EQ(b.coils, solved.coils);
}
