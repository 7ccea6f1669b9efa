#pragma once
// Small makers of the named controls every window lays out at fixed places.
#include <QColor>
#include <QRect>
#include <QSize>
#include <QString>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace plat {

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, const QRect &r,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
// A text box; `index` (when not −1) is its place in a control array, kept as
// the "Index" property.
QLineEdit *makeBox(QWidget *parent, const QString &name, const QRect &r, int index = -1);
QPushButton *makeButton(QWidget *parent, const char *name, const QString &text, const QRect &r);
// A one-pixel black line.
QFrame *makeLine(QWidget *parent, const QString &name, const QRect &r);

// A box that only shows figures is disabled so that nobody types into it;
// its figures stay as legible as typed ones instead of fading to grey, and
// show as showFromStart says.
void keepLegibleWhenDisabled(QLineEdit *box);

// A narrow box shows the start of a long text (its leading digits), as a box
// that is not being edited does, wherever the text was written from; while
// the text is wider than the box, the box's tooltip holds it whole.
void showFromStart(QLineEdit *box);
// Only the tooltip part, for a box the planner types into.
void showWholeInTooltip(QLineEdit *box);

// The scroller takes its hosting window's background colour ("BackColor");
// nothing happens without a scroller.
void setScrollerBackColor(QWidget *scroller, const QColor &back);

} // namespace plat
