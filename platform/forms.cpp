#include "forms.h"

#include "pictures.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace plat {

namespace {
std::function<QWidget *(Form *)> g_host;
QList<QPointer<Form>> &registry()
{
    static QList<QPointer<Form>> forms;
    return forms;
}
} // namespace

void setChildHost(std::function<QWidget *(Form *)> addToHost) { g_host = std::move(addToHost); }

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
        QSize wanted = size();
        QWidget *sub = g_host(this);
        if (sub) {
            // A window larger than the main window's free area opens fitted to
            // it and scrolls its content with its own bars.
            if (auto *mdi = qobject_cast<QMdiSubWindow *>(sub); mdi && mdi->mdiArea() && mdi->mdiArea()->isVisible())
                wanted = wanted.boundedTo(mdi->mdiArea()->viewport()->size());
            sub->resize(wanted);
            sub->setWindowIcon(windowIcon());
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

void Form::focusForm()
{
    if (m_unloaded) return;
    QWidget *f = frame();
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
