#include "scrollbars.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHash>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace scroller {

namespace {

struct BarState {
    qint32 nMin = 0;
    qint32 nMax = 0;
    quint32 nPage = 0;
    qint32 nPos = 0;
    qint32 nTrackPos = 0;
    bool shown = false;
};

qint32 clamp32(qint64 v)
{
    return qint32(std::clamp<qint64>(v, INT32_MIN, INT32_MAX));
}

// The highest position a bar takes.
qint32 topPosition(const BarState &b)
{
    return clamp32(std::max<qint64>(b.nMin, qint64(b.nMax) - qint64(b.nPage)));
}

class HostBars : public QObject {
public:
    explicit HostBars(HWND host) : QObject(host), m_host(host)
    {
        setObjectName(QStringLiteral("hostScrollBars"));
        for (int i = 0; i < 2; ++i) {
            auto *b = new QScrollBar(i == SB_HORZ ? Qt::Horizontal : Qt::Vertical, host);
            b->setObjectName(i == SB_HORZ ? QStringLiteral("HScroll") : QStringLiteral("VScroll"));
            b->setFocusPolicy(Qt::NoFocus);
            b->setTracking(false);
            b->setRange(0, 0);
            b->hide();
            b->installEventFilter(this);
            m_widget[i] = b;
            connect(b, &QAbstractSlider::actionTriggered, this, [this, i](int a) { onAction(i, a); });
            connect(b, &QAbstractSlider::sliderMoved, this, [this, i](int pos) {
                m_bar[i].nTrackPos = pos;
                send(i, SB_THUMBTRACK, pos);
            });
            connect(b, &QAbstractSlider::sliderPressed, this, [this, i] { m_bar[i].nTrackPos = m_bar[i].nPos; });
            connect(b, &QAbstractSlider::sliderReleased, this, [this, i] { onRelease(i); });
        }
        host->installEventFilter(this);
        layOut();
    }

    BarState m_bar[2];
    QScrollBar *m_widget[2] = {nullptr, nullptr};

    int extent() const { return m_host->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_host); }

    QSize client() const
    {
        const int w = m_host->width() - (m_bar[SB_VERT].shown ? extent() : 0);
        const int h = m_host->height() - (m_bar[SB_HORZ].shown ? extent() : 0);
        return QSize(std::max(0, w), std::max(0, h));
    }

    void layOut()
    {
        const QSize c = client();
        const int e = extent();
        m_widget[SB_HORZ]->setGeometry(0, c.height(), c.width(), e);
        m_widget[SB_VERT]->setGeometry(c.width(), 0, e, c.height());
        for (int i = 0; i < 2; ++i) {
            m_widget[i]->setVisible(m_bar[i].shown);
            m_widget[i]->raise();
        }
    }

    // Shows the state on the bar widget.
    void sync(int i)
    {
        const BarState &b = m_bar[i];
        QScrollBar *w = m_widget[i];
        w->setRange(b.nMin, topPosition(b));
        w->setPageStep(int(std::min<quint32>(b.nPage, INT32_MAX)));
        w->setValue(b.nPos);
        if (!w->isSliderDown()) w->setSliderPosition(b.nPos);
    }

    void send(int i, unsigned code, int pos = 0)
    {
        WindowMessageEvent e(i == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, scrollWParam(code, pos), 0);
        QCoreApplication::sendEvent(m_host, &e);
    }

