#include "enterkey.h"

#include <QApplication>
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
        auto *button = qobject_cast<QPushButton *>(watched);
        if (!button) return false;
        const auto *k = static_cast<QKeyEvent *>(e);
        const bool plain = k->modifiers() == Qt::NoModifier;
        const bool keypad = k->key() == Qt::Key_Enter && k->modifiers() == Qt::KeypadModifier;
        if ((k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter) || !(plain || keypad)) return false;
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
