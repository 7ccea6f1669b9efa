// The scroll-bar worker over a real hosting window: its scroll codes, its
// range rules and its hold on the window's messages.
#include "scroller/cscroller.h"
#include "scroller/scrollbars.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>

#include <memory>

using namespace scroller;

namespace {

class WorkerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.resize(300, 200);
        host.show();
        w = std::make_unique<cScroller>();
        w->Create(&host);
        // A bar with positions 0..100 and a page of 10.
        for (int bar : {SB_HORZ, SB_VERT}) {
            w->setLargeChange(bar, 10);
            w->setMax(bar, 100);
            w->setVisible(bar, true);
        }
        changes = std::make_unique<QSignalSpy>(w.get(), &cScroller::Change);
        scrolls = std::make_unique<QSignalSpy>(w.get(), &cScroller::Scroll);
    }

    void send(unsigned msg, quintptr wParam)
    {
        WindowMessageEvent e(msg, wParam, 0);
        QCoreApplication::sendEvent(&host, &e);
    }
    // Puts the bar at a position without telling the worker.
    void placeBar(int bar, int pos)
    {
        SCROLLINFO si;
        si.fMask = SIF_POS;
        si.nPos = pos;
        SetScrollInfo(&host, bar, &si, true);
    }
    void clearSpies()
    {
        changes->clear();
        scrolls->clear();
    }

    QWidget host;
    std::unique_ptr<cScroller> w;
    std::unique_ptr<QSignalSpy> changes, scrolls;
};

struct CodeCase {
    const char *what;
    unsigned code;
    int start;        // the position the worker set and reported last
    int barAt;        // the bar's own position when the message comes (−1: start)
    int track;        // the thumb's track position (−1: no drag)
    int expected;
    int changes;
    int scrollEvents;
};

} // namespace

TEST_F(WorkerTest, ScrollCodesMoveWithinTheRangeAndReportOnce)
{
    const CodeCase cases[] = {
        {"line up at the top", SB_LINEUP, 0, -1, -1, 0, 0, 0},
        {"line up", SB_LINEUP, 50, -1, -1, 49, 1, 0},
        {"line down at the bottom", SB_LINEDOWN, 100, -1, -1, 100, 0, 0},
        {"line down", SB_LINEDOWN, 50, -1, -1, 51, 1, 0},
        {"page up", SB_PAGEUP, 50, -1, -1, 40, 1, 0},
        {"page up near the top stops at the top", SB_PAGEUP, 5, -1, -1, 0, 1, 0},
        {"page down", SB_PAGEDOWN, 50, -1, -1, 60, 1, 0},
        {"page down near the bottom stops at the bottom", SB_PAGEDOWN, 95, -1, -1, 100, 1, 0},
        {"thumb released elsewhere", SB_THUMBPOSITION, 50, -1, 70, 70, 1, 0},
        {"thumb released where it was", SB_THUMBPOSITION, 50, -1, 50, 50, 0, 0},
        {"thumb released where the bar already is", SB_THUMBPOSITION, 50, 70, 70, 70, 0, 1},
        {"thumb dragged", SB_THUMBTRACK, 50, -1, 70, 50, 0, 0},
        {"top", SB_TOP, 50, -1, -1, 0, 1, 0},
        {"bottom", SB_BOTTOM, 50, -1, -1, 100, 1, 0},
        {"end of scrolling, nothing new", SB_ENDSCROLL, 50, -1, -1, 50, 0, 0},
        {"end of scrolling after the bar moved", SB_ENDSCROLL, 50, 30, -1, 30, 1, 0},
        {"code 9", 9, 50, -1, -1, 50, 0, 0},
        {"code 200", 200, 50, -1, -1, 50, 0, 0},
        {"high word ignored", 0x00630000u | SB_LINEDOWN, 50, -1, -1, 51, 1, 0},
    };
    for (const CodeCase &c : cases) {
        for (int bar : {SB_HORZ, SB_VERT}) {
            SCOPED_TRACE(std::string(c.what) + (bar == SB_HORZ ? " (horizontal)" : " (vertical)"));
            w->setValue(bar, c.start);
            if (c.barAt >= 0) placeBar(bar, c.barAt);
            QScrollBar *sb = ScrollBarWidget(&host, bar);
            if (c.track >= 0) {
                sb->setSliderDown(true);
                sb->setSliderPosition(c.track);
            }
            clearSpies();
            send(bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, c.code);
            EXPECT_EQ(w->Value(bar), c.expected);
            EXPECT_EQ(changes->count(), c.changes);
            EXPECT_EQ(scrolls->count(), c.scrollEvents);
            for (const auto &args : *changes) EXPECT_EQ(args.at(0).toInt(), bar);
            for (const auto &args : *scrolls) EXPECT_EQ(args.at(0).toInt(), bar);
            if (c.track >= 0) {
                sb->setSliderPosition(w->Value(bar));
                sb->setSliderDown(false);
            }
        }
    }
}

