#include "fixed_knife/evaluation.h"

#include <gtest/gtest.h>

using namespace fk;

namespace {

OrderedRowCells row(const std::string &width, const std::string &ordered, const std::string &produced)
{
    return {width, ordered, produced, "12"};
}

} // namespace

TEST(Evaluation, SharesBandsAndDifferences)
{
    struct Case {
        std::string ordered, produced;
        std::string pososto;
        Band band;
        std::string diafora;
        bool leftover;
    };
    const std::vector<Case> cases = {
        {"10", "9", "90%", Band::Green, "- 1", false},
        {"10", "11", "110%", Band::Green, "+ 1", false},
        {"10", "8,99", "89,9%", Band::Blue, "- 1", false},
        {"10", "11,01", "110,1%", Band::Red, "+ 1", true},
        {"10", "8,7", "87%", Band::Blue, "- 1.3", false},
        {"10", "11,2", "112%", Band::Red, "+ 1.2", true},
        {"10", "10", "100%", Band::Green, "0", false},
        {"10", "10,7", "107%", Band::Green, "+ 0.7", false},
        {"10", "10,04", "100,4%", Band::Green, "0", false},
        {"10", "", "0%", Band::Blue, "- 10", false},       // nothing produced
        {"0", "3", "", Band::None, "+ 3", false},          // no share of nothing
        {"abc", "3", "", Band::None, "", false},
        // Figures beyond every number are not shown, nor offered as leftovers.
        {"1e-320", "9,5", "", Band::None, "+ 9.5", false},
        {"1e308", "9,5", "0%", Band::Blue, "", false},
        {"-1e308", "9,5", "0%", Band::Blue, "", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.ordered + " / " + c.produced);
        LeftoverTable leftovers{};
        const OrderJudgement j = checkOrderRows({row("400", c.ordered, c.produced)}, "10", leftovers);
        ASSERT_TRUE(j.judged);
        ASSERT_EQ(j.rows.size(), 1u);
        EXPECT_EQ(j.rows[0].pososto, c.pososto);
        EXPECT_EQ(j.rows[0].band, c.band);
        EXPECT_EQ(j.rows[0].diafora, c.diafora);
        if (c.leftover)
            EXPECT_EQ(leftovers[0], (LeftoverRow{"400", c.ordered, "", "", "", "255"}));
        else
            EXPECT_EQ(leftovers[0][0], "");
    }
    EXPECT_EQ(bandRgb(Band::Green), 0x00C000u);
    EXPECT_EQ(bandRgb(Band::Blue), 0x0000FFu);
    EXPECT_EQ(bandRgb(Band::Red), 0xFF0000u);
}

TEST(Evaluation, LeftoverRowsOncePerWidthWhileRoomLasts)
{
    LeftoverTable t{};
    checkOrderRows({row("400", "10", "12"), row("400", "5", "7"), row("200", "10", "10")}, "10", t);
    EXPECT_EQ(t[0][0], "400");
    EXPECT_EQ(t[0][1], "10");
    EXPECT_EQ(t[1][0], "");

    // A later cut over-produces 400 again and 300 for the first time.
    checkOrderRows({row("400", "10", "12"), row("300", "4", "6")}, "10", t);
    EXPECT_EQ(t[1], (LeftoverRow{"300", "4", "", "", "", "255"}));
    EXPECT_EQ(t[2][0], "");

    for (int w = 1; w <= 6; ++w) checkOrderRows({row(std::to_string(w), "1", "2")}, "10", t);
    EXPECT_EQ(t[6][0], "5");  // the seventh row; "6" finds no room
    for (const LeftoverRow &r : t) EXPECT_NE(r[0], "6");
}

TEST(Evaluation, NothingChangesWhileAStripsCellIsEmpty)
{
    LeftoverTable t{};
    OrderedRowCells a = row("400", "10", "12");
    OrderedRowCells b = row("200", "10", "12");
    b.roles1 = "";
    const OrderJudgement j = checkOrderRows({a, b}, "10", t);
    EXPECT_FALSE(j.judged);
    EXPECT_TRUE(j.rows.empty());
    EXPECT_EQ(t[0][0], "");
}

TEST(Evaluation, Summary)
{
    CutSummary s = updateSummary("1038", "1050", {"15", "20"}, {"2", "0", "1", "", " "}, "11");
    EXPECT_EQ(s.text12, std::optional<std::string>("3%"));
    EXPECT_EQ(s.maxairia, "8");
    EXPECT_EQ(s.intMaxairia, 8);

    s = updateSummary("1", "1000", {"10", "", "20"}, {"2,5"}, "11");
    EXPECT_EQ(s.text12, std::optional<std::string>("3,333%"));
    EXPECT_EQ(s.maxairia, "9");

    // Over 32,767 thousandths of a percent.
    s = updateSummary("1", "50000", {"1"}, {}, "11");
    EXPECT_EQ(s.text12, std::optional<std::string>("5000%"));

    // No cut shown: the percentage stays; nothing produced: it is empty.
    s = updateSummary("", "1050", {"15"}, {"3"}, "11,5");
    EXPECT_FALSE(s.text12);
    EXPECT_EQ(s.maxairia, "8,5");
    EXPECT_EQ(s.intMaxairia, 8);
    s = updateSummary("0", "12", {"0", ""}, {}, "11");
    EXPECT_EQ(s.text12, std::optional<std::string>(""));

    // A percentage beyond every number is left empty; free knives beyond
    // exact whole numbers are shown as they are, not cut short.
    s = updateSummary("1", "1e308", {"1e-300"}, {"5"}, "1e308");
    EXPECT_EQ(s.text12, std::optional<std::string>(""));
    EXPECT_EQ(s.maxairia, "1E+308");
    EXPECT_EQ(s.intMaxairia, 1e308);
    s = updateSummary("1", "1", {"1"}, {"1e308", "1e308"}, "11");
    EXPECT_EQ(s.maxairia, "");
}

TEST(Evaluation, StripCountsAreWholeNumbers)
{
    EXPECT_EQ(stripCount("4"), 4.0);
    EXPECT_EQ(stripCount(" 0 "), 0.0);
    EXPECT_EQ(stripCount("-1"), -1.0);
    for (const char *refused : {"", " ", "2,5", "9,5", "x", "-", "1e-320"})
        EXPECT_EQ(stripCount(refused), std::nullopt) << refused;
}
