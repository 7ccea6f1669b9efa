#include "knife_change/solve.h"

#include <gtest/gtest.h>

#include <functional>

using kc::Focus;
using kc::SolveResult;
using kc::SolveTexts;
namespace msg = kc::msg;

namespace {

// A coil of 1250 mm with trims 2 and 2, 8 t, 11 strips per cut, 10 %
// shortfall, and one row of 100 mm and 10 t.
SolveTexts baseline()
{
    SolveTexts t;
    t.txtArxi = "2";
    t.txtTelos = "2";
    t.txtMikos = "1250";
    t.Text2 = "8";
    t.Text4 = "11";
    t.txtApoklisi = "10";
    t.ticked[0] = true;
    t.Mikos[0] = "100";
    t.Baros[0] = "10";
    return t;
}

void tickRow(SolveTexts &t, int i, const char *width, const char *weight)
{
    t.ticked[i] = true;
    t.Mikos[i] = width;
    t.Baros[i] = weight;
}

// A coil of 1000 mm without trims and of 1 t: a tonne of width w is 1000 / w strips.
void unitCoil(SolveTexts &t)
{
    t.txtMikos = "1000";
    t.txtArxi = t.txtTelos = "0";
    t.Text2 = "1";
}

struct StopCase {
    const char *name;
    std::function<void(SolveTexts &)> change;
    const char *message; // nullptr: Solve runs to its end
    Focus focus;
};

} // namespace

