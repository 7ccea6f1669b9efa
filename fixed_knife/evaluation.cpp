#include "fixed_knife/evaluation.h"

#include "fixed_knife/knife_search.h"
#include "platform/numtext.h"

#include <algorithm>

namespace fk {

const char *const kLeftoverMarker = "255";

namespace {


// The weight difference is written with its sign, a blank and a decimal
// point: "- 1.3".
std::string signedPointText(char sign, double magnitude)
{
    std::string s(1, sign);
    s += ' ';
    s += plat::numStr(magnitude);
    std::replace(s.begin(), s.end(), ',', '.');
    return s;
}

void offerLeftover(LeftoverTable &t, const std::string &width, const std::string &weight)
{
    const auto freeRow = std::find_if(t.begin(), t.end(), [](const LeftoverRow &r) { return r[0].empty(); });
    if (freeRow == t.end()) return;
    if (std::any_of(t.begin(), freeRow, [&](const LeftoverRow &r) { return r[0] == width; })) return;
    (*freeRow)[0] = width;
    (*freeRow)[1] = weight;
    (*freeRow)[5] = kLeftoverMarker;
}

} // namespace

std::uint32_t bandRgb(Band b)
{
    switch (b) {
    case Band::Green: return 0x00C000;
    case Band::Blue: return 0x0000FF;
    case Band::Red: return 0xFF0000;
    case Band::None: break;
    }
    return 0x000000;
}

OrderJudgement checkOrderRows(const std::vector<OrderedRowCells> &rows, const std::string &apoklisi,
                              LeftoverTable &leftovers)
{
    OrderJudgement j;
    if (std::any_of(rows.begin(), rows.end(), [](const OrderedRowCells &r) { return r.roles1.empty(); })) return j;
    j.judged = true;
    const double d = plat::parseNumber(apoklisi).value_or(0);
    for (const OrderedRowCells &row : rows) {
        RowJudgement r;
        const auto ordered = plat::parseNumber(row.baros);
        const double produced = plat::parseNumber(row.proion).value_or(0);
        if (ordered && *ordered != 0) {
            // The band is read from the share as shown.
            const std::string share = plat::numStr(plat::roundHalfEven(produced / *ordered * 1000) / 10);
            const double p = plat::parseNumber(share).value_or(0);
            if (p < 100 - d) r.band = Band::Blue;
            else if (p > 100 + d) r.band = Band::Red;
            else r.band = Band::Green;
            if (r.band == Band::Red) offerLeftover(leftovers, row.mikos, row.baros);
            r.pososto = share;
            r.pososto += '%';
        }
        if (ordered) {
            const double diff = plat::roundHalfEven((*ordered - produced) * 10) / 10;
            if (diff > 0) r.diafora = signedPointText('-', diff);
            else if (diff < 0) r.diafora = signedPointText('+', -diff);
            else r.diafora = std::string(1, '0');
        }
        j.rows.push_back(std::move(r));
    }
    return j;
}

CutSummary updateSummary(const std::string &text3, const std::string &text10,
                         const std::vector<std::string> &visibleProion, const std::vector<std::string> &akommati,
                         const std::string &text4)
{
    CutSummary s;
    if (!text3.empty()) {
        double sum = 0;
        for (const std::string &p : visibleProion) sum += plat::parseNumber(p).value_or(0);
        const auto kg = plat::parseNumber(text10);
        std::string percent;
        if (kg && sum != 0) {
            percent = plat::numStr(plat::roundHalfEven(*kg / sum * 100) / 1000);
            percent += '%';
        }
        s.text12 = percent;
    }
    double used = 0;
    for (const std::string &a : akommati)
        if (!plat::isBlankText(a)) used += plat::intPart(plat::parseNumber(a).value_or(0));
    if (const auto knives = plat::parseNumber(text4)) {
        const double free = *knives - used;
        s.maxairia = plat::numStr(free);
        s.intMaxairia = clampedWhole(plat::intPart(free));
    }
    return s;
}

} // namespace fk
