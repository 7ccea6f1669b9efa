#include "frmbackground.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {
// A drawing of a coil being slit into strips: the program's picture.
QPixmap coilPicture()
{
    QPixmap pm(220, 120);
    pm.fill(QColor(192, 192, 192));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(150, 150, 160));
    p.drawEllipse(QRect(10, 20, 80, 80));
    p.setBrush(QColor(192, 192, 192));
    p.drawEllipse(QRect(38, 48, 24, 24));
    const int xs[] = {110, 130, 150, 170, 190};
    for (int i = 0; i < 5; ++i) {
        p.setBrush(QColor(170, 170, 185));
        p.drawRect(QRect(xs[i], 30 + (i % 2) * 4, 16, 60));
    }
    p.setPen(QPen(QColor(60, 60, 60), 2, Qt::DashLine));
    p.drawLine(95, 60, 108, 60);
    return pm;
}
} // namespace

frmBackground::frmBackground() : plat::Form(QStringLiteral("frmBackground"))
{
    setWindowTitle(QStringLiteral("Velantra"));
    setWindowFlags(Qt::FramelessWindowHint);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(pal);

    auto *lay = new QVBoxLayout(this);
    auto *pic = new QLabel(this);
    pic->setObjectName(QStringLiteral("Image1"));
    pic->setPixmap(coilPicture());
    pic->setAlignment(Qt::AlignCenter);
    auto *title = new QLabel(QStringLiteral("Velantra"), this);
    title->setObjectName(QStringLiteral("Label1"));
    QFont f = title->font();
    f.setPointSize(20);
    f.setBold(true);
    title->setFont(f);
    title->setAlignment(Qt::AlignCenter);
    auto *sub = new QLabel(QStringLiteral("Προγραμματισμός κοπής ρόλων σέ ταινίες"), this);
    sub->setObjectName(QStringLiteral("Label2"));
    sub->setAlignment(Qt::AlignCenter);
    lay->addStretch();
    lay->addWidget(pic);
    lay->addWidget(title);
    lay->addWidget(sub);
    lay->addStretch();
    resize(360, 260);
}
