#include "enterkey.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

namespace plat {

namespace {

class EnterPressesButtons : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease) return false;
        const auto *k = static_cast<QKeyEvent *>(e);
        const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        if (!enter && k->key() != Qt::Key_Space) return false;
        if (e->type() == QEvent::KeyRelease) {
            m_lastRelease = {k->key(), k->timestamp()};
            return false;
        }
        // A held key sends a press per key repeat: one press of the key is
        // one press of a button. The repeats are kept from every button, and
        // Enter's also from every dialog (whose default button Enter
        // presses), such as a message box that the first press opened.
        if (isRepeat(*k) && (qobject_cast<QAbstractButton *>(watched) || (enter && qobject_cast<QDialog *>(watched))))
            return true;
        if (!enter) return false;
        auto *button = qobject_cast<QPushButton *>(watched);
        if (!button) return false;
        const bool plain = k->modifiers() == Qt::NoModifier;
        const bool keypad = k->key() == Qt::Key_Enter && k->modifiers() == Qt::KeypadModifier;
        if (!(plain || keypad)) return false;
        // A dialog's buttons press themselves on Enter already (the message
        // boxes among them): pressing here as well would press twice.
        if (button->autoDefault() || button->isDefault()) return false;
        if (!button->isEnabled() || !button->isVisible()) return false;
        button->click();
        return true;
    }

private:
    // The toolkit marks a repeat by finding the next press already queued
    // when it reads the release; a program busy with the first press (a
    // delete, a solve) reads them apart and gets a plain release and press.
    // Both carry the repeat's one timestamp, which no new press of the key
    // shares with its release.
    bool isRepeat(const QKeyEvent &k) const
    {
        if (k.isAutoRepeat()) return true;
        return k.timestamp() != 0 && m_lastRelease.key == k.key() && m_lastRelease.time == k.timestamp();
    }

    struct {
        int key = 0;
        quint64 time = 0;
    } m_lastRelease;
};

} // namespace

void installEnterPressesButtons()
{
    static QPointer<EnterPressesButtons> installed;
    if (installed || !qApp) return;
    installed = new EnterPressesButtons(qApp);
    qApp->installEventFilter(installed);
}

} // namespace plat
