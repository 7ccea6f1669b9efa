#include "forms.h"

#include "pictures.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <cstdlib>

namespace plat {

namespace {
std::function<QWidget *(Form *)> g_host;
// Whether a minimised child window was maximised before.
constexpr const char *kRestoreMaximized = "velantraRestoreMaximized";

// A window larger than the main window's free area opens fitted to it and
// scrolls its content with its own bars; it opens at a cascade place of its
// own where it lies whole in view.
void placeNewChild(QWidget *frame, const QSize &wanted)
{
    auto *sub = qobject_cast<QMdiSubWindow *>(frame);
    QMdiArea *area = sub ? sub->mdiArea() : nullptr;
    if (!area) {
        frame->resize(wanted);
        return;
    }
    // An area not on screen yet has no real size: nothing to fit into.
    const QRect free = area->isVisible() ? area->viewport()->rect() : QRect(0, 0, 1 << 20, 1 << 20);
    // Cut in one direction, the window scrolls that way; the bar it then
    // shows takes room from the other direction, which it is given back
    // where the area has it, so that it needs no second bar.
    QSize size = wanted;
    const int bar = frame->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, frame);
    if (size.height() > free.height() && size.width() < free.width()) size.rwidth() += bar;
    else if (size.width() > free.width() && size.height() < free.height()) size.rheight() += bar;
    QList<QRect> open;
    for (QMdiSubWindow *s : area->subWindowList()) {
        // The borderless background lies behind everything and takes no place.
        if (s == sub || !s->isVisible() || s->isMinimized() || (s->windowFlags() & Qt::FramelessWindowHint))
            continue;
        open << s->geometry();
    }
    frame->setGeometry(cascadePlace(size, free, open));
}
// What a child window's frame keeps of its states: minimised from
// maximised, it comes back maximised; with a fixed border it is never
// maximised nor sized.
void followStates(QMdiSubWindow *mdi, bool fixed)
{
    QObject::connect(mdi, &QMdiSubWindow::windowStateChanged, mdi,
                     [mdi, fixed](Qt::WindowStates was, Qt::WindowStates now) {
                         if ((now & Qt::WindowMinimized) && !(was & Qt::WindowMinimized))
                             mdi->setProperty(kRestoreMaximized, bool(was & Qt::WindowMaximized));
                         // The area maximises a window opened or chosen while
                         // another is maximised.
                         if (fixed && (now & Qt::WindowMaximized)) mdi->setWindowState(now & ~Qt::WindowMaximized);
                     });
    if (!fixed || !mdi->systemMenu()) return;
    // The toolkit enables the system menu's "Size" again each time it opens.
    QMenu *menu = mdi->systemMenu();
    QObject::connect(menu, &QMenu::aboutToShow, mdi, [menu] {
        const QString size = QCoreApplication::translate("QMdiSubWindow", "&Size");
        for (QAction *a : menu->actions())
            if (a->text() == size) a->setEnabled(false);
    });
}

QList<QPointer<Form>> &registry()
{
    static QList<QPointer<Form>> forms;
    return forms;
}
} // namespace

void setChildHost(std::function<QWidget *(Form *)> addToHost) { g_host = std::move(addToHost); }

QRect fitIntoArea(const QRect &window, const QRect &area)
{
    if (area.isEmpty()) return window;
    QRect r(window.topLeft(), window.size().boundedTo(area.size()));
    if (r.right() > area.right()) r.moveRight(area.right());
    if (r.bottom() > area.bottom()) r.moveBottom(area.bottom());
    if (r.left() < area.left()) r.moveLeft(area.left());
    if (r.top() < area.top()) r.moveTop(area.top());
    return r;
}

QRect screenAreaFor(const QRect &window)
{
    QScreen *best = nullptr;
    qint64 bestOverlap = 0;
    for (QScreen *s : QGuiApplication::screens()) {
        const QRect common = s->availableGeometry().intersected(window);
        const qint64 overlap = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
        if (overlap > bestOverlap) {
            best = s;
            bestOverlap = overlap;
        }
    }
    if (!best) best = QGuiApplication::primaryScreen();
    return best ? best->availableGeometry() : QRect();
}

