#include "cscroller.h"

#include "scrollbars.h"

#include <algorithm>

namespace scroller {

namespace {

// Any bar index other than 0 means the vertical bar, as for Visible.
int barIndex(int eBar)
{
    return eBar == SB_HORZ ? SB_HORZ : SB_VERT;
}

qint32 clamp32(qint64 v)
{
    return qint32(std::clamp<qint64>(v, INT32_MIN, INT32_MAX));
}

constexpr unsigned kMessages[] = {WM_SIZE, WM_HSCROLL, WM_VSCROLL};

} // namespace

cScroller::~cScroller()
{
    if (!m_hWnd) return;
    for (int k = 2; k >= 0; --k) SubclassDetach(this, m_hWnd, kMessages[k]);
}

void cScroller::Create(HWND hWndA)
{
    m_hWnd = hWndA;
    m_lSmallChange[0] = m_lSmallChange[1] = 1;
    for (unsigned msg : kMessages) SubclassAttach(this, m_hWnd, msg);
    ShowScrollBar(m_hWnd, SB_BOTH, true);
}

qintptr cScroller::WindowProc(HWND hwnd, unsigned iMsg, quintptr wParam, qintptr lParam)
{
    if (iMsg == WM_SIZE) {
        emit Resize();
        SubclassCallPrevious(hwnd, iMsg, wParam, lParam);
        return 0;
    }
    if (iMsg != WM_HSCROLL && iMsg != WM_VSCROLL) return 0;
    const int bar = iMsg == WM_HSCROLL ? SB_HORZ : SB_VERT;
    const qint64 v = Value(bar);
    switch (wParam & 0xFFFFu) {
    case SB_LINEUP: setValue(bar, v - m_lSmallChange[bar]); break;
    case SB_LINEDOWN: setValue(bar, v + m_lSmallChange[bar]); break;
    case SB_PAGEUP: setValue(bar, v - LargeChange(bar)); break;
    case SB_PAGEDOWN: setValue(bar, v + LargeChange(bar)); break;
    case SB_THUMBPOSITION: {
        setValue(bar, GetBarInfo(bar, SIF_TRACKPOS).nTrackPos);
        NotifyIfChanged(bar, true);
        return 0;
    }
    case SB_THUMBTRACK: return 0;
    case SB_TOP: setValue(bar, Min(bar)); break;
    case SB_BOTTOM: setValue(bar, Max(bar)); break;
    case SB_ENDSCROLL: break;
    default: return 0;
    }
    NotifyIfChanged(bar, false);
    return 0;
}

SCROLLINFO cScroller::GetBarInfo(int eBar, quint32 mask) const
{
    SCROLLINFO si;
    si.fMask = mask;
    GetScrollInfo(m_hWnd, eBar, &si);
    return si;
}

void cScroller::SetBarInfo(int eBar, SCROLLINFO &si, quint32 mask)
{
    si.cbSize = sizeof(SCROLLINFO);
    si.fMask = mask;
    SetScrollInfo(m_hWnd, eBar, &si, true);
}

qint32 cScroller::Min(int eBar) const
{
    return GetBarInfo(eBar, SIF_RANGE).nMin;
}

qint32 cScroller::Max(int eBar) const
{
    const SCROLLINFO si = GetBarInfo(eBar, SIF_RANGE | SIF_PAGE);
    return clamp32(qint64(si.nMax) - qint64(si.nPage));
}

qint32 cScroller::Value(int eBar) const
{
    return GetBarInfo(eBar, SIF_POS).nPos;
}

qint32 cScroller::LargeChange(int eBar) const
{
    return clamp32(GetBarInfo(eBar, SIF_PAGE).nPage);
}

bool cScroller::Visible(int eBar) const
{
    return m_bVisible[barIndex(eBar)];
}

void cScroller::setMin(int eBar, qint32 iMin)
{
    const qint64 top = qint64(Max(eBar)) + LargeChange(eBar);
    SCROLLINFO si;
    si.nMin = iMin;
    si.nMax = clamp32(top);
    SetBarInfo(eBar, si, SIF_RANGE);
}

void cScroller::setMax(int eBar, qint32 iMax)
{
    SCROLLINFO si;
    si.nMax = clamp32(qint64(iMax) + LargeChange(eBar));
    si.nMin = Min(eBar);
    SetBarInfo(eBar, si, SIF_RANGE);
    NotifyIfChanged(eBar, false);
}

void cScroller::setValue(int eBar, qint64 iValue)
{
    // Page steps, the thumb and the ends never leave the range.
    const qint32 lo = Min(eBar);
    const qint32 v = qint32(std::clamp<qint64>(iValue, lo, std::max(lo, Max(eBar))));
    if (v == Value(eBar)) return;
    SCROLLINFO si;
    si.nPos = v;
    SetBarInfo(eBar, si, SIF_POS);
    NotifyIfChanged(eBar, false);
}

void cScroller::setLargeChange(int eBar, qint32 iLargeChange)
{
    const SCROLLINFO old = GetBarInfo(eBar, SIF_ALL);
    SCROLLINFO si;
    si.nMin = old.nMin;
    si.nPage = quint32(std::max<qint32>(0, iLargeChange));
    si.nMax = clamp32(qint64(old.nMax) - qint64(old.nPage) + si.nPage);
    SetBarInfo(eBar, si, SIF_RANGE | SIF_PAGE);
}

void cScroller::setVisible(int eBar, bool bState)
{
    m_bVisible[barIndex(eBar)] = bState;
    // The bar number goes to the window as given: 3 shows or hides both bars.
    ShowScrollBar(m_hWnd, eBar, bState);
}

void cScroller::NotifyIfChanged(int eBar, bool bThumb)
{
    const int i = barIndex(eBar);
    if (Value(i) == m_lLastValue[i]) return;
    if (bThumb)
        emit Scroll(i);
    else
        emit Change(i);
    m_lLastValue[i] = Value(i);
}

} // namespace scroller
