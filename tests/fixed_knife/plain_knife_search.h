#pragma once
// The reference for the knife-setting search: every combination of every
// slot's range, tried one by one. Slow; only for small orders in tests.
#include "fixed_knife/knife_search.h"

namespace fk::reference {

// Every combination of every slot's range, slot 0 outermost, exactly as the
// planner enumerates them; a combination needing more than kMaxColumns
// columns does not fit.
struct PlainSearch {
    const KnifeSearchInput &in;
    SearchMode mode;
    std::array<std::int64_t, kSlotCount> cur{};
    KnifeSearchResult r;
    std::int64_t best = 0;

    void run(int k, std::int64_t used, std::int64_t strips, int cols, int score)
    {
        const ItemSlot &s = in.items[k];
        for (std::int64_t c = s.lo; c <= s.hi; ++c) {
            cur[k] = c;
            const std::int64_t u = used + c * s.width, n = strips + c;
            const int cl = cols + (k >= in.orderedCount && c > 0 ? 1 : 0);
            const int sc = score + (k < kScoreSlots && c == s.lo + 1 ? 1 : 0);
            if (k + 1 < kSlotCount) {
                run(k + 1, u, n, cl, sc);
                continue;
            }
            if (n > in.maxStrips || double(u) > in.usableWidth || cl > kMaxColumns) continue;
            r.found = true;
            if (u > best) {
                best = u;
                r.counts = cur;
            }
            if (mode == SearchMode::ScoreTieBreak && u == best && sc >= r.scoreBar) {
                r.counts = cur;
                r.scoreBar = sc;
            }
        }
    }
};

inline KnifeSearchResult plainSearch(const KnifeSearchInput &in, SearchMode mode)
{
    PlainSearch p{in, mode, {}, {}, 0};
    p.run(0, 0, 0, in.orderedCount, 0);
    for (int k = 0; k < kSlotCount; ++k) p.r.usedWidth += p.r.counts[k] * in.items[k].width;
    return p.r;
}

} // namespace fk::reference
