#include "strip_search/strip_search.h"

#include <algorithm>
#include <cmath>

#include "platform/numtext.h"

namespace strip_search {

namespace {

using Counts = std::array<std::int64_t, kMaxRows>;

const char *const kRowLabel[kMaxRows] = {"Α", "Β", "Γ", "Δ", "Ε", "ΣΤ", "Ζ", "Η", "Θ", "Ι"};
const char *const kCoilsHaving = " ρολλάκια που έχουν: ";

// Counts far beyond any cut are held at a bound that keeps products in range.
std::int64_t wholeCount(double v)
{
    constexpr double kCeiling = 1e15;
    if (std::isnan(v)) return 0;
    return static_cast<std::int64_t>(std::clamp(v, -kCeiling, kCeiling));
}

std::string patternKey(const Counts &c, int n)
{
    std::string key;
    for (int i = 0; i < n; ++i) {
        if (i) key += '-';
        key += plat::intStr(c[i]);
    }
    return key;
}

std::string patternText(const Counts &c, int n, const SearchInputs &in, const std::string &waste)
{
    std::string text;
    for (int i = 0; i < n; ++i) {
        if (c[i] <= 0) continue;
        text += ' ';
        text += plat::intStr(c[i]);
        text += " x ";
        text += in.widthText[i];
        text += ',';
    }
    text += " φύρα: ";
    text += waste;
    return text;
}

std::string proposalLine(std::int64_t number, std::int64_t used, const Counts &c, int n,
                         const std::string &waste)
{
    std::string line = plat::intStr(number);
    line += ". Μέγιστο μήκος: ";
    line += plat::intStr(used);
    line += ",  έχουμε ";
    for (int j = 0; j < n; ++j) {
        if (j > 0) line += (j == n - 1) ? " και " : ", ";
        line += plat::intStr(c[j]);
        line += " x ";
        line += kRowLabel[j];
    }
    line += ". Φύρα:";
    line += waste;
    return line;
}

// One stored pattern per order row: the cut that carried most of its width.
struct StoredPattern {
    Counts count{};
    std::int64_t used = 0;
    std::int64_t waste = 0; // whole mm, halves to even
};

class Search {
public:
    Search(const SearchInputs &in, SearchState &st) : in_(in), st_(st), n_(in.lastRow + 1) {}

    SearchResult run()
    {
        res_.proposal2Reached = true;
        res_.repeatText.push_back(std::string());
        left_ = in_.stripsLeft;
        trimL_ = plat::parseNumber(in_.trimLeftText);
        trimR_ = plat::parseNumber(in_.trimRightText);
        prepare();
        passLoop();
        topUp();
        finish();
        return std::move(res_);
    }

private:
    void prepare()
    {
        problem_.rows = n_;
        problem_.usable = in_.usableWidth;
        problem_.maxStrips = wholeCount(in_.maxStripsPerCut);
        for (int i = 0; i < n_; ++i) {
            problem_.width[i] = in_.stripWidth[i];
            double fit = std::trunc(in_.usableWidth / static_cast<double>(in_.stripWidth[i]));
            if (fit > in_.maxStripsPerCut) fit = in_.maxStripsPerCut;
            maxFit_[i] = wholeCount(fit);
        }
    }

    void passLoop()
    {
        for (std::int64_t pass = 1; static_cast<double>(pass) <= in_.passes; ++pass) {
            for (int i = 0; i < n_; ++i) problem_.limit[i] = std::min(left_[i], maxFit_[i]);
            bool reuse = true;
            for (int i = 0; i < n_; ++i) reuse = reuse && best_[i] < left_[i];
            std::int64_t bestSum = 0;
            if (reuse) {
                for (int i = 0; i < n_; ++i) bestSum += best_[i];
            } else {
                best_.fill(0);
                bestUsed_ = 0;
                waste_ = 0;
            }
            if (bestSum == 0) {
                const PatternChoice choice = chooseOnce();
                best_ = choice.count;
                bestUsed_ = choice.used;
                waste_ = in_.usableWidth - static_cast<double>(choice.used);
            }
            // A cut without strips cuts nothing: it ends proposal 1 like a wasteful one.
            if (!(waste_ < 10) || bestUsed_ == 0) return;
            emitCut(pass);
        }
    }

