#pragma once
// The checks the parameters window runs before it writes anything. Plain C++:
// the window passes the texts of its six boxes and shows what comes back.
#include <array>
#include <string>

namespace rec {

// Box indexes, in the order the checks visit them (not the screen order).
enum ParameterField : int {
    FieldAnektiApoklisi = 0,
    FieldAristeroXakrisma = 1,
    FieldArithmosTainion = 2,
    FieldBarosTainias = 3,
    FieldDexiXakrisma = 4,
    FieldMikosTainias = 5,
    ParameterFieldCount = 6,
};

struct ParameterCheckResult {
    bool ok = true;
    int field = -1;      // the box to focus when not ok
    std::string message; // the text to show when not ok (UTF-8)
};

// Each box in index order is first tested for being empty (blanks only count
// as empty), then for being a number; only when all six pass is the deviation
// tested against 0..100 (both ends allowed).
ParameterCheckResult checkParameterTexts(const std::array<std::string, ParameterFieldCount> &texts);

} // namespace rec
