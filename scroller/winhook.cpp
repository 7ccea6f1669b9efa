#include "winhook.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QResizeEvent>
#include <QVector>
#include <QWidget>

namespace scroller {

namespace {

struct Attachment {
    ISubclass *sink;
    unsigned msg;
};

// One message on its way through the sinks; `event` is the Qt event it came
// from, which the window's own handling receives when a sink passes it on.
struct Dispatch {
    WindowMessage message;
    QEvent *event = nullptr;
    bool passing = false;
};

class Hook : public QObject {
public:
    explicit Hook(HWND hwnd) : m_hwnd(hwnd) { hwnd->installEventFilter(this); }
    ~Hook() override
    {
        if (m_hwnd) m_hwnd->removeEventFilter(this);
    }

    QVector<Attachment> attachments;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    QPointer<QWidget> m_hwnd;
};

QHash<HWND, Hook *> &hooks()
{
    static QHash<HWND, Hook *> h;
    return h;
}

QVector<Dispatch *> &dispatches()
{
    static QVector<Dispatch *> d;
    return d;
}

bool Hook::eventFilter(QObject *watched, QEvent *e)
{
    if (watched != m_hwnd) return false;
    WindowMessage m;
    m.hwnd = m_hwnd;
    if (e->type() == QEvent::Resize) {
        const QSize s = static_cast<QResizeEvent *>(e)->size();
        m.msg = WM_SIZE;
        m.lParam = sizeLParam(s.width(), s.height());
    } else if (e->type() == WindowMessageEvent::eventType()) {
        auto *w = static_cast<WindowMessageEvent *>(e);
        m.msg = w->msg;
        m.wParam = w->wParam;
        m.lParam = w->lParam;
    } else {
        return false;
    }
    // The window's own handling asked for by a sink: let it through.
    for (Dispatch *d : dispatches())
        if (d->event == e && d->passing) return false;

    QVector<ISubclass *> sinks;
    for (const Attachment &a : attachments)
        if (a.msg == m.msg) sinks.append(a.sink);
    if (sinks.isEmpty()) return false;

    Dispatch d{m, e, false};
    dispatches().append(&d);
    const QPointer<Hook> self(this);
    for (ISubclass *s : sinks) {
        // A sink detached by an earlier one in this round hears nothing more.
        if (!self) break;
        bool stillAttached = false;
        for (const Attachment &a : attachments)
            if (a.sink == s && a.msg == m.msg) stillAttached = true;
        if (stillAttached) s->WindowProc(m.hwnd, m.msg, m.wParam, m.lParam);
    }
    dispatches().removeOne(&d);
    return true;
}

} // namespace

void SubclassAttach(ISubclass *sink, HWND hwnd, unsigned msg)
{
    if (!sink || !hwnd) return;
    Hook *&h = hooks()[hwnd];
    if (!h) {
        h = new Hook(hwnd);
        QObject::connect(hwnd, &QObject::destroyed, h, [hwnd] { delete hooks().take(hwnd); });
    }
    for (const Attachment &a : h->attachments)
        if (a.sink == sink && a.msg == msg) return;
    h->attachments.append({sink, msg});
}

void SubclassDetach(ISubclass *sink, HWND hwnd, unsigned msg)
{
    Hook *h = hooks().value(hwnd);
    if (!h) return;
    // The hook itself stays with the window (a dispatch may be running
    // through it); with no attachment it lets every event pass.
    h->attachments.removeIf([&](const Attachment &a) { return a.sink == sink && a.msg == msg; });
}

qintptr SubclassCallPrevious(HWND hwnd, unsigned msg, quintptr, qintptr)
{
    for (auto it = dispatches().rbegin(); it != dispatches().rend(); ++it) {
        Dispatch *d = *it;
        if (d->message.hwnd != hwnd || d->message.msg != msg || d->passing) continue;
        d->passing = true;
        QCoreApplication::sendEvent(hwnd, d->event);
        d->passing = false;
        break;
    }
    return 0;
}

const WindowMessage *CurrentMessage()
{
    return dispatches().isEmpty() ? nullptr : &dispatches().last()->message;
}

int SubclassCount(HWND hwnd)
{
    Hook *h = hooks().value(hwnd);
    return h ? int(h->attachments.size()) : 0;
}

} // namespace scroller
