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

// Combinations that even a walk without tables goes through in a blink.
constexpr double kSmallWalk = 1e6;

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
    // or -1 when no completion fits at all (exact) or the bound is below floor.
    i64 maxWidth(int k, int r, i64 q, i64 cap, i64 floor = 0) const
    {
        const i64 x = widest(k, r, q, cap);
        return x < floor ? -1 : x;
    }

    i64 widest(int k, int r, i64 q, i64 cap) const
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

// Sets of widths, one bit per millimetre from 0 up.
namespace bits {

bool test(const u64 *b, i64 x) { return (b[x >> 6] >> (x & 63)) & 1; }

// Highest member from floor up to cap, or -1. Only the words in between
// are read: a set with nothing near the top must not cost a whole scan.
i64 highestAtMost(const u64 *b, i64 cap, i64 floor = 0)
{
    floor = std::max<i64>(floor, 0);
    if (cap < floor) return -1;
    i64 i = cap >> 6;
    const i64 last = floor >> 6;
    const int bit = int(cap & 63);
    u64 m = b[i] & (bit == 63 ? ~u64(0) : ((u64(1) << (bit + 1)) - 1));
    for (;;) {
        if (m) {
            const i64 x = i * 64 + 63 - std::countl_zero(m);
            return x >= floor ? x : -1;
        }
        if (--i < last) return -1;
        m = b[i];
    }
}

// dst |= src shifted up by sh bits, cut to `words` words and the top mask.
void shiftOr(u64 *dst, const u64 *src, i64 sh, size_t words, u64 topMask)
{
    const size_t ws = size_t(sh >> 6);
    const int bs = int(sh & 63);
    if (ws >= words) return;
    for (size_t i = words; i-- > ws;) {
        const size_t j = i - ws;
        u64 v = src[j] << bs;
        if (bs && j > 0) v |= src[j - 1] >> (64 - bs);
        dst[i] |= v;
    }
    dst[words - 1] &= topMask;
}

} // namespace bits

// Exact answers from tables of every width each suffix of slots can make
// with at most q strips and r secondary columns (one bit per millimetre);
// for the suffixes that still hold score slots, one table per score.
class TableOracle {
public:
    static constexpr double kMaxWords = double(1 << 22);  // 32 MB
    static constexpr double kMaxWordOps = 3e8;

    // With sizeOnly the tables are measured, not filled.
    static std::optional<TableOracle> build(const Problem &p, bool sizeOnly = false)
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
        if (size > kMaxWords || ops > kMaxWordOps) return std::nullopt;
        t.cost_ = ops;
        if (sizeOnly) return t;