TEST(Solve, EveryCheckInItsOrderWithItsMessageAndFocus)
{
    const std::vector<StopCase> cases = {
        {"baseline passes", [](SolveTexts &) {}, nullptr, {}},
        // The stored shortfall is checked first.
        {"shortfall empty", [](SolveTexts &t) { t.txtApoklisi = ""; }, msg::Apoklisi, {}},
        {"shortfall text", [](SolveTexts &t) { t.txtApoklisi = "δέκα"; }, msg::Apoklisi, {}},
        {"shortfall below 0", [](SolveTexts &t) { t.txtApoklisi = "-1"; }, msg::Apoklisi, {}},
        {"shortfall above 100", [](SolveTexts &t) { t.txtApoklisi = "100,5"; }, msg::Apoklisi, {}},
        {"shortfall 0 passes", [](SolveTexts &t) { t.txtApoklisi = "0"; }, nullptr, {}},
        {"shortfall 100 passes", [](SolveTexts &t) { t.txtApoklisi = "100"; }, nullptr, {}},
        // First pass: empty row boxes, before any coil check.
        {"width empty", [](SolveTexts &t) { t.Mikos[0] = ""; }, msg::Evros, {"Mikos", 0}},
        {"width blanks", [](SolveTexts &t) { t.Mikos[0] = "   "; }, msg::Evros, {"Mikos", 0}},
        {"weight empty", [](SolveTexts &t) { t.Baros[0] = " "; }, msg::Baros, {"Baros", 0}},
        {"row 0 weight before row 1 width",
         [](SolveTexts &t) {
             t.Baros[0] = "";
             tickRow(t, 1, "", "5");
         },
         msg::Baros,
         {"Baros", 0}},
        {"empty width before bad trim",
         [](SolveTexts &t) {
             t.txtArxi = "x";
             tickRow(t, 1, "", "5");
         },
         msg::Evros,
         {"Mikos", 1}},
        {"unticked invalid row ignored",
         [](SolveTexts &t) {
             t.Mikos[4] = "abc";
             t.Baros[4] = "";
         },
         nullptr,
         {}},
        // Coil parameters, in their order.
        {"left trim text", [](SolveTexts &t) { t.txtArxi = "x"; }, msg::Arxi, {"txtArxi"}},
        {"left trim negative", [](SolveTexts &t) { t.txtArxi = "-1"; }, msg::Arxi, {"txtArxi"}},
        {"left trim 0 passes", [](SolveTexts &t) { t.txtArxi = "0"; }, nullptr, {}},
        {"right trim negative", [](SolveTexts &t) { t.txtTelos = "-0,5"; }, msg::Telos, {"txtTelos"}},
        {"coil width text", [](SolveTexts &t) { t.txtMikos = "abc"; }, msg::Evros, {"txtMikos"}},
        {"coil weight text", [](SolveTexts &t) { t.Text2 = "a"; }, msg::Baros, {"Text2"}},
        {"coil weight 0", [](SolveTexts &t) { t.Text2 = "0"; }, msg::Baros, {"Text2"}},
        {"strips per cut text", [](SolveTexts &t) { t.Text4 = "έντεκα"; }, msg::Tserkia, {"Text4"}},
        {"strips per cut under 1", [](SolveTexts &t) { t.Text4 = "0,9"; }, msg::Tserkia, {"Text4"}},
        {"strips per cut 1 passes", [](SolveTexts &t) { t.Text4 = "1"; }, nullptr, {}},
        {"left trim before strips per cut",
         [](SolveTexts &t) {
             t.txtArxi = "-2";
             t.Text4 = "0";
         },
         msg::Arxi,
         {"txtArxi"}},
        {"coil weight before row width",
         [](SolveTexts &t) {
             t.Text2 = "0";
             t.Mikos[0] = "abc";
         },
         msg::Baros,
         {"Text2"}},
        // Second pass, row by row.
        {"width text", [](SolveTexts &t) { t.Mikos[0] = "10ο"; }, msg::Evros, {"Mikos", 0}},
        {"width 0", [](SolveTexts &t) { t.Mikos[0] = "0"; }, msg::Evros, {"Mikos", 0}},
        {"width negative", [](SolveTexts &t) { t.Mikos[0] = "-5"; }, msg::Evros, {"Mikos", 0}},
        {"width over coil", [](SolveTexts &t) { t.Mikos[0] = "1250,5"; }, msg::Evros, {"Mikos", 0}},
        {"width equal to coil passes", [](SolveTexts &t) { t.Mikos[0] = "1250"; }, nullptr, {}},
        {"width between usable and coil passes", [](SolveTexts &t) { t.Mikos[0] = "1248"; }, nullptr, {}},
        {"width rounding to 0", [](SolveTexts &t) { t.Mikos[0] = "0,5"; }, msg::Evros, {"Mikos", 0}},
        {"width rounding to 1 passes", [](SolveTexts &t) { t.Mikos[0] = "0,51"; }, nullptr, {}},
        {"weight text", [](SolveTexts &t) { t.Baros[0] = "x"; }, msg::Baros, {"Baros", 0}},
        {"weight 0", [](SolveTexts &t) { t.Baros[0] = "0"; }, msg::Baros, {"Baros", 0}},
        {"weight negative", [](SolveTexts &t) { t.Baros[0] = "-1"; }, msg::Baros, {"Baros", 0}},
        {"weight under half a tonne passes beside another row",
         [](SolveTexts &t) {
             t.Baros[0] = "0,3";
             tickRow(t, 1, "200", "5");
         },
         nullptr,
         {}},
        {"row 0 weight before row 1 width (second pass)",
         [](SolveTexts &t) {
             t.Baros[0] = "0";
             tickRow(t, 1, "abc", "5");
         },
         msg::Baros,
         {"Baros", 0}},
        {"bad row 2 found after good rows",
         [](SolveTexts &t) {
             tickRow(t, 1, "200", "5");
             tickRow(t, 2, "2000", "5");
         },
         msg::Evros,
         {"Mikos", 2}},
        // Trims against the coil width.
        {"left trim over coil", [](SolveTexts &t) { t.txtArxi = "1300"; }, msg::Arxi, {"txtArxi"}},
        {"right trim over coil", [](SolveTexts &t) { t.txtTelos = "1251"; }, msg::Telos, {"txtTelos"}},
        {"left trim equal to coil", [](SolveTexts &t) { t.txtArxi = "1250"; }, msg::Fira, {"txtArxi"}},
        {"trims summing to coil",
         [](SolveTexts &t) {
             t.txtArxi = "600";
             t.txtTelos = "650";
         },
         msg::Fira,
         {"txtArxi"}},
        {"row checks before trims",
         [](SolveTexts &t) {
             t.txtArxi = "1300";
             t.Baros[0] = "0";
         },
         msg::Baros,
         {"Baros", 0}},
        // An order beyond what the search can cut in reasonable time is
        // refused at the row that takes the most of the coils. On a 1000 mm
        // coil of 1 t a tonne of width w is 1000 / w strips.
        {"100 000 strips pass",
         [](SolveTexts &t) {
             unitCoil(t);
             tickRow(t, 0, "1000", "0,4");
             tickRow(t, 1, "10", "999,9");
         },
         nullptr,
         {}},
        {"one strip more is refused",
         [](SolveTexts &t) {
             unitCoil(t);
             tickRow(t, 0, "1000", "2");
             tickRow(t, 1, "10", "999,9");
         },
         msg::TooLarge,
         {"Baros", 1}},
        {"10 000 000 mm of strips pass",
         [](SolveTexts &t) {
             unitCoil(t);
             tickRow(t, 0, "1000", "9000");
             tickRow(t, 1, "500", "1000");
         },
         nullptr,
         {}},
        {"a tonne more is refused",
         [](SolveTexts &t) {
             unitCoil(t);
             tickRow(t, 0, "1000", "9000");
             tickRow(t, 1, "500", "1001");
         },
         msg::TooLarge,
         {"Baros", 0}},
        {"a coil weight of a tenth of a kilo", [](SolveTexts &t) { t.Text2 = "0,0001"; }, msg::TooLarge, {"Baros", 0}},
        // An order that needs no strip at all would end with no result and
        // no word: it is refused at the field that makes it so.
        {"only weights under half a tonne", [](SolveTexts &t) { t.Baros[0] = "0,5"; }, msg::Baros, {"Baros", 0}},
        {"a weight next to nothing", [](SolveTexts &t) { t.Baros[0] = "1E-320"; }, msg::Baros, {"Baros", 0}},
        {"a coil of a million tonnes", [](SolveTexts &t) { t.Text2 = "1000000"; }, msg::Baros, {"Text2"}},
        {"a strip heavier than the whole order",
         [](SolveTexts &t) {
             t.Mikos[0] = "1000";
             t.Baros[0] = "5";
         },
         msg::Baros,
         {"Text2"}},
        // Inputs that would carry a figure past every number are refused at
        // their own field before anything is computed with them.
        {"a coil width of 1E+308", [](SolveTexts &t) { t.txtMikos = "1E+308"; }, msg::Evros, {"txtMikos"}},
        {"the largest number as written", [](SolveTexts &t) { t.txtMikos = "1,79769313486232E+308"; }, msg::Evros,
         {"txtMikos"}},
        {"the widest coil passes",
         [](SolveTexts &t) {
             t.txtMikos = "1000000000";
             t.Text2 = "1000000";
         },
         nullptr,
         {}},
        {"a coil weight of 1E+308", [](SolveTexts &t) { t.Text2 = "1E+308"; }, msg::Baros, {"Text2"}},
        {"the heaviest coil passes",
         [](SolveTexts &t) {
             t.Text2 = "1000000000";
             t.Mikos[0] = "1";
             t.Baros[0] = "1E+7";
         },
         nullptr,
         {}},
        {"a coil weight next to nothing", [](SolveTexts &t) { t.Text2 = "1E-320"; }, msg::Baros, {"Text2"}},
        {"weight beyond countable strips", [](SolveTexts &t) { t.Baros[0] = "1E+15"; }, msg::TooLarge, {"Baros", 0}},
        {"weight beyond whole tonnes", [](SolveTexts &t) { t.Baros[0] = "1E+300"; }, msg::TooLarge, {"Baros", 0}},
        {"row checks before the order's size",
         [](SolveTexts &t) {
             t.Baros[0] = "1E+15";
             tickRow(t, 1, "abc", "5");
         },
         msg::Evros,
         {"Mikos", 1}},
    };
    for (const StopCase &c : cases) {
        SCOPED_TRACE(c.name);
        SolveTexts t = baseline();
        c.change(t);
        const SolveResult r = kc::solve(t);
        if (c.message) {
            EXPECT_EQ(r.outcome, SolveResult::Outcome::Stopped);
            EXPECT_EQ(r.message, c.message);
            EXPECT_EQ(r.focus, c.focus);
        } else {
            EXPECT_EQ(r.outcome, SolveResult::Outcome::Ready) << r.message;
        }
    }
}

