#pragma once
// Choice of the cut pattern of one coil.
//
// The planner's rule is defined by a walk over every count combination in
// ascending lexicographic order (row 0 outermost, each count 0..limit):
// a feasible trial (strips <= maxStrips, used width <= usable) that uses more
// width than the best so far takes the lead; afterwards, a trial that uses
// exactly the best width and has at least as many distinct widths as the
// tie level replaces the best and raises the tie level to its own count of
// widths. choosePattern() returns the pattern that walk ends with, without
// walking every combination.
#include <array>
#include <cstdint>

namespace strip_search {

inline constexpr int kMaxRows = 10;

// Widest cut (mm) the exact tables of choosePattern() span: the least of the
// usable width and of the widths of every row at its limit. A wider problem
// is still solved exactly, but without the tables its time is not bounded,
// so the planner refuses orders that would need one.
inline constexpr std::int64_t kMaxCutWidth = 1 << 16;

struct PatternProblem {
    int rows = 0;                               // 1..kMaxRows
    std::array<std::int64_t, kMaxRows> width{}; // mm, > 0
    std::array<std::int64_t, kMaxRows> limit{}; // highest count tried per row, >= 0
    std::int64_t maxStrips = 0;                 // most strips in one cut, >= 0
    double usable = 0;                          // usable width of the coil, mm
};

struct PatternChoice {
    std::array<std::int64_t, kMaxRows> count{};
    std::int64_t used = 0; // sum of count * width
};

PatternChoice choosePattern(const PatternProblem &problem);

} // namespace strip_search
