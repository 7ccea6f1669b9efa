// The planning windows scroll their content through the scroller control
// created by class name: inside the main window of a 1024×600 screen and at a
// small size, the bars reach the window's last field, which can then be
// clicked and typed into.
#include "fixed_knife/form3.h"
#include "fixed_knife/frm_search.h"
#include "knife_change/form1.h"
#include "platform/database.h"
#include "platform/msgbox.h"
#include "shell/frmmain.h"
#include "shell/module1.h"
#include "user_plan/form2.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace {

class WindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(plat::Database::open(dir.filePath(QStringLiteral("Divor.db"))), QString());
    }
    void TearDown() override
    {
        plat::FormInstance<Form2>::unloadIfLoaded();
        plat::FormInstance<Form1>::unloadIfLoaded();
        plat::FormInstance<Form3>::unloadIfLoaded();
        plat::FormInstance<frmSearch>::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        plat::Database::close();
    }

    // The field furthest down (then furthest right) that a planner can type into.
    static QLineEdit *lastField(plat::Form *f, QWidget *content)
    {
        QLineEdit *last = nullptr;
        QPoint lastCorner;
        for (QLineEdit *e : content->findChildren<QLineEdit *>()) {
            if (!e->isVisibleTo(f) || !e->isEnabled() || e->isReadOnly()) continue;
            const QPoint corner = e->mapTo(content, QPoint(e->width(), e->height()));
            if (!last || corner.y() > lastCorner.y() || (corner.y() == lastCorner.y() && corner.x() > lastCorner.x())) {
                last = e;
                lastCorner = corner;
            }
        }
        return last;
    }

    void scrollsToLastField(plat::Form *f, QWidget *scroller, const char *name)
    {
        ASSERT_NE(scroller, nullptr) << name;
        EXPECT_EQ(scroller->objectName(), QStringLiteral("DScroller1"));
        EXPECT_EQ(scroller->property("BackColor").value<QColor>(), f->palette().color(QPalette::Window)) << name;
        for (QTimer *t : f->findChildren<QTimer *>()) t->stop();
        // In the main window of a 1024×600 screen, the window fitted to the
        // room the main window leaves it, then made small.
        frmMain main;
        main.MDIForm_Load();
        main.resize(1024, 600);
        main.show();
        Module1::ShowChildForm(f);
        ASSERT_NE(f->frame(), f);
        const QSize room = main.mdiArea()->viewport()->size();
        for (const QSize size : {room, QSize(480, 320)}) {
            SCOPED_TRACE(testing::Message() << name << " in a frame of " << size.width() << "x" << size.height());
            f->frame()->resize(size);
            QCoreApplication::processEvents();
            QScrollBar *bars[2] = {f->findChild<QScrollBar *>(QStringLiteral("HScroll"), Qt::FindDirectChildrenOnly),
                                   f->findChild<QScrollBar *>(QStringLiteral("VScroll"), Qt::FindDirectChildrenOnly)};
            ASSERT_TRUE(bars[0] && bars[1]);
            // A bar shows exactly when the content does not fit its way.
            const QSize client(f->width() - (bars[1]->isVisible() ? bars[1]->width() : 0),
                               f->height() - (bars[0]->isVisible() ? bars[0]->height() : 0));
            EXPECT_EQ(bars[0]->isVisible(), scroller->width() > client.width());
            EXPECT_EQ(bars[1]->isVisible(), scroller->height() > client.height());
            QLineEdit *field = lastField(f, scroller);
            ASSERT_NE(field, nullptr);
            // The thumbs dragged to where the field's far corner meets the
            // client's, as a planner would.
            const QPoint corner = field->mapTo(scroller, QPoint(field->width(), field->height()));
            const int wanted[2] = {corner.x() - client.width(), corner.y() - client.height()};
            for (int i = 0; i < 2; ++i) {
                if (!bars[i]->isVisible()) continue;
                bars[i]->setSliderDown(true);
                bars[i]->setSliderPosition(std::clamp(wanted[i], 0, bars[i]->maximum()));
                bars[i]->setSliderDown(false);
            }
            const QRect r(field->mapTo(f, QPoint(0, 0)), field->size());
            EXPECT_TRUE(QRect(QPoint(0, 0), client).contains(r)) << field->objectName().toStdString();
            QWidget *hit = f->childAt(r.center());
            EXPECT_TRUE(hit == field || field->isAncestorOf(hit)) << field->objectName().toStdString();

            QApplication::setActiveWindow(f);
            QTest::mouseClick(field, Qt::LeftButton, {}, field->rect().center());
            field->setFocus();
            field->clear();
            QTest::keyClicks(field, QStringLiteral("7"));
            EXPECT_EQ(field->text(), QStringLiteral("7")) << field->objectName().toStdString();
            const QString shots = qEnvironmentVariable("VELANTRA_PICTURES");
            if (!shots.isEmpty())
                main.grab().save(QDir(shots).filePath(QStringLiteral("%1_%2x%3.png")
                                                        .arg(QString::fromLatin1(name))
                                                        .arg(size.width())
                                                        .arg(size.height())));
            field->clear();

            // Back to the top left: the content sits at the window's origin.
            for (QScrollBar *b : bars)
                if (b->isVisible()) b->triggerAction(QAbstractSlider::SliderToMinimum);
            EXPECT_EQ(scroller->pos(), QPoint(0, 0));
        }
        f->unloadWithoutAsking();
    }

    QTemporaryDir dir;
    plat::MsgBoxRecorder rec;
};

} // namespace

