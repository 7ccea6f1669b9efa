#include "barfit.h"

#include <algorithm>
#include <cmath>

namespace scroller {

namespace {

// To the nearest whole number, halves to the even neighbour; far beyond any
// window size the value is held at the 32-bit limits.
qint64 wholeEven(double v)
{
    if (!std::isfinite(v)) return 0;
    v = std::clamp(v, double(INT32_MIN), double(INT32_MAX));
    return qint64(std::nearbyint(v));
}

} // namespace

BarFit fitBar(double extentTwips, double clientTwips, double twipsPerPixel)
{
    BarFit f;
    const qint64 tpp = wholeEven(twipsPerPixel);
    if (tpp < 1) return f;
    const qint64 vMax = wholeEven(extentTwips - clientTwips) / tpp;
    if (vMax < 1) {
        f.kind = BarFit::Hide;
        return f;
    }
    const qint64 page = wholeEven(clientTwips) / tpp;
    if (page < 1) return f;
    const qint64 parts = vMax / page + 1;
    f.kind = BarFit::Show;
    f.largeChange = qint32(std::min<qint64>(vMax / parts, INT32_MAX));
    f.max = qint32(std::min<qint64>(vMax, INT32_MAX));
    return f;
}

} // namespace scroller
