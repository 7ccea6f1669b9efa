#include "fixed_knife/hand_cut.h"

#include "fixed_knife/order_inputs.h"
#include "platform/numtext.h"

#include <cmath>
#include <optional>

namespace fk {

const char *const kCountAboveKnivesText =
    "Έχετε υπερβεί τον συνολικό αριθμό τσερκιών ανά κοπή. Η λύσις είναι αδύνατη";
const char *const kNegativeCountText =
    "Ο αριθμός τσερκιών ανά κοπή δεν μπορεί να είναι αρνητικός. Η λύσις είναι αδύνατη";
const char *const kCountSumAboveKnivesText =
    "Έχετε υπερβεί τον συνολικό αριθμο τσερκιών ανά κοπή. Η λύσις είναι αδύνατη";
const char *const kTooManyCoilsText = "Δεν έχετε ορίσει σωστά τον αριθμό των ρόλλων";
const char *const kBadCoilsText = "Δεν έχετε ορίσει σωστά τον αριθμό των τσερκιών";
const char *const kImpossibleText = "Η λύσις είναι αδύνατη";

namespace {

std::string trimmed(const std::string &s)
{
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    const auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// A strip count: a whole number; a fraction of a strip cannot be cut.
std::optional<double> wholeCount(const std::string &text)
{
    const auto v = plat::parseNumber(text);
    if (!v || *v != std::floor(*v)) return std::nullopt;
    return v;
}

double numberOr0(const std::string &text) { return plat::parseNumber(text).value_or(0); }

// Columns of the cut program that show a width, from the first.
int shownColumns(const CutRowTexts &widths)
{
    int n = 0;
    while (n < kMaxColumns && !plat::isBlankText(widths[size_t(n)])) ++n;
    return n;
}

CutRowTexts withSearchedCounts(CutRowTexts akommati, const SearchedCut &cut)
{
    for (int i = 0; i <= cut.lastRow && i < kMaxColumns; ++i) akommati[size_t(i)] = plat::numStr(cut.saved[size_t(i)]);
    return akommati;
}

// Tonnes of one strip over a coil for each shown column: the ordered rows
// own the first columns, the secondary widths with strips follow in slot
// order (equal widths weigh the same, so the width finds the slot).
std::vector<double> columnTonnes(const OrderBounds &b, const CutRowTexts &widths, int columns)
{
    std::vector<double> t(size_t(columns), 0.0);
    std::array<bool, kSlotCount> taken{};
    for (int c = 0; c < columns; ++c) {
        if (c < b.search.orderedCount) {
            t[size_t(c)] = b.search.items[size_t(c)].tonnesPerStrip;
            continue;
        }
        const double w = numberOr0(widths[size_t(c)]);
        for (int k = kOrderedSlots; k < kSlotCount; ++k) {
            const ItemSlot &s = b.search.items[size_t(k)];
            if (taken[size_t(k)] || s.hi <= 0 || double(s.width) != w) continue;
            taken[size_t(k)] = true;
            t[size_t(c)] = s.tonnesPerStrip;
            break;
        }
    }
    return t;
}

void produced(HandCutResult &r, const OrderBounds &b, const CutRowTexts &widths, const CutRowTexts &counts,
              double n)
{
    const int columns = shownColumns(widths);
    const std::vector<double> tonnes = columnTonnes(b, widths, columns);
    for (int c = 0; c < columns; ++c) {
        const double a = plat::intPart(numberOr0(counts[size_t(c)]));
        r.proion.push_back(plat::numStr(a * tonnes[size_t(c)] * n));
        r.roles1.push_back(plat::numStr(n * a));
    }
}

} // namespace

CountEdit checkCountEdit(const CutRowTexts &widths, const CutRowTexts &akommati, int index,
                         const std::string &text4, const SearchedCut &searched)
{
    CountEdit e;
    const auto value = index >= 0 && index < kMaxColumns ? wholeCount(akommati[size_t(index)]) : std::nullopt;
    if (!value) {
        e.message = kBadCount;
        return e;
    }
    const double knives = plat::parseNumber(text4).value_or(double(searched.maxStrips));
    const auto restore = [&](const char *message) {
        e.outcome = CountEditOutcome::Restore;
        e.message = message;
        e.akommati = withSearchedCounts(akommati, searched);
        e.maxairia = plat::intStr(searched.freeKnives);
        e.dblFira = searched.saved[10];
        e.fira = plat::numStr(e.dblFira);
        return e;
    };
    if (*value > plat::intPart(knives)) return restore(kCountAboveKnivesText);
    if (*value < 0) return restore(kNegativeCountText);
    double total = 0;
    for (int c = 0; c < kMaxColumns; ++c)
        if (!plat::isBlankText(widths[size_t(c)])) total += numberOr0(trimmed(akommati[size_t(c)]));
    if (total > knives) return restore(kCountSumAboveKnivesText);

    e.outcome = CountEditOutcome::Accepted;
    e.akommati = akommati;
    for (int i = 0; i <= searched.lastRow && i < kMaxColumns; ++i) e.akommati[size_t(i)] = trimmed(akommati[size_t(i)]);
    double used = 0, strips = 0;
    for (int c = 0; c < kMaxColumns; ++c) {
        if (plat::isBlankText(widths[size_t(c)])) continue;
        std::string &count = e.akommati[size_t(c)];
        if (count.empty()) count = "0";
        const double n = numberOr0(count);
        used += n * plat::intPart(numberOr0(widths[size_t(c)]));
        strips += plat::intPart(n);
    }
    e.maxairia = plat::intStr(clampedWhole(plat::intPart(knives) - strips));
    e.dblFira = searched.usableWidth - used;
    e.fira = plat::numStr(e.dblFira);
    return e;
}

std::vector<std::string> coilsCutBack(const std::string &grammi)
{
    std::vector<std::string> steps;
    std::string t = grammi;
    for (;;) {
        if (plat::isBlankText(t)) break;
        const auto v = plat::parseNumber(t);
        if (!v || std::fabs(plat::roundHalfEven(*v)) <= kMaxCoils) break;
        t.pop_back();
        steps.push_back(t);
    }
    return steps;
}

HandCutResult solveHandCut(const HandCutInput &in)
{
    HandCutResult r;
    const auto refuse = [&](const char *message) {
        r.outcome = HandCutOutcome::Refused;
        r.message = message;
        return r;
    };
    const int lastTicked = in.tickedRows - 1;
    // A cut belongs to the order it was searched for: once rows were ticked
    // or cleared, or the order was replaced, its figures would land on the
    // wrong rows.
    if (in.orderReplaced || lastTicked != in.intLastRow || (in.searched && lastTicked != in.searched->lastRow))
        return refuse(kOrderChanged);
    const auto coils = plat::parseNumber(in.grammi);
    if (!coils || *coils < 0) return refuse(kBadCoilsText);
    if (plat::isBlankText(in.akommati[0]) || !in.searched) return r;
    for (int c = 0; c < kMaxColumns; ++c) {
        if (plat::isBlankText(in.widths[size_t(c)])) continue;
        const auto count = wholeCount(in.akommati[size_t(c)]);
        if (!count || *count < 0) return refuse(kBadCount);
    }

    const OrderBounds &b = *in.searched;
    const double n = plat::intPart(*coils);
    r.trims = b.rightTrim + b.leftTrim;
    const double kg = b.kgPerMm;
    if (in.dblFira < 0) {
        // Wider than the coil: back to the searched cut, with its own figures.
        const double fira = in.cut.saved[10];
        r.outcome = HandCutOutcome::Impossible;
        r.message = kImpossibleText;
        r.akommati = withSearchedCounts(in.akommati, in.cut);
        r.dblFira = fira;
        r.fira = plat::numStr(fira);
        produced(r, b, in.widths, r.akommati, n);
        r.text3 = plat::numStr(n * fira);
        r.text5 = plat::numStr(fira * kg * n);
        r.text8 = plat::numStr((fira + r.trims) * n);
        r.text10 = plat::numStr((fira + r.trims) * kg * n);
        return r;
    }

    if (!plat::parseNumber(in.txtArxi) || plat::isBlankText(in.grammi)) return r;
    r.outcome = HandCutOutcome::Accepted;
    r.akommati = in.akommati;
    r.dblFira = in.dblFira;
    r.fira = plat::numStr(in.changed ? in.dblFira : in.cut.saved[10]);
    produced(r, b, in.widths, in.akommati, n);
    const double fira = in.dblFira;
    r.text3 = plat::numStr(n * fira);
    r.text5 = plat::numStr(n * kg * fira);
    r.text8 = plat::numStr(n * (fira + r.trims));
    r.text10 = plat::numStr(n * (fira + r.trims) * kg);
    return r;
}

} // namespace fk
