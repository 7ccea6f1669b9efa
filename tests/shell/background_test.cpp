// The background picture lies behind every window opened after it: no
// message, dialog, closing or hiding window may bring it to the front.
#include "background_fixture.h"

#include "common/qstring_print.h"
#include "platform/forms.h"
#include "shell/frmbackground.h"
#include "shell/frmmain.h"
#include "shell/module1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A model whose second column refuses letters with a message, as the
// chooser's count column does.
class RefusingModel : public QStandardItemModel {
public:
    using QStandardItemModel::QStandardItemModel;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override
    {
        bool ok = false;
        value.toString().toInt(&ok);
        if (role == Qt::EditRole && index.column() == 1 && !ok) {
            plat::msgBox(QStringLiteral("Δώστε αριθμό."));
            return false;
        }
        return QStandardItemModel::setData(index, value, role);
    }
};

class Grid : public plat::Form {
public:
    Grid() : plat::Form(QStringLiteral("Grid"))
    {
        auto *lay = new QVBoxLayout(this);
        view = new QTableView(this);
        view->setModel(new RefusingModel(3, 2, this));
        lay->addWidget(view);
        resize(300, 200);
    }
    QTableView *view;
};

class Planner : public plat::Form {
public:
    Planner() : plat::Form(QStringLiteral("Planner"))
    {
        auto *lay = new QVBoxLayout(this);
        lay->addWidget(new QTableView(this));
        resize(400, 300);
    }
};

class BackgroundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        main.resize(1000, 700);
        main.MDIForm_Load();
        main.show();
        QApplication::setActiveWindow(&main);
        Module1::ShowChildForm(plat::FormInstance<Planner>::get());
        Module1::ShowChildForm(plat::FormInstance<Grid>::get());
        QApplication::processEvents();
        ASSERT_EQ(mdi::stacking(main.mdiArea()), (QStringList{"frmBackground", "Planner", "Grid"}));
    }
    void TearDown() override
    {
        for (plat::Form *f : plat::Form::loadedForms()) f->unloadWithoutAsking();
        QApplication::processEvents();
    }
    frmMain main;
};

} // namespace

TEST_F(BackgroundTest, ALettersMessageInAGridLeavesTheWindowsAsTheyWere)
{
    Grid *g = plat::FormInstance<Grid>::get();
    g->view->setCurrentIndex(g->view->model()->index(0, 1));
    g->view->edit(g->view->model()->index(0, 1));
    QApplication::processEvents();
    ASSERT_TRUE(g->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClicks(QApplication::focusWidget(), "abc");
    mdi::pressOkOnNextBox();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    // The desktop gives the main window back its activation after the box.
    mdi::reactivate(&main);
    EXPECT_EQ(mdi::stacking(main.mdiArea()), (QStringList{"frmBackground", "Planner", "Grid"}));
    EXPECT_EQ(mdi::active(main.mdiArea()), "Grid");
    EXPECT_EQ(QApplication::focusWidget(), g->view) << "the keyboard is back in the grid";
}

TEST_F(BackgroundTest, NeitherADialogNorAClosingOrHidingWindowBringsItForward)
{
    {   // a modal dialog of the program's own closes
        QDialog d(&main);
        mdi::closeNextDialog();
        d.exec();
        mdi::reactivate(&main);
        EXPECT_EQ(mdi::stacking(main.mdiArea()).first(), "frmBackground");
        EXPECT_EQ(mdi::active(main.mdiArea()), "Grid");
    }
    // The window list (or anything else) activates the background: the
    // window in front stays in front and active.
    main.mdiArea()->setActiveSubWindow(mdi::sub(main.mdiArea(), "frmBackground"));
    QApplication::processEvents();
    EXPECT_EQ(mdi::stacking(main.mdiArea()), (QStringList{"frmBackground", "Planner", "Grid"}));
    EXPECT_EQ(mdi::active(main.mdiArea()), "Grid");
    // A raise of the background itself.
    plat::FormInstance<frmBackground>::ifLoaded()->focusForm();
    QApplication::processEvents();
    EXPECT_EQ(mdi::stacking(main.mdiArea()).first(), "frmBackground");
    EXPECT_NE(mdi::active(main.mdiArea()), "frmBackground");

    // Hiding and closing hand the front to a window, never to the picture.
    plat::FormInstance<Grid>::get()->hideForm();
    QApplication::processEvents();
    EXPECT_EQ(mdi::active(main.mdiArea()), "Planner");
    EXPECT_EQ(mdi::stacking(main.mdiArea()).first(), "frmBackground");
    Module1::ShowChildForm(plat::FormInstance<Grid>::get());
    plat::FormInstance<Grid>::get()->unload();
    QApplication::processEvents();
    EXPECT_EQ(mdi::active(main.mdiArea()), "Planner");
    EXPECT_EQ(mdi::stacking(main.mdiArea()), (QStringList{"frmBackground", "Planner"}));

    // Alone, the picture is the active window again.
    plat::FormInstance<Planner>::get()->unload();
    QApplication::processEvents();
    EXPECT_EQ(mdi::active(main.mdiArea()), "frmBackground");
}
