#include "dscroller.h"

#include "barfit.h"
#include "cscroller.h"
#include "scrollbars.h"

#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <atomic>

namespace scroller {

namespace {

std::atomic<int> g_instances{0};

const QString kBackColor = QStringLiteral("BackColor");
const QString kForeColor = QStringLiteral("ForeColor");
const QString kEnabled = QStringLiteral("Enabled");
const QString kFont = QStringLiteral("Font");
const QString kBackStyle = QStringLiteral("BackStyle");
const QString kBorderStyle = QStringLiteral("BorderStyle");

} // namespace

QVariant PropertyBag::ReadProperty(const QString &name, const QVariant &defaultValue) const
{
    return m_values.value(name, defaultValue);
}

void PropertyBag::WriteProperty(const QString &name, const QVariant &value, const QVariant &defaultValue)
{
    if (value == defaultValue)
        m_values.remove(name);
    else
        m_values.insert(name, value);
}

DScroller::DScroller(QWidget *host) : QWidget(host)
{
    ++g_instances;
    setObjectName(QStringLiteral("DScroller"));
    setAutoFillBackground(true);
    applyColours();
}

DScroller::~DScroller()
{
    // The worker lets go of the window before the control goes.
    oScroller.reset();
    --g_instances;
}

int DScroller::instances()
{
    return g_instances.load();
}

QColor DScroller::colorFromOle(quint32 ole, const QPalette &pal)
{
    if (ole & 0x80000000u) {
        switch (ole & 0xFFu) {
        case 5: return pal.color(QPalette::Base);
        case 8: return pal.color(QPalette::Text);
        case 15: return pal.color(QPalette::Button);
        case 18: return pal.color(QPalette::ButtonText);
        default: return pal.color(QPalette::Window);
        }
    }
    return QColor(int(ole & 0xFF), int((ole >> 8) & 0xFF), int((ole >> 16) & 0xFF));
}

quint32 DScroller::oleFromColor(const QColor &c)
{
    const QColor rgb = c.toRgb();
    return quint32(rgb.red()) | (quint32(rgb.green()) << 8) | (quint32(rgb.blue()) << 16);
}

QColor DScroller::BackColor() const
{
    return colorFromOle(m_BackColor, parentWidget() ? parentWidget()->palette() : QPalette());
}

void DScroller::setBackColor(const QColor &c)
{
    m_BackColor = oleFromColor(c);
    applyColours();
    emit PropertyChanged(kBackColor);
}

QColor DScroller::ForeColor() const
{
    return colorFromOle(m_ForeColor, parentWidget() ? parentWidget()->palette() : QPalette());
}

void DScroller::setForeColor(const QColor &c)
{
    m_ForeColor = oleFromColor(c);
    applyColours();
    emit PropertyChanged(kForeColor);
}

void DScroller::setEnabledValue(bool New_Enabled)
{
    m_Enabled = New_Enabled;
    emit PropertyChanged(kEnabled);
}

void DScroller::setFontValue(const QFont &New_Font)
{
    m_Font = New_Font;
    emit PropertyChanged(kFont);
}

void DScroller::setBackStyle(short New_BackStyle)
{
    m_BackStyle = New_BackStyle;
    emit PropertyChanged(kBackStyle);
}

void DScroller::setBorderStyle(short New_BorderStyle)
{
    m_BorderStyle = New_BorderStyle;
    emit PropertyChanged(kBorderStyle);
}

void DScroller::applyColours()
{
    QPalette p = palette();
    p.setColor(QPalette::Window, BackColor());
    p.setColor(QPalette::WindowText, ForeColor());
    setPalette(p);
}

void DScroller::ShowAboutBox()
{
    // The box is the control's child: when the control goes while the box is
    // open, the box goes with it and must not be deleted again here.
    const QPointer<QDialog> about = new QDialog(this);
    about->setObjectName(QStringLiteral("frmAbout"));
    about->setWindowTitle(QStringLiteral("About DScroller"));
    auto *label = new QLabel(QStringLiteral("DScroller 1.0\nΚύλιση του περιεχομένου ενός παραθύρου "
                                            "με οριζόντια και κατακόρυφη μπάρα."),
                             about);
    label->setObjectName(QStringLiteral("Label1"));
    auto *ok = new QPushButton(QStringLiteral("OK"), about);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, about, &QDialog::accept);
    auto *layout = new QVBoxLayout(about);
    layout->addWidget(label);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    about->exec();
    delete about;
}

