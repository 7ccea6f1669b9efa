#include "knife_change/solve.h"

#include "platform/coil_range.h"
#include "platform/numtext.h"
#include "strip_search/pattern_choice.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace kc {

namespace {

// Whole numbers up to 2^53 are exact in a double; widths and weights beyond
// that cannot be counted in strips and are refused.
constexpr double kMaxWhole = 9007199254740992.0;

void defaultIfBlank(std::string &s, const char *def)
{
    if (plat::isBlankText(s)) s = def;
}

std::optional<double> value(const std::string &s) { return plat::parseNumber(s); }

SolveResult stop(SolveResult r, const char *message, Focus focus)
{
    r.outcome = SolveResult::Outcome::Stopped;
    r.message = message;
    r.focus = std::move(focus);
    return r;
}

std::int64_t wholeOf(double v) { return static_cast<std::int64_t>(plat::roundHalfEven(v)); }

// Strips of one row needed for its ordered weight, in floating point, before
// truncation: ordered whole tonnes × usable width / strip width / coil weight.
double stripsNeeded(double weight, double width, double usable, double coilWeight)
{
    return plat::roundHalfEven(weight) * usable / plat::roundHalfEven(width) / coilWeight;
}

// The search tells the cuts of one coil apart with exact tables over the
// widths one cut can use: the usable width, or less when the order cannot
// fill it. A coil far wider than any real one, with an order to match,
// would overrun them and could keep the window busy for minutes.

bool cutWidthTooLarge(const SolveTexts &t, double usable, double coilWeight, double maxStrips)
{
    double cut = 0;
    for (int i = 0; i < kOrderRows; ++i) {
        if (!t.ticked[i]) continue;
        const double w = *value(t.Mikos[i]);
        const double strips = plat::fixPart(stripsNeeded(*value(t.Baros[i]), w, usable, coilWeight));
        const double fit = std::min(std::trunc(usable / plat::roundHalfEven(w)), maxStrips);
        cut += std::min(strips, fit) * plat::roundHalfEven(w);
    }
    return std::min(cut, std::floor(usable)) > double(strip_search::kMaxCutWidth);
}

} // namespace

bool sortByWidth(std::vector<OrderRowValue> &rows, std::string &)
{
    std::stable_sort(rows.begin(), rows.end(),
                     [](const OrderRowValue &a, const OrderRowValue &b) { return a.width < b.width; });
    return true;
}

SearchEntry searchEntryFor(int intLastRow)
{
    return intLastRow >= 5 && intLastRow <= 9 ? SearchEntry::Command2_Click : SearchEntry::List4_Click;
}

std::string searchEndMessage(const strip_search::SearchResult &result)
{
    if (result.proposal1Coils > 0 || result.topUpCoils > 0) return {};
    return "Αυτή η παραγγελία δεν έχει λύση. Παρακαλώ ορίστε καινούργια";
}

