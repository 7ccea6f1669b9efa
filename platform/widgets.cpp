#include "widgets.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

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
}

void showFromStart(QLineEdit *box)
{
    QObject::connect(box, &QLineEdit::cursorPositionChanged, box, [box](int, int now) {
        if (now != 0 && !box->hasFocus()) box->setCursorPosition(0);
    });
}

QWidget *makeScrolledContent(QWidget *window, const QSize &size, QScrollArea **scroller)
{
    auto *area = new QScrollArea(window);
    area->setObjectName(QStringLiteral("DScroller1"));
    area->setFrameShape(QFrame::NoFrame);
    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("content"));
    content->setFixedSize(size);
    area->setWidget(content);
    area->setWidgetResizable(false);
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area);
    *scroller = area;
    return content;
}

void setScrollerBackColor(QScrollArea *scroller, const QColor &back)
{
    scroller->setProperty("BackColor", back);
    QPalette pal = scroller->viewport()->palette();
    pal.setColor(QPalette::Window, back);
    scroller->viewport()->setPalette(pal);
    scroller->viewport()->setAutoFillBackground(true);
}

} // namespace plat
