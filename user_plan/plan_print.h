#pragma once
// The printed line of one pattern of the user's plan (table Protasis3):
// coils, " ρολλάκια που έχουν: ", "count x width, " for each width column
// whose count is not exactly "0", " φύρα: " and the waste of one cut. Every
// text is taken as the window shows it: nothing is reformatted.
#include <array>
#include <string>

namespace user_plan {

// Said by the plan print when there is no plan: no order or no pattern row.
inline constexpr const char *MsgNoPlan =
    "Δεν υπάρχει πρόγραμμα κοπής για εκτύπωση. Παρακαλώ κάντε πρώτα Λύση.";

struct PlanPrintRow {
    std::string coils;                  // Grammi(r)
    std::array<std::string, 10> counts; // Akommati(r) … Jkommati(r)
    std::string waste;                  // txtFira(r)
};

// The coils text without the blanks around it (the test for a left-out row
// compares it with "0").
std::string trimBlanks(const std::string &text);

// The line over width columns 0..lastColumn (the order's widths `widths`).
std::string planPrintLine(const PlanPrintRow &row, const std::array<std::string, 10> &widths, int lastColumn);

} // namespace user_plan
