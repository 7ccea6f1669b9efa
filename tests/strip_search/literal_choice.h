#pragma once
// Reference for the pattern choice: every combination in ascending
// lexicographic order with the lead and tie tests, nothing skipped.
#include "strip_search/pattern_choice.h"

namespace strip_search::testing {

struct LiteralWalk {
    explicit LiteralWalk(const PatternProblem &problem) : p(problem) {}
    const PatternProblem &p;
    std::array<std::int64_t, kMaxRows> trial{};
    PatternChoice best;
    int bestKinds = 0;

    void visit(int row)
    {
        if (row == p.rows) {
            std::int64_t used = 0, strips = 0;
            int kinds = 0;
            for (int i = 0; i < p.rows; ++i) {
                used += trial[i] * p.width[i];
                strips += trial[i];
                kinds += trial[i] != 0;
            }
            if (!(static_cast<double>(strips) <= static_cast<double>(p.maxStrips) &&
                  static_cast<double>(used) <= p.usable))
                return;
            if (used > best.used) {
                best.used = used;
                best.count = trial;
            }
            if (used == best.used && kinds >= bestKinds) {
                best.count = trial;
                bestKinds = kinds;
            }
            return;
        }
        for (trial[row] = 0; trial[row] <= p.limit[row]; ++trial[row]) visit(row + 1);
        trial[row] = 0;
    }
};

inline PatternChoice literalChoice(const PatternProblem &p)
{
    LiteralWalk walk(p);
    walk.visit(0);
    return walk.best;
}

} // namespace strip_search::testing
