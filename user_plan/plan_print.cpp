#include "user_plan/plan_print.h"

namespace user_plan {

std::string trimBlanks(const std::string &text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string planPrintLine(const PlanPrintRow &row, const std::array<std::string, 10> &widths, int lastColumn)
{
    std::string line = trimBlanks(row.coils) + " ρολλάκια που έχουν: ";
    for (int j = 0; j <= lastColumn && j < 10; ++j) {
        if (row.counts[j] == "0") continue;
        line += row.counts[j] + " x " + widths[j] + ", ";
    }
    return line + " φύρα: " + row.waste;
}

} // namespace user_plan
