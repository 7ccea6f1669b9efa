#include "fixed_knife/knife_search.h"

#include "platform/numtext.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <optional>

namespace fk {

const char *const kNoSolutionText = "Αυτή η παραγγελία δεν έχει λύση. Παρακαλώ ορίστε καινούργια";

namespace {

using i64 = std::int64_t;
using u64 = std::uint64_t;

// Far above any real width or count, far below overflow when a few are added.
constexpr i64 kBig = i64(1) << 60;

// The search space after each range is narrowed to the counts that can fit
// at all (never below 0, never more strips than the knives or the width allow).
struct Problem {
    std::array<i64, kSlotCount> w{}, lo{}, hi{};
    int ordered = 0;
    int colBudget = 0;  // secondary slots that may get strips
    i64 maxStrips = 0;
    i64 cap = 0;        // whole millimetres one cut may use
    bool feasible = false;  // the all-minimum combination fits, so some does
};

bool takesColumn(const Problem &p, int k, i64 c) { return k >= p.ordered && c > 0; }
int scoreOf(const Problem &p, int k, i64 c) { return k < kScoreSlots && c == p.lo[k] + 1 ? 1 : 0; }

Problem normalise(const KnifeSearchInput &in)
{
    Problem p;
    p.ordered = std::clamp(in.orderedCount, 0, kSlotCount);
    p.colBudget = kMaxColumns - p.ordered;
    p.maxStrips = std::min(in.maxStrips, kBig);
    // A combination uses a whole number of millimetres, so "used <= U" is
    // "used <= floor(U)". NaN or a negative width leaves nothing that fits.
    const double u = in.usableWidth;
    if (!(u >= 0) || p.maxStrips < 0 || p.colBudget < 0) return p;
    p.cap = u >= double(kBig) ? kBig : i64(std::floor(u));

    i64 strips = 0, width = 0;
    int cols = 0;
    for (int k = 0; k < kSlotCount; ++k) {
        const ItemSlot &s = in.items[k];
        const i64 w = std::clamp(s.width, -kBig, kBig);
        const i64 lo = std::max<i64>(s.lo, 0);
        i64 hi = std::min(s.hi, p.maxStrips);
        if (w < 0) hi = std::min<i64>(hi, 0);
        if (w > 0) hi = std::min(hi, p.cap / w);
        if (lo > hi) return p;  // an empty range: no combination at all
        p.w[k] = std::max<i64>(w, 0);
        p.lo[k] = lo;
        p.hi[k] = hi;
        strips += lo;
        width += lo * p.w[k];
        cols += takesColumn(p, k, lo) ? 1 : 0;
        if (strips > p.maxStrips || width > p.cap) return p;
    }
    p.feasible = cols <= p.colBudget;
    return p;
}

// Cheap upper bounds: what the suffix must take at least, plus the widest
// extra strips the knives leave room for.
class BoundsOracle {
public:
    explicit BoundsOracle(const Problem &p) : p_(p)
    {
        for (int k = kSlotCount - 1; k >= 0; --k) {
            mandS_[k] = mandS_[k + 1] + p.lo[k];
            mandW_[k] = mandW_[k + 1] + p.lo[k] * p.w[k];
            mandC_[k] = mandC_[k + 1] + (takesColumn(p, k, p.lo[k]) ? 1 : 0);
            potScore_[k] = potScore_[k + 1] + (k < kScoreSlots && p.lo[k] + 1 <= p.hi[k] ? 1 : 0);
        }
        for (int k = 0; k < kSlotCount; ++k) byWidth_[k] = k;
        std::stable_sort(byWidth_.begin(), byWidth_.end(), [&](int a, int b) { return p.w[a] > p.w[b]; });
    }

    // Upper bound of the widest completion from slot k on that fits in cap,
    // or -1 when no completion fits at all (exact).
    i64 maxWidth(int k, int r, i64 q, i64 cap) const
    {
        if (q < mandS_[k] || cap < mandW_[k] || r < mandC_[k]) return -1;
        const i64 room = cap - mandW_[k];
        i64 strips = q - mandS_[k], extra = 0;
        for (int j : byWidth_) {
            if (strips == 0 || p_.w[j] == 0) break;
            if (j < k) continue;
            const i64 t = std::min(p_.hi[j] - p_.lo[j], strips);
            if (t <= 0) continue;
            if (t > (room - extra) / p_.w[j]) return cap;
            extra += t * p_.w[j];
            strips -= t;
        }
        return mandW_[k] + extra;
    }

