#include "strip_search/pattern_choice.h"

#include <algorithm>
#include <vector>

namespace strip_search {

// Why the result equals the full walk, in short. Call a trial "level" when no
// earlier trial used more width. The tie level after any prefix of the walk is
// the largest count of widths among its level trials, and the best pattern is
// the last trial that either took the lead or passed the tie test. So the
// walk ends with the lexicographically last trial of the largest width whose
// count of widths equals the final tie level, or, when no such trial exists,
// with the first trial of the largest width (it took the lead but failed the
// tie test). Phase one walks forward and skips every subtree that can neither
// raise the best width nor raise the tie level; phase two walks backward for
// the last trial of the final width and tie level. Skipped subtrees are exactly
// those whose trials leave both values unchanged, so the order of the trials
// that matter is kept.
namespace {

// Ten elements at most: an insertion sort is enough.
template <typename T, typename Before>
void sortFew(std::array<T, kMaxRows> &a, int m, Before before)
{
    for (int i = 1; i < m; ++i)
        for (int j = i; j > 0 && before(a[j], a[j - 1]); --j) std::swap(a[j], a[j - 1]);
}

class Chooser {
public:
    explicit Chooser(const PatternProblem &p) : p_(p), n_(std::clamp(p.rows, 0, kMaxRows))
    {
        // Widths and counts are whole, so "used <= usable" is "used <= floor".
        // A room far beyond any coil is held at a bound that keeps the sums
        // of counts times widths inside 64 bits.
        constexpr double kRoomCeiling = 1e15;
        if (!(p.usable >= 0)) capU_ = -1;
        else capU_ = static_cast<std::int64_t>(std::min(p.usable, kRoomCeiling));
        std::int64_t allStrips = 0;
        for (int i = 0; i < n_; ++i) {
            // A count whose strips alone overfill the coil is never feasible.
            limit_[i] = std::clamp<std::int64_t>(p.limit[i], 0, capU_ < 0 ? 0 : capU_ / p.width[i]);
            allStrips += limit_[i];
        }
        maxStrips_ = std::clamp<std::int64_t>(p.maxStrips, 0, allStrips);
        for (int d = 0; d <= n_; ++d) prepareSuffix(d);
        buildReach();
    }

    PatternChoice run()
    {
        PatternChoice out;
        if (n_ <= 0 || capU_ < 0) return out; // only the empty pattern, and it is infeasible
        bestUsed_ = 0;
        tieLevel_ = 0;
        cur_.fill(0);
        first_.fill(0); // the empty pattern is the first trial and always leads
        forward(0, 0, 0, 0);
        cur_.fill(0);
        if (backward(0, 0, 0, 0)) out.count = cur_;
        else out.count = first_;
        out.used = bestUsed_;
        return out;
    }

private:
    void prepareSuffix(int d)
    {
        std::array<int, kMaxRows> idx{};
        int m = 0;
        for (int i = d; i < n_; ++i) idx[m++] = i;
        sortFew(idx, m, [&](int a, int b) { return p_.width[a] > p_.width[b]; });
        widest_[d] = idx;
        suffixRows_[d] = m;
        // Smallest total width of k distinct widths (one strip each).
        std::array<std::int64_t, kMaxRows> asc{};
        int avail = 0;
        for (int i = d; i < n_; ++i)
            if (limit_[i] > 0) asc[avail++] = p_.width[i];
        sortFew(asc, avail, [](std::int64_t a, std::int64_t b) { return a < b; });
        avail_[d] = avail;
        minWidthOfKinds_[d][0] = 0;
        for (int k = 1; k <= avail; ++k) minWidthOfKinds_[d][k] = minWidthOfKinds_[d][k - 1] + asc[k - 1];
    }

    // Fewest strips with which the rows from d on make exactly x mm, for every
    // x up to the room, with exactly k distinct widths and with any number of
    // them. They turn the width bound and the bound on the widths into exact
    // ones: the plain bounds keep almost every subtree open when no trial
    // fills the coil, or when countless cuts of one width differ only in how
    // many widths they hold. Coils far wider than any real one go without.
    void buildReach()
    {
        if (capU_ < 0) return;
        std::int64_t top = 0;
        for (int i = 0; i < n_; ++i) top += limit_[i] * p_.width[i];
        reachTop_ = std::min(capU_, top);
        if (reachTop_ > kMaxCutWidth) return;
        span_ = static_cast<size_t>(reachTop_) + 1;
        kinds_.assign(span_ * size_t(n_ + 1) * size_t(n_ + 1), kUnreachable);
        fewest_.assign(span_ * size_t(n_ + 1), kUnreachable);
        below_.assign(span_ * size_t(n_ + 1), -1);
        kindsRow(n_, 0)[0] = 0;
        for (int d = n_ - 1; d >= 0; --d) {
            for (int k = 0; k <= n_ - d; ++k) {
                std::int32_t *here = kindsRow(d, k);
                if (k <= n_ - d - 1) std::copy_n(kindsRow(d + 1, k), span_, here); // count 0
                if (k >= 1) addCounts(here, kindsRow(d + 1, k - 1), p_.width[d], limit_[d]);
            }
        }
        for (int d = 0; d <= n_; ++d) {
            std::int32_t *any = &fewest_[span_ * size_t(d)];
            for (int k = 0; k <= n_ - d; ++k) {
                const std::int32_t *row = kindsRow(d, k);
                for (size_t x = 0; x < span_; ++x) any[x] = std::min(any[x], row[x]);
            }
            std::int64_t last = -1;
            for (size_t x = 0; x < span_; ++x) {
                if (any[x] != kUnreachable) last = static_cast<std::int64_t>(x);
                below_[span_ * size_t(d) + x] = last;
            }
        }
    }

