#include "platform/forms.h"
#include "platform/msgbox.h"

#include <gtest/gtest.h>

#include <QApplication>

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