    // Upper bound of the score slots k.. can add to a completion of exactly x
    // millimetres, or -1 when none can exist.
    int maxScoreAt(int k, int r, i64 q, i64 x) const
    {
        if (x < 0 || maxWidth(k, r, q, x) < x) return -1;
        return potScore_[k];
    }

private:
    const Problem &p_;
    std::array<i64, kSlotCount + 1> mandS_{}, mandW_{};
    std::array<int, kSlotCount + 1> mandC_{}, potScore_{};
    std::array<int, kSlotCount> byWidth_{};
};

// Exact answers from tables of every width each suffix of slots can make
// with at most q strips and r secondary columns (one bit per millimetre);
// for the suffixes that still hold score slots, one table per score.
class TableOracle {
public:
    static constexpr double kMaxWords = double(1 << 22);  // 32 MB
    static constexpr double kMaxWordOps = 3e8;

    static std::optional<TableOracle> build(const Problem &p, bool anySize)
    {
        TableOracle t;
        int secondaries = 0;
        i64 strips = 0, width = 0;
        for (int k = 0; k < kSlotCount; ++k) {
            if (k >= p.ordered && p.hi[k] > 0) ++secondaries;
            strips = std::min(kBig, strips + p.hi[k]);
            if (p.w[k] > 0) width = std::min(kBig, width + std::min(kBig / p.w[k], p.hi[k]) * p.w[k]);
        }
        t.R_ = std::min(p.colBudget, secondaries);
        const i64 q = std::min(p.maxStrips, strips);
        t.X_ = std::min(p.cap, width);
        const double words = double(t.X_) / 64 + 1;
        const double layers = double(t.R_ + 1) * (double(q) + 1);
        double ops = 0;
        for (int k = 0; k < kSlotCount; ++k)
            ops += layers * words * double(p.hi[k] - p.lo[k] + 1) * (k < kScoreSlots ? kScoreLayers : 1);
        const double size = layers * words * (kSlotCount + 1 + kScoreSlots * kScoreLayers);
        if (!anySize && (size > kMaxWords || ops > kMaxWordOps)) return std::nullopt;

        t.Q_ = int(q);
        t.W_ = size_t(t.X_ / 64 + 1);
        t.topMask_ = (t.X_ % 64 == 63) ? ~u64(0) : ((u64(1) << (t.X_ % 64 + 1)) - 1);
        t.reach_.assign(size_t(kSlotCount + 1) * t.layerCount() * t.W_, 0);
        t.score_.assign(size_t(kScoreSlots) * t.layerCount() * kScoreLayers * t.W_, 0);
        t.fill(p);
        return t;
    }

    i64 maxWidth(int k, int r, i64 q, i64 cap) const
    {
        if (r < 0 || q < 0 || cap < 0) return -1;
        return highestAtMost(reach(k, clampR(r), clampQ(q)), std::min(cap, X_));
    }

    int maxScoreAt(int k, int r, i64 q, i64 x) const
    {
        if (r < 0 || q < 0 || x < 0 || x > X_) return -1;
        const int rr = clampR(r), qq = clampQ(q);
        if (k >= kScoreSlots) return testBit(reach(k, rr, qq), x) ? 0 : -1;
        for (int s = kScoreLayers - 1; s >= 0; --s)
            if (testBit(score(k, rr, qq, s), x)) return s;
        return -1;
    }

private:
    static constexpr int kScoreLayers = kScoreSlots + 1;

    int R_ = 0, Q_ = 0;
    i64 X_ = 0;
    size_t W_ = 1;
    u64 topMask_ = 0;
    std::vector<u64> reach_, score_;

    size_t layerCount() const { return size_t(R_ + 1) * size_t(Q_ + 1); }
    int clampR(int r) const { return std::min(r, R_); }
    int clampQ(i64 q) const { return int(std::min<i64>(q, Q_)); }
    size_t layer(int r, int q) const { return size_t(r) * size_t(Q_ + 1) + size_t(q); }
    size_t reachIndex(int k, int r, int q) const { return (size_t(k) * layerCount() + layer(r, q)) * W_; }
    size_t scoreIndex(int k, int r, int q, int s) const
    {
        return ((size_t(k) * layerCount() + layer(r, q)) * kScoreLayers + size_t(s)) * W_;
    }
    u64 *reach(int k, int r, int q) { return &reach_[reachIndex(k, r, q)]; }
    const u64 *reach(int k, int r, int q) const { return &reach_[reachIndex(k, r, q)]; }
    u64 *score(int k, int r, int q, int s) { return &score_[scoreIndex(k, r, q, s)]; }
    const u64 *score(int k, int r, int q, int s) const { return &score_[scoreIndex(k, r, q, s)]; }

