#include "fixed_knife/secondary_items.h"

#include <gtest/gtest.h>

#include <limits>

using namespace fk;

namespace {

struct BoxCase {
    const char *evros1, *evros2, *paxos, *eidos;
    bool accepted;
    const char *message, *focus;
    const char *out1, *out2, *outPaxos;  // texts written back
};

} // namespace

// The search's checks and what they write back into the boxes.
TEST(SecondaryItems, SearchBoxChecks)
{
    const BoxCase cases[] = {
        // blank range boxes both become "0"
        {"", "  ", "", "", true, "", "", "0", "0", ""},
        // only the lower width typed: the upper becomes "0"
        {"100", "", "", "", true, "", "", "100", "0", ""},
        // a comma thickness and comma widths are written back with a point
        {"99,5", "300", "0,5", "", true, "", "", "99.5", "300", "0.5"},
        {"abc", "300", "", "", false, kBadRangeText, "txtEvros1", "abc", "300", ""},
        {"100", "3x0", "", "", false, kBadRangeText, "txtEvros2", "100", "3x0", ""},
        // the blank lower box is already "0" when the upper one is refused
        {"", "x", "", "", false, kBadRangeText, "txtEvros2", "0", "x", ""},
        // a refused thickness leaves the range boxes' commas
        {"1,5", "300", "0,5mm", "", false, kBadThicknessText, "txtPaxos", "1,5", "300", "0,5mm"},
    };
    for (const BoxCase &c : cases) {
        SCOPED_TRACE(std::string(c.evros1) + "|" + c.evros2 + "|" + c.paxos);
        const SearchBoxCheck r = checkSearchBoxes(c.evros1, c.evros2, c.paxos, c.eidos);
        EXPECT_EQ(r.accepted, c.accepted);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(r.focus, c.focus);
        EXPECT_EQ(r.evros1, c.out1);
        EXPECT_EQ(r.evros2, c.out2);
        EXPECT_EQ(r.paxos, c.outPaxos);
    }

    const SearchBoxCheck r = checkSearchBoxes("99,5", "300", "0,5", " Γαλβ. 'Α' ");
    ASSERT_TRUE(r.accepted);
    EXPECT_EQ(r.filter.lowWidth, 99.5);
    EXPECT_EQ(r.filter.highWidth, 300);
    EXPECT_EQ(r.filter.thickness, 0.5);
    // The name goes to the search as typed, blanks and quotes included.
    EXPECT_EQ(r.filter.typeName, std::string(" Γαλβ. 'Α' "));
    EXPECT_FALSE(checkSearchBoxes("0", "0", "", "   ").filter.typeName);
    EXPECT_FALSE(checkSearchBoxes("0", "0", " ", "").filter.thickness);
}

TEST(SecondaryItems, CountsAreWholeNumbersUpTo32767)
{
    const std::pair<const char *, std::optional<std::int64_t>> cases[] = {
        {"0", 0},       {"1", 1},           {" 27 ", 27},        {"32767", 32767}, {"32768", std::nullopt},
        {"-1", std::nullopt}, {"2,5", std::nullopt}, {"2.5", std::nullopt}, {"", std::nullopt},
        {"abc", std::nullopt}, {"1e9", std::nullopt}, {"3,0", 3},
    };
    for (const auto &[text, want] : cases) EXPECT_EQ(readCount(text), want) << text;
}

TEST(SecondaryItems, ListLinesAndTheirTotal)
{
    EXPECT_EQ(secondaryLine(150, 2), "150 x 2");
    EXPECT_EQ(secondaryLine(1250, 27), "1250 x 27");
    EXPECT_EQ(lineWidth("150 x 2"), 150);
    EXPECT_EQ(lineWidth("   "), 0);
    EXPECT_EQ(lineWidth("150"), 150);
    EXPECT_EQ(lineWidth("x 2"), 0);
    // Each entry counts its width once; far beyond 16 bits.
    EXPECT_EQ(sumOfLineWidths({"150 x 2", "60 x 1", "30000 x 3", "30000 x 1"}), 60210);
    EXPECT_EQ(sumOfLineWidths({}), 0);
}

TEST(SecondaryItems, SelectedWidthIn64Bits)
{
    // 1250 × 27 is beyond 16 bits; a negative count is left out.
    EXPECT_EQ(selectedWidth({{1250, 27}, {150, 2}, {46, -1}, {300, 0}}), 1250 * 27 + 300);
    EXPECT_EQ(selectedWidth({{30000, 32767}, {30000, 32767}}), 2LL * 30000 * 32767);
    // A width typed far beyond any coil, chosen many times, is held at a
    // limit the remaining width can still be taken from.
    const std::int64_t huge = selectedWidth({{std::int64_t(1) << 53, 32767}, {1'000'000'000'000'000, 32767}});
    EXPECT_GT(huge, 0);
    EXPECT_GT(wholeOrZero("1000000000000000") - huge, std::numeric_limits<std::int64_t>::min() / 2);
    EXPECT_EQ(wholeOrZero("300"), 300);
    EXPECT_EQ(wholeOrZero("300.5"), 300);  // halves to the even neighbour
    EXPECT_EQ(wholeOrZero(""), 0);
    EXPECT_EQ(wholeOrZero("abc"), 0);
}

TEST(SecondaryItems, RangePresetFromWasteAndFreeKnives)
{
    EXPECT_EQ(presetLowerWidth("46", "2"), 23);
    EXPECT_EQ(presetLowerWidth("45", "2"), 22);  // 22.5 goes to the even neighbour
    EXPECT_EQ(presetLowerWidth("47", "2"), 24);  // 23.5 too
    EXPECT_EQ(presetLowerWidth("46,5", "1"), 46);
    EXPECT_FALSE(presetLowerWidth("46", ""));
    EXPECT_FALSE(presetLowerWidth("46", "0"));
    EXPECT_FALSE(presetLowerWidth("46", "00"));  // no division by zero
    EXPECT_FALSE(presetLowerWidth("", "3"));
}