TEST_F(WindowsTest, KnifeChangePlanner)
{
    Form1 *f = plat::FormInstance<Form1>::get();
    // Every order row ticked: the widths and weights of row Ι are the last fields.
    for (int i = 0; i < 10; ++i) f->Check1[i]->click();
    scrollsToLastField(f, f->DScroller1, "Form1");
}

TEST_F(WindowsTest, UserEditedPlan)
{
    Form2 *f = plat::FormInstance<Form2>::get();
    // A plan longer than any window: the content grows after the window opened.
    f->ensurePatternRows(30);
    for (QLineEdit *g : f->Grammi) g->show(); // as a hand-over of 30 patterns shows them
    scrollsToLastField(f, f->DScroller1, "Form2");
}

TEST_F(WindowsTest, FixedKnifePlanner)
{
    Form3 *f = plat::FormInstance<Form3>::get();
    for (int i = 0; i < 7; ++i) f->Check1[i]->click();
    scrollsToLastField(f, f->DScroller1, "Form3");
}

TEST_F(WindowsTest, SecondaryItemChooser)
{
    frmSearch *f = plat::FormInstance<frmSearch>::get();
    scrollsToLastField(f, f->DScroller1, "frmSearch");
}



// A window designed larger than the main window leaves it free opens fitted
// to that room, and its own bars reach the rest.
TEST_F(WindowsTest, AWindowLargerThanTheRoomOpensFittedToIt)
{
    frmMain main;
    main.MDIForm_Load();
    main.resize(1024, 600);
    main.show();
    QCoreApplication::processEvents();
    const QSize room = main.mdiArea()->viewport()->size();
    Form2 *f = plat::FormInstance<Form2>::get();
    ASSERT_GT(f->height(), room.height()) << "the plan window is meant to be taller than the room";
    Module1::ShowChildForm(f);
    QCoreApplication::processEvents();
    ASSERT_NE(f->frame(), f);
    EXPECT_TRUE(QRect(QPoint(0, 0), room).contains(f->frame()->geometry()));
    auto *bar = f->findChild<QScrollBar *>(QStringLiteral("VScroll"), Qt::FindDirectChildrenOnly);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    f->unloadWithoutAsking();
}
