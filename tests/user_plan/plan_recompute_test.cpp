#include "user_plan/plan_recompute.h"

#include <gtest/gtest.h>

using namespace user_plan;

namespace {

// One order width of 0,5 t a strip; two patterns cut 3 and 2 times with 4
// and 7 mm of waste and 2 and 3 strips; trims 2 and 2 mm; 10 kg per mm.
RecomputeInput twoPatterns(const std::string &c0 = "3", const std::string &c1 = "2")
{
    RecomputeInput in;
    in.filled = true;
    in.rows.push_back({c0, {"2"}, "4"});
    in.rows.push_back({c1, {"3"}, "7"});
    in.leftTrim = "2";
    in.rightTrim = "2";
    in.intLastRow = 0;
    in.dblKgPerMm = 10;
    in.dblBarosRoles[0] = 0.5;
    return in;
}

using V = std::vector<std::string>;

struct CoilsCase {
    const char *name;
    std::vector<std::string> coils; // one pattern row each
    const char *message;            // nullptr: accepted
    int focusRow;
    std::optional<std::vector<std::string>> rounded; // coils written back, when reached
};

class CoilsChecks : public ::testing::TestWithParam<CoilsCase> {};

TEST_P(CoilsChecks, MessageFocusAndRounding)
{
    const CoilsCase &c = GetParam();
    RecomputeInput in = twoPatterns();
    in.rows.clear();
    for (const auto &t : c.coils) in.rows.push_back({t, {"1"}, "3"});
    const RecomputeResult r = recomputePlan(in);
    EXPECT_EQ(r.message, c.message ? c.message : "");
    EXPECT_EQ(r.focusRow, c.focusRow);
    EXPECT_EQ(r.coils, c.rounded);
    EXPECT_EQ(r.results.has_value(), c.message == nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CoilsChecks,
    ::testing::Values(
        CoilsCase{"fractionRoundsDown", {"2.7"}, nullptr, -1, V{"2"}},
        CoilsCase{"commaAndBlanks", {" 2,7 ", "1"}, nullptr, -1, V{"2", "1"}},
        CoilsCase{"tenThousandAccepted", {"10000"}, nullptr, -1, V{"10000"}},
        CoilsCase{"justAboveTenThousand", {"1", "10000.5"}, MsgArithmos, 1, std::nullopt},
        CoilsCase{"largeNegative", {"-20000"}, MsgArithmos, 0, std::nullopt},
        CoilsCase{"negative", {"3", "-5"}, MsgRolakia, 1, std::nullopt},
        // Would round to 0 and then be cut down to −1.
        CoilsCase{"smallNegative", {"-0.3"}, MsgRolakia, 0, std::nullopt},
        CoilsCase{"minusHalf", {"2", "-0,5"}, MsgRolakia, 1, std::nullopt},
        CoilsCase{"minusZeroIsZero", {"-0", "1"}, nullptr, -1, V{"0", "1"}},
        CoilsCase{"emptyIsNotANumber", {"1", "  "}, MsgRolakia, 1, std::nullopt},
        CoilsCase{"lettersBeforeTooLarge", {"20000", "1", "abc"}, MsgRolakia, 2, std::nullopt},
        CoilsCase{"tooLargeBeforeNegative", {"-5", "20000"}, MsgArithmos, 1, std::nullopt},
        CoilsCase{"allBelowOne", {"0.4", "0,4"}, MsgAllZero, 0, V{"0", "0"}},
        CoilsCase{"noPatternRows", {}, MsgAllZero, -1, V{}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PlanRecompute, NeverFilledStopsSilently)
{
    RecomputeInput in = twoPatterns("abc");
    in.filled = false;
    const RecomputeResult r = recomputePlan(in);
    EXPECT_TRUE(r.message.empty());
    EXPECT_FALSE(r.coils || r.results);
}

TEST(PlanRecompute, WorkedExampleTotals)
{
    const RecomputeResult r = recomputePlan(twoPatterns("3", "2,9"));
    ASSERT_TRUE(r.results);
    EXPECT_EQ(*r.coils, (std::vector<std::string>{"3", "2"}));
    EXPECT_EQ(r.results->text3, "26");  // 3 × 4 + 2 × 7
    EXPECT_EQ(r.results->text8, "46");  // 26 + 5 × (2 + 2)
    EXPECT_EQ(r.results->text5, "260");
    EXPECT_EQ(r.results->text10, "460");
    EXPECT_EQ(r.results->roles, (std::vector<std::string>{"12"})); // 3 × 2 + 2 × 3
    EXPECT_EQ(r.results->baros, (std::vector<std::string>{"6"}));
    EXPECT_EQ(r.results->text4, "7,667%"); // 460 kg / 6 t → 7666,67 thousandths
}

TEST(PlanRecompute, LastOrderRowOutsideRangeStopsAfterRounding)
{
    for (int last : {-1, 10}) {
        RecomputeInput in = twoPatterns("3.5", "2");
        in.intLastRow = last;
        const RecomputeResult r = recomputePlan(in);
        EXPECT_TRUE(r.message.empty());
        ASSERT_TRUE(r.coils);
        EXPECT_EQ((*r.coils)[0], "3");
        EXPECT_FALSE(r.results);
    }
}

TEST(PlanRecompute, TrimThatIsNotANumberOrNegativeIsReported)
{
    RecomputeInput in = twoPatterns();
    in.leftTrim = "x";
    EXPECT_EQ(recomputePlan(in).message, MsgArxi);
    in.leftTrim = "-5";
    EXPECT_EQ(recomputePlan(in).message, MsgArxi);
    in.leftTrim = "1,5";
    in.rightTrim = "";
    const RecomputeResult r = recomputePlan(in);
    EXPECT_EQ(r.message, MsgTelos);
    EXPECT_EQ(r.focusRow, -1);
    EXPECT_FALSE(r.results);
    in.rightTrim = "-0,5";
    EXPECT_EQ(recomputePlan(in).message, MsgTelos);
    in.rightTrim = "0";
    EXPECT_TRUE(recomputePlan(in).results);
}

// Trims that would carry the total waste past every number are refused
// with their own message; the widest possible trims still give figures.
TEST(PlanRecompute, TrimsBeyondAnyCoilAreReported)
{
    struct Case {
        const char *left, *right;
        const char *message; // nullptr: figures
    };
    const Case cases[] = {
        {"1E+308", "1E+308", MsgArxi},
        {"2", "1,79769313486232E+308", MsgTelos},
        {"1000000001", "0", MsgArxi},
        {"1000000000", "1000000000", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.left) + " / " + c.right);
        RecomputeInput in = twoPatterns();
        in.leftTrim = c.left;
        in.rightTrim = c.right;
        const RecomputeResult r = recomputePlan(in);
        if (c.message) {
            EXPECT_EQ(r.message, c.message);
            EXPECT_FALSE(r.results);
            continue;
        }
        ASSERT_TRUE(r.results);
        for (const std::string &t : {r.results->text8, r.results->text10, r.results->text4}) {
            EXPECT_TRUE(t.find("Inf") == std::string::npos && t.find("NaN") == std::string::npos) << t;
        }
        EXPECT_NE(r.results->text4, "0%");
    }
}

TEST(PlanRecompute, TenWidthsAndUnusedColumnsIgnored)
{
    RecomputeInput in;
    in.filled = true;
    in.leftTrim = in.rightTrim = "0";
    in.intLastRow = 9;
    in.dblKgPerMm = 1;
    for (int j = 0; j < 10; ++j) in.dblBarosRoles[j] = j + 1;
    PatternRowText row{"2", {}, "1"};
    for (int j = 0; j < 10; ++j) row.counts[j] = std::to_string(j);
    in.rows.push_back(row);
    RecomputeResult r = recomputePlan(in);
    ASSERT_TRUE(r.results);
    ASSERT_EQ(r.results->roles.size(), 10u);
    EXPECT_EQ(r.results->roles[9], "18");
    EXPECT_EQ(r.results->baros[9], "180");

    // The same plan over three widths: what stands in columns D … J plays no part.
    in.intLastRow = 2;
    RecomputeResult narrow = recomputePlan(in);
    in.rows[0].counts[5] = "abc";
    in.rows[0].counts[9] = "99";
    RecomputeResult garbage = recomputePlan(in);
    ASSERT_TRUE(narrow.results && garbage.results);
    EXPECT_EQ(narrow.results->roles.size(), 3u);
    EXPECT_EQ(narrow.results->roles, garbage.results->roles);
    EXPECT_EQ(narrow.results->text4, garbage.results->text4);
}

struct PercentCase {
    double kg, tonnes;
    const char *text;
};

TEST(PlanRecompute, WastePercentText)
{
    const PercentCase cases[] = {
        {425, 10, "4,25%"},
        {0.125, 1, "0,012%"},  // 12,5 thousandths: half to even
        {0.375, 1, "0,038%"},  // 37,5 thousandths: half to even
        {500, 1, "50%"},       // far above what 16 bits of thousandths hold
        {1, 0, ""},            // no produced weight: undefined
        {0, 0, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(wastePercentText(c.kg, c.tonnes), c.text) << c.kg << " / " << c.tonnes;
}

TEST(PlanRecompute, PercentOfThePlanAsShown)
{
    // 10 t produced and 425 kg of total waste.
    RecomputeInput in;
    in.filled = true;
    in.rows.push_back({"2", {"10"}, "5"});
    in.leftTrim = in.rightTrim = "0";
    in.intLastRow = 0;
    in.dblKgPerMm = 42.5;
    in.dblBarosRoles[0] = 0.5;
    RecomputeResult r = recomputePlan(in);
    ASSERT_TRUE(r.results);
    EXPECT_EQ(r.results->baros[0], "10");
    EXPECT_EQ(r.results->text10, "425");
    EXPECT_EQ(r.results->text4, "4,25%");

    in.dblBarosRoles[0] = 0; // nothing weighed: the box stays empty
    r = recomputePlan(in);
    ASSERT_TRUE(r.results);
    EXPECT_EQ(r.results->text4, "");
}

} // namespace
