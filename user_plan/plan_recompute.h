#pragma once
// "Λύσις" of the user plan as a plain computation: from the coils, strip
// counts and waste of each pattern row in use, the planner's trims and its
// per-width values, either a message with the field to focus, or the texts
// the window shows afterwards.
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace user_plan {

struct PatternRowText {
    std::string coils;                 // Grammi(p)
    std::array<std::string, 10> counts; // Akommati(p) … Jkommati(p)
    std::string waste;                 // txtFira(p), mm of one cut
};

struct RecomputeInput {
    bool filled = false;               // Roles(10) holds something (a hand-over happened)
    std::vector<PatternRowText> rows;  // the pattern rows in use, 0 … intLastCutRow
    std::string leftTrim, rightTrim;   // the planner's txtArxi, txtTelos at the press
    int intLastRow = -1;
    double dblKgPerMm = 0;
    std::array<double, 22> dblBarosRoles{};
};

struct RecomputeResult {
    // What the window does, in this order: rewrite the coils (when given),
    // show the message (when given) and focus its row (when >= 0), or write
    // the results (when given). A result with nothing set is a silent stop.
    std::optional<std::vector<std::string>> coils; // rounded-down Grammi texts
    std::string message;
    int focusRow = -1;
    struct Results {
        std::vector<std::string> roles, baros; // Roles(10 + j), Baros(10 + j), j = 0 … intLastRow
        std::string text3, text5, text8, text10;
        std::string text4;                      // empty when the percentage is undefined
    };
    std::optional<Results> results;
};

extern const char *const MsgRolakia;   // coils not a number, or negative
extern const char *const MsgArithmos;  // coils above 10000 in size
extern const char *const MsgAllZero;   // every coils number is 0
extern const char *const MsgArxi;      // left trim not a number, negative, or wider than any coil
extern const char *const MsgTelos;     // right trim not a number, negative, or wider than any coil

RecomputeResult recomputePlan(const RecomputeInput &in);

// The waste percentage text: total waste weight (kg) over the produced
// weight (t) as "x,xxx%"; empty when it is undefined (no produced weight).
std::string wastePercentText(double totalWasteKg, double producedTonnes);

} // namespace user_plan
