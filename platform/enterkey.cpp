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
        if (e->type() != QEvent::KeyPress) return false;
        const auto *k = static_cast<QKeyEvent *>(e);
        if (k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter) return false;
        // A held Enter sends a press per key repeat: one press of the key is
        // one press of a button, as with Space. The repeats are kept from
        // every button and from every dialog (whose default button Enter
        // presses), also from a message box that the first press opened.
        if (k->isAutoRepeat() && (qobject_cast<QAbstractButton *>(watched) || qobject_cast<QDialog *>(watched)))
            return true;
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
