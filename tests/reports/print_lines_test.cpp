// The lines the prints store: the user's plan (Protasis3) and the cutting
// order's headline and cut program (Protasis4).
#include "fixed_knife/cut_print.h"
#include "user_plan/plan_print.h"

#include <gtest/gtest.h>

namespace {

TEST(PlanPrintLine, CountsOfExactlyZeroAreLeftOutAndEverythingElseIsCopied)
{
    const std::array<std::string, 10> widths = {"250", "300", "180", "90", "1250,5", "60", "70", "80", "85", "95"};
    struct Case {
        const char *coils;
        std::array<std::string, 10> counts;
        int lastColumn;
        const char *waste;
        const char *line;
    };
    const Case cases[] = {
        {"12", {"3", "0", "2"}, 2, "35", "12 ρολλάκια που έχουν: 3 x 250, 2 x 180,  φύρα: 35"},
        {" 7 ", {"0", "0", "0"}, 2, "8", "7 ρολλάκια που έχουν:  φύρα: 8"},
        {"00", {"00", " 0", ""}, 2, "", "00 ρολλάκια που έχουν: 00 x 250,  0 x 300,  x 180,  φύρα: "},
        // Columns past the order's last width are not looked at.
        {"1", {"1", "1", "1", "1"}, 0, "5", "1 ρολλάκια που έχουν: 1 x 250,  φύρα: 5"},
        {"2", {"1", "1", "1", "1", "1", "1", "1", "1", "1", "1"}, 9, "0",
         "2 ρολλάκια που έχουν: 1 x 250, 1 x 300, 1 x 180, 1 x 90, 1 x 1250,5, 1 x 60, 1 x 70, 1 x 80, 1 x 85, "
         "1 x 95,  φύρα: 0"},
    };
    for (const Case &c : cases) {
        user_plan::PlanPrintRow row{c.coils, c.counts, c.waste};
        EXPECT_EQ(user_plan::planPrintLine(row, widths, c.lastColumn), c.line) << c.coils;
    }
    EXPECT_EQ(user_plan::trimBlanks(" 0 "), "0");
    EXPECT_EQ(user_plan::trimBlanks("   "), "");
}

TEST(CutProgramLine, WidthsInColumnOrderThenTheWaste)
{
    struct Case {
        const char *name;
        fk::CutPrintTexts t;
        const char *title;
        const char *line;
    };
    const std::string headline = "Απαιτούνται 12 ρόλοι (coil) και θα παραχθούν οι κατώθι ταινίες (τσέρκια):";
    const Case cases[] = {
        {"two columns", {"12", {"120", "85"}, {"3", "2"}, "14"}, "x", "120x3, 85x2, Φύρα:14"},
        {"columns 0 and 2 only", {"12", {"120", "", "85"}, {"3", "9", "2"}, "14"}, "x", "120x3, 85x2, Φύρα:14"},
        {"blank count", {"12", {"120"}, {""}, "14"}, "x", "120x, Φύρα:14"},
        {"no widths", {"12", {}, {}, "14"}, "x", "Φύρα:14"},
        {"empty waste", {"12", {"120"}, {"3"}, ""}, "x", "120x3, Φύρα:"},
        {"untrimmed texts", {"12", {" 120 "}, {" 3"}, "14 "}, "x", " 120 x 3, Φύρα:14 "},
        {"blank coils", {"  ", {"120"}, {"3"}, "14"}, "", " "},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fk::cutProgramLine(c.t), c.line);
        EXPECT_EQ(fk::cutPrintTitle(c.t), std::string(c.title).empty() ? "" : headline);
    }
}

} // namespace
