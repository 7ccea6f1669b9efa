// The scroller control on a hosting window: bars from the sizes, its place
// from the bars, its saved properties and its about window.
#include "scroller/barfit.h"
#include "scroller/cscroller.h"
#include "scroller/dscroller.h"
#include "scroller/scrollbars.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>
#include <vector>

using namespace scroller;

TEST(FitBar, WorkedValuesAndTheEdges)
{
    struct Case {
        double extent, client;
        BarFit::Kind kind;
        int largeChange, max;
    } cases[] = {
        {9000, 6000, BarFit::Show, 200, 200},
        {15000, 6000, BarFit::Show, 300, 600},
        {6000, 6000, BarFit::Hide, 0, 0},
        {5000, 6000, BarFit::Hide, 0, 0},
        {6014, 6000, BarFit::Hide, 0, 0}, // under one pixel more
        {6015, 6000, BarFit::Show, 1, 1},
        {90000, 10, BarFit::Leave, 0, 0}, // a client under one pixel
        {1e15, 6000, BarFit::Show, 0, INT32_MAX / 15}, // held at the 32-bit limit
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.extent << " in " << c.client);
        const BarFit f = fitBar(c.extent, c.client);
        EXPECT_EQ(f.kind, c.kind);
        if (c.kind != BarFit::Show) continue;
        if (c.largeChange) { EXPECT_EQ(f.largeChange, c.largeChange); }
        EXPECT_EQ(f.max, c.max);
        EXPECT_GT(f.largeChange, 0);
    }
}

namespace {

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.resize(500, 400);
        host.show();
        control = new DScroller(&host);
        control->move(30, 40); // wherever it was placed, it starts at the origin
        control->UserControl_ReadProperties(PropertyBag());
        control->show();
        w = control->worker();
        ASSERT_NE(w, nullptr);
    }
    // Pixels: 15 twips each.
    void contentSize(int width, int height) { control->resize(width, height); }

    QWidget host;
    DScroller *control = nullptr;
    cScroller *w = nullptr;
};

} // namespace

TEST_F(ControlTest, BarsFollowTheWorkedValues)
{
    EXPECT_EQ(control->pos(), QPoint(0, 0));
    // 9000 twips of content in a 6000-twip client, no horizontal bar needed.
    contentSize(100, 600);
    EXPECT_TRUE(w->Visible(SB_VERT));
    EXPECT_FALSE(w->Visible(SB_HORZ));
    EXPECT_EQ(w->LargeChange(SB_VERT), 200);
    EXPECT_EQ(w->Max(SB_VERT), 200);
    contentSize(100, 1000);
    EXPECT_EQ(w->LargeChange(SB_VERT), 300);
    EXPECT_EQ(w->Max(SB_VERT), 600);
    contentSize(100, 400);
    EXPECT_FALSE(w->Visible(SB_VERT));
    EXPECT_FALSE(ScrollBarWidget(&host, SB_VERT)->isVisible());
}

TEST_F(ControlTest, TheControlMovesByTheBarsAndTheLastFieldComesIntoView)
{
    contentSize(900, 1000);
    ASSERT_TRUE(w->Visible(SB_HORZ));
    ASSERT_TRUE(w->Visible(SB_VERT));
    const QSize client = ClientSize(&host);
    // Each bar makes room for the other.
    EXPECT_EQ(w->Max(SB_VERT), 1000 - client.height());
    EXPECT_EQ(w->Max(SB_HORZ), 900 - client.width());
    ScrollBarWidget(&host, SB_VERT)->triggerAction(QAbstractSlider::SliderToMaximum);
    ScrollBarWidget(&host, SB_HORZ)->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(control->pos(), QPoint(-w->Max(SB_HORZ), -w->Max(SB_VERT)));
    EXPECT_EQ(control->geometry().bottomRight(), QPoint(client.width() - 1, client.height() - 1));
}

TEST_F(ControlTest, HidingAndShowingBarsAcrossResizesKeepsEachAxisOnItsBar)
{
    contentSize(900, 1000);
    w->setValue(SB_VERT, w->Max(SB_VERT));
    w->setValue(SB_HORZ, 100);
    EXPECT_EQ(control->pos(), QPoint(-100, -w->Max(SB_VERT)));

    // A horizontal change while that bar is hidden keeps the vertical offset.
    host.resize(1000, 400);
    ASSERT_FALSE(w->Visible(SB_HORZ));
    ASSERT_TRUE(w->Visible(SB_VERT));
    EXPECT_EQ(control->pos(), QPoint(0, -w->Value(SB_VERT)));
    w->setValue(SB_HORZ, 20);
    EXPECT_EQ(control->pos(), QPoint(0, -w->Value(SB_VERT)));

    // The window grows past the content: no bars, the content at the origin.
    host.resize(1000, 1100);
    EXPECT_FALSE(w->Visible(SB_VERT));
    EXPECT_EQ(control->pos(), QPoint(0, 0));

    // It shrinks again: the bars come back, every position within its range.
    host.resize(600, 500);
    for (int bar : {SB_HORZ, SB_VERT}) {
        EXPECT_TRUE(w->Visible(bar));
        EXPECT_LE(w->Value(bar), w->Max(bar));
        EXPECT_GE(w->Value(bar), w->Min(bar));
    }
    EXPECT_EQ(control->pos(), QPoint(-w->Value(SB_HORZ), -w->Value(SB_VERT)));

    // A minimised window changes nothing.
    const int before = w->Max(SB_VERT);
    host.resize(0, 0);
    EXPECT_EQ(w->Max(SB_VERT), before);
}

