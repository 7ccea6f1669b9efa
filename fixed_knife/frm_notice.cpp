#include "fixed_knife/frm_notice.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTextLayout>

namespace {

// The notice's pieces sit on lines of their own because the blanks between
// them overflow each line. Each piece starts with "-", after which the text
// layout would break; the label draws its text with the dash joined to its
// word, and keeps the text itself as it is.
class NoticeLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QString shown = text();
        shown.replace(QStringLiteral("-"), QStringLiteral("-") + QChar(0x2060));
        QTextLayout layout(shown, font());
        QTextOption opt;
        opt.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(opt);
        layout.beginLayout();
        qreal y = 0;
        const QFontMetricsF fm(font());
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(contentsRect().width());
            line.setPosition(QPointF(0, y));
            y += fm.lineSpacing();
        }
        layout.endLayout();
        QPainter p(this);
        p.setPen(palette().color(QPalette::WindowText));
        layout.draw(&p, contentsRect().topLeft());
    }
};

} // namespace

frmHelp::frmHelp(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("ΠΑΡΑΤΗΡΗΣΙΣ"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    setFixedSize(480, 235);

    Label1 = new NoticeLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont f = Label1->font();
    f.setPointSize(10);
    f.setBold(true);
    Label1->setFont(f);
    Label1->setText(noticeText());
    Label1->setGeometry(16, 14, 448, 160);

    Command1 = new QPushButton(QStringLiteral("Έξοδος"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(180, 186, 120, 32);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &frmHelp::Command1_Click);
}

QString frmHelp::noticeText()
{
    return QStringLiteral("Γιά τά είδη, τίς ποσότητες καί τόν αριθμό τών μαχαιριών πού εδώθησαν καί τήν "
                          "αναλογία πού προκύπτει (βάσει τού βάρους καί τών αιτουμένων ειδών), δέν υπάρχει "
                          "ικανοποιητική λύσις.") +
           QString(88, QLatin1Char(' ')) + QStringLiteral("Προτείνεται:") + QString(70, QLatin1Char(' ')) +
           QStringLiteral("-Αλλαγή τών ποσοτήτων,") + QString(49, QLatin1Char(' ')) +
           QStringLiteral("-Προσθήκη δευτερευόντων ειδών,") + QString(34, QLatin1Char(' ')) +
           QStringLiteral("-Κατάργησις τής αναλογίας. ");
}

void frmHelp::showNotice()
{
    auto *dlg = new frmHelp();
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableGeometry();
        dlg->move(r.center() - QPoint(dlg->width() / 2, dlg->height() / 2));
    }
    dlg->exec();
}

void frmHelp::Command1_Click() { close(); }