TEST_F(WorkerTest, DraggingMovesNothingUntilTheThumbIsReleased)
{
    QScrollBar *sb = ScrollBarWidget(&host, SB_VERT);
    ASSERT_NE(sb, nullptr);
    EXPECT_TRUE(sb->isVisible());
    sb->setSliderDown(true);
    for (int pos : {10, 40, 65}) sb->setSliderPosition(pos);
    EXPECT_EQ(w->Value(SB_VERT), 0);
    EXPECT_EQ(changes->count(), 0);
    sb->setSliderDown(false);
    EXPECT_EQ(w->Value(SB_VERT), 65);
    EXPECT_EQ(changes->count(), 1);
    EXPECT_EQ(scrolls->count(), 0);
    EXPECT_EQ(sb->value(), 65);
}

TEST_F(WorkerTest, ArrowAndTroughClicksOnTheBarStepTheWorker)
{
    QScrollBar *sb = ScrollBarWidget(&host, SB_VERT);
    // The arrow at the bottom end, then the trough just above it.
    QTest::mouseClick(sb, Qt::LeftButton, {}, QPoint(sb->width() / 2, sb->height() - 3));
    EXPECT_EQ(w->Value(SB_VERT), 1);
    QTest::mouseClick(sb, Qt::LeftButton, {}, QPoint(sb->width() / 2, sb->height() - sb->width() - 4));
    EXPECT_EQ(w->Value(SB_VERT), 11);
    EXPECT_EQ(changes->count(), 2);
    EXPECT_EQ(sb->value(), 11);
    // The wheel over the bar moves it like a released thumb.
    const QPointF at(sb->width() / 2.0, sb->height() / 2.0);
    QWheelEvent wheel(at, sb->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(sb, &wheel);
    EXPECT_GT(w->Value(SB_VERT), 11);
    EXPECT_EQ(changes->count(), 3);
    EXPECT_EQ(sb->value(), w->Value(SB_VERT));
}

TEST_F(WorkerTest, MaxBelowThePositionMovesItInsideAndReportsIt)
{
    w->setValue(SB_VERT, 80);
    clearSpies();
    w->setMax(SB_VERT, 50);
    EXPECT_EQ(w->Max(SB_VERT), 50);
    EXPECT_EQ(w->Value(SB_VERT), 50);
    ASSERT_EQ(changes->count(), 1);
    EXPECT_EQ(changes->at(0).at(0).toInt(), SB_VERT);
    // A maximum above the position moves nothing.
    w->setMax(SB_VERT, 500);
    EXPECT_EQ(changes->count(), 1);
}

TEST_F(WorkerTest, LargeChangeAndMinKeepTheMaximumAndReportNothing)
{
    w->setValue(SB_VERT, 100);
    clearSpies();
    w->setLargeChange(SB_VERT, 30);
    EXPECT_EQ(w->LargeChange(SB_VERT), 30);
    EXPECT_EQ(w->Max(SB_VERT), 100);
    w->setMin(SB_VERT, 20);
    EXPECT_EQ(w->Min(SB_VERT), 20);
    EXPECT_EQ(w->Max(SB_VERT), 100);
    EXPECT_EQ(w->LargeChange(SB_VERT), 30);
    // The bar moves a position left below the new minimum, silently.
    w->setValue(SB_HORZ, 5);
    clearSpies();
    w->setMin(SB_HORZ, 20);
    EXPECT_EQ(w->Value(SB_HORZ), 20);
    EXPECT_EQ(w->Max(SB_HORZ), 100);
    EXPECT_EQ(changes->count(), 0);
    EXPECT_EQ(scrolls->count(), 0);
}

TEST_F(WorkerTest, ValueIsKeptWithinTheRangeAndLargeFiguresDoNotOverflow)
{
    w->setValue(SB_VERT, 1000);
    EXPECT_EQ(w->Value(SB_VERT), 100);
    w->setValue(SB_VERT, -1000);
    EXPECT_EQ(w->Value(SB_VERT), 0);
    w->setLargeChange(SB_VERT, INT32_MAX);
    w->setMax(SB_VERT, INT32_MAX);
    EXPECT_GE(w->Max(SB_VERT), 0);
    w->setValue(SB_VERT, w->Max(SB_VERT));
    clearSpies();
    send(WM_VSCROLL, SB_PAGEDOWN);
    send(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(w->Value(SB_VERT), w->Max(SB_VERT));
    EXPECT_EQ(changes->count(), 0);
}

TEST(WorkerVisible, AnswersTheLastValueSetAndShowsOrHidesTheBar)
{
    QWidget host;
    host.resize(200, 200);
    host.show();
    cScroller w;
    w.Create(&host);
    // Create shows both bars, yet neither counts as set.
    EXPECT_TRUE(ScrollBarWidget(&host, SB_HORZ)->isVisible());
    EXPECT_TRUE(ScrollBarWidget(&host, SB_VERT)->isVisible());
    EXPECT_FALSE(w.Visible(SB_HORZ));
    EXPECT_FALSE(w.Visible(SB_VERT));
    w.setVisible(SB_VERT, false);
    EXPECT_FALSE(ScrollBarWidget(&host, SB_VERT)->isVisible());
    EXPECT_EQ(ClientSize(&host).width(), 200);
    w.setVisible(SB_VERT, true);
    EXPECT_TRUE(w.Visible(SB_VERT));
    EXPECT_TRUE(w.Visible(7)); // any other bar number means the vertical bar
    EXPECT_LT(ClientSize(&host).width(), 200);
}

TEST(WorkerVisible, TheBarNumberReachesTheWindowAsGiven)
{
    QWidget host;
    host.resize(200, 200);
    host.show();
    cScroller w;
    w.Create(&host);
    struct Step {
        int bar;
        bool state;
        bool flagH, flagV;   // what Visible answers afterwards
        bool shownH, shownV; // the window's bars afterwards
    };
    // One run of steps: each starts from where the one before left the bars.
    const Step steps[] = {
        {SB_HORZ, false, false, false, false, true},
        {SB_VERT, false, false, false, false, false},
        {SB_BOTH, true, false, true, true, true},   // both bars, the vertical flag
        {SB_HORZ, true, true, true, true, true},
        {SB_BOTH, false, true, false, false, false},
        {SB_VERT, true, true, true, false, true},
        {7, false, true, false, false, true},       // no such bar on the window
    };
    int n = 0;
    for (const Step &s : steps) {
        SCOPED_TRACE(testing::Message() << "step " << ++n << ": bar " << s.bar << " set " << s.state);
        w.setVisible(s.bar, s.state);
        EXPECT_EQ(w.Visible(SB_HORZ), s.flagH);
        EXPECT_EQ(w.Visible(SB_VERT), s.flagV);
        EXPECT_EQ(ScrollBarWidget(&host, SB_HORZ)->isVisible(), s.shownH);
        EXPECT_EQ(ScrollBarWidget(&host, SB_VERT)->isVisible(), s.shownV);
    }
}

namespace {

// A window that notes when its own resize handling runs.
class NotingHost : public QWidget {
public:
    QStringList *log = nullptr;

protected:
    void resizeEvent(QResizeEvent *) override
    {
        if (log) log->append(QStringLiteral("window"));
    }
};

} // namespace

TEST(WorkerSize, ResizeIsRaisedBeforeTheWindowHandlesItAndDetachingEndsIt)
{
    NotingHost host;
    host.resize(200, 200);
    host.show();
    QStringList log;
    host.log = &log;
    auto w = std::make_unique<cScroller>();
    QObject::connect(w.get(), &cScroller::Resize, [&] { log.append(QStringLiteral("worker")); });
    w->Create(&host);
    EXPECT_EQ(SubclassCount(&host), 3);
    log.clear();
    host.resize(250, 180);
    EXPECT_EQ(log, QStringList({"worker", "window"}));

    w->setVisible(SB_VERT, true);
    w.reset();
    EXPECT_EQ(SubclassCount(&host), 0);
    log.clear();
    host.resize(260, 190);
    EXPECT_EQ(log, QStringList({"window"}));
    // The bars stay as they were left.
    EXPECT_TRUE(ScrollBarWidget(&host, SB_VERT)->isVisible());
}

namespace {

// Notes the message it is handed and what the hook says is current.
class NotingSink : public ISubclass {
public:
    long MsgResponse() const override { return 0; }
    void setMsgResponse(long) override {}
    qintptr WindowProc(HWND hwnd, unsigned iMsg, quintptr wParam, qintptr) override
    {
        const WindowMessage *m = CurrentMessage();
        seen.append(QStringLiteral("%1:%2:%3").arg(m && m->hwnd == hwnd).arg(iMsg).arg(wParam));
        return 0;
    }
    QStringList seen;
};

} // namespace

TEST(WindowHook, SinksHearTheirMessageOfTheirWindowOnly)
{
    QWidget a, b;
    NotingSink sink;
    SubclassAttach(&sink, &a, WM_VSCROLL);
    SubclassAttach(&sink, &a, WM_VSCROLL); // once is enough
    for (QWidget *w : {&a, &b})
        for (unsigned msg : {WM_HSCROLL, WM_VSCROLL}) {
            WindowMessageEvent e(msg, SB_PAGEDOWN, 0);
            QCoreApplication::sendEvent(w, &e);
        }
    EXPECT_EQ(sink.seen, QStringList({"1:277:3"}));
    EXPECT_EQ(CurrentMessage(), nullptr);
    SubclassDetach(&sink, &a, WM_VSCROLL);
    EXPECT_EQ(SubclassCount(&a), 0);
    WindowMessageEvent e(WM_VSCROLL, SB_PAGEDOWN, 0);
    QCoreApplication::sendEvent(&a, &e);
    EXPECT_EQ(sink.seen.size(), 1);
}