TEST_F(ControlTest, PropertiesRoundTripWithOnlyChangedValuesWritten)
{
    EXPECT_TRUE(control->WriteProperties().isEmpty());
    EXPECT_FALSE(control->Enabled());
    EXPECT_EQ(control->Font(), host.font());

    QSignalSpy changed(control, &DScroller::PropertyChanged);
    QFont bold = host.font();
    bold.setBold(true);
    control->setProperty("BackColor", QColor(10, 20, 30));
    control->setProperty("Enabled", true);
    control->setProperty("Font", bold);
    control->setProperty("BackStyle", short(1));
    control->setProperty("BorderStyle", short(1));
    QStringList names;
    for (const auto &args : changed) names << args.at(0).toString();
    EXPECT_EQ(names, QStringList({"BackColor", "Enabled", "Font", "BackStyle", "BorderStyle"}));

    const QVariantMap bag = control->WriteProperties();
    EXPECT_EQ(QStringList(bag.keys()),
              QStringList({"BackColor", "BackStyle", "BorderStyle", "Enabled", "Font"}));
    EXPECT_EQ(bag.value("BackColor").toUInt(), 0x001E140Au);

    QWidget other;
    DScroller copy(&other);
    copy.ReadProperties(bag, false);
    EXPECT_EQ(copy.worker(), nullptr); // not in run mode: no bars
    EXPECT_EQ(copy.BackColor(), QColor(10, 20, 30));
    EXPECT_EQ(copy.palette().color(QPalette::Window), QColor(10, 20, 30));
    EXPECT_TRUE(copy.Enabled());
    EXPECT_EQ(copy.Font(), bold);
    EXPECT_EQ(copy.BackStyle(), 1);
    EXPECT_EQ(copy.BorderStyle(), 1);
    EXPECT_EQ(copy.WriteProperties(), bag);
    EXPECT_EQ(ScrollBarWidget(&other, SB_VERT), nullptr);
}

TEST_F(ControlTest, StoredPropertiesChangeNothingAndNoEventIsRaised)
{
    const QList<QByteArray> events = {"Click", "DblClick", "KeyDown", "KeyPress",
                                      "KeyUp", "MouseDown", "MouseMove", "MouseUp"};
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    const QMetaObject *mo = control->metaObject();
    for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
        const QMetaMethod m = mo->method(i);
        if (m.methodType() == QMetaMethod::Signal && events.contains(m.name()))
            spies.push_back(std::make_unique<QSignalSpy>(control, QByteArray("2") + m.methodSignature()));
    }
    ASSERT_EQ(spies.size(), 8u);

    control->setEnabledValue(false);
    control->setFontValue(QFont(QStringLiteral("Serif"), 30));
    control->setBorderStyle(1);
    control->setBackStyle(1);
    control->Refresh();
    EXPECT_TRUE(control->isEnabled());
    EXPECT_NE(control->font().pointSize(), 30);

    contentSize(900, 1000);
    ScrollBarWidget(&host, SB_VERT)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QTest::mouseClick(control, Qt::LeftButton);
    QTest::mouseDClick(control, Qt::LeftButton);
    for (const auto &spy : spies) EXPECT_EQ(spy->count(), 0) << spy->signal().constData();
}

// The window holding the control may close while the about box is open:
// the box goes with the control and nothing is deleted twice.
TEST_F(ControlTest, AboutBoxGoesWithAControlDeletedWhileItIsOpen)
{
    QTimer::singleShot(0, [&] {
        delete control;
        control = nullptr;
    });
    DScroller *showing = control;
    showing->ShowAboutBox();
    EXPECT_EQ(control, nullptr);
    EXPECT_TRUE(host.findChildren<QDialog *>().isEmpty());
}

TEST_F(ControlTest, AboutBoxHasItsCaptionOneLabelAndOk)
{
    QString caption;
    int labels = -1;
    QString button;
    QTimer::singleShot(0, [&] {
        auto *dlg = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        caption = dlg->windowTitle();
        labels = int(dlg->findChildren<QLabel *>().size());
        auto buttons = dlg->findChildren<QPushButton *>();
        ASSERT_EQ(buttons.size(), 1);
        button = buttons[0]->text();
        const QString shots = qEnvironmentVariable("VELANTRA_PICTURES");
        if (!shots.isEmpty()) dlg->grab().save(shots + QStringLiteral("/about_dscroller.png"));
        buttons[0]->click();
    });
    control->ShowAboutBox();
    EXPECT_EQ(caption, QStringLiteral("About DScroller"));
    EXPECT_EQ(labels, 1);
    EXPECT_EQ(button, QStringLiteral("OK"));
    EXPECT_TRUE(control->findChildren<QDialog *>().isEmpty());
}