    void clientChanged()
    {
        layOut();
        const QSize c = client();
        WindowMessageEvent e(WM_SIZE, 0, sizeLParam(c.width(), c.height()));
        QCoreApplication::sendEvent(m_host, &e);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (watched == m_host) {
            if (e->type() == QEvent::Resize || e->type() == QEvent::StyleChange) layOut();
            // A control placed on the window later stays under the bars.
            if (e->type() == QEvent::ChildAdded) {
                for (QScrollBar *b : m_widget) b->raise();
            }
            return false;
        }
        // A click on an arrow or in the trough ends with its release.
        if (e->type() == QEvent::MouseButtonRelease) {
            for (int i = 0; i < 2; ++i)
                if (watched == m_widget[i] && !m_widget[i]->isSliderDown()) send(i, SB_ENDSCROLL);
        }
        return false;
    }

private:
    void onAction(int i, int action)
    {
        QScrollBar *w = m_widget[i];
        unsigned code;
        int pos = 0;
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
        case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
        case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
        case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
        case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
        case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
        case QAbstractSlider::SliderMove:
            // The thumb's release is handled on its own; this is the wheel.
            if (w->isSliderDown()) return;
            pos = w->sliderPosition();
            m_bar[i].nTrackPos = pos;
            code = SB_THUMBPOSITION;
            break;
        default: return;
        }
        // The bar keeps its position until the window sets a new one.
        w->setSliderPosition(m_bar[i].nPos);
        send(i, code, pos);
    }

    void onRelease(int i)
    {
        QScrollBar *w = m_widget[i];
        const int pos = w->sliderPosition();
        m_bar[i].nTrackPos = pos;
        w->setSliderPosition(m_bar[i].nPos);
        send(i, SB_THUMBPOSITION, pos);
        send(i, SB_ENDSCROLL);
    }

    HWND m_host;
};

QHash<HWND, HostBars *> &allBars()
{
    static QHash<HWND, HostBars *> h;
    return h;
}

HostBars *barsOf(HWND hwnd, bool create)
{
    if (!hwnd) return nullptr;
    HostBars *b = allBars().value(hwnd);
    if (!b && create) {
        b = new HostBars(hwnd);
        allBars().insert(hwnd, b);
        QObject::connect(b, &QObject::destroyed, [hwnd] { allBars().remove(hwnd); });
    }
    return b;
}

} // namespace

bool ShowScrollBar(HWND hwnd, int wBar, bool bShow)
{
    if (wBar != SB_HORZ && wBar != SB_VERT && wBar != SB_BOTH) return false;
    HostBars *b = barsOf(hwnd, true);
    if (!b) return false;
    bool changed = false;
    for (int i = 0; i < 2; ++i) {
        if (wBar != SB_BOTH && wBar != i) continue;
        if (b->m_bar[i].shown != bShow) changed = true;
        b->m_bar[i].shown = bShow;
    }
    if (changed) b->clientChanged();
    return true;
}

bool GetScrollInfo(HWND hwnd, int nBar, SCROLLINFO *info)
{
    if (!info || (nBar != SB_HORZ && nBar != SB_VERT)) return false;
    HostBars *b = barsOf(hwnd, true);
    if (!b) return false;
    const BarState &s = b->m_bar[nBar];
    if (info->fMask & SIF_RANGE) {
        info->nMin = s.nMin;
        info->nMax = s.nMax;
    }
    if (info->fMask & SIF_PAGE) info->nPage = s.nPage;
    if (info->fMask & SIF_POS) info->nPos = s.nPos;
    if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s.nTrackPos;
    return true;
}

int SetScrollInfo(HWND hwnd, int nBar, const SCROLLINFO *info, bool redraw)
{
    if (!info || (nBar != SB_HORZ && nBar != SB_VERT)) return 0;
    HostBars *b = barsOf(hwnd, true);
    if (!b) return 0;
    BarState &s = b->m_bar[nBar];
    if (info->fMask & SIF_RANGE) {
        s.nMin = info->nMin;
        s.nMax = std::max(info->nMin, info->nMax);
    }
    if (info->fMask & SIF_PAGE) s.nPage = info->nPage;
    if (info->fMask & SIF_POS) s.nPos = info->nPos;
    s.nPage = quint32(std::min<qint64>(s.nPage, qint64(s.nMax) - s.nMin + 1));
    s.nPos = std::clamp(s.nPos, s.nMin, topPosition(s));
    if (redraw) b->sync(nBar);
    return s.nPos;
}

QSize ClientSize(HWND hwnd)
{
    if (!hwnd) return QSize();
    HostBars *b = barsOf(hwnd, false);
    return b ? b->client() : hwnd->size();
}

QScrollBar *ScrollBarWidget(HWND hwnd, int nBar)
{
    HostBars *b = barsOf(hwnd, false);
    return b && (nBar == SB_HORZ || nBar == SB_VERT) ? b->m_widget[nBar] : nullptr;
}

} // namespace scroller
