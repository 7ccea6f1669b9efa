#pragma once
// Window hooking: a sink attached to one message number of one window gets
// every such message of that window before the window does, and decides
// whether the window's own handling runs (SubclassCallPrevious). The window's
// resize becomes WM_SIZE; messages sent to it as WindowMessageEvent keep
// their number.
#include "winmsg.h"

namespace scroller {

class ISubclass {
public:
    virtual ~ISubclass() = default;
    // The response code the hook asks of the sink; kept for the interface.
    virtual long MsgResponse() const = 0;
    virtual void setMsgResponse(long value) = 0;
    virtual qintptr WindowProc(HWND hwnd, unsigned iMsg, quintptr wParam, qintptr lParam) = 0;
};

struct WindowMessage {
    HWND hwnd = nullptr;
    unsigned msg = 0;
    quintptr wParam = 0;
    qintptr lParam = 0;
};

// Attaching the same sink twice to one message of one window attaches it once.
void SubclassAttach(ISubclass *sink, HWND hwnd, unsigned msg);
void SubclassDetach(ISubclass *sink, HWND hwnd, unsigned msg);
// Runs the window's own handling of the message being dispatched now; outside
// a dispatch of that window and message it does nothing. Answers 0.
qintptr SubclassCallPrevious(HWND hwnd, unsigned msg, quintptr wParam, qintptr lParam);
// The message being handed to a sink; null outside a dispatch.
const WindowMessage *CurrentMessage();
// How many sinks are attached to the window, over all its messages.
int SubclassCount(HWND hwnd);

} // namespace scroller