    // here[r + j*w] = min(here[..], j + min over t in [j - lim, j - 1] of
    // (next[r + t*w] - t)): one to lim strips of width w added to what the
    // next rows make.
    void addCounts(std::int32_t *here, const std::int32_t *next, std::int64_t w, std::int64_t lim)
    {
        if (lim <= 0) return;
        // Candidates t kept in increasing order of next[r + t*w] - t; widths
        // that the next rows cannot make never enter.
        window_.resize(static_cast<size_t>(reachTop_ / w) + 2);
        for (std::int64_t r = 0; r < w && r <= reachTop_; ++r) {
            auto value = [&](std::int64_t t) { return std::int64_t(next[r + t * w]) - t; };
            size_t head = 0, tail = 0;
            for (std::int64_t j = 1; r + j * w <= reachTop_; ++j) {
                const std::int64_t t = j - 1;
                if (next[r + t * w] != kUnreachable) {
                    const std::int64_t vt = value(t);
                    while (tail > head && value(window_[tail - 1]) >= vt) --tail;
                    window_[tail++] = t;
                }
                while (tail > head && window_[head] < j - lim) ++head;
                if (tail == head) continue;
                const std::int64_t best = value(window_[head]) + j;
                std::int32_t &cell = here[r + j * w];
                if (best < cell) cell = static_cast<std::int32_t>(best);
            }
        }
    }

    std::int32_t *kindsRow(int d, int k) { return &kinds_[(size_t(d) * size_t(n_ + 1) + size_t(k)) * span_]; }
    std::int32_t kindsAt(int d, int k, std::int64_t x) const
    {
        return kinds_[(size_t(d) * size_t(n_ + 1) + size_t(k)) * span_ + static_cast<size_t>(x)];
    }

    // Whether the rows from d on make exactly x mm within `strips` strips
    // with more than `above` distinct widths.
    bool moreKinds(int d, std::int64_t x, std::int64_t strips, int above) const
    {
        if (x < 0 || x > reachTop_) return false;
        for (int k = std::max(above + 1, 0); k <= n_ - d; ++k)
            if (kindsAt(d, k, x) <= strips) return true;
        return false;
    }

    bool haveReach() const { return span_ != 0; }
    std::int32_t fewest(int d, std::int64_t x) const { return fewest_[span_ * d + static_cast<size_t>(x)]; }

    // Highest width from lo up to room that the rows from d on make exactly
    // with at most `strips` strips, or -1.
    std::int64_t highestReach(int d, std::int64_t strips, std::int64_t room, std::int64_t lo) const
    {
        if (room > reachTop_) room = reachTop_;
        if (room < 0) return -1;
        for (std::int64_t x = below_[span_ * d + static_cast<size_t>(room)]; x >= lo && x >= 0;
             x = x > 0 ? below_[span_ * d + static_cast<size_t>(x - 1)] : -1)
            if (fewest(d, x) <= strips) return x;
        return -1;
    }

    // Most width the rows from d on can use with `strips` strips, ignoring
    // the coil width: widest first.
    std::int64_t mostWidth(int d, std::int64_t strips) const
    {
        std::int64_t sum = 0;
        for (int j = 0; j < suffixRows_[d] && strips > 0; ++j) {
            int i = widest_[d][j];
            std::int64_t t = std::min(limit_[i], strips);
            sum += t * p_.width[i];
            strips -= t;
        }
        return sum;
    }

    // Most distinct widths the rows from d on can add within strips and room.
    int mostKinds(int d, std::int64_t strips, std::int64_t room) const
    {
        int k = static_cast<int>(std::min<std::int64_t>(avail_[d], strips));
        while (k > 0 && minWidthOfKinds_[d][k] > room) --k;
        return k;
    }

    std::int64_t highestCount(int d, std::int64_t used, std::int64_t strips, std::int64_t room) const
    {
        std::int64_t c = std::min(limit_[d], maxStrips_ - strips);
        return std::min(c, (room - used) / p_.width[d]);
    }