    static bool testBit(const u64 *b, i64 x) { return (b[x >> 6] >> (x & 63)) & 1; }

    static i64 highestAtMost(const u64 *b, i64 cap)
    {
        i64 i = cap >> 6;
        const int bit = int(cap & 63);
        u64 m = b[i] & (bit == 63 ? ~u64(0) : ((u64(1) << (bit + 1)) - 1));
        for (;;) {
            if (m) return i * 64 + 63 - std::countl_zero(m);
            if (--i < 0) return -1;
            m = b[i];
        }
    }

    // dst |= src shifted up by sh bits, cut at X_.
    void shiftOr(u64 *dst, const u64 *src, i64 sh) const
    {
        const size_t ws = size_t(sh >> 6);
        const int bs = int(sh & 63);
        if (ws >= W_) return;
        for (size_t i = W_; i-- > ws;) {
            const size_t j = i - ws;
            u64 v = src[j] << bs;
            if (bs && j > 0) v |= src[j - 1] >> (64 - bs);
            dst[i] |= v;
        }
        dst[W_ - 1] &= topMask_;
    }

    void fill(const Problem &p)
    {
        for (int r = 0; r <= R_; ++r)
            for (int q = 0; q <= Q_; ++q) reach(kSlotCount, r, q)[0] = 1;

        for (int k = kSlotCount - 1; k >= 0; --k) {
            const i64 w = p.w[k];
            const i64 top = w > 0 ? std::min(p.hi[k], X_ / w) : p.hi[k];
            for (int r = 0; r <= R_; ++r) {
                for (int q = 0; q <= Q_; ++q) {
                    const i64 cTop = std::min<i64>(top, q);
                    if (k >= kScoreSlots) {
                        u64 *dst = reach(k, r, q);
                        for (i64 c = p.lo[k]; c <= cTop; ++c) {
                            const int rr = r - (takesColumn(p, k, c) ? 1 : 0);
                            if (rr < 0) break;
                            shiftOr(dst, reach(k + 1, rr, int(q - c)), c * w);
                        }
                        continue;
                    }
                    u64 *all = reach(k, r, q);
                    for (int s = 0; s < kScoreLayers; ++s) {
                        u64 *dst = score(k, r, q, s);
                        for (i64 c = p.lo[k]; c <= cTop; ++c) {
                            const int rr = r - (takesColumn(p, k, c) ? 1 : 0);
                            if (rr < 0) break;
                            const int from = s - scoreOf(p, k, c);
                            if (from < 0) continue;
                            const int qq = int(q - c);
                            const u64 *src = nullptr;
                            if (k + 1 < kScoreSlots) src = score(k + 1, rr, qq, from);
                            else if (from == 0) src = reach(k + 1, rr, qq);
                            if (src) shiftOr(dst, src, c * w);
                        }
                        for (size_t i = 0; i < W_; ++i) all[i] |= dst[i];
                    }
                }
            }
        }
    }
};

// The enumeration with every subtree skipped that holds no combination able
// to change what the enumeration would end with. The first pass meets the
// fitting combinations in enumeration order and keeps the widest width, the
// first combination of that width and (score mode) the score bar exactly as
// the full enumeration would. In score mode the chosen cut is then the last
// combination of that width whose score reaches the final bar; when none
// does, no tie ever replaced the first one.
template <class Oracle>
class Search {
public:
    Search(const Problem &p, const Oracle &o, SearchMode mode) : p_(p), o_(o), mode_(mode)
    {
        // Slots after the last one with a choice hold their minimum in every
        // combination; the last slot with a choice is then settled at once.
        last_ = 0;
        for (int k = 0; k < kSlotCount; ++k)
            if (p.hi[k] > p.lo[k]) last_ = k;
        for (int k = last_ + 1; k < kSlotCount; ++k) {
            cur_[k] = p.lo[k];
            tailW_ += p.lo[k] * p.w[k];
            tailS_ += p.lo[k];
            tailC_ += takesColumn(p, k, p.lo[k]) ? 1 : 0;
        }
    }