    // Once a row is used up every pass searches, mostly with the limits of
    // the pass before: the same problem has the same answer.
    PatternChoice chooseOnce()
    {
        const bool same = chosenBefore_ && lastProblem_.rows == problem_.rows && lastProblem_.width == problem_.width &&
                          lastProblem_.limit == problem_.limit && lastProblem_.maxStrips == problem_.maxStrips &&
                          lastProblem_.usable == problem_.usable;
        if (!same) {
            lastChoice_ = choosePattern(problem_);
            lastProblem_ = problem_;
            chosenBefore_ = true;
        }
        return lastChoice_;
    }

    void emitCut(std::int64_t pass)
    {
        st_.lineNo = pass;
        for (int i = 0; i < n_; ++i) {
            if (seen_[i] < best_[i]) {
                seen_[i] = best_[i];
                stored_[i].count = best_;
                stored_[i].used = bestUsed_;
                stored_[i].waste = static_cast<std::int64_t>(plat::roundHalfEven(waste_));
            }
        }
        const std::string prevKey = res_.lstPro1.empty() ? std::string() : res_.lstPro1.back();
        const std::string key = patternKey(best_, n_);
        res_.lstPro1.push_back(key);
        res_.lstPro2.push_back(key);
        const std::string wasteText = plat::numStr(waste_);
        if (key != prevKey) {
            GridRow row;
            for (int k = 0; k < n_; ++k) row.counts.push_back(plat::intStr(best_[k]));
            row.waste = wasteText;
            res_.grid.push_back(std::move(row));
            repeatCount_ = 1;
            res_.repeatText.push_back(plat::intStr(repeatCount_));
            res_.list1.push_back(key);
            res_.list2.push_back(patternText(best_, n_, in_, wasteText));
        } else {
            ++repeatCount_;
            res_.repeatText.back() = plat::intStr(repeatCount_);
        }
        res_.grid.back().coils = res_.repeatText.back();

        st_.totalWaste += waste_;
        writeTotals(res_.proposal1, static_cast<double>(pass));

        res_.list3.push_back(proposalLine(pass, bestUsed_, best_, n_, wasteText));
        for (int i = 0; i < n_; ++i) left_[i] -= best_[i];

        res_.rows1.assign(n_, RowFigures());
        for (int i = 0; i < n_; ++i) {
            st_.stripsCut[i] = static_cast<std::int64_t>(std::floor(in_.stripsOrdered[i])) - left_[i];
            res_.rows1[i] = rowFigures(i);
            updateFillRatio(i);
        }
        ++res_.proposal1Coils;
    }

    // Running totals after a line; `coils` is the number of coils so far,
    // each carrying both edge trims. Trims that are no number leave the two
    // totals with trims unwritten.
    void writeTotals(ProposalTotals &t, double coils)
    {
        const double tw = st_.totalWaste;
        t.netWaste = plat::numStr(tw);
        t.netWasteKg = plat::numStr(in_.kgPerMm * tw);
        if (trimL_ && trimR_) {
            const double l = *trimL_, r = *trimR_;
            t.totalWaste = plat::numStr(tw + (l + r) * coils);
            t.totalWasteKg = plat::numStr((tw + l * coils + r * coils) * in_.kgPerMm);
        }
    }

    RowFigures rowFigures(int i) const
    {
        const double weight = static_cast<double>(st_.stripsCut[i]) / in_.usableWidth *
                              static_cast<double>(in_.stripWidth[i]) * in_.coilWeight;
        return RowFigures{plat::intStr(st_.stripsCut[i]), plat::numStr(weight)};
    }

    // A row ordered with no strips has no ratio; it keeps the one it held.
    void updateFillRatio(int i)
    {
        if (in_.stripsOrdered[i] != 0)
            st_.fillRatio[i] = static_cast<double>(st_.stripsCut[i]) / in_.stripsOrdered[i];
    }

    void topUp()
    {
        res_.list3.push_back("Η <<ΠΡΟΤΑΣΙΣ 1>> είναι μέχρι αυτο το σημείο.");
        res_.list3.push_back("Οι παρακάτω γραμμές σε άθροισμα με τις " + plat::intStr(st_.lineNo) +
                             " παραπάνω είναι η <<ΠΡΟΤΑΣΙΣ 2>>");
        for (int i = 0; i < n_; ++i) {
            // Set just before the row's turn: earlier rows' lines count too.
            std::int64_t plan = 0;
            if (seen_[i] > 0 && st_.fillRatio[i] < in_.fillThreshold)
                plan = wholeCount(std::trunc(static_cast<double>(left_[i]) / static_cast<double>(seen_[i]))) + 1;
            for (std::int64_t rep = 0; rep < plan; ++rep) {
                if (st_.fillRatio[i] > in_.fillThreshold) break;
                topUpLine(stored_[i]);
            }
        }
    }