void DScroller::UserControl_InitProperties()
{
    m_Enabled = false;
    m_Font = parentWidget() ? parentWidget()->font() : QFont();
    m_BackStyle = 0;
    m_BorderStyle = 0;
}

void DScroller::UserControl_ReadProperties(const PropertyBag &bag, bool userMode)
{
    if (userMode && parentWidget() && !oScroller) {
        oScroller = std::make_unique<cScroller>();
        connect(oScroller.get(), &cScroller::Change, this, &DScroller::oScroller_Change);
        connect(oScroller.get(), &cScroller::Scroll, this, &DScroller::oScroller_Scroll);
        connect(oScroller.get(), &cScroller::Resize, this, &DScroller::oScroller_Resize);
        oScroller->Create(parentWidget());
        move(0, 0);
    }
    const QFont ambient = parentWidget() ? parentWidget()->font() : QFont();
    m_BackColor = bag.ReadProperty(kBackColor, kButtonFace).toUInt();
    m_ForeColor = bag.ReadProperty(kForeColor, kButtonText).toUInt();
    m_Enabled = bag.ReadProperty(kEnabled, false).toBool();
    m_Font = bag.ReadProperty(kFont, ambient).value<QFont>();
    m_BackStyle = short(bag.ReadProperty(kBackStyle, 0).toInt());
    m_BorderStyle = short(bag.ReadProperty(kBorderStyle, 0).toInt());
    applyColours();
}

void DScroller::UserControl_WriteProperties(PropertyBag &bag) const
{
    const QFont ambient = parentWidget() ? parentWidget()->font() : QFont();
    bag.WriteProperty(kBackColor, m_BackColor, kButtonFace);
    bag.WriteProperty(kForeColor, m_ForeColor, kButtonText);
    bag.WriteProperty(kEnabled, m_Enabled, false);
    bag.WriteProperty(kFont, m_Font, ambient);
    bag.WriteProperty(kBackStyle, int(m_BackStyle), 0);
    bag.WriteProperty(kBorderStyle, int(m_BorderStyle), 0);
}

void DScroller::ReadProperties(const QVariantMap &bag, bool userMode)
{
    UserControl_ReadProperties(PropertyBag(bag), userMode);
}

QVariantMap DScroller::WriteProperties() const
{
    PropertyBag bag;
    UserControl_WriteProperties(bag);
    return bag.values();
}

void DScroller::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    // Content that grew or shrank gets bars to match, not only a resized window.
    if (oScroller) oScroller_Resize();
}

void DScroller::oScroller_Change(int)
{
    placeFromBars();
}

void DScroller::oScroller_Scroll(int lBar)
{
    oScroller_Change(lBar);
}

void DScroller::placeFromBars()
{
    if (!oScroller) return;
    const int left = oScroller->Visible(SB_HORZ) ? -oScroller->Value(SB_HORZ) : 0;
    const int top = oScroller->Visible(SB_VERT) ? -oScroller->Value(SB_VERT) : 0;
    move(left, top);
}

void DScroller::oScroller_Resize()
{
    QWidget *parent = parentWidget();
    if (!parent || !oScroller) return;
    // Showing or hiding a bar changes the client area and comes back here;
    // it settles within two rounds.
    if (m_resizeDepth > 3) return;
    ++m_resizeDepth;
    const QSize client = ClientSize(parent);
    if (client.width() > 0 && client.height() > 0) {
        const auto apply = [this](int bar, const BarFit &fit) {
            if (fit.kind == BarFit::Hide) {
                oScroller->setVisible(bar, false);
            } else if (fit.kind == BarFit::Show) {
                oScroller->setLargeChange(bar, fit.largeChange);
                oScroller->setMax(bar, fit.max);
                oScroller->setVisible(bar, true);
            }
        };
        apply(SB_VERT, fitBar(height() * kTwipsPerPixel, client.height() * kTwipsPerPixel));
        apply(SB_HORZ, fitBar(width() * kTwipsPerPixel, ClientSize(parent).width() * kTwipsPerPixel));
        placeFromBars();
    }
    --m_resizeDepth;
}

} // namespace scroller
