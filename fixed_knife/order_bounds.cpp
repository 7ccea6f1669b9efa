#include "fixed_knife/order_bounds.h"

#include "platform/coil_range.h"
#include "platform/numtext.h"

#include <algorithm>
#include <cmath>

namespace fk {

const char *const kWeightTooLarge = "Το βάρος της παραγγελίας είναι πολύ μεγάλο. Παρακαλώ ορίστε καινούργια";

namespace {

using i64 = std::int64_t;

const char *const kTooManyRows =
    "Ο αριθμός των αιτουμένων προϊόντων προς παραγωγή είναι μεγαλύτερος από τον αριθμό μαχαιριών";
constexpr double kWeightLimit = 10000;

// Slots 7.. get the chosen secondary widths in table order; the rest are
// emptied so that no width of an earlier solve stays in the search.
void loadSecondaries(OrderBounds &b, const std::vector<SecondaryWidth> &chosen)
{
    int n = 0;
    for (const SecondaryWidth &s : chosen) {
        if (n == kSecondarySlots) break;
        if (s.count == 0) continue;
        ItemSlot &slot = b.search.items[kOrderedSlots + n++];
        slot.width = s.width;
        slot.lo = 0;
        slot.hi = s.count;
        slot.tonnesPerStrip = b.coilWeight / b.usableWidth * double(s.width);
    }
    for (int k = kOrderedSlots + n; k < kSlotCount; ++k) b.search.items[k] = ItemSlot{};
}

// A search that could keep the window busy for minutes is not armed.
OrderBounds &refuseIfTooLarge(OrderBounds &b)
{
    if (!knifeSearchFits(b.search, b.searchMode)) {
        b.stop = BoundsStop::SearchTooLarge;
        b.message = {plat::kCoilTooWideToSearch, Focus{"txtMikos"}};
    }
    return b;
}

// Each ordered slot may take the knives left after the minimums of the
// slots before it.
void setMaximums(OrderBounds &b)
{
    auto &slots = b.search.items;
    for (int k = 0; k < kOrderedSlots; ++k) slots[k].hi = 0;
    slots[0].hi = b.maxStrips;
    for (int k = 0; k < b.lastRow; ++k) slots[k + 1].hi = slots[k].hi - slots[k].lo;
}

} // namespace

OrderBounds computeOrderBounds(const OrderValues &v, SolveMode mode, const std::vector<SecondaryWidth> &chosen)
{
    OrderBounds b;
    b.searchMode = mode == SolveMode::WithProportion ? SearchMode::FirstWidest : SearchMode::ScoreTieBreak;
    b.solvedRows = v.rows;
    b.maxStrips = v.maxStrips;
    b.leftTrimText = v.leftTrimText;
    b.leftTrim = v.leftTrim;
    b.rightTrim = v.rightTrim;
    b.coilWeight = v.coilWeight;
    b.usableWidth = v.coilWidth - v.leftTrim - v.rightTrim;
    b.kgPerMm = b.coilWeight / b.usableWidth * 1000;
    b.lastRow = int(v.rows.size()) - 1;
    const double U = b.usableWidth;

    if (b.lastRow >= b.maxStrips) {
        b.stop = BoundsStop::TooManyRows;
        b.message = {kTooManyRows, Focus{"Text4"}};
        return b;
    }

    // Strips are counted exactly only up to 2^53. An order beyond that (a
    // weight or a coil far outside any real one) cannot be figured: it is
    // refused rather than shown with strips and coils cut short.
    for (const OrderRowValues &row : v.rows) {
        const double weight = plat::roundHalfEven(row.weight);
        const double strips = plat::fixPart(weight * U / plat::roundHalfEven(row.width) / b.coilWeight);
        if (!(weight <= kExactWhole && strips <= kExactWhole)) {
            b.stop = BoundsStop::WeightTooLarge;
            b.message = {kWeightTooLarge, std::nullopt};
            return b;
        }
    }

    double filled = 0;  // mm of usable width the needed strips cover
    for (const OrderRowValues &row : v.rows) {
        OrderedRowBounds r;
        r.width = clampedWhole(plat::roundHalfEven(row.width));
        r.orderWeight = clampedWhole(plat::roundHalfEven(row.weight));
        r.strips = clampedWhole(plat::fixPart(double(r.orderWeight) * U / double(r.width) / b.coilWeight));
        r.tonnesPerStrip = b.coilWeight / U * double(r.width);
        r.roles = plat::intStr(r.strips);
        filled += double(r.strips) * double(r.width);
        b.rows.push_back(std::move(r));
    }
    // One coil more than an exact fill needs: kept as the planners know it.
    b.coils = plat::fixPart(filled / U) + 1;
    for (OrderedRowBounds &r : b.rows) r.perCoil = clampedWhole(plat::fixPart(double(r.strips) / b.coils));

    if (mode == SolveMode::WithProportion) {
        for (const OrderRowValues &row : v.rows) {
            if (row.weight > kWeightLimit) {
                b.stop = BoundsStop::WeightTooLarge;
                b.message = {kWeightTooLarge, std::nullopt};
                return b;
            }
        }
    }

    auto &slots = b.search.items;
    double widthSum = 0;
    for (int i = 0; i <= b.lastRow; ++i) {
        ItemSlot &s = slots[i];
        s.width = b.rows[i].width;
        s.tonnesPerStrip = b.rows[i].tonnesPerStrip;
        s.lo = mode == SolveMode::WithProportion ? std::max<i64>(b.rows[i].perCoil, 1) : 1;
        widthSum += double(s.width);
    }
    if (widthSum > U) {
        b.stop = BoundsStop::NoSolution;
        b.message = {kNoSolutionText, std::nullopt};
        return b;
    }

    // Lower the minimums, first rows first and each down to 1, until they fit
    // the knives and then the usable width. One strip of each row fits both
    // (checked above and in TooManyRows), so both loops end.
    i64 strips = 0;
    for (int i = 0; i <= b.lastRow; ++i) strips += slots[i].lo;
    if (strips > b.maxStrips) {
        b.noticeForKnives = true;
        i64 excess = strips - b.maxStrips;
        for (int i = 0; i <= b.lastRow && excess > 0; ++i) {
            const i64 d = std::min(slots[i].lo - 1, excess);
            slots[i].lo -= d;
            excess -= d;
        }
    }
    // Used widths are whole millimetres: "sum > U" is "sum > floor(U)".
    const double room = std::floor(U);
    double used = 0;
    for (int i = 0; i <= b.lastRow; ++i) used += double(slots[i].width) * double(slots[i].lo);
    if (used > room) {
        b.noticeForWidth = true;
        double excess = used - room;
        for (int i = 0; i <= b.lastRow && excess > 0; ++i) {
            const double w = double(slots[i].width);
            const i64 d = std::min(slots[i].lo - 1, clampedWhole(std::ceil(excess / w)));
            slots[i].lo -= d;
            excess -= double(d) * w;
        }
    }

    setMaximums(b);
    loadSecondaries(b, chosen);
    b.search.orderedCount = b.lastRow + 1;
    b.search.usableWidth = U;
    b.search.maxStrips = b.maxStrips;
    return refuseIfTooLarge(b);
}

OrderBounds withShownMinimums(const OrderBounds &solved, const std::vector<std::int64_t> &counts,
                              const std::vector<SecondaryWidth> &chosen)
{
    OrderBounds b = solved;
    b.searchMode = SearchMode::FirstWidest;
    b.noticeForKnives = b.noticeForWidth = false;
    for (int i = 0; i <= b.lastRow && i < int(counts.size()); ++i) b.search.items[i].lo = counts[i];
    setMaximums(b);
    loadSecondaries(b, chosen);
    return refuseIfTooLarge(b);
}

} // namespace fk
