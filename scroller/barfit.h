#pragma once
// How one scroll bar fits a control of a given extent into a client area,
// all sizes in twips. The page is split into equal parts so that a page step
// never jumps past content the user has not seen.
#include <QtGlobal>

namespace scroller {

constexpr double kTwipsPerPixel = 15.0;

struct BarFit {
    enum Kind {
        Leave, // the client area is under one pixel: the bar stays as it is
        Hide,  // the control fits: no bar
        Show,  // a bar with this page and maximum (pixels)
    } kind = Leave;
    qint32 largeChange = 0;
    qint32 max = 0;
};

BarFit fitBar(double extentTwips, double clientTwips, double twipsPerPixel = kTwipsPerPixel);

} // namespace scroller
