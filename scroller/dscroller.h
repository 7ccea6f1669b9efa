#pragma once
// The scroller control: a window that wants scrollable content places one at
// its top left, sized to the whole content, and puts its content inside. At
// run time the control gives the window its two scroll bars (through the
// worker) and scrolls by moving itself.
#include <QColor>
#include <QFont>
#include <QVariantMap>
#include <QWidget>

#include <memory>

namespace scroller {

class cScroller;

// The container's store of a control's saved properties. A value equal to
// its default is not written, so only what was changed is kept.
class PropertyBag {
public:
    PropertyBag() = default;
    explicit PropertyBag(const QVariantMap &values) : m_values(values) {}
    QVariant ReadProperty(const QString &name, const QVariant &defaultValue) const;
    void WriteProperty(const QString &name, const QVariant &value, const QVariant &defaultValue);
    const QVariantMap &values() const { return m_values; }

private:
    QVariantMap m_values;
};

class DScroller : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(QColor ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabledValue)
    Q_PROPERTY(QFont Font READ Font WRITE setFontValue)
    Q_PROPERTY(short BackStyle READ BackStyle WRITE setBackStyle)
    Q_PROPERTY(short BorderStyle READ BorderStyle WRITE setBorderStyle)
public:
    // Colours as the container saves them: 0x00BBGGRR, or a system colour
    // (high bit set, its number in the low byte).
    static constexpr quint32 kButtonFace = 0x8000000F;
    static constexpr quint32 kButtonText = 0x80000012;

    explicit DScroller(QWidget *host);
    ~DScroller() override;

    // Controls alive in this process.
    static int instances();

    QColor BackColor() const;
    void setBackColor(const QColor &c);
    QColor ForeColor() const;
    void setForeColor(const QColor &c);
    // Stored and saved only: the control draws and works the same either way.
    bool Enabled() const { return m_Enabled; }
    void setEnabledValue(bool New_Enabled);
    QFont Font() const { return m_Font; }
    void setFontValue(const QFont &New_Font);
    short BackStyle() const { return m_BackStyle; }
    void setBackStyle(short New_BackStyle);
    short BorderStyle() const { return m_BorderStyle; }
    void setBorderStyle(short New_BorderStyle);

    Q_INVOKABLE void Refresh() {}
    Q_INVOKABLE void ShowAboutBox();

    // A new instance placed on a window being designed.
    void UserControl_InitProperties();
    // An instance loaded from its window's saved layout; in user (run) mode
    // it takes over the window's scroll bars and moves to the window's origin.
    void UserControl_ReadProperties(const PropertyBag &bag, bool userMode = true);
    void UserControl_WriteProperties(PropertyBag &bag) const;

    // The same for a container that reaches the control by name.
    Q_INVOKABLE void ReadProperties(const QVariantMap &bag, bool userMode = true);
    Q_INVOKABLE QVariantMap WriteProperties() const;

    static QColor colorFromOle(quint32 ole, const QPalette &pal);
    static quint32 oleFromColor(const QColor &c);

    cScroller *worker() const { return oScroller.get(); }

signals:
    // Tells the container that a saved property differs now.
    void PropertyChanged(const QString &name);

    // The control's declared events; it raises none of them.
    void Click();
    void DblClick();
    void KeyDown(int KeyCode, int Shift);
    void KeyPress(int KeyAscii);
    void KeyUp(int KeyCode, int Shift);
    void MouseDown(int Button, int Shift, double X, double Y);
    void MouseMove(int Button, int Shift, double X, double Y);
    void MouseUp(int Button, int Shift, double X, double Y);

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    void oScroller_Change(int lBar);
    void oScroller_Scroll(int lBar);
    void oScroller_Resize();
    // Each axis sits at minus its bar's position while that bar is shown,
    // else at the window's edge.
    void placeFromBars();
    void applyColours();

    std::unique_ptr<cScroller> oScroller;
    quint32 m_BackColor = kButtonFace;
    quint32 m_ForeColor = kButtonText;
    bool m_Enabled = false;
    QFont m_Font;
    short m_BackStyle = 0;
    short m_BorderStyle = 0;
    int m_resizeDepth = 0;
};

} // namespace scroller