    void level(std::int64_t used, int kinds)
    {
        if (used > bestUsed_) {
            bestUsed_ = used;
            first_ = cur_;
            tieLevel_ = std::max(tieLevel_, kinds);
        } else if (used == bestUsed_) {
            tieLevel_ = std::max(tieLevel_, kinds);
        }
    }

    void forward(int d, std::int64_t used, std::int64_t strips, int kinds)
    {
        const std::int64_t w = p_.width[d];
        const std::int64_t cmax = highestCount(d, used, strips, capU_);
        if (d == n_ - 1) {
            // The last row's trials use strictly more width as its count grows.
            cur_[d] = 0;
            level(used, kinds);
            if (cmax >= 1) {
                const std::int64_t top = used + cmax * w;
                if (top > bestUsed_) {
                    cur_[d] = cmax;
                    bestUsed_ = top;
                    first_ = cur_;
                    tieLevel_ = std::max(tieLevel_, kinds + 1);
                } else {
                    const std::int64_t gap = bestUsed_ - used;
                    if (gap > 0 && gap % w == 0 && gap / w <= cmax)
                        tieLevel_ = std::max(tieLevel_, kinds + 1);
                }
            }
            cur_[d] = 0;
            return;
        }
        for (std::int64_t c = 0; c <= cmax; ++c) {
            const std::int64_t u = used + c * w;
            const std::int64_t s = strips + c;
            const int k = kinds + (c > 0);
            const std::int64_t left = maxStrips_ - s;
            const std::int64_t room = capU_ - u;
            std::int64_t bound;
            if (haveReach()) {
                const std::int64_t x = highestReach(d + 1, left, room, std::max<std::int64_t>(0, bestUsed_ - u));
                if (x < 0) continue;
                bound = u + x;
            } else {
                bound = u + std::min(room, mostWidth(d + 1, left));
            }
            if (bound < bestUsed_) continue;
            if (bound == bestUsed_) {
                if (haveReach() ? !moreKinds(d + 1, bestUsed_ - u, left, tieLevel_ - k)
                                : k + mostKinds(d + 1, left, room) <= tieLevel_)
                    continue;
            }
            cur_[d] = c;
            forward(d + 1, u, s, k);
        }
        cur_[d] = 0;
    }

    // Last trial (descending order) with used == bestUsed_ and kinds == tieLevel_.
    bool backward(int d, std::int64_t used, std::int64_t strips, int kinds)
    {
        const std::int64_t w = p_.width[d];
        const std::int64_t cmax = highestCount(d, used, strips, bestUsed_);
        if (d == n_ - 1) {
            const std::int64_t gap = bestUsed_ - used;
            if (gap % w != 0 || gap / w > cmax) return false;
            const std::int64_t c = gap / w;
            if (kinds + (c > 0) != tieLevel_) return false;
            cur_[d] = c;
            return true;
        }
        for (std::int64_t c = cmax; c >= 0; --c) {
            const std::int64_t u = used + c * w;
            const std::int64_t s = strips + c;
            const int need = tieLevel_ - (kinds + (c > 0));
            const std::int64_t gap = bestUsed_ - u;
            const std::int64_t left = maxStrips_ - s;
            if (need < 0 || need > std::min<std::int64_t>(avail_[d + 1], left)) continue;
            if (minWidthOfKinds_[d + 1][need] > gap) continue;
            if (need == 0 && gap != 0) continue;
            if (mostWidth(d + 1, left) < gap) continue;
            if (haveReach() && kindsAt(d + 1, need, gap) > left) continue;
            cur_[d] = c;
            if (backward(d + 1, u, s, kinds + (c > 0))) return true;
        }
        cur_[d] = 0;
        return false;
    }

    const PatternProblem &p_;
    int n_;
    std::int64_t capU_ = 0;
    std::int64_t maxStrips_ = 0;
    std::array<std::int64_t, kMaxRows> limit_{};
    std::array<std::array<int, kMaxRows>, kMaxRows + 1> widest_{};
    std::array<int, kMaxRows + 1> suffixRows_{};
    std::array<int, kMaxRows + 1> avail_{};
    std::array<std::array<std::int64_t, kMaxRows + 1>, kMaxRows + 1> minWidthOfKinds_{};

    static constexpr std::int32_t kUnreachable = 1 << 30;
    std::int64_t reachTop_ = -1;
    size_t span_ = 0;
    std::vector<std::int32_t> kinds_;
    std::vector<std::int64_t> window_;
    std::vector<std::int32_t> fewest_;
    std::vector<std::int64_t> below_;

    std::int64_t bestUsed_ = 0;
    int tieLevel_ = 0;
    std::array<std::int64_t, kMaxRows> cur_{};
    std::array<std::int64_t, kMaxRows> first_{};
};

} // namespace

PatternChoice choosePattern(const PatternProblem &problem)
{
    Chooser chooser(problem);
    return chooser.run();
}

} // namespace strip_search
