#pragma once
// The window messages the scroller's layers pass to each other, as the
// hosting window would receive them: a size message when the window's client
// area changes, a scroll message when one of its own bars is used.
#include <QEvent>
#include <QtGlobal>

class QWidget;

namespace scroller {

// A window is a widget; its handle is its address.
using HWND = QWidget *;

constexpr unsigned WM_SIZE = 5;
constexpr unsigned WM_HSCROLL = 276;
constexpr unsigned WM_VSCROLL = 277;

// Scroll codes: the low 16 bits of a scroll message's wParam. The thumb codes
// carry the thumb position in the high 16 bits.
enum ScrollCode : unsigned {
    SB_LINEUP = 0,
    SB_LINEDOWN = 1,
    SB_PAGEUP = 2,
    SB_PAGEDOWN = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_BOTTOM = 7,
    SB_ENDSCROLL = 8,
};

inline quintptr scrollWParam(unsigned code, int pos = 0)
{
    return quintptr(code & 0xFFFFu) | (quintptr(quint16(pos)) << 16);
}
inline qintptr sizeLParam(int width, int height)
{
    return qintptr(quint16(width)) | (qintptr(quint16(height)) << 16);
}

// A message without a Qt event of its own (scroll requests, a client area
// changed by a bar shown or hidden), sent to the hosting window.
class WindowMessageEvent : public QEvent {
public:
    WindowMessageEvent(unsigned msg, quintptr wParam, qintptr lParam)
        : QEvent(eventType()), msg(msg), wParam(wParam), lParam(lParam)
    {
    }
    static QEvent::Type eventType()
    {
        static const int t = QEvent::registerEventType();
        return QEvent::Type(t);
    }
    unsigned msg;
    quintptr wParam;
    qintptr lParam;
};

} // namespace scroller
