#pragma once
// Controls that live in a control library of their own, created by their
// registered class name ("Library.Class") and class identifier. The library
// is loaded at run time, never linked: the one lying beside the program is
// used whenever it loads, and registered for the user whenever the registry
// does not name it under that class; a library elsewhere is used only through
// the registry, when none beside the program loads.
#include "scroller/component.h"

#include <QString>

class QWidget;

namespace plat {

// Whether the dynamic loader can be given the file: a regular file holding an
// ELF shared object of this machine's kind (class, byte order, machine) whose
// program headers and segments all lie within the file. The loader maps a
// cut-short library unchecked, and the first touch of a page beyond its end
// kills the program; a FIFO is never opened, as its open waits for a writer.
bool isLoadableLibrary(const QString &path);

// The control of that class on `host`, or null when no library of it can be
// found or loaded. `notice`, when given, receives what the user should be
// told: that the control is not available, or that it is used but its
// library could not be registered (and why); empty when all went well.
QWidget *createControl(const QString &className, const QString &classId, QWidget *host,
                       QString *notice = nullptr);

// Hosts a window's content in its scroller control "DScroller1": the control
// sits at the window's top left, sized to the content (and following it), and
// gives the window its scroll bars. Without the control library the content
// sits on the window itself, without scroll bars. Each notice of
// createControl is shown once in a run. Returns the control, or null.
QWidget *hostScroller(QWidget *host, QWidget *content,
                      const QString &className = QString::fromLatin1(component::kScrollerClassName),
                      const QString &classId = QString::fromLatin1(component::kScrollerClassId));

} // namespace plat
