#include "platform/forms.h"
#include "platform/msgbox.h"
#include "platform/widgets.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>

namespace {

class Probe : public plat::Form {
public:
    Probe() : plat::Form(QStringLiteral("Probe")) {}
    void Form_Load() override { ++loads; }
    bool Form_QueryUnload() override
    {
        return plat::msgBox(QStringLiteral("κλείσιμο;"), plat::MsgOkCancelQuestion) == plat::MsgAnswer::Ok;
    }
    void Form_Unload() override { ++unloads; }
    int loads = 0;
    static inline int unloads = 0;
};

} // namespace

TEST(Forms, OneInstanceLoadedOnFirstUseAndFreshAfterUnload)
{
    using Inst = plat::FormInstance<Probe>;
    EXPECT_FALSE(Inst::loaded());
    Probe *p = Inst::get();
    EXPECT_EQ(p->loads, 1);
    EXPECT_EQ(Inst::get(), p);
    EXPECT_FALSE(p->isFormVisible()) << "a window reached through its accessor loads hidden";
    EXPECT_TRUE(plat::Form::loadedForms().contains(p));

    {
        plat::MsgBoxRecorder rec(plat::MsgAnswer::Cancel);
        EXPECT_FALSE(p->unload());
        EXPECT_TRUE(Inst::loaded());
        EXPECT_EQ(rec.messages.size(), 1);
    }
    {
        plat::MsgBoxRecorder rec(plat::MsgAnswer::Ok);
        EXPECT_TRUE(p->unload());
        EXPECT_FALSE(Inst::loaded());
        EXPECT_EQ(Probe::unloads, 1);
    }
    QApplication::processEvents();
    Probe *q = Inst::get();
    EXPECT_EQ(q->loads, 1);

    // Unloading without asking shows nothing; unloading twice is harmless.
    plat::MsgBoxRecorder rec;
    Inst::unloadIfLoaded();
    Inst::unloadIfLoaded();
    EXPECT_TRUE(rec.messages.isEmpty());
    EXPECT_FALSE(Inst::loaded());
    EXPECT_EQ(Probe::unloads, 2);
}

TEST(Forms, RecorderAnswersQuestionsInTurnAndOkOnlyBoxesWithOk)
{
    plat::MsgBoxRecorder rec(plat::MsgAnswer::Cancel);
    rec.queueAnswers({plat::MsgAnswer::Ok});
    EXPECT_EQ(plat::msgBox("α", plat::MsgOkCancelQuestion), plat::MsgAnswer::Ok);
    EXPECT_EQ(plat::msgBox("β", plat::MsgOkCancelQuestion), plat::MsgAnswer::Cancel);
    EXPECT_EQ(plat::msgBox("γ"), plat::MsgAnswer::Ok);
    ASSERT_EQ(rec.messages.size(), 3);
    EXPECT_EQ(rec.messages[0].title, QStringLiteral("Velantra"));
    EXPECT_EQ(rec.messages[2].style, 0);
}

#include "platform/pictures.h"

TEST(Pictures, CoilDrawingLoadsFromResources)
{
    const QImage coil = plat::coilPicture();
    ASSERT_FALSE(coil.isNull());
    EXPECT_GE(coil.width(), 64);
    EXPECT_FALSE(plat::coilIcon().isNull());
}

// A display box too narrow for its figure starts at the figure's first
// digit and holds the figure whole in its tooltip; one that fits has none.
TEST(Widgets, ANarrowDisplayBoxShowsItsStartAndHoldsTheWholeFigureInItsTooltip)
{
    QWidget host;
    auto *box = plat::makeBox(&host, QStringLiteral("Text5"), QRect(0, 0, 60, 20));
    box->setEnabled(false);
    plat::keepLegibleWhenDisabled(box);
    plat::showFromStart(box); // a second call changes nothing
    host.show();

    const QString waste = QStringLiteral("269,662921348315");
    box->setText(waste);
    EXPECT_EQ(box->cursorPosition(), 0);
    EXPECT_EQ(box->toolTip(), waste);

    box->setText(QStringLiteral("12"));
    EXPECT_EQ(box->toolTip(), QString());

    box->setText(waste);
    box->resize(400, 20);
    EXPECT_EQ(box->toolTip(), QString());
    box->resize(60, 20);
    EXPECT_EQ(box->toolTip(), waste);
}