TEST(Solve, NoTickedRowEndsWithoutMessageAfterTheChecks)
{
    SolveTexts t = baseline();
    t.ticked[0] = false;
    EXPECT_EQ(kc::solve(t).outcome, SolveResult::Outcome::NoOrder);
    t.Text2 = "0";
    const SolveResult r = kc::solve(t);
    EXPECT_EQ(r.outcome, SolveResult::Outcome::Stopped);
    EXPECT_EQ(r.focus, Focus{"Text2"});
}

TEST(Solve, DefaultsAndTrimSeparatorStayAfterAFailedCheck)
{
    SolveTexts t = baseline();
    t.txtArxi = "\t"; // blank as the number layer reads blanks, as in the other planner
    t.txtTelos = "   ";
    t.txtMikos = "";
    t.Text2 = " ";
    t.Text4 = "";
    t.Mikos[0] = ""; // fails after the defaults
    SolveResult r = kc::solve(t);
    ASSERT_EQ(r.outcome, SolveResult::Outcome::Stopped);
    EXPECT_EQ(r.txtArxi, "0");
    EXPECT_EQ(r.txtTelos, "0");
    EXPECT_EQ(r.txtMikos, "1250");
    EXPECT_EQ(r.Text2, "8");
    EXPECT_EQ(r.Text4, "11");

    t = baseline();
    t.txtArxi = "2.5";
    t.txtTelos = "1.5";
    t.Baros[0] = "";
    r = kc::solve(t);
    ASSERT_EQ(r.outcome, SolveResult::Outcome::Stopped);
    EXPECT_EQ(r.txtArxi, "2,5");
    EXPECT_EQ(r.txtTelos, "1,5");

    // Defaults are then validated like typed values: an empty coil becomes
    // 1250 mm, and a 1300 mm row no longer fits it.
    t = baseline();
    t.txtMikos = "";
    t.Mikos[0] = "1300";
    r = kc::solve(t);
    EXPECT_EQ(r.focus, (Focus{"Mikos", 0}));
    EXPECT_EQ(r.txtMikos, "1250");
}