    void scan(int k, i64 used, i64 strips, int cols, int score)
    {
        if (k == last_) return meetLastSlot(used, strips, cols, score);
        const i64 w = p_.w[k];
        i64 top = std::min(p_.hi[k], p_.maxStrips - strips);
        if (w > 0) top = std::min(top, (p_.cap - used) / w);
        for (i64 c = p_.lo[k]; c <= top; ++c) {
            const int cols2 = cols + (takesColumn(p_, k, c) ? 1 : 0);
            if (cols2 > p_.colBudget) break;
            const i64 used2 = used + c * w, strips2 = strips + c;
            const int score2 = score + scoreOf(p_, k, c);
            cur_[k] = c;
            const int r = p_.colBudget - cols2;
            const i64 q = p_.maxStrips - strips2;
            const i64 mw = o_.maxWidth(k + 1, r, q, p_.cap - used2);
            if (mw < 0) continue;
            const i64 widest = used2 + mw;
            if (mode_ == SearchMode::FirstWidest) {
                if (widest <= best_) continue;
            } else {
                if (widest < best_) continue;
                if (widest == best_) {
                    const int ms = o_.maxScoreAt(k + 1, r, q, best_ - used2);
                    if (ms < 0 || score2 + ms <= bar_) continue;
                }
            }
            scan(k + 1, used2, strips2, cols2, score2);
        }
    }

    // Last combination in enumeration order of exactly `target` mm whose
    // score is at least `need`.
    bool findLast(int k, i64 used, i64 strips, int cols, int score, i64 target, int need)
    {
        if (k == last_) return findLastInLastSlot(used, strips, cols, score, target, need);
        const i64 w = p_.w[k];
        i64 top = std::min(p_.hi[k], p_.maxStrips - strips);
        if (w > 0) top = std::min(top, (target - used) / w);
        for (i64 c = top; c >= p_.lo[k]; --c) {
            const int cols2 = cols + (takesColumn(p_, k, c) ? 1 : 0);
            if (cols2 > p_.colBudget) continue;
            const i64 used2 = used + c * w, strips2 = strips + c;
            const int score2 = score + scoreOf(p_, k, c);
            cur_[k] = c;
            const int ms = o_.maxScoreAt(k + 1, p_.colBudget - cols2, p_.maxStrips - strips2, target - used2);
            if (ms < 0 || score2 + ms < need) continue;
            if (findLast(k + 1, used2, strips2, cols2, score2, target, need)) return true;
        }
        return false;
    }

    i64 best() const { return best_; }
    int bar() const { return bar_; }
    bool hasFirst() const { return hasFirst_; }
    const std::array<i64, kSlotCount> &first() const { return first_; }
    const std::array<i64, kSlotCount> &last() const { return last_cut_; }

private:
    // Counts of the last slot with a choice that fit beside a prefix, as the
    // range [a, b]; false when none does.
    bool lastRange(i64 used, i64 strips, int cols, i64 &a, i64 &b) const
    {
        const int k = last_;
        const i64 w = p_.w[k];
        if (cols + tailC_ > p_.colBudget) return false;
        a = p_.lo[k];
        b = std::min(p_.hi[k], p_.maxStrips - strips - tailS_);
        if (used + tailW_ > p_.cap) return false;
        if (w > 0) b = std::min(b, (p_.cap - used - tailW_) / w);
        if (k >= p_.ordered && cols + tailC_ + 1 > p_.colBudget) b = std::min<i64>(b, 0);
        return a <= b;
    }

    // The combinations of one prefix differ only in the last slot's count c,
    // and their width grows with c (or stays when the width is 0). Met in
    // order, they raise the best width to that of c = b, the first of that
    // width becoming the first widest, and every c whose width reaches the
    // best width held before raises the score bar to its score.
    void meetLastSlot(i64 used, i64 strips, int cols, int score)
    {
        const int k = last_;
        const i64 w = p_.w[k];
        i64 a = 0, b = 0;
        if (!lastRange(used, strips, cols, a, b)) return;
        const i64 base = used + tailW_;
        const i64 top = base + b * w;
        if (top < best_) return;
        // Smallest count whose width reaches the best width held before.
        const i64 from = w > 0 && best_ > base ? std::max(a, (best_ - base + w - 1) / w) : a;
        if (top > best_) {
            best_ = top;
            cur_[k] = w > 0 ? b : a;
            first_ = cur_;
            hasFirst_ = true;
        }
        if (mode_ == SearchMode::ScoreTieBreak) {
            const bool bonus = k < kScoreSlots && from <= p_.lo[k] + 1 && p_.lo[k] + 1 <= b;
            bar_ = std::max(bar_, score + (bonus ? 1 : 0));
        }
    }