// A restored placement is fitted into the screen's free area: the size is cut
// first, then the window moved just enough to lie whole inside.
TEST(Placement, ARestoredWindowIsFittedSizeFirstThenPosition)
{
    const QRect laptop(0, 0, 1024, 600), wide(0, 0, 1366, 768), panel(0, 24, 1024, 576), right(1366, 0, 1024, 600);
    const struct {
        const char *what;
        QRect window, area, expected;
    } cases[] = {
        {"maximised on the wide screen, opened on the small one", QRect(0, 0, 1366, 768), laptop, laptop},
        {"inside already", QRect(100, 50, 600, 400), laptop, QRect(100, 50, 600, 400)},
        {"exactly the area", laptop, laptop, laptop},
        {"past the right and bottom edges", QRect(700, 400, 600, 400), laptop, QRect(424, 200, 600, 400)},
        {"above and left of the area", QRect(-300, -50, 600, 400), panel, QRect(0, 24, 600, 400)},
        {"too tall under a panel", QRect(10, 0, 500, 700), panel, QRect(10, 24, 500, 576)},
        {"too wide, past the left edge", QRect(-50, 100, 2000, 300), wide, QRect(0, 100, 1366, 300)},
        {"a second screen on the right", QRect(1500, 100, 1366, 768), right, right},
        {"no area known", QRect(5, 5, 3000, 3000), QRect(), QRect(5, 5, 3000, 3000)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QRect got = plat::fitIntoArea(c.window, c.area);
        EXPECT_EQ(got, c.expected) << got.x() << "," << got.y() << " " << got.width() << "x" << got.height();
    }
}

// A new child window opens at the first cascade place that is free and where
// it lies whole; a place an open window has is never used.
TEST(Placement, ANewChildTakesTheFirstFreeCascadePlaceWhereItLiesWhole)
{
    const QRect small(0, 0, 1020, 520), large(0, 0, 1362, 690);
    const QSize planner(900, 600), chooser(530, 500), editor(400, 300);
    auto at = [](int k, QSize s) { return QRect(QPoint(k * 24, k * 24), s); };
    const struct {
        const char *what;
        QSize size;
        QRect area;
        QList<QRect> open;
        QRect expected;
    } cases[] = {
        {"first window", editor, large, {}, at(0, editor)},
        {"second window", editor, large, {at(0, editor)}, at(1, editor)},
        {"the first of two closed: its place is free again", editor, large, {at(1, editor)}, at(0, editor)},
        {"a gap in the middle", editor, large, {at(0, editor), at(2, editor)}, at(1, editor)},
        {"a window moved a little still holds its place", editor, large, {QRect(5, 3, 400, 300)}, at(1, editor)},
        {"a window moved away frees the corner", editor, large, {QRect(300, 200, 400, 300)}, at(0, editor)},
        {"the planner on the small screen is cut to the area at the corner", planner, small, {},
         QRect(0, 0, 900, 520)},
        {"the planner whole: the corner is taken, the next place cuts it", planner, small, {at(0, chooser)},
         QRect(24, 24, 900, 496)},
        {"the corner taken on the small screen: the chooser is cut to the room at the next free place", chooser,
         small, {at(0, editor), at(1, editor)}, QRect(48, 48, 530, 472)},
        {"every cascade place taken: the first free spot of the grid, cut to the room there", editor,
         QRect(0, 0, 60, 60), {at(0, editor), at(1, editor), at(2, editor)}, QRect(24, 0, 36, 60)},
        {"a flat area with its corner taken and no room for half at the next place", QSize(1000, 40),
         QRect(0, 0, 1000, 40), {QRect(0, 0, 1000, 40)}, QRect(24, 0, 976, 40)},
        {"every spot of the grid taken: over the corner", QSize(100, 100), QRect(10, 10, 30, 30),
         {QRect(10, 10, 30, 30), QRect(34, 10, 6, 30), QRect(10, 34, 30, 6), QRect(34, 34, 6, 6)},
         QRect(10, 10, 30, 30)},
        {"past the last whole place: cut to the room", chooser, QRect(0, 0, 600, 540),
         {at(0, chooser), at(1, chooser)}, QRect(48, 48, 530, 492)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QRect got = plat::cascadePlace(c.size, c.area, c.open);
        EXPECT_TRUE(c.area.contains(got));
        if (got.topLeft() != c.area.topLeft())
            for (const QRect &o : c.open) EXPECT_NE(got.topLeft(), o.topLeft());
        EXPECT_EQ(got, c.expected) << got.x() << "," << got.y() << " " << got.width() << "x" << got.height();
    }
}
