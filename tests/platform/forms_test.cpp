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
