#pragma once
// Controls that live in a control library of their own, created by their
// registered class name ("Library.Class"). The library is loaded at run time,
// never linked; the one lying beside the program is registered for the user
// whenever the class is missing from the registry or points elsewhere.
#include <QString>

class QWidget;

namespace plat {

// The control of that class on `host`, or null when its library cannot be
// found or loaded.
QWidget *createControl(const QString &className, QWidget *host);

// Hosts a window's content in its scroller control "DScroller1": the control
// sits at the window's top left, sized to the content (and following it), and
// gives the window its scroll bars. Without the control library the content
// sits on the window itself, without scroll bars, and the user is told once.
// Returns the control, or null.
QWidget *hostScroller(QWidget *host, QWidget *content,
                      const QString &className = QStringLiteral("Scroller.DScroller"));

} // namespace plat
