#include "fixed_knife/evaluation.h"

#include "platform/numtext.h"

#include <algorithm>
#include <cmath>

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
        const double thousandths = ordered && *ordered != 0 ? produced / *ordered * 1000 : 0;
        if (ordered && *ordered != 0 && std::isfinite(thousandths)) {
            // The band is read from the share as shown.
            const std::string share = plat::numStr(plat::roundHalfEven(thousandths) / 10);
            const double p = plat::parseNumber(share).value_or(0);
            if (p < 100 - d) r.band = Band::Blue;
            else if (p > 100 + d) r.band = Band::Red;
            else r.band = Band::Green;
            if (r.band == Band::Red) offerLeftover(leftovers, row.mikos, row.baros);
            r.pososto = share;
            r.pososto += '%';
        }
        const double tenths = ordered ? (*ordered - produced) * 10 : 0;
        if (ordered && std::isfinite(tenths)) {
            const double diff = plat::roundHalfEven(tenths) / 10;
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
        const double x100 = kg && sum != 0 ? *kg / sum * 100 : 0;
        if (kg && sum != 0 && std::isfinite(x100)) {
            percent = plat::numStr(plat::roundHalfEven(x100) / 1000);
            percent += '%';
        }
        s.text12 = percent;
    }
    double used = 0;
    for (const std::string &a : akommati)
        if (!plat::isBlankText(a)) used += plat::intPart(plat::parseNumber(a).value_or(0));
    const auto knives = plat::parseNumber(text4);
    if (knives && std::isfinite(*knives - used)) {
        const double free = *knives - used;
        s.maxairia = plat::numStr(free);
        s.intMaxairia = plat::intPart(free);
    }
    return s;
}

std::optional<double> stripCount(const std::string &cell)
{
    const auto v = plat::parseNumber(cell);
    if (!v || *v != std::floor(*v)) return std::nullopt;
    return v;
}

} // namespace fk