TEST(Solve, WorkedExample)
{
    const SolveResult r = kc::solve(baseline());
    ASSERT_EQ(r.outcome, SolveResult::Outcome::Ready);
    const kc::SearchInputs &in = r.inputs;
    EXPECT_EQ(in.lastRow, 0);
    EXPECT_DOUBLE_EQ(in.usableWidth, 1246);
    EXPECT_DOUBLE_EQ(in.coilWeight, 8);
    EXPECT_DOUBLE_EQ(in.maxStripsPerCut, 11);
    EXPECT_DOUBLE_EQ(in.fillThreshold, 0.9);
    EXPECT_DOUBLE_EQ(in.kgPerMm, 8.0 / 1246 * 1000);
    EXPECT_EQ(in.stripWidth[0], 100);
    EXPECT_EQ(in.orderWeight[0], 10);
    EXPECT_EQ(in.stripsLeft[0], 15);
    EXPECT_DOUBLE_EQ(in.stripsOrdered[0], 15);
    EXPECT_DOUBLE_EQ(in.barosRoles[0], 8.0 / 1246 * 100);
    EXPECT_DOUBLE_EQ(in.passes, 2);
    EXPECT_EQ(r.Roles[0], "15");
    EXPECT_EQ(r.Mikos[0], "100");
    EXPECT_EQ(r.Baros[0], "10");
}

TEST(Solve, SortsRowsByWidthKeepingEachWeightAndEqualWidthsInOrder)
{
    SolveTexts t = baseline();
    tickRow(t, 0, "300", "30");
    tickRow(t, 1, "150", "15,5");
    tickRow(t, 2, "200", "20");
    SolveResult r = kc::solve(t);
    ASSERT_EQ(r.outcome, SolveResult::Outcome::Ready);
    EXPECT_EQ(r.inputs.lastRow, 2);
    EXPECT_EQ((std::vector<std::string>{r.Mikos[0], r.Mikos[1], r.Mikos[2]}),
              (std::vector<std::string>{"150", "200", "300"}));
    EXPECT_EQ((std::vector<std::string>{r.Baros[0], r.Baros[1], r.Baros[2]}),
              (std::vector<std::string>{"15,5", "20", "30"}));
    EXPECT_EQ(r.inputs.stripWidth[0], 150);
    EXPECT_EQ(r.inputs.orderWeight[0], 16); // 15,5 rounds half to even

    t = baseline();
    tickRow(t, 0, "200", "1");
    tickRow(t, 1, "95", "2");
    tickRow(t, 2, "200", "3");
    tickRow(t, 3, "1000", "4");
    r = kc::solve(t);
    EXPECT_EQ((std::vector<std::string>{r.Mikos[0], r.Mikos[1], r.Mikos[2], r.Mikos[3]}),
              (std::vector<std::string>{"95", "200", "200", "1000"}));
    EXPECT_EQ((std::vector<std::string>{r.Baros[1], r.Baros[2]}), (std::vector<std::string>{"1", "3"}));
}