SolveResult solve(const SolveTexts &t, const RowSorter &sorter)
{
    SolveResult r;
    r.txtArxi = t.txtArxi;
    r.txtTelos = t.txtTelos;
    r.txtMikos = t.txtMikos;
    r.Text2 = t.Text2;
    r.Text4 = t.Text4;

    // Empty coil boxes take the usual values, and keep them even when a
    // later check fails.
    defaultIfBlank(r.txtArxi, "0");
    defaultIfBlank(r.txtTelos, "0");
    defaultIfBlank(r.txtMikos, "1250");
    defaultIfBlank(r.Text2, "8");
    defaultIfBlank(r.Text4, "11");

    // The accepted shortfall comes from the parameters and is not typed
    // here, but a bad stored value must not reach the search.
    const auto apoklisi = value(t.txtApoklisi);
    if (!apoklisi || *apoklisi < 0 || *apoklisi > 100) return stop(r, msg::Apoklisi, {});
    const double fillThreshold = 1 - *apoklisi / 100;

    std::replace(r.txtArxi.begin(), r.txtArxi.end(), '.', plat::kDecimalSeparator);
    std::replace(r.txtTelos.begin(), r.txtTelos.end(), '.', plat::kDecimalSeparator);

    for (int i = 0; i < kOrderRows; ++i) {
        if (!t.ticked[i]) continue;
        if (plat::isBlankText(t.Mikos[i])) return stop(r, msg::Evros, {"Mikos", i});
        if (plat::isBlankText(t.Baros[i])) return stop(r, msg::Baros, {"Baros", i});
    }

    const auto arxi = value(r.txtArxi);
    if (!arxi || *arxi < 0) return stop(r, msg::Arxi, {"txtArxi"});
    const auto telos = value(r.txtTelos);
    if (!telos || *telos < 0) return stop(r, msg::Telos, {"txtTelos"});
    const auto mikos = value(r.txtMikos);
    // Beyond the widest coil a figure could grow past every number.
    if (!mikos || *mikos < 0 || *mikos > plat::kMaxCoilWidth) return stop(r, msg::Evros, {"txtMikos"});
    // A coil weight of 0 would divide by zero below.
    const auto coilWeight = value(r.Text2);
    if (!coilWeight || *coilWeight <= 0 || *coilWeight > plat::kMaxCoilWeight)
        return stop(r, msg::Baros, {"Text2"});
    // Fewer than one strip per cut can cut nothing.
    const auto maxStrips = value(r.Text4);
    if (!maxStrips || plat::intPart(*maxStrips) < 1) return stop(r, msg::Tserkia, {"Text4"});

    for (int i = 0; i < kOrderRows; ++i) {
        if (!t.ticked[i]) continue;
        const auto w = value(t.Mikos[i]);
        // A width that rounds to 0 mm would divide by zero below.
        if (!w || *w <= 0 || *w > *mikos || plat::roundHalfEven(*w) < 1 || plat::roundHalfEven(*w) > kMaxWhole)
            return stop(r, msg::Evros, {"Mikos", i});
        const auto b = value(t.Baros[i]);
        if (!b || *b <= 0) return stop(r, msg::Baros, {"Baros", i});
        if (plat::roundHalfEven(*b) > kMaxWhole) return stop(r, msg::TooLarge, {"Baros", i});
    }

    if (*mikos < *arxi) return stop(r, msg::Arxi, {"txtArxi"});
    if (*mikos < *telos) return stop(r, msg::Telos, {"txtTelos"});
    if (*mikos <= *arxi + *telos) return stop(r, msg::Fira, {"txtArxi"});

    const double usable = (*mikos - *arxi) - *telos;

    // The search cuts coil after coil and may top a row up strip by strip,
    // so its time and the lines it keeps grow with the ordered strips and
    // with their width side by side. An order beyond any real one would keep
    // the window busy for minutes (or for ever) and fill the memory: it is
    // refused at the row that takes the most of the coils.
    double orderStrips = 0, orderWidth = 0, mostWidth = -1;
    int largestRow = -1;
    for (int i = 0; i < kOrderRows; ++i) {
        if (!t.ticked[i]) continue;
        const double w = *value(t.Mikos[i]);
        const double needed = stripsNeeded(*value(t.Baros[i]), w, usable, *coilWeight);
        // Widths and weights are bounded, so only a coil weight next to
        // nothing makes the strips of a tonne beyond every number.
        if (!std::isfinite(needed)) return stop(r, msg::Baros, {"Text2"});
        const double strips = plat::fixPart(needed);
        const double width = strips * plat::roundHalfEven(w);
        orderStrips += strips;
        orderWidth += width;
        if (!(width <= mostWidth)) {
            mostWidth = width;
            largestRow = i;
        }
    }
    if (!(orderStrips <= kMaxOrderStrips && orderWidth <= kMaxOrderWidth))
        return stop(r, msg::TooLarge, {"Baros", largestRow});
    if (cutWidthTooLarge(t, usable, *coilWeight, plat::intPart(*maxStrips)))
        return stop(r, plat::kCoilTooWideToSearch, {"txtMikos"});

    if (!t.ticked[0]) {
        r.outcome = SolveResult::Outcome::NoOrder;
        return r;
    }

    // An order that needs no strip at all gives the search nothing to cut:
    // the window would end with no result and no word. Either every weight
    // is under half a tonne, or one strip of the coil weighs more than the
    // order.
    if (orderStrips == 0) {
        for (int i = 0; i < kOrderRows; ++i)
            if (t.ticked[i] && plat::roundHalfEven(*value(t.Baros[i])) >= 1) return stop(r, msg::Baros, {"Text2"});
        return stop(r, msg::Baros, {"Baros", 0});
    }

    std::vector<OrderRowValue> rows;
    for (int i = 0; i < kOrderRows; ++i)
        if (t.ticked[i]) rows.push_back({*value(t.Mikos[i]), *value(t.Baros[i])});
    const size_t used = rows.size();
    std::string error;
    if (!sorter(rows, error) || rows.size() != used) {
        r.sortFailed = true;
        return stop(r, error.c_str(), {});
    }

    SearchInputs &in = r.inputs;
    in.lastRow = static_cast<int>(used) - 1;
    in.fillThreshold = fillThreshold;
    in.maxStripsPerCut = plat::intPart(*maxStrips);
    in.coilWeight = *coilWeight;
    in.usableWidth = usable;
    in.kgPerMm = in.coilWeight / in.usableWidth * 1000;
    in.trimLeftText = r.txtArxi;
    in.trimRightText = r.txtTelos;

    double demand = 0;
    for (size_t i = 0; i < used; ++i) {
        r.Mikos[i] = plat::numStr(rows[i].width);
        r.Baros[i] = plat::numStr(rows[i].weight);
        in.widthText[i] = r.Mikos[i];
        in.stripWidth[i] = wholeOf(rows[i].width);
        in.orderWeight[i] = wholeOf(rows[i].weight);
        in.stripsLeft[i] = static_cast<std::int64_t>(
            plat::fixPart(static_cast<double>(in.orderWeight[i]) * in.usableWidth / static_cast<double>(in.stripWidth[i]) /
                          in.coilWeight));
        in.barosRoles[i] = in.coilWeight / in.usableWidth * static_cast<double>(in.stripWidth[i]);
        r.Roles[i] = plat::intStr(in.stripsLeft[i]);
        in.stripsOrdered[i] = static_cast<double>(in.stripsLeft[i]);
        demand += static_cast<double>(in.stripsLeft[i] * in.stripWidth[i]);
    }
    in.passes = plat::fixPart(demand / in.usableWidth) + 1;

    r.outcome = SolveResult::Outcome::Ready;
    return r;
}

} // namespace kc