    void topUpLine(const StoredPattern &p)
    {
        ++st_.lineNo;
        st_.totalWaste += static_cast<double>(p.waste);
        writeTotals(res_.proposal2, static_cast<double>(st_.lineNo));
        res_.list3.push_back(proposalLine(st_.lineNo, p.used, p.count, n_, plat::intStr(p.waste)));
        res_.lstPro2.push_back(patternKey(p.count, n_));
        for (int j = 0; j < n_; ++j) {
            st_.stripsCut[j] += p.count[j];
            left_[j] -= p.count[j];
            updateFillRatio(j);
        }
        ++res_.topUpCoils;
    }

    void finish()
    {
        for (int k = 0; k < n_; ++k) res_.rows2.push_back(rowFigures(k));
        // Without top-up lines proposal 2 is proposal 1, totals included.
        if (res_.topUpCoils == 0) res_.proposal2 = res_.proposal1;
        res_.stripsLeft = left_;
        collectPatterns();
        res_.waste1 = wasteShare(res_.proposal1, res_.rows1);
        res_.waste2 = wasteShare(res_.proposal2, res_.rows2);
    }

    void collectPatterns()
    {
        auto &pats = res_.patterns;
        auto find = [&](const std::string &key) {
            return std::find_if(pats.begin(), pats.end(),
                                [&](const DistinctPattern &p) { return p.key == key; });
        };
        for (size_t r = 0; r < res_.list1.size(); ++r) {
            if (find(res_.list1[r]) != pats.end()) continue;
            DistinctPattern pat;
            pat.key = res_.list1[r];
            pat.text = res_.list2[r];
            pats.push_back(std::move(pat));
        }
        // Top-up lines repeat stored proposal-1 patterns, so every key is found.
        for (const auto &k : res_.lstPro1) ++find(k)->coils1;
        for (const auto &k : res_.lstPro2) ++find(k)->coils2;
        for (auto &p : pats) {
            p.countText1 = plat::intStr(p.coils1) + kCoilsHaving;
            p.countText2 = plat::intStr(p.coils2) + kCoilsHaving;
            p.line1 = p.countText1 + p.text;
            p.line2 = p.countText2 + p.text;
        }
    }

    WasteShare wasteShare(const ProposalTotals &t, const std::vector<RowFigures> &rows) const
    {
        WasteShare w;
        w.show = t.netWaste.has_value();
        if (!w.show) return w;
        for (const auto &r : rows) w.productTonnes += plat::parseNumber(r.productWeight).value_or(0);
        if (!t.totalWasteKg) return w; // no weight to divide: the box is left empty
        w.wasteKg = plat::parseNumber(*t.totalWasteKg).value_or(0);
        w.percent = wastePercent(w.wasteKg, w.productTonnes);
        return w;
    }

    const SearchInputs &in_;
    SearchState &st_;
    const int n_;
    SearchResult res_;

    std::optional<double> trimL_, trimR_;
    PatternProblem problem_;
    PatternProblem lastProblem_;
    PatternChoice lastChoice_;
    bool chosenBefore_ = false;
    Counts maxFit_{};
    Counts left_{};
    Counts best_{};
    std::int64_t bestUsed_ = 0;
    double waste_ = 0;
    Counts seen_{};
    std::array<StoredPattern, kMaxRows> stored_{};
    std::int64_t repeatCount_ = 0;
};

} // namespace

SearchResult runSearch(const SearchInputs &inputs, SearchState &state)
{
    if (inputs.lastRow < 0 || inputs.lastRow >= kMaxRows) return SearchResult{};
    Search search(inputs, state);
    return search.run();
}

std::optional<double> wastePercent(double wasteKg, double productTonnes)
{
    if (productTonnes == 0) return std::nullopt;
    const double thousandths = plat::roundHalfEven(wasteKg / productTonnes * 100);
    if (!std::isfinite(thousandths)) return std::nullopt;
    return thousandths / 1000;
}

} // namespace strip_search