TEST(Solve, DerivedQuantities)
{
    struct Case {
        const char *name;
        const char *coil, *arxi, *telos, *weight, *maxStrips;
        const char *width, *order;
        std::int64_t orderWeight, strips;
        double usable, demand, maxPerCut;
    };
    const Case cases[] = {
        // Ordered tonnes are whole, halves to even.
        {"2,5 t gives 2", "1250", "2", "2", "8", "11", "100", "2,5", 2, 3, 1246, 1, 11},
        {"3,5 t gives 4", "1250", "2", "2", "8", "11", "100", "3,5", 4, 6, 1246, 1, 11},
        // 20 strips of 100 on a 1000 mm usable width: exactly two coils, estimate 3.
        {"exact multiple", "1000", "0", "0", "10", "11", "100", "20", 20, 20, 1000, 3, 11},
        {"decimal trims", "1250", "2,5", "2", "8", "11,7", "100", "10", 10, 15, 1245.5, 2, 11},
        // The largest order the search takes: 40 000 strips of 250 mm, 10^7 mm side by side.
        {"wide product", "1000", "0", "0", "1", "11", "250", "10000", 10000, 40000, 1000, 10001, 11},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SolveTexts t = baseline();
        t.txtMikos = c.coil;
        t.txtArxi = c.arxi;
        t.txtTelos = c.telos;
        t.Text2 = c.weight;
        t.Text4 = c.maxStrips;
        t.Mikos[0] = c.width;
        t.Baros[0] = c.order;
        const SolveResult r = kc::solve(t);
        ASSERT_EQ(r.outcome, SolveResult::Outcome::Ready) << r.message;
        EXPECT_EQ(r.inputs.orderWeight[0], c.orderWeight);
        EXPECT_EQ(r.inputs.stripsLeft[0], c.strips);
        EXPECT_EQ(r.Roles[0], std::to_string(c.strips));
        EXPECT_DOUBLE_EQ(r.inputs.usableWidth, c.usable);
        EXPECT_DOUBLE_EQ(r.inputs.passes, c.demand);
        EXPECT_DOUBLE_EQ(r.inputs.maxStripsPerCut, c.maxPerCut);
    }
}

TEST(Solve, ARowUnderHalfATonneGetsNoStrip)
{
    SolveTexts t = baseline();
    tickRow(t, 1, "200", "0,5");
    const SolveResult r = kc::solve(t);
    ASSERT_EQ(r.outcome, SolveResult::Outcome::Ready) << r.message;
    EXPECT_EQ(r.inputs.orderWeight[1], 0);
    EXPECT_EQ(r.inputs.stripsLeft[1], 0);
    EXPECT_EQ(r.Roles[1], "0");
}

TEST(Solve, SorterFailureStopsWithItsMessage)
{
    const SolveResult r = kc::solve(baseline(), [](std::vector<kc::OrderRowValue> &, std::string &error) {
        error = "Σφάλμα στη βάση δεδομένων: κλειστή";
        return false;
    });
    EXPECT_EQ(r.outcome, SolveResult::Outcome::Stopped);
    EXPECT_TRUE(r.sortFailed);
    EXPECT_EQ(r.message, "Σφάλμα στη βάση δεδομένων: κλειστή");
    EXPECT_EQ(r.focus, Focus{});
}

TEST(Solve, SearchEntryByRowCount)
{
    using kc::SearchEntry;
    const std::pair<int, SearchEntry> cases[] = {
        {-1, SearchEntry::List4_Click},   {0, SearchEntry::List4_Click},    {4, SearchEntry::List4_Click},
        {5, SearchEntry::Command2_Click}, {9, SearchEntry::Command2_Click}, {10, SearchEntry::List4_Click},
    };
    for (auto [lastRow, entry] : cases) EXPECT_EQ(kc::searchEntryFor(lastRow), entry) << lastRow;
}