    bool findLastInLastSlot(i64 used, i64 strips, int cols, int score, i64 target, int need)
    {
        const int k = last_;
        const i64 w = p_.w[k];
        i64 a = 0, b = 0;
        if (!lastRange(used, strips, cols, a, b)) return false;
        const i64 gap = target - used - tailW_;
        auto take = [&](i64 c) {
            cur_[k] = c;
            last_cut_ = cur_;
            return true;
        };
        auto scoreOfCount = [&](i64 c) { return score + scoreOf(p_, k, c); };
        if (w > 0) {
            if (gap < 0 || gap % w != 0) return false;
            const i64 c = gap / w;
            return c >= a && c <= b && scoreOfCount(c) >= need && take(c);
        }
        if (gap != 0) return false;
        // Every count makes the target: the highest whose score is enough.
        if (scoreOfCount(b) >= need) return take(b);
        const i64 c = p_.lo[k] + 1;
        return c >= a && c <= b && scoreOfCount(c) >= need && take(c);
    }

    const Problem &p_;
    const Oracle &o_;
    SearchMode mode_;
    std::array<i64, kSlotCount> cur_{}, first_{}, last_cut_{};
    int last_ = 0;  // last slot with a choice
    i64 tailW_ = 0, tailS_ = 0;
    int tailC_ = 0;
    i64 best_ = 0;
    int bar_ = 0;
    bool hasFirst_ = false;
};

template <class Oracle>
KnifeSearchResult run(const KnifeSearchInput &in, const Problem &p, const Oracle &o, SearchMode mode)
{
    KnifeSearchResult r;
    r.found = true;
    Search<Oracle> s(p, o, mode);
    s.scan(0, 0, 0, 0, 0);
    if (s.hasFirst()) r.counts = s.first();
    if (mode == SearchMode::ScoreTieBreak) {
        if (s.findLast(0, 0, 0, 0, 0, s.best(), s.bar())) r.counts = s.last();
        r.scoreBar = s.bar();
    }
    for (int k = 0; k < kSlotCount; ++k) r.usedWidth += r.counts[k] * p.w[k];
    r.waste = in.usableWidth - double(r.usedWidth);
    return r;
}

} // namespace

std::int64_t clampedWhole(double v)
{
    constexpr double limit = double(i64(1) << 53);  // doubles stay exact below this
    if (std::isnan(v)) return 0;
    return i64(std::clamp(v, -limit, limit));
}

namespace detail {

KnifeSearchResult searchKnifeSettingWith(const KnifeSearchInput &in, SearchMode mode, Strategy strategy)
{
    const Problem p = normalise(in);
    if (!p.feasible) return {};
    if (strategy != Strategy::BoundsOnly) {
        if (auto t = TableOracle::build(p, strategy == Strategy::Tables)) return run(in, p, *t, mode);
    }
    return run(in, p, BoundsOracle(p), mode);
}

} // namespace detail

KnifeSearchResult searchKnifeSetting(const KnifeSearchInput &in, SearchMode mode)
{
    return detail::searchKnifeSettingWith(in, mode, detail::Strategy::Auto);
}

CutFigures layoutCut(const KnifeSearchInput &in, const KnifeSearchResult &r, const CutFigureInputs &fig)
{
    CutFigures f;
    if (!r.found) {
        f.message = kNoSolutionText;
        return f;
    }
    f.found = true;
    const double n = plat::intPart(fig.coils);
    f.grammi = plat::numStr(fig.coils);
    for (int k = 0; k < kSlotCount && int(f.columns.size()) < kMaxColumns; ++k) {
        const bool ordered = k < in.orderedCount;
        if (!ordered && r.counts[k] <= 0) continue;
        CutColumn c;
        c.slot = k;
        c.secondary = !ordered;
        c.count = r.counts[k];
        c.width = plat::intStr(in.items[k].width);
        c.akommati = plat::intStr(c.count);
        c.proion = plat::numStr(double(c.count) * in.items[k].tonnesPerStrip * n);
        c.roles1 = plat::numStr(n * double(c.count));
        f.columns.push_back(std::move(c));
    }
    const double fira = r.waste;
    f.fira = plat::numStr(fira);
    f.dblFira = fira;
    for (int k = 0; k < std::min(in.orderedCount, kMaxColumns); ++k) f.savedAkommati[k] = double(r.counts[k]);
    f.savedAkommati[10] = fira;
    const double trims = fig.rightTrim + fig.leftTrim;
    f.text3 = plat::numStr(n * fira);
    f.text5 = plat::numStr(fira * fig.kgPerMm * n);
    f.text8 = plat::numStr((fira + trims) * n);
    f.text10 = plat::numStr((fira + trims) * fig.kgPerMm * n);
    return f;
}

} // namespace fk
