#pragma once
// The hosting window's own scroll bars: one horizontal at its bottom edge and
// one vertical at its right edge. Each keeps a range (nMin..nMax), a page
// (nPage) and a position that stays within nMin..nMax − nPage; the window's
// client area is what the shown bars leave of it. The bars themselves move
// nothing: a click or a thumb release is sent to the window as a scroll
// message and the window's handler sets the new position. While the thumb is
// dragged only its track position follows the mouse.
#include "winmsg.h"

#include <QSize>

class QScrollBar;

namespace scroller {

constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_BOTH = 3;

constexpr quint32 SIF_RANGE = 1;
constexpr quint32 SIF_PAGE = 2;
constexpr quint32 SIF_POS = 4;
constexpr quint32 SIF_TRACKPOS = 16;
constexpr quint32 SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct SCROLLINFO {
    quint32 cbSize = sizeof(SCROLLINFO);
    quint32 fMask = 0;
    qint32 nMin = 0;
    qint32 nMax = 0;
    quint32 nPage = 0;
    qint32 nPos = 0;
    qint32 nTrackPos = 0;
};
static_assert(sizeof(SCROLLINFO) == 28);

// Shows or hides one bar (SB_HORZ, SB_VERT) or both (SB_BOTH). When the
// client area changes, the window receives WM_SIZE. False for no window or
// an unknown bar.
bool ShowScrollBar(HWND hwnd, int wBar, bool bShow);
// Fills the fields that fMask names.
bool GetScrollInfo(HWND hwnd, int nBar, SCROLLINFO *info);
// Writes the fields that fMask names, then keeps the page within the range
// and the position within nMin..nMax − nPage. Answers the position.
int SetScrollInfo(HWND hwnd, int nBar, const SCROLLINFO *info, bool redraw);
// The window's client area in pixels: its size less its shown bars.
QSize ClientSize(HWND hwnd);
// The bar widget of a window (for looking at it, and for tests); null until
// the window's bars are first used.
QScrollBar *ScrollBarWidget(HWND hwnd, int nBar);

} // namespace scroller