        t.Q_ = int(q);
        t.W_ = size_t(t.X_ / 64 + 1);
        t.topMask_ = (t.X_ % 64 == 63) ? ~u64(0) : ((u64(1) << (t.X_ % 64 + 1)) - 1);
        t.reach_.assign(size_t(kSlotCount + 1) * t.layerCount() * t.W_, 0);
        t.score_.assign(size_t(kScoreSlots) * t.layerCount() * kScoreLayers * t.W_, 0);
        t.fill(p);
        return t;
    }

    // Word operations the filling takes.
    double cost() const { return cost_; }

    i64 maxWidth(int k, int r, i64 q, i64 cap, i64 floor = 0) const
    {
        if (r < 0 || q < 0 || cap < 0) return -1;
        return bits::highestAtMost(reach(k, clampR(r), clampQ(q)), std::min(cap, X_), floor);
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
    double cost_ = 0;
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

    static bool testBit(const u64 *b, i64 x) { return bits::test(b, x); }
    void shiftOr(u64 *dst, const u64 *src, i64 sh) const { bits::shiftOr(dst, src, sh, W_, topMask_); }

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

// The slots as the tables below see them. A slot with one count only is
// folded into the next slot with a choice: its width, strips and columns
// become an offset of that slot's table. The counts of a slot with a choice
// are split into pieces of one column cost and one score each. Columns are
// told apart only when the secondary widths could outnumber them, scores
// only when the search breaks ties by score.
struct FoldedSlots {
    struct Piece {
        i64 c1, c2;
        int cols, gain;
    };

    int R = 0;  // columns left that the tables tell apart
    i64 X = 0;  // widest width the tables hold
    bool columnsBind = false;
    bool scoring = false;
    std::array<int, kSlotCount + 1> next{}, offC{}, scores{};
    std::array<i64, kSlotCount + 1> offW{}, offS{};
    std::array<size_t, kSlotCount + 1> base{};  // first layer of each table
    size_t layers = 0;

    FoldedSlots(const Problem &p, bool scoreTies) : scoring(scoreTies)
    {
        i64 width = 0;
        int secondaries = 0;
        for (int k = 0; k < kSlotCount; ++k) {
            width = std::min(kBig, width + p.hi[k] * p.w[k]);
            if (k >= p.ordered && p.hi[k] > 0) ++secondaries;
        }
        columnsBind = secondaries > p.colBudget;
        R = columnsBind ? p.colBudget : 0;
        X = std::min(p.cap, width);
        next[kSlotCount] = kSlotCount;
        for (int k = kSlotCount - 1; k >= 0; --k) {
            const bool choice = p.hi[k] > p.lo[k];
            next[k] = choice ? k : next[k + 1];
            offW[k] = choice ? 0 : offW[k + 1] + p.lo[k] * p.w[k];
            offS[k] = choice ? 0 : offS[k + 1] + p.lo[k];
            offC[k] = choice || !columnsBind ? 0 : offC[k + 1] + (takesColumn(p, k, p.lo[k]) ? 1 : 0);
        }
        int topScore = 0;
        for (int k = kSlotCount; k >= 0; --k) {
            if (k < kSlotCount && next[k] != k) continue;
            if (scoring && k < kScoreSlots && p.lo[k] + 1 <= p.hi[k]) ++topScore;
            scores[k] = topScore;
            base[k] = layers;
            layers += size_t(R + 1) * size_t(topScore + 2);
        }
    }

    // Layers of table a: (columns left r, score s); s = scores[a] + 1 holds
    // every score together.
    size_t layer(int a, int r, int s) const { return base[a] + size_t(r) * size_t(scores[a] + 2) + size_t(s); }
    size_t allScores(int a, int r) const { return layer(a, r, scores[a] + 1); }

    int pieces(const Problem &p, int k, std::array<Piece, 4> &out) const
    {
        const i64 lo = p.lo[k], hi = p.hi[k];
        const bool secondary = columnsBind && k >= p.ordered;
        const i64 bonus = scoring && k < kScoreSlots ? lo + 1 : -1;
        int n = 0;
        for (i64 c = lo; c <= hi;) {
            i64 end = hi;
            if (c == 0 || c == bonus) end = c;
            else if (bonus > c) end = std::min(end, bonus - 1);
            out[n++] = {c, end, secondary && c > 0 ? 1 : 0, c == bonus ? 1 : 0};
            c = end + 1;
        }
        return n;
    }

    // Every table is built from the next one: fn(k, dst layer, src layer,
    // piece) for each slot with a choice, column count and score.
    template <class Fn>
    void forEachStep(const Problem &p, Fn fn) const
    {
        for (int k = kSlotCount - 1; k >= 0; --k) {
            if (next[k] != k) continue;
            const int b = next[k + 1];
            std::array<Piece, 4> ps{};
            const int n = pieces(p, k, ps);
            for (int r = 0; r <= R; ++r)
                for (int s = 0; s <= scores[k]; ++s)
                    for (int i = 0; i < n; ++i) {
                        const int rr = r - ps[i].cols - offC[k + 1];
                        const int from = s - ps[i].gain;
                        if (rr < 0 || from < 0 || from > scores[b]) continue;
                        fn(k, layer(k, r, s), layer(b, rr, from), ps[i]);
                    }
        }
    }

    // Where a query about the slots from k on looks: table, columns and
    // room relative to it; false when the fixed slots alone rule it out.
    bool locate(int k, int r, i64 q, int &a, int &rr, i64 &qq) const
    {
        a = next[k];
        rr = std::min(r - offC[k], R);
        qq = q - offS[k];
        return r - offC[k] >= 0 && qq >= 0;
    }

    // Highest score with which the slots from k on make exactly x mm, or -1;
    // made(layer, width, strips) reads one layer.
    template <class Made>
    int scoreAt(int k, int r, i64 q, i64 x, Made made) const
    {
        int a = 0, rr = 0;
        i64 qq = 0;
        const i64 xx = x - offW[k];
        if (!locate(k, r, q, a, rr, qq) || xx < 0 || xx > X) return -1;
        for (int s = scores[a]; s >= 0; --s)
            if (made(layer(a, rr, s), xx, qq)) return s;
        return -1;
    }

    // join(all, one) for the every-score layer of each table and each of
    // its scores.
    template <class Join>
    void forEachScore(Join join) const
    {
        for (int k = 0; k <= kSlotCount; ++k) {
            if (k < kSlotCount && next[k] != k) continue;
            for (int r = 0; r <= R; ++r)
                for (int s = 0; s <= scores[k]; ++s) join(allScores(k, r), layer(k, r, s));
        }
    }
};

// Exact answers for orders whose knives never run short: when every slot at
// its most strips still fits the knives, the strips drop out and only the
// widths, the secondary columns and the score remain, one bit per
// millimetre. A range of counts is added by doubling, so a slot of a hundred
// thousand counts costs some seventeen passes over its table, not a hundred
// thousand.
class WidthOracle {
public:
    static constexpr double kMaxWords = double(1 << 22);  // 32 MB

    static std::optional<WidthOracle> build(const Problem &p, bool scoring, bool sizeOnly = false)
    {
        i64 strips = 0;
        for (int k = 0; k < kSlotCount; ++k) strips = std::min(kBig, strips + p.hi[k]);
        if (strips > p.maxStrips) return std::nullopt;
        WidthOracle t(p, scoring);
        if (double(t.f_.layers) * double(t.W_) > kMaxWords) return std::nullopt;
        if (!sizeOnly) t.fill(p);
        return t;
    }

    i64 maxWidth(int k, int r, i64 q, i64 cap, i64 floor = 0) const
    {
        int a = 0, rr = 0;
        i64 qq = 0;
        if (!f_.locate(k, r, q, a, rr, qq)) return -1;
        const size_t l = f_.allScores(a, rr);
        const i64 room = std::min(cap - f_.offW[k], top_[l]);
        if (room < 0) return -1;
        const i64 x = bits::highestAtMost(layer(l), room, floor - f_.offW[k]);
        return x < 0 ? -1 : x + f_.offW[k];
    }

    int maxScoreAt(int k, int r, i64 q, i64 x) const
    {
        return f_.scoreAt(k, r, q, x, [&](size_t l, i64 xx, i64) { return bits::test(layer(l), xx); });
    }

private:
    WidthOracle(const Problem &p, bool scoring) : f_(p, scoring)
    {
        W_ = size_t(f_.X / 64 + 1);
        topMask_ = (f_.X % 64 == 63) ? ~u64(0) : ((u64(1) << (f_.X % 64 + 1)) - 1);
    }

    FoldedSlots f_;
    size_t W_ = 1;
    u64 topMask_ = 0;
    std::vector<u64> table_, pow_, acc_;
    std::vector<i64> top_;  // highest member of each layer: a query above it starts there

    u64 *layer(size_t l) { return &table_[l * W_]; }
    const u64 *layer(size_t l) const { return &table_[l * W_]; }

    void shiftOr(u64 *dst, const u64 *src, i64 sh) const { bits::shiftOr(dst, src, sh, W_, topMask_); }

    // dst |= src shifted by extra + c*w for every c from c1 to c2.
    void rangeShiftOr(u64 *dst, const u64 *src, i64 w, i64 c1, i64 c2, i64 extra)
    {
        const i64 X = f_.X;
        if (c1 > c2) return;
        const i64 from = c1 * w + extra;
        if (from > X) return;
        if (w == 0) return shiftOr(dst, src, from);
        i64 n = std::min(c2 - c1, (X - from) / w) + 1;
        // acc = src shifted by t*w for every t below n, by binary doubling.
        std::copy_n(src, W_, pow_.begin());
        std::fill(acc_.begin(), acc_.end(), 0);
        i64 len = 1, done = 0;
        for (;;) {
            if (n & 1) {
                shiftOr(acc_.data(), pow_.data(), done * w);
                done += len;
            }
            n >>= 1;
            if (n == 0) break;
            if (len <= X / w) shiftOr(pow_.data(), pow_.data(), len * w);
            len *= 2;
        }
        shiftOr(dst, acc_.data(), from);
    }

    void fill(const Problem &p)
    {
        table_.assign(f_.layers * W_, 0);
        pow_.assign(W_, 0);
        acc_.assign(W_, 0);
        for (int r = 0; r <= f_.R; ++r) layer(f_.layer(kSlotCount, r, 0))[0] = 1;
        f_.forEachStep(p, [&](int k, size_t dst, size_t src, const FoldedSlots::Piece &piece) {
            rangeShiftOr(layer(dst), layer(src), p.w[k], piece.c1, piece.c2, f_.offW[k + 1]);
        });
        // Every score together, then the highest member of each layer.
        f_.forEachScore([&](size_t all, size_t one) {
            u64 *any = layer(all);
            const u64 *v = layer(one);
            for (size_t i = 0; i < W_; ++i) any[i] |= v[i];
        });
        top_.resize(f_.layers);
        for (size_t l = 0; l < f_.layers; ++l) top_[l] = bits::highestAtMost(layer(l), f_.X);
    }
};

// Exact answers when the knives do run short: for every width, the fewest
// strips with which the slots from k on make it, per column count and
// score. Each slot's range of counts is added with a sliding minimum over
// the widths that differ by its own width.
class FewestOracle {
public:
    static constexpr double kMaxCells = double(1 << 23);  // 32 MB

    static std::optional<FewestOracle> build(const Problem &p, bool scoring, bool sizeOnly = false)
    {
        i64 strips = 0;
        for (int k = 0; k < kSlotCount; ++k) strips = std::min(kBig, strips + p.hi[k]);
        if (strips >= kNone) return std::nullopt;
        FewestOracle t(p, scoring);
        if (double(t.f_.layers) * double(t.L_ + 2 * t.P_) > kMaxCells) return std::nullopt;
        if (!sizeOnly) t.fill(p);
        return t;
    }

    // The filling in the word operations of TableOracle::cost(): a few
    // steps of a sliding minimum per width of each piece of each layer.
    double cost() const { return 12.0 * double(f_.layers) * double(L_); }

    i64 maxWidth(int k, int r, i64 q, i64 cap, i64 floor = 0) const
    {
        int a = 0, rr = 0;
        i64 qq = 0;
        if (!f_.locate(k, r, q, a, rr, qq)) return -1;
        const i64 lo = std::max<i64>(floor - f_.offW[k], 0);
        const i64 hi = std::min(cap - f_.offW[k], f_.X);
        const i64 x = rightmostWithin(f_.allScores(a, rr), lo, hi, qq);
        return x < 0 ? -1 : x + f_.offW[k];
    }

    int maxScoreAt(int k, int r, i64 q, i64 x) const
    {
        return f_.scoreAt(k, r, q, x, [&](size_t l, i64 xx, i64 qq) { return cell(l, xx) <= qq; });
    }

private:
    static constexpr std::int32_t kNone = std::int32_t(1) << 30;  // width not made at all

    static constexpr i64 kLeaf = 32;  // widths under one leaf of the tree

    FewestOracle(const Problem &p, bool scoring) : f_(p, scoring)
    {
        L_ = size_t(f_.X) + 1;
        P_ = std::bit_ceil((L_ + kLeaf - 1) / kLeaf);
    }

    FoldedSlots f_;
    size_t L_ = 1, P_ = 1;
    std::vector<std::int32_t> table_;
    std::vector<std::int32_t> tree_;  // per layer: minimum over each binary range of leaves
    std::vector<i64> window_;

    std::int32_t *layer(size_t l) { return &table_[l * L_]; }
    const std::int32_t *layer(size_t l) const { return &table_[l * L_]; }
    std::int32_t cell(size_t l, i64 x) const { return table_[l * L_ + size_t(x)]; }

    // Highest x in [lo, hi] made with at most q strips, or -1: down the
    // tree of minima, so a query costs a few dozen steps however far the
    // answer lies below hi.
    i64 rightmostWithin(size_t l, i64 lo, i64 hi, i64 q) const
    {
        if (lo > hi) return -1;
        return rightmost(layer(l), &tree_[l * 2 * P_], 1, 0, i64(P_) - 1, lo, hi, q);
    }

    // Leaves nl..nr of the tree below node.
    static i64 rightmost(const std::int32_t *v, const std::int32_t *t, size_t node, i64 nl, i64 nr, i64 lo,
                         i64 hi, i64 q)
    {
        if ((nr + 1) * kLeaf - 1 < lo || nl * kLeaf > hi || t[node] > q) return -1;
        if (nl == nr) {
            for (i64 x = std::min(hi, (nl + 1) * kLeaf - 1); x >= std::max(lo, nl * kLeaf); --x)
                if (v[x] <= q) return x;
            return -1;
        }
        const i64 mid = nl + (nr - nl) / 2;
        const i64 x = rightmost(v, t, 2 * node + 1, mid + 1, nr, lo, hi, q);
        return x >= 0 ? x : rightmost(v, t, 2 * node, nl, mid, lo, hi, q);
    }

    // dst[extra + y] = min(dst, src[y - c*w] + c + extraS) over c in [c1, c2].
    void addRange(std::int32_t *dst, const std::int32_t *src, i64 w, i64 c1, i64 c2, i64 extra, i64 extraS)
    {
        const i64 top = f_.X - extra;  // highest y
        if (top < 0 || c1 > c2) return;
        auto put = [&](i64 y, i64 v) {
            if (v < kNone && v < dst[extra + y]) dst[extra + y] = std::int32_t(v);
        };
        if (w == 0) {
            for (i64 y = 0; y <= top; ++y)
                if (src[y] < kNone) put(y, src[y] + c1 + extraS);
            return;
        }
        if (c1 > top / w) return;
        // Along one residue y = rho + j*w, the best t = j - c in [j - c2, j - c1]
        // minimises src[rho + t*w] - t: a monotone window of candidates.
        window_.resize(size_t(top / w) + 2);
        for (i64 rho = 0; rho < w && rho <= top; ++rho) {
            size_t head = 0, tail = 0;
            auto value = [&](i64 t) { return i64(src[rho + t * w]) - t; };
            for (i64 j = c1; rho + j * w <= top; ++j) {
                const i64 t = j - c1;  // enters the window
                if (src[rho + t * w] < kNone) {
                    while (tail > head && value(window_[tail - 1]) >= value(t)) --tail;
                    window_[tail++] = t;
                }
                while (tail > head && window_[head] < j - c2) ++head;
                if (tail > head) put(rho + j * w, value(window_[head]) + j + extraS);
            }
        }
    }

    void fill(const Problem &p)
    {
        table_.assign(f_.layers * L_, kNone);
        for (int r = 0; r <= f_.R; ++r) layer(f_.layer(kSlotCount, r, 0))[0] = 0;
        f_.forEachStep(p, [&](int k, size_t dst, size_t src, const FoldedSlots::Piece &piece) {
            addRange(layer(dst), layer(src), p.w[k], piece.c1, piece.c2, f_.offW[k + 1], f_.offS[k + 1]);
        });
        f_.forEachScore([&](size_t all, size_t one) {
            std::int32_t *any = layer(all);
            const std::int32_t *v = layer(one);
            for (size_t x = 0; x < L_; ++x) any[x] = std::min(any[x], v[x]);
        });
        tree_.assign(f_.layers * 2 * P_, kNone);
        for (size_t l = 0; l < f_.layers; ++l) {
            std::int32_t *t = &tree_[l * 2 * P_];
            const std::int32_t *v = layer(l);
            for (size_t x = 0; x < L_; ++x) t[P_ + x / kLeaf] = std::min(t[P_ + x / kLeaf], v[x]);
            for (size_t i = P_ - 1; i >= 1; --i) t[i] = std::min(t[2 * i], t[2 * i + 1]);
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
        for (int k = kSlotCount - 1; k >= 0; --k) {
            pot_[k] = pot_[k + 1] + (k < kScoreSlots && p.lo[k] + 1 <= p.hi[k] ? 1 : 0);
            restW_[k] = std::min(kBig, restW_[k + 1] + p.hi[k] * p.w[k]);
        }
        widestAll_ = o.maxWidth(0, p.colBudget, p.maxStrips, p.cap);
    }

    void scan(int k, i64 used, i64 strips, int cols, int score)
    {
        if (k == last_) return meetLastSlot(used, strips, cols, score);
        const i64 w = p_.w[k];
        i64 top = std::min(p_.hi[k], p_.maxStrips - strips);
        if (w > 0) top = std::min(top, (p_.cap - used) / w);
        const i64 bonus = k < kScoreSlots ? p_.lo[k] + 1 : -1;
        // Counts so low that even the widest rest cannot reach the best width.
        i64 from = p_.lo[k];
        const i64 gap = best_ - used - restW_[k + 1] + (mode_ == SearchMode::FirstWidest ? 1 : 0);
        if (w > 0 && gap > 0) from = std::max(from, (gap + w - 1) / w);
        for (i64 c = from; c <= top; ++c) {
            if (best_ >= widestAll_) {
                // No wider cut is left: the first widest is final, and only a
                // score above the bar can still change anything.
                if (mode_ == SearchMode::FirstWidest) return;
                if (score + pot_[k + 1] <= bar_) {
                    if (c > bonus) break;
                    c = bonus;
                    if (c > top) break;
                }
            }
            const int cols2 = cols + (takesColumn(p_, k, c) ? 1 : 0);
            if (cols2 > p_.colBudget) break;
            const i64 used2 = used + c * w, strips2 = strips + c;
            const int score2 = score + scoreOf(p_, k, c);
            cur_[k] = c;
            const int r = p_.colBudget - cols2;
            const i64 q = p_.maxStrips - strips2;
            // Only a completion that can still reach the best width matters.
            const i64 floor = best_ - used2 + (mode_ == SearchMode::FirstWidest ? 1 : 0);
            const i64 mw = o_.maxWidth(k + 1, r, q, p_.cap - used2, floor);
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
        // Without the count one above the minimum the score falls short.
        const i64 bonus = k < kScoreSlots ? p_.lo[k] + 1 : -1;
        const bool onlyBonus = score + pot_[k + 1] < need;
        for (i64 c = top; c >= p_.lo[k]; --c) {
            if (onlyBonus) {
                if (bonus < p_.lo[k] || c < bonus) break;
                c = bonus;
            }
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
    std::array<int, kSlotCount + 1> pot_{};  // score slots from k on that can score
    std::array<i64, kSlotCount + 1> restW_{};  // widest the slots from k on can be
    i64 widestAll_ = 0;                      // widest any cut can be, or a bound of it
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
    const bool scoring = mode == SearchMode::ScoreTieBreak;
    // A strategy asked for by name is taken only within the size limits that
    // Auto keeps: a wide coil with many knives would otherwise ask for tables
    // of terabytes.
    switch (strategy) {
    case Strategy::Tables:
        if (auto t = TableOracle::build(p)) return run(in, p, *t, mode);
        break;
    case Strategy::WidthTables:
        if (auto t = WidthOracle::build(p, scoring)) return run(in, p, *t, mode);
        break;
    case Strategy::FewestTables:
        if (auto t = FewestOracle::build(p, scoring)) return run(in, p, *t, mode);
        break;
    case Strategy::BoundsOnly: return run(in, p, BoundsOracle(p), mode);
    case Strategy::Auto: break;
    }

    if (auto t = WidthOracle::build(p, scoring)) return run(in, p, *t, mode);
    // Of the two kinds of tables that count strips, the one quicker to fill.
    const auto table = TableOracle::build(p, true);
    const auto fewest = FewestOracle::build(p, scoring, true);
    if (table && (!fewest || table->cost() <= fewest->cost())) return run(in, p, *TableOracle::build(p), mode);
    if (fewest) return run(in, p, *FewestOracle::build(p, scoring), mode);
    return run(in, p, BoundsOracle(p), mode);
}

} // namespace detail

bool knifeSearchFits(const KnifeSearchInput &in, SearchMode mode)
{
    const Problem p = normalise(in);
    if (!p.feasible) return true;
    double walk = 1;
    for (int k = 0; k < kSlotCount; ++k) walk *= double(p.hi[k] - p.lo[k] + 1);
    const bool scoring = mode == SearchMode::ScoreTieBreak;
    return walk <= kSmallWalk || WidthOracle::build(p, scoring, true) || TableOracle::build(p, true) ||
           FewestOracle::build(p, scoring, true);
}

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
