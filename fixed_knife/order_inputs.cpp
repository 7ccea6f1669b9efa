#include "fixed_knife/order_inputs.h"

#include "fixed_knife/hand_cut.h"
#include "platform/coil_range.h"
#include "platform/numtext.h"

#include <algorithm>
#include <cmath>

namespace fk {

const char *const kOrderChanged =
    "Υπάρχει αλλαγή στήν παραγγελία. Παρακαλώ δώστε νέα παραγγελία γιά νά συνεχίσετε.";
const char *const kBadCount = "Δεν έχετε ορίσει σωστά τον αριθμό κομματιών ανά κοπή";
const char *const kBadKnives = "Δεν έχετε ορίσει σωστά τον μέγιστο αριθμό τσερκιών ανά κοπή";

namespace {

const char *const kBadWidth = "Δεν έχετε ορίσει σωστά το εύρος ρόλου";
const char *const kBadWeight = "Δεν έχετε ορίσει σωστά το βάρος ρόλου";
const char *const kBadLeftTrimText = "Δεν έχετε ορίσει σωστά την αρχή.";
const char *const kBadLeftTrim = "Δεν έχετε ορίσει σωστά την αρχή";
const char *const kBadRightTrim = "Δεν έχετε ορίσει σωστά το τέλος";
const char *const kBadTrims = "Δεν έχετε ορίσει σωστά την φύρα";


void defaultIfBlank(std::string &s, const char *value)
{
    if (plat::isBlankText(s)) s = value;
}

OrderInputCheck &reject(OrderInputCheck &c, const char *text, const char *control, int index = -1)
{
    c.outcome = InputOutcome::Rejected;
    c.message = {text, Focus{control, index}};
    return c;
}

// The trims are written back with a decimal comma when they are numbers.
bool commaTrim(std::string &s)
{
    if (!plat::parseNumber(s)) return false;
    std::replace(s.begin(), s.end(), '.', plat::kDecimalSeparator);
    return true;
}

std::vector<const OrderRowTexts *> tickedRows(const std::array<OrderRowTexts, kOrderedSlots> &rows)
{
    std::vector<const OrderRowTexts *> out;
    for (const OrderRowTexts &r : rows)
        if (r.checked) out.push_back(&r);
    return out;
}

} // namespace

OrderInputCheck checkOrderInputs(const OrderInputTexts &t)
{
    OrderInputCheck c;
    c.fields = t.fields;
    OrderFieldTexts &f = c.fields;
    defaultIfBlank(f.txtArxi, "0");
    defaultIfBlank(f.txtTelos, "0");
    defaultIfBlank(f.txtMikos, "1250");
    defaultIfBlank(f.Text2, "8");
    defaultIfBlank(f.Text4, "11");

    for (int i = 0; i < kOrderedSlots; ++i) {
        const OrderRowTexts &r = t.rows[i];
        if (!r.checked) continue;
        if (plat::isBlankText(r.mikos)) return reject(c, kBadWidth, "Mikos", i);
        if (plat::isBlankText(r.baros)) return reject(c, kBadWeight, "Baros", i);
    }

    if (!commaTrim(f.txtArxi)) return reject(c, kBadLeftTrimText, "txtArxi");
    if (!commaTrim(f.txtTelos)) return reject(c, kBadRightTrim, "txtTelos");

    const double left = *plat::parseNumber(f.txtArxi);
    const double right = *plat::parseNumber(f.txtTelos);
    if (left < 0) return reject(c, kBadLeftTrim, "txtArxi");
    if (right < 0) return reject(c, kBadRightTrim, "txtTelos");
    const auto coilWidth = plat::parseNumber(f.txtMikos);
    // Beyond the widest and the heaviest coil the wastes and weights shown
    // could grow past every number.
    if (!coilWidth || *coilWidth < 0 || *coilWidth > plat::kMaxCoilWidth) return reject(c, kBadWidth, "txtMikos");
    // A coil weight of 0 would divide every strip weight by zero.
    const auto coilWeight = plat::parseNumber(f.Text2);
    if (!coilWeight || *coilWeight <= 0 || *coilWeight > plat::kMaxCoilWeight) return reject(c, kBadWeight, "Text2");
    const auto knives = plat::parseNumber(f.Text4);
    if (!knives || *knives < 0) return reject(c, kBadKnives, "Text4");

    std::vector<OrderRowValues> rows;
    for (int i = 0; i < kOrderedSlots; ++i) {
        const OrderRowTexts &r = t.rows[i];
        if (!r.checked) continue;
        const auto width = plat::parseNumber(r.mikos);
        // A width that rounds to 0 mm would divide by zero as well.
        if (!width || *width <= 0 || *width > *coilWidth || plat::roundHalfEven(*width) <= 0)
            return reject(c, kBadWidth, "Mikos", i);
        const auto weight = plat::parseNumber(r.baros);
        if (!weight || *weight <= 0) return reject(c, kBadWeight, "Baros", i);
        rows.push_back({*width, *weight});
    }

    if (left > *coilWidth) return reject(c, kBadLeftTrim, "txtArxi");
    if (right > *coilWidth) return reject(c, kBadRightTrim, "txtTelos");
    if (!(*coilWidth > left + right)) return reject(c, kBadTrims, "txtArxi");

    if (!t.rows[0].checked) {
        c.outcome = InputOutcome::NotStarted;
        return c;
    }

    // The strips of each row are counted from its weight in whole tonnes;
    // a weight past exact whole numbers, or a coil weight next to nothing,
    // would carry the count past every number.
    const double usable = *coilWidth - left - right;
    for (int i = 0, k = 0; i < kOrderedSlots; ++i) {
        if (!t.rows[i].checked) continue;
        const OrderRowValues &row = rows[size_t(k++)];
        const double tonnes = plat::roundHalfEven(row.weight);
        if (tonnes > kExactWhole) return reject(c, kWeightTooLarge, "Baros", i);
        if (!std::isfinite(tonnes * usable / plat::roundHalfEven(row.width) / *coilWeight))
            return reject(c, kBadWeight, "Text2");
    }
    // A row is judged by the share of its ordered weight that the cut
    // produces. No cut makes more of one width than a whole coil of it on
    // every coil: the order's coils (its tonnes in coils, and one more) or
    // as many as the coils cell takes. A weight so small that even that
    // share is beyond every number cannot be counted.
    double most = *coilWeight * (kMaxCoils + 1);
    for (const OrderRowValues &row : rows) most += plat::roundHalfEven(row.weight);
    for (int i = 0, k = 0; i < kOrderedSlots; ++i) {
        if (!t.rows[i].checked) continue;
        if (!std::isfinite(most / rows[size_t(k++)].weight * 1000)) return reject(c, kBadWeight, "Baros", i);
    }

    c.outcome = InputOutcome::Accepted;
    OrderValues &v = c.values;
    v.leftTrimText = f.txtArxi;
    v.leftTrim = left;
    v.rightTrim = right;
    v.coilWidth = *coilWidth;
    v.coilWeight = *coilWeight;
    v.maxStrips = clampedWhole(plat::intPart(*knives));
    v.rows = std::move(rows);
    return c;
}

ReleaseCheck releaseProportion(const OrderBounds *lastSearched, const std::array<OrderRowTexts, kOrderedSlots> &rows,
                               const std::vector<std::string> &akommati, const std::vector<SecondaryWidth> &chosen)
{
    ReleaseCheck k;
    const auto ticked = tickedRows(rows);
    k.lastRow = int(ticked.size()) - 1;
    if (akommati.empty() || plat::isBlankText(akommati[0])) return k;

    // The counts on screen belong to the order last searched; once the order
    // differs they would be read into the wrong rows.
    bool changed = !lastSearched || lastSearched->stop != BoundsStop::None ||
                   ticked.size() != lastSearched->solvedRows.size();
    for (size_t i = 0; !changed && i < ticked.size(); ++i) {
        const auto width = plat::parseNumber(ticked[i]->mikos);
        const auto weight = plat::parseNumber(ticked[i]->baros);
        changed = !width || !weight || OrderRowValues{*width, *weight} != lastSearched->solvedRows[i];
    }
    if (changed) {
        k.outcome = ReleaseOutcome::Rejected;
        k.message = {kOrderChanged, std::nullopt};
        return k;
    }

    std::vector<std::int64_t> counts;
    for (int i = 0; i <= k.lastRow; ++i) {
        const auto n = i < int(akommati.size()) ? plat::parseNumber(akommati[i]) : std::nullopt;
        if (!n || *n < 0) {
            k.outcome = ReleaseOutcome::Rejected;
            k.message = {kBadCount, Focus{"Akommati", i}};
            return k;
        }
        counts.push_back(clampedWhole(plat::intPart(*n)));
    }
    k.outcome = ReleaseOutcome::Armed;
    k.bounds = withShownMinimums(*lastSearched, counts, chosen);
    if (k.bounds.stop != BoundsStop::None) {
        k.outcome = ReleaseOutcome::Rejected;
        k.message = k.bounds.message;
    }
    return k;
}

} // namespace fk
