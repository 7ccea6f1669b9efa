#pragma once
// Helpers for the tests of the main window's stacking: the child windows'
// names from the lowest to the highest, the active one, and the desktop's
// part in a modal box (pressing its button, activating the main window again).
#include "platform/msgbox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTimer>

namespace mdi {

inline QStringList stacking(QMdiArea *area)
{
    QStringList out;
    for (QMdiSubWindow *s : area->subWindowList(QMdiArea::StackingOrder))
        if (s->isVisible()) out << s->widget()->objectName();
    return out;
}

inline QString active(QMdiArea *area)
{
    QMdiSubWindow *s = area->activeSubWindow();
    return s ? s->widget()->objectName() : QStringLiteral("none");
}

inline QMdiSubWindow *sub(QMdiArea *area, const QString &name)
{
    for (QMdiSubWindow *s : area->subWindowList())
        if (s->widget()->objectName() == name) return s;
    return nullptr;
}

// Presses the first button of the next message box as soon as it shows.
inline void pressOkOnNextBox()
{
    QTimer::singleShot(0, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            box->buttons().first()->click();
            return;
        }
        pressOkOnNextBox();
    });
}

inline void closeNextDialog()
{
    QTimer::singleShot(0, [] {
        if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            d->accept();
            return;
        }
        closeNextDialog();
    });
}

// What the window manager does when a modal box goes away.
inline void reactivate(QWidget *main)
{
    QApplication::processEvents();
    main->activateWindow();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

} // namespace mdi
