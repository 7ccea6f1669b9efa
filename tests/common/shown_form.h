#pragma once
// A window shown and made the active one, as a planner's click does.
#include "platform/forms.h"

#include <QApplication>

#include <type_traits>

// Shows a window (a program's window inside the main window when there is
// one) and makes it the active one.
template <class W>
W *shownActive(W *w)
{
    if constexpr (std::is_base_of_v<plat::Form, W>)
        w->showForm();
    else
        w->show();
    QApplication::setActiveWindow(w);
    return w;
}

// The program's one instance of a window, loaded when it is not, shown and
// active.
template <class T>
T *shownForm()
{
    return shownActive(plat::FormInstance<T>::get());
}
