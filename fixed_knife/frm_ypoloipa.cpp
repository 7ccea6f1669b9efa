#include "fixed_knife/frm_ypoloipa.h"

#include "fixed_knife/continuation.h"
#include "fixed_knife/form3.h"
#include "platform/qnum.h"
#include "platform/widgets.h"
#include "shell/module1.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStylePainter>

using plat::makeButton;
using plat::tw;

namespace {

QPointer<frmYpoloipa> &openDialog()
{
    static QPointer<frmYpoloipa> dlg;
    return dlg;
}

// A check box whose caption wraps within its width, as the dialog's longer
// question needs; a click anywhere on it toggles it.
class WrappingCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QStylePainter p(this);
        QStyleOptionButton opt;
        initStyleOption(&opt);
        QStyleOptionButton box = opt;
        box.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, this);
        p.drawPrimitive(QStyle::PE_IndicatorCheckBox, box);
        const QRect textRect = rect().adjusted(box.rect.right() + 6, 0, 0, 0);
        p.setPen(palette().color(QPalette::WindowText));
        QRect used;
        p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text(), &used);
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = used.adjusted(-2, -1, 2, 1);
            p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    }
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};

QCheckBox *makeCheck(QWidget *parent, const char *name, const QString &text, const QColor &colour, const QRect &r)
{
    auto *c = new WrappingCheckBox(text, parent);
    c->setObjectName(QString::fromLatin1(name));
    QPalette pal = c->palette();
    pal.setColor(QPalette::WindowText, colour);
    c->setPalette(pal);
    c->setGeometry(r);
    return c;
}

} // namespace

frmYpoloipa::frmYpoloipa(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmYpoloipa"));
    setWindowTitle(QStringLiteral("VELANTRA"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFixedSize(tw(4890), tw(3195));

    Check1 = makeCheck(this, "Check1", QStringLiteral("Να κρατηθούν τα υπόλοιπα;"), QColor(0, 0, 255),
                       QRect(tw(480), tw(240), tw(3855), tw(375)));
    Check2 = makeCheck(this, "Check2",
                       QStringLiteral("Να κρατηθούν οι παραγγελίες που δεν έχουν συμπεριληφθεί αρχικά"),
                       QColor(255, 0, 0), QRect(tw(480), tw(1320), tw(3975), tw(495)));
    Command1 = makeButton(this, "Command1", QStringLiteral("Άκυρον"), QRect(tw(240), tw(2520), tw(1215), tw(495)));
    Command2 = makeButton(this, "Command2", QStringLiteral("ΟΚ"), QRect(tw(3360), tw(2520), tw(1215), tw(495)));
    setTabOrder(Check1, Check2);
    setTabOrder(Check2, Command1);
    setTabOrder(Command1, Command2);
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, &frmYpoloipa::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmYpoloipa::Command2_Click);
}

frmYpoloipa *frmYpoloipa::instance() { return openDialog().data(); }

frmYpoloipa *frmYpoloipa::showFor(Form3 *planner)
{
    QPointer<frmYpoloipa> &dlg = openDialog();
    if (!dlg) {
        // Owned by the planner: closing the planner closes the question.
        dlg = new frmYpoloipa(planner);
        if (QScreen *screen = QGuiApplication::primaryScreen()) {
            const QRect r = screen->availableGeometry();
            dlg->move(r.center() - QPoint(dlg->width() / 2, dlg->height() / 2));
        }
    }
    dlg->show();
    dlg->raise();
    dlg->activateWindow();
    return dlg;
}

void frmYpoloipa::Command1_Click() { close(); }

void frmYpoloipa::Command2_Click()
{
    if (const int mode = fk::continuationMode(Check1->isChecked(), Check2->isChecked())) Module1::intSinexeia = mode;
    close();
    if (Form3 *planner = plat::FormInstance<Form3>::ifLoaded()) planner->SinexeiaNeasParaggelias();
}
