#pragma once
// The fixed-knife planner shown and active, with its timers stopped so that
// a test runs the ticks itself.
#include "fixed_knife/form3.h"
#include "platform/forms.h"

#include <QApplication>
#include <QTimer>

inline Form3 *shownPlannerWithoutTimers()
{
    Form3 *f = plat::FormInstance<Form3>::get();
    f->Timer1->stop();
    f->Timer2->stop();
    f->showForm();
    QApplication::setActiveWindow(f);
    return f;
}
