#include "common/db_test.h"
#include "platform/database.h"
#include "platform/document.h"
#include "platform/forms.h"
#include "platform/msgbox.h"
#include "shell/module1.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {

// A window with the parameter fields of a planner.
class ParamWindow : public plat::Form {
public:
    ParamWindow() : plat::Form(QStringLiteral("ParamWindow"))
    {
        for (const char *n : {"txtArxi", "txtTelos", "txtMikos", "Text2", "Text4", "txtApoklisi"}) {
            auto *e = new QLineEdit(QStringLiteral("keep"), this);
            e->setObjectName(QString::fromLatin1(n));
        }
        chk = new QCheckBox(this);
        chk->setObjectName(QStringLiteral("chkPrint"));
    }
    QString text(const char *n) const { return findChild<QLineEdit *>(QString::fromLatin1(n))->text(); }
    QCheckBox *chk;
};

using Module1Test = DbTest;

} // namespace

TEST_F(Module1Test, LoadParametersFillsTheFieldsInGreekFormat)
{
    exec("update tblParameters set AristeroXakrisma=2.5, DexiXakrisma=3, MikosTainias=1500, BarosTainias=7.25,"
         " ArithmosTainion=12, AnektiApoklisi=15, OikonomikoPrint=1");
    ParamWindow w;
    plat::MsgBoxRecorder rec;
    EXPECT_TRUE(Module1::LoadParameters(&w, false));
    EXPECT_EQ(w.text("txtArxi"), "2,5");
    EXPECT_EQ(w.text("txtTelos"), "3");
    EXPECT_EQ(w.text("txtMikos"), "1500");
    EXPECT_EQ(w.text("Text2"), "7,25");
    EXPECT_EQ(w.text("Text4"), "12");
    EXPECT_EQ(w.text("txtApoklisi"), "15");
    EXPECT_TRUE(w.chk->isChecked());
    EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(Module1Test, OnlyPrintSetsTheCheckBoxAlone)
{
    ParamWindow w;
    w.chk->setChecked(true);
    exec("update tblParameters set OikonomikoPrint=NULL");
    EXPECT_TRUE(Module1::LoadParameters(&w, true));
    EXPECT_FALSE(w.chk->isChecked()) << "an empty flag clears the box";
    EXPECT_EQ(w.text("txtMikos"), "keep");
    exec("update tblParameters set OikonomikoPrint=1");
    EXPECT_TRUE(Module1::LoadParameters(&w, true));
    EXPECT_TRUE(w.chk->isChecked());
}

TEST_F(Module1Test, OnlyTheFirstOfSeveralRowsIsUsed)
{
    exec("insert into tblParameters values (50, 9, 9, 9, 9, 999, 1)");
    ParamWindow w;
    EXPECT_TRUE(Module1::LoadParameters(&w, false));
    EXPECT_EQ(w.text("txtMikos"), "1250");
    EXPECT_FALSE(w.chk->isChecked());
}

TEST_F(Module1Test, MissingParametersAreReportedAndLeaveTheWindowsValues)
{
    ParamWindow w;
    for (const char *sql : {"update tblParameters set MikosTainias=NULL", "delete from tblParameters",
                            "drop table tblParameters"}) {
        SCOPED_TRACE(sql);
        exec(sql);
        plat::MsgBoxRecorder rec;
        EXPECT_FALSE(Module1::LoadParameters(&w, false));
        ASSERT_EQ(rec.messages.size(), 1);
        EXPECT_TRUE(rec.lastText().startsWith(QStringLiteral("Δεν βρέθηκαν οι παράμετροι")));
        EXPECT_EQ(w.text("txtArxi"), "keep");
    }
}

TEST(OpenDocument, EveryOutcomeHasItsText)
{
    const QString f = QStringLiteral("/opt/app/DivorHelp.doc");
    struct Case {
        plat::OpenOutcome outcome;
        QString text;
    };
    const Case cases[] = {
        {plat::OpenOutcome::Opened, QString()},
        {plat::OpenOutcome::OutOfResources,
         QStringLiteral("Οι πόροι ή η μνήμη τού συστήματος δέν επαρκούν\r\nγια να ανοίξει το έγγραφο <") + f + ">."},
        {plat::OpenOutcome::FileNotFound, QStringLiteral("Τό έγγραφο <") + f + QStringLiteral("> δέν βρέθηκε.")},
        {plat::OpenOutcome::PathNotFound, QStringLiteral("Δέν βρέθηκε η διαδρομή.")},
        {plat::OpenOutcome::BadFormat, QStringLiteral("Η μορφή τού εγγράφου <") + f + QStringLiteral("> δεν είναι σωστή.")},
        {plat::OpenOutcome::NoAssociation,
         QStringLiteral("Το έγγραφο <") + f + QStringLiteral("> δέν είναι συσχετισμένο μέ καμμία εφαρμογή.")},
        {plat::OpenOutcome::Other, QStringLiteral("Αδιευκρίνιστο σφάλμα.")},
    };
    for (const auto &c : cases) {
        plat::setDocumentOpener([&](const QString &) { return c.outcome; });
        EXPECT_EQ(Module1::OpenDocument(0, f), c.text);
    }
    plat::setDocumentOpener(nullptr);
}

TEST(OpenDocument, TheDesktopOpenerTellsMissingFilesAndFolders)
{
    QTemporaryDir dir;
    EXPECT_EQ(plat::openWithDesktop(dir.filePath("nothing.doc")), plat::OpenOutcome::FileNotFound);
    EXPECT_EQ(plat::openWithDesktop(dir.filePath("no/such/dir/help.doc")), plat::OpenOutcome::PathNotFound);
}

namespace {
class ChildA : public plat::Form {
public:
    ChildA() : plat::Form(QStringLiteral("ChildA")) {}
    void Form_Load() override { ++loads; }
    static inline int loads = 0;
};
} // namespace

TEST(ShowChildForm, OpensAClosedWindowFocusesAnOpenOneAndShowsAHiddenOne)
{
    using Inst = plat::FormInstance<ChildA>;
    Module1::ShowChildForm(Inst::get());
    ChildA *a = Inst::ifLoaded();
    ASSERT_TRUE(a);
    EXPECT_TRUE(a->isFormVisible());
    EXPECT_EQ(ChildA::loads, 1);

    Module1::ShowChildForm(Inst::get());
    EXPECT_EQ(Inst::get(), a) << "no second copy";
    EXPECT_EQ(ChildA::loads, 1);

    a->hideForm();
    Module1::ShowChildForm(Inst::get());
    EXPECT_TRUE(a->isFormVisible()) << "a loaded but hidden window is shown, then focused";

    Inst::unloadIfLoaded();
    Module1::ShowChildForm(Inst::get());
    EXPECT_EQ(ChildA::loads, 2) << "a closed window opens anew";
    Inst::unloadIfLoaded();
}
