#pragma once
// The worker behind the scroller control: it drives the two scroll bars of
// one hosting window, turns the window's scroll requests into new bar
// positions and tells its owner through three signals. It keeps no copy of
// the bars: every property reads or writes the window's own bars.
#include "scrollbars.h"
#include "winhook.h"

#include <QObject>

namespace scroller {

class cScroller : public QObject, public ISubclass {
    Q_OBJECT
public:
    cScroller() = default;
    ~cScroller() override;

    // Attaches to the window's size and scroll messages and shows both bars.
    void Create(HWND hWndA);

    long MsgResponse() const override { return 0; }
    void setMsgResponse(long) override {}
    qintptr WindowProc(HWND hwnd, unsigned iMsg, quintptr wParam, qintptr lParam) override;

    // Bar 0 is the horizontal bar, bar 1 the vertical one.
    qint32 Min(int eBar) const;
    qint32 Max(int eBar) const;
    qint32 Value(int eBar) const;
    qint32 LargeChange(int eBar) const;
    bool Visible(int eBar) const;

    // Keeps the maximum; reports nothing.
    void setMin(int eBar, qint32 iMin);
    // Keeps the minimum; reports a position the bar moved to stay in range.
    void setMax(int eBar, qint32 iMax);
    // Kept within Min..Max; reports the change.
    void setValue(int eBar, qint64 iValue);
    // Keeps the maximum; reports nothing.
    void setLargeChange(int eBar, qint32 iLargeChange);
    void setVisible(int eBar, bool bState);

    HWND window() const { return m_hWnd; }

signals:
    // A new position reported after a thumb release.
    void Scroll(int eBar);
    // A new position reported in every other case.
    void Change(int eBar);
    // The hosting window changed size.
    void Resize();

private:
    SCROLLINFO GetBarInfo(int eBar, quint32 mask) const;
    void SetBarInfo(int eBar, SCROLLINFO &si, quint32 mask);
    void NotifyIfChanged(int eBar, bool bThumb);

    HWND m_hWnd = nullptr;
    qint32 m_lSmallChange[2] = {0, 0};
    bool m_bVisible[2] = {false, false};
    qint32 m_lLastValue[2] = {0, 0};
};

} // namespace scroller
