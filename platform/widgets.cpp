#include "widgets.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>

namespace plat {

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, const QRect &r, Qt::Alignment align)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(r);
    l->setAlignment(align);
    l->setWordWrap(true);
    return l;
}

QLineEdit *makeBox(QWidget *parent, const QString &name, const QRect &r, int index)
{
    auto *b = new QLineEdit(parent);
    b->setObjectName(name);
    if (index >= 0) b->setProperty("Index", index);
    b->setGeometry(r);
    return b;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &text, const QRect &r)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(r);
    return b;
}

QFrame *makeLine(QWidget *parent, const QString &name, const QRect &r)
{
    auto *l = new QFrame(parent);
    l->setObjectName(name);
    l->setFrameShape(QFrame::NoFrame);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, Qt::black);
    l->setPalette(p);
    l->setGeometry(r);
    return l;
}

void keepLegibleWhenDisabled(QLineEdit *box)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Disabled, QPalette::Text, p.color(QPalette::Active, QPalette::Text));
    box->setPalette(p);
    // Every box that only shows figures also shows them from their start,
    // and whole in its tooltip when they do not fit.
    showFromStart(box);
}

namespace {

// Pixels a line edit has for its text.
int textRoom(const QLineEdit *box)
{
    QStyleOptionFrame opt;
    opt.initFrom(box);
    opt.rect = box->rect();
    opt.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, box) : 0;
    opt.midLineWidth = 0;
    opt.state |= QStyle::State_Sunken;
    const QMargins m = box->textMargins();
    // The line edit keeps two pixels free at either end of its text.
    return box->style()->subElementRect(QStyle::SE_LineEditContents, &opt, box).width() - m.left() - m.right() - 4;
}

// Keeps a box's tooltip to its whole text while the text is wider than the
// box (set whenever the text, the size or the font changes).
class WholeTextTip : public QObject {
public:
    explicit WholeTextTip(QLineEdit *box) : QObject(box), m_box(box)
    {
        box->installEventFilter(this);
        QObject::connect(box, &QLineEdit::textChanged, this, [this] { update(); });
        update();
    }

    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Resize || e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange)
            update();
        return false;
    }

private:
    void update()
    {
        const QString text = m_box->text();
        const bool cut = m_box->fontMetrics().horizontalAdvance(text) > textRoom(m_box);
        m_box->setToolTip(cut ? text : QString());
    }
    QLineEdit *m_box;
};

} // namespace

void showFromStart(QLineEdit *box)
{
    if (box->property("showsFromStart").toBool()) return;
    box->setProperty("showsFromStart", true);
    QObject::connect(box, &QLineEdit::cursorPositionChanged, box, [box](int, int now) {
        if (now != 0 && !box->hasFocus()) box->setCursorPosition(0);
    });
    // A text written while the box is not being edited starts at its first
    // character, however it was written.
    QObject::connect(box, &QLineEdit::textChanged, box, [box] {
        if (!box->hasFocus()) box->setCursorPosition(0);
    });
    showWholeInTooltip(box);
}

void showWholeInTooltip(QLineEdit *box)
{
    if (box->property("showsWholeInTooltip").toBool()) return;
    box->setProperty("showsWholeInTooltip", true);
    new WholeTextTip(box);
}

void setScrollerBackColor(QWidget *scroller, const QColor &back)
{
    if (scroller) scroller->setProperty("BackColor", back);
}

} // namespace plat
