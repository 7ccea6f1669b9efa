#pragma once
// Search inputs derived from a typed coil and order the way the planner's
// Solve derives them (rows given sorted by width).
#include <cmath>
#include <vector>

#include "platform/numtext.h"
#include "strip_search/strip_search.h"

namespace strip_search::testing {

struct Coil {
    double width = 1250;
    double trimLeft = 0;
    double trimRight = 0;
    double weight = 8;
    double maxStrips = 11;
    double deviation = 10; // accepted shortfall, %
};

struct OrderLine {
    double width; // mm
    double tonnes;
};

inline SearchInputs solvedOrder(const Coil &coil, const std::vector<OrderLine> &rows)
{
    SearchInputs in;
    in.lastRow = static_cast<int>(rows.size()) - 1;
    in.usableWidth = (coil.width - coil.trimLeft) - coil.trimRight;
    in.coilWeight = coil.weight;
    in.maxStripsPerCut = plat::intPart(coil.maxStrips);
    in.fillThreshold = 1 - coil.deviation / 100;
    in.kgPerMm = coil.weight / in.usableWidth * 1000;
    in.trimLeftText = plat::numStr(coil.trimLeft);
    in.trimRightText = plat::numStr(coil.trimRight);
    double demand = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        in.stripWidth[i] = static_cast<std::int64_t>(plat::roundHalfEven(rows[i].width));
        const double tonnes = plat::roundHalfEven(rows[i].tonnes);
        in.stripsLeft[i] = static_cast<std::int64_t>(
            plat::fixPart(tonnes * in.usableWidth / static_cast<double>(in.stripWidth[i]) / coil.weight));
        in.stripsOrdered[i] = static_cast<double>(in.stripsLeft[i]);
        in.widthText[i] = plat::numStr(rows[i].width);
        demand += static_cast<double>(in.stripsLeft[i] * in.stripWidth[i]);
    }
    in.passes = plat::fixPart(demand / in.usableWidth) + 1;
    return in;
}

} // namespace strip_search::testing