QRect cascadePlace(const QSize &size, const QRect &area, const QList<QRect> &open, int step)
{
    step = std::max(step, 2);
    const QSize s = size.boundedTo(area.size()).expandedTo(QSize(1, 1));
    auto taken = [&](const QPoint &p) {
        return std::any_of(open.begin(), open.end(), [&](const QRect &r) {
            return std::abs(r.x() - p.x()) < step / 2 && std::abs(r.y() - p.y()) < step / 2;
        });
    };
    auto cascade = [&](int k) { return area.topLeft() + QPoint(k * step, k * step); };
    auto inArea = [&](const QPoint &p) { return p.x() <= area.right() && p.y() <= area.bottom(); };

    for (int k = 0; inArea(cascade(k)); ++k) {
        const QRect r(cascade(k), s);
        if (!taken(r.topLeft()) && area.contains(r)) return r;
    }
    // Too large to lie whole at any free place: cut it to the room there, as
    // long as at least half of it stays, so that its title and close box
    // remain in view.
    for (int k = 0; inArea(cascade(k)); ++k) {
        const QPoint p = cascade(k);
        const QSize room(area.right() - p.x() + 1, area.bottom() - p.y() + 1);
        if (!taken(p) && room.width() * 2 >= s.width() && room.height() * 2 >= s.height())
            return QRect(p, s.boundedTo(room));
    }
    // The last resort still keeps the window inside the area: cut to the
    // room at the first free spot of the grid, else over the corner.
    for (int y = area.top(); y <= area.bottom(); y += step)
        for (int x = area.left(); x <= area.right(); x += step)
            if (!taken(QPoint(x, y)))
                return QRect(QPoint(x, y), s.boundedTo(QSize(area.right() - x + 1, area.bottom() - y + 1)));
    return QRect(area.topLeft(), s);
}

Form::Form(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
    // The program's own coil, never the toolkit's logo.
    setWindowIcon(coilIcon());
    registry().append(this);
}

QList<Form *> Form::loadedForms()
{
    QList<Form *> out;
    auto &reg = registry();
    for (auto it = reg.begin(); it != reg.end();) {
        if (!*it) {
            it = reg.erase(it);
            continue;
        }
        if (!(*it)->isUnloaded()) out.append(it->data());
        ++it;
    }
    return out;
}

QWidget *Form::frame() const
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget())) return sub;
    return const_cast<Form *>(this);
}

void Form::showForm()
{
    if (m_unloaded) return;
    if (!qobject_cast<QMdiSubWindow *>(parentWidget()) && !parentWidget() && g_host) {
        const QSize wanted = size();
        QWidget *sub = g_host(this);
        if (sub) {
            sub->setWindowIcon(windowIcon());
            placeNewChild(sub, wanted);
            const bool fixed = minimumSize() == maximumSize();
            // A window of fixed size has a fixed border: its frame is not
            // dragged larger or smaller either.
            if (fixed) sub->setFixedSize(wanted);
            if (auto *mdi = qobject_cast<QMdiSubWindow *>(sub)) followStates(mdi, fixed);
        }
    }
    QWidget *f = frame();
    if (f != this) show();
    f->show();
}

void Form::hideForm()
{
    if (m_unloaded) return;
    QWidget *f = frame();
    auto *sub = qobject_cast<QMdiSubWindow *>(f);
    QMdiArea *area = sub ? sub->mdiArea() : nullptr;
    const bool wasActive = area && area->activeSubWindow() == sub;
    f->hide();
    // The area would keep the hidden window as its active one and the keyboard
    // would reach no window: the one used before it comes back, as on a close.
    if (wasActive) {
        const auto used = area->subWindowList(QMdiArea::ActivationHistoryOrder);
        for (auto it = used.rbegin(); it != used.rend(); ++it) {
            if (*it != sub && (*it)->isVisible()) {
                area->setActiveSubWindow(*it);
                break;
            }
        }
    }
}

bool Form::isFormVisible() const { return !m_unloaded && frame()->isVisible() && isVisible(); }

void restoreIfMinimized(QWidget *frame)
{
    if (!frame || !frame->isMinimized()) return;
    if (frame->property(kRestoreMaximized).toBool()) frame->showMaximized();
    else frame->showNormal();
}

void Form::focusForm()
{
    if (m_unloaded) return;
    QWidget *f = frame();
    // Brought forward while minimised, it comes back as it was before.
    restoreIfMinimized(f);
    f->raise();
    f->activateWindow();
    if (auto *sub = qobject_cast<QMdiSubWindow *>(f)) {
        if (auto *area = sub->mdiArea()) area->setActiveSubWindow(sub);
    }
    if (!focusWidget() || !isAncestorOf(QApplication::focusWidget())) setFocus();
}

void Form::setFormSize(int w, int h)
{
    resize(w, h);
    if (frame() != this) frame()->resize(w, h);
}

bool Form::unload()
{
    if (m_unloaded) return true;
    QWidget *f = frame();
    if (f != this) return f->close();
    return close();
}

void Form::unloadWithoutAsking()
{
    if (m_unloaded) return;
    m_skipQuery = true;
    unload();
    m_skipQuery = false;
}

void Form::closeEvent(QCloseEvent *e)
{
    if (m_unloaded) {
        e->accept();
        return;
    }
    if (!m_skipQuery && !Form_QueryUnload()) {
        e->ignore();
        return;
    }
    m_unloaded = true;
    e->accept();
    Form_Unload();
    QWidget *f = frame();
    if (f != this) {
        f->setAttribute(Qt::WA_DeleteOnClose);
        f->hide();
    } else {
        hide();
    }
    f->deleteLater();
}

} // namespace plat
