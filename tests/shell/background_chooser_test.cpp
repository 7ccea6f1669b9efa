// The fixed-knife planner's chooser "ΦΙΛΤΡΑ" inside the main window: letters
// typed into a count cell are refused with a message, and neither that message
// nor "ΑΠΟΔΟΧΗ" brings the background picture over the planner or the chooser.
#include "background_fixture.h"
#include "common/qstring_print.h"

#include "fixed_knife/form3.h"
#include "fixed_knife/frm_search.h"
#include "platform/database.h"
#include "shell/frmmain.h"
#include "shell/module1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

TEST(BackgroundWithTheChooser, TheRefusedCountAndTheAcceptLeaveThePictureBehind)
{
    QTemporaryDir dir;
    ASSERT_EQ(plat::Database::open(dir.filePath(QStringLiteral("Divor.db"))), QString());
    QSqlQuery q(plat::Database::db());
    ASSERT_TRUE(q.exec(QStringLiteral("insert into Typos (Κωδικός, Τύπος) values (1, 'Μαύρο')")));
    ASSERT_TRUE(q.exec(QStringLiteral(
        "insert into ProtasisXristi (ID, Εύρος, Τύπος, Πάχος) values (1, 50, 1, 1), (2, 80, 1, 1), (3, 120, 1, 1)")));

    {
        frmMain main;
        main.resize(1366, 740);
        main.MDIForm_Load();
        main.show();
        QApplication::setActiveWindow(&main);
        Form3 *planner = plat::FormInstance<Form3>::get();
        planner->Timer1->stop();
        planner->Timer2->stop();
        Module1::ShowChildForm(planner);
        planner->cmdGrid->click();
        frmSearch *chooser = plat::FormInstance<frmSearch>::ifLoaded();
        ASSERT_TRUE(chooser);
        QApplication::processEvents();
        ASSERT_EQ(mdi::stacking(main.mdiArea()), (QStringList{"frmBackground", "Form3", "frmSearch"}));

        chooser->txtEvros1->setText(QStringLiteral("40"));
        chooser->txtEvros2->setText(QStringLiteral("160"));
        chooser->cmdShow->click();
        QTableView *grid = chooser->DataGrid1;
        const QModelIndex cell = grid->model()->index(0, SearchResultModel::ColCount);
        grid->setFocus();
        grid->setCurrentIndex(cell);
        grid->edit(cell);
        QApplication::processEvents();
        ASSERT_TRUE(grid->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("abc"));
        mdi::pressOkOnNextBox();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        mdi::reactivate(&main);
        EXPECT_EQ(mdi::stacking(main.mdiArea()), (QStringList{"frmBackground", "Form3", "frmSearch"}));
        EXPECT_EQ(mdi::active(main.mdiArea()), "frmSearch");
        EXPECT_EQ(QApplication::focusWidget(), grid);

        chooser->cmdExecute->click();
        QApplication::processEvents();
        EXPECT_EQ(mdi::stacking(main.mdiArea()), (QStringList{"frmBackground", "Form3"}));
        EXPECT_EQ(mdi::active(main.mdiArea()), "Form3");

        plat::FormInstance<frmSearch>::unloadIfLoaded();
        plat::FormInstance<Form3>::unloadIfLoaded();
        QApplication::processEvents();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    plat::Database::close();
}
