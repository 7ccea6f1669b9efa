// The planning windows' prints: what each writes into its print table, and
// the report window it opens with the window's figures of that moment.
#include "report_fixture.h"

#include "fixed_knife/form3.h"
#include "knife_change/form1.h"
#include "platform/msgbox.h"
#include "shell/module1.h"
#include "user_plan/form2.h"
#include "user_plan/plan_handover.h"
#include "user_plan/plan_print.h"
#include "user_plan/plan_recompute.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace {

using plat::FormInstance;

class WindowPrints : public ReportTest {
protected:
    void SetUp() override
    {
        ReportTest::SetUp();
        Module1::strPrintTitle.clear();
    }

    // The knife-change planner with an order of 200, 310 and 420 mm solved
    // on 1250 mm coils of 8 t: both proposals computed.
    Form1 *solvedPlanner()
    {
        Form1 *f = FormInstance<Form1>::get();
        f->Timer1->stop();
        f->txtMikos->setText(QStringLiteral("1250"));
        f->txtArxi->setText(QStringLiteral("5"));
        f->txtTelos->setText(QStringLiteral("5"));
        f->Text2->setText(QStringLiteral("8"));
        f->Text4->setText(QStringLiteral("11"));
        const char *widths[3] = {"200", "310", "420"};
        const char *tonnes[3] = {"10", "20", "10"};
        for (int i = 0; i < 3; ++i) {
            f->Check1[i]->setChecked(true);
            f->Mikos[i]->setText(QString::fromLatin1(widths[i]));
            f->Baros[i]->setText(QString::fromLatin1(tonnes[i]));
        }
        f->lisi->click();
        f->Timer1_Timer();
        EXPECT_FALSE(f->List1.isEmpty());
        EXPECT_FALSE(f->Text12->text().isEmpty());
        return f;
    }

    // The fixed-knife planner with 400 and 200 mm, 8 t each, solved.
    Form3 *solvedFixedKnife()
    {
        Form3 *f = FormInstance<Form3>::get();
        f->Timer1->stop();
        f->Timer2->stop();
        const char *widths[2] = {"400", "200"};
        for (int i = 0; i < 2; ++i) {
            f->Check1[i]->click();
            f->Mikos[i]->setText(QString::fromLatin1(widths[i]));
            f->Baros[i]->setText(QStringLiteral("8"));
        }
        f->lisi->click();
        f->Timer1_Timer();
        EXPECT_EQ(f->Grammi0->text(), QStringLiteral("2"));
        return f;
    }

    static const plat::ReportControl &ctl(const plat::ReportWindow *w, const char *section, const QString &name)
    {
        return w->report().definition().section(QString::fromLatin1(section)).control(name);
    }
    static QString cap(const plat::ReportWindow *w, const char *section, const QString &name)
    {
        return ctl(w, section, name).caption;
    }
};

// ------------------------------------------------------- proposals 1 and 2

TEST_F(WindowPrints, ProposalPrintsWriteTheirTableAndCopyThePlannerAsItShows)
{
    plat::MsgBoxRecorder rec;
    Form1 *f = solvedPlanner();
    ASSERT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
    // The print rewrites the table the search wrote, line for line.
    const QStringList expected = rows("select ID, Paraggelia from Protasis1 order by ID");
    ASSERT_FALSE(expected.isEmpty());
    exec("delete from Protasis1");
    // Leftovers of an earlier, longer order in a row no longer ticked.
    f->Mikos[5]->setText(QStringLiteral("777"));
    f->Proion1[5]->setText(QStringLiteral("9,9"));
    exec("delete from Protasis2");
    exec("insert into Protasis2 values (7, 'kept')");
    // Economical printing leaves the proposals' picture in place.
    exec("update tblParameters set OikonomikoPrint = 1");
    f->chkPrint->setChecked(true);

    f->cmdPrint->click();
    ASSERT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
    ASSERT_EQ(reportWindows().size(), 1);
    plat::ReportWindow *w = reportWindows().first();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("ΠΡΟΤΑΣΙΣ 1η"));

    EXPECT_EQ(rows("select ID, Paraggelia from Protasis1 order by ID"), expected);
    EXPECT_EQ(rows("select * from Protasis2"), QStringList{"7|kept"});
    EXPECT_EQ(w->report().rows().count(), expected.size());

    // A blank before each table value; the unticked row is blank on the
    // window and in the report.
    for (int i = 0; i < 3; ++i) {
        const QString s = QChar(u'A' + i);
        EXPECT_EQ(cap(w, "PageHeader", "Evros" + s), u' ' + f->Mikos[i]->text());
        EXPECT_EQ(cap(w, "PageHeader", "Baros" + s), u' ' + f->Baros[i]->text());
        EXPECT_EQ(cap(w, "PageHeader", "Roles" + s), u' ' + f->Roles[i]->text());
        EXPECT_EQ(cap(w, "PageHeader", "Baros1" + s), u' ' + f->Proion[i]->text());
        EXPECT_EQ(cap(w, "PageHeader", "Roles1" + s), u' ' + f->Roles1[i]->text());
    }
    EXPECT_EQ(f->Mikos[5]->text(), QString());
    EXPECT_EQ(f->Proion1[5]->text(), QString());
    EXPECT_EQ(cap(w, "PageHeader", "EvrosF"), QStringLiteral(" "));
    // Coil data and totals exactly as shown, nothing in front.
    EXPECT_EQ(cap(w, "PageHeader", "Label24"), QStringLiteral("1250"));
    EXPECT_EQ(cap(w, "PageHeader", "Label26"), QStringLiteral("5"));
    EXPECT_EQ(cap(w, "PageHeader", "Label28"), QStringLiteral("5"));
    EXPECT_EQ(cap(w, "PageHeader", "Label30"), QStringLiteral("8"));
    const QLineEdit *totals[5] = {f->Text3, f->Text5, f->Text8, f->Text10, f->Text12};
    const char *labels[5] = {"Label35", "Label36", "Label37", "Label38", "Label40"};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(cap(w, "PageFooter", labels[k]), totals[k]->text()) << labels[k];
    EXPECT_TRUE(f->Text12->text().contains(u'%'));

    // On paper: the lines, the percentage as shown, the picture.
    pdfread::Pdf pdf(w->report());
    keep(pdf, QStringLiteral("DataReport1"));
    const QString text = squeeze(pdf.text());
    EXPECT_TRUE(text.contains(squeeze(f->Text12->text())));
    for (const QString &line : expected)
        EXPECT_TRUE(text.contains(squeeze(line.section(u'|', 1)))) << line.toStdString();
    EXPECT_EQ(pdf.picturesPerPage(), QList<int>{1});
    // A produced weight too long for its cell keeps its start on paper.
    ASSERT_GT(f->Proion[0]->text().size(), 10);
    EXPECT_TRUE(text.contains(f->Proion[0]->text().left(6))) << f->Proion[0]->text().toStdString();
    // The width of row A stands right-aligned in its cell, under its heading.
    const QList<pdfread::Word> words = pdf.words();
    const pdfread::Word width = pdfread::find(words, QStringLiteral("200"));
    const pdfread::Word heading = pdfread::find(words, QStringLiteral("Εύρος"));
    ASSERT_FALSE(width.text.isEmpty());
    EXPECT_NEAR(width.x + width.width, 400 + 1020 + 810, 40);
    EXPECT_GT(width.y, heading.y);
    EXPECT_LT(width.y - heading.y, 400);
}

TEST_F(WindowPrints, SecondProposalTakesItsOwnColumnsAndClosesNothingOpen)
{
    plat::MsgBoxRecorder rec;
    Form1 *f = solvedPlanner();
    const QStringList lines = rows("select Paraggelia from Protasis2 order by ID");
    exec("delete from Protasis2");
    exec("delete from Protasis1");
    exec("insert into Protasis1 values (9, 'kept')");
    f->cmdPrint2->click();
    ASSERT_EQ(reportWindows().size(), 1);
    plat::ReportWindow *w = reportWindows().first();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("ΠΡΟΤΑΣΙΣ 2η"));
    EXPECT_EQ(rows("select * from Protasis1"), QStringList{"9|kept"});
    EXPECT_EQ(rows("select Paraggelia from Protasis2 order by ID"), lines);
    EXPECT_EQ(f->lstPro22.size(), lines.size());
    EXPECT_EQ(cap(w, "PageHeader", "Baros1A"), u' ' + f->Proion1[0]->text());
    EXPECT_EQ(cap(w, "PageHeader", "Roles1C"), u' ' + f->Roles2[2]->text());
    const QLineEdit *totals[5] = {f->Text7, f->Text6, f->Text9, f->Text11, f->Text13};
    const char *labels[5] = {"Label35", "Label36", "Label37", "Label38", "Label40"};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(cap(w, "PageFooter", labels[k]), totals[k]->text()) << labels[k];
    // Nothing of the print holds the database: the table can be rewritten at once.
    exec("delete from Protasis2");
    EXPECT_EQ(w->report().rows().count(), lines.size());
    pdfread::Pdf pdf(w->report());
    keep(pdf, QStringLiteral("DataReport2"));
    EXPECT_TRUE(squeeze(pdf.text()).contains(squeeze(lines.first())));
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
}

TEST_F(WindowPrints, PatternComingBackAfterAnotherPrintsOnceWithAllItsCoils)
{
    plat::MsgBoxRecorder rec;
    Form1 *f = solvedPlanner();
    f->List1 = {"a", "b", "a"};
    f->List2 = {"text a", "text b", "text a"};
    f->lstPro1 = {"a", "a", "b", "a"};
    f->lstPro2 = {"a", "a", "b", "a", "b"};
    f->cmdPrint->click();
    f->cmdPrint2->click();
    EXPECT_EQ(rows("select ID, Paraggelia from Protasis1 order by ID"),
              (QStringList{"1|3 ρολλάκια που έχουν: text a", "2|1 ρολλάκια που έχουν: text b"}));
    EXPECT_EQ(rows("select ID, Paraggelia from Protasis2 order by ID"),
              (QStringList{"1|3 ρολλάκια που έχουν: text a", "2|2 ρολλάκια που έχουν: text b"}));
    EXPECT_EQ(f->lstPro11, (QStringList{"3 ρολλάκια που έχουν: ", "1 ρολλάκια που έχουν: "}));
    EXPECT_EQ(reportWindows().size(), 2);
    EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(WindowPrints, EveryPrintOpensItsOwnWindowWithItsOwnSnapshot)
{
    plat::MsgBoxRecorder rec;
    Form1 *f = solvedPlanner();
    f->cmdPrint->click();
    const QString firstLine = rows("select Paraggelia from Protasis1 where ID = 1").value(0);
    f->txtMikos->setText(QStringLiteral("1500"));
    f->List2[0] = QStringLiteral("changed");
    f->cmdPrint->click();
    const QList<plat::ReportWindow *> ws = reportWindows();
    ASSERT_EQ(ws.size(), 2);
    plat::ReportWindow *first = ws[0]->report().definition().section("PageHeader").control("Label24").caption ==
                                        QLatin1String("1250")
                                    ? ws[0]
                                    : ws[1];
    plat::ReportWindow *second = first == ws[0] ? ws[1] : ws[0];
    EXPECT_EQ(cap(first, "PageHeader", "Label24"), QStringLiteral("1250"));
    EXPECT_EQ(cap(second, "PageHeader", "Label24"), QStringLiteral("1500"));
    EXPECT_EQ(first->report().rows().value(0, "Paraggelia"), firstLine);
    EXPECT_TRUE(second->report().rows().value(0, "Paraggelia").endsWith(QLatin1String("changed")));
    EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(WindowPrints, LongProposalRepeatsPageHeaderAndFooterOnEveryPage)
{
    plat::MsgBoxRecorder rec;
    Form1 *f = solvedPlanner();
    f->List1.clear();
    f->List2.clear();
    f->lstPro1.clear();
    for (int i = 0; i < 60; ++i) {
        f->List1 << QStringLiteral("k%1").arg(i);
        f->List2 << QStringLiteral("3 x 200, 1 x 310, φύρα: %1").arg(i);
        f->lstPro1 << QStringLiteral("k%1").arg(i);
    }
    f->cmdPrint->click();
    ASSERT_EQ(reportWindows().size(), 1);
    const plat::Report &r = reportWindows().first()->report();
    ASSERT_GE(r.pageCount(), 2);
    pdfread::Pdf pdf(r);
    keep(pdf, QStringLiteral("DataReport1-long"));
    const QString page1 = squeeze(pdf.text(1)), page2 = squeeze(pdf.text(2));
    EXPECT_TRUE(page1.contains(QStringLiteral("ΠΡΟΤΑΣΙΣ 1. ΜΕ ΑΛΛΑΓΗ ΜΑΧΑΙΡΙΩΝ")));
    EXPECT_FALSE(page2.contains(QStringLiteral("ΠΡΟΤΑΣΙΣ 1. ΜΕ ΑΛΛΑΓΗ ΜΑΧΑΙΡΙΩΝ")));
    for (const QString &t : {QStringLiteral("Αίτησις"), QStringLiteral("ΠΡΟΓΡΑΜΜΑ ΚΟΠΗΣ:"),
                             QStringLiteral("Μήκος ρόλου:"), QStringLiteral("Καθαρή φύρα:"),
                             QStringLiteral("Ποσοστό φύρας/βάρος παραγγελίας:"), f->Text12->text()}) {
        EXPECT_TRUE(page1.contains(t)) << t.toStdString();
        EXPECT_TRUE(page2.contains(t)) << t.toStdString();
    }
    EXPECT_EQ(pdf.picturesPerPage().value(0), 1);
    EXPECT_EQ(pdf.picturesPerPage().value(1), 0);
    // Every line once, in order, across the pages.
    const QString all = squeeze(pdf.text());
    int at = 0;
    for (int i = 0; i < 60; ++i) {
        const int next = all.indexOf(QStringLiteral("φύρα: %1 ").arg(i), at);
        ASSERT_GE(next, 0) << i;
        at = next;
    }
    // The footer stays at the bottom of page 2 too.
    const QList<pdfread::Word> words = pdf.words();
    const pdfread::Word foot1 = pdfread::find(words, QStringLiteral("Καθαρή"), 1);
    const pdfread::Word foot2 = pdfread::find(words, QStringLiteral("Καθαρή"), 2);
    EXPECT_NEAR(foot1.y, foot2.y, 1);
}

TEST_F(WindowPrints, PrintBeforeAnySearchShowsHeadersAndFootersWithoutLines)
{
    plat::MsgBoxRecorder rec;
    Form1 *f = FormInstance<Form1>::get();
    f->Timer1->stop();
    exec("insert into Protasis1 values (1, 'old line')");
    f->cmdPrint->click();
    ASSERT_EQ(reportWindows().size(), 1);
    const plat::Report &r = reportWindows().first()->report();
    EXPECT_EQ(r.rows().count(), 0);
    EXPECT_EQ(r.pageCount(), 1);
    EXPECT_TRUE(rows("select * from Protasis1").isEmpty());
    const QString text = squeeze(pdfread::Pdf(r).text());
    EXPECT_TRUE(text.contains(QStringLiteral("ΠΡΟΓΡΑΜΜΑ ΚΟΠΗΣ:")));
    EXPECT_TRUE(text.contains(QStringLiteral("Εκτιμώμενο βάρος συνολικής φύρας (Kg):")));
    EXPECT_FALSE(text.contains(QStringLiteral("old line")));
    EXPECT_FALSE(text.contains(QStringLiteral("ρολλάκια που")));
    EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(WindowPrints, UnreadableRowsGiveAMessageAndNoReport)
{
    Form1 *f = FormInstance<Form1>::get();
    f->Timer1->stop();
    {
        plat::MsgBoxRecorder rec;
        exec("drop table Protasis1");
        // The print cannot write its table: it says so and shows no report.
        f->cmdPrint->click();
        ASSERT_EQ(rec.messages.size(), 1);
        EXPECT_TRUE(reportWindows().isEmpty());
        // The table goes missing between the print and the report's read.
        EXPECT_EQ(reports::printReport(reports::PrintJob::Proposal1), nullptr);
        ASSERT_EQ(rec.messages.size(), 2);
        EXPECT_TRUE(rec.lastText().contains(QStringLiteral("Protasis1"))) << rec.lastText().toStdString();
        EXPECT_TRUE(reportWindows().isEmpty());
    }
    {
        plat::MsgBoxRecorder rec;
        ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("Divor.db"))));
        EXPECT_EQ(reports::printReport(reports::PrintJob::Proposal2), nullptr);
        ASSERT_EQ(rec.messages.size(), 1);
        EXPECT_TRUE(rec.lastText().contains(QStringLiteral("Δεν βρέθηκε"))) << rec.lastText().toStdString();
        EXPECT_TRUE(reportWindows().isEmpty());
    }
}

// ----------------------------------------------------------- the user's plan

// The plan window handed an order of `n` widths with its pattern rows.
Form2 *plannedWindow(int n, int patternRows)
{
    PlanHandOver h;
    h.intLastRow = n - 1;
    for (int i = 0; i < n; ++i) {
        h.Mikos[i] = QString::number(250 + 50 * i);
        h.Baros[i] = QStringLiteral("1%1").arg(i);
        h.Roles[i] = QStringLiteral("2%1").arg(i);
        h.Proion[i] = QStringLiteral("3%1,5").arg(i);
        h.Roles1[i] = QStringLiteral("4%1").arg(i);
    }
    h.Text3 = QStringLiteral("12");
    h.Text5 = QStringLiteral("33,4");
    h.Text8 = QStringLiteral("22");
    h.Text10 = QStringLiteral("55,1");
    h.Text12 = QStringLiteral("0,138%");
    h.Form2Row = patternRows;
    Form2 *f = handOverToForm2(h);
    f->hideForm();
    return f;
}

TEST_F(WindowPrints, PlanPrintWritesOneLinePerUsedPatternAndTheOrdersRowsOnly)
{
    plat::MsgBoxRecorder rec;
    Form1 *planner = FormInstance<Form1>::get();
    planner->Timer1->stop();
    planner->txtMikos->setText(QStringLiteral("1500"));
    planner->Text2->setText(QStringLiteral("9,5"));
    // An earlier order of five widths leaves its figures behind the new one.
    plannedWindow(5, 4);
    Form2 *f = plannedWindow(3, 4);
    f->Mikos[4]->setText(QStringLiteral("999"));
    f->Roles[14]->setText(QStringLiteral("77"));
    const char *coils[4] = {"12", " 0 ", "00", "-1,5"};
    const char *counts[4][3] = {{"3", "0", "2"}, {"1", "1", "1"}, {"00", "", "0"}, {"0", "0", "0"}};
    for (int r = 0; r < 4; ++r) {
        f->Grammi[r]->setText(QString::fromLatin1(coils[r]));
        for (int j = 0; j < 3; ++j) f->kommati(j)[r]->setText(QString::fromLatin1(counts[r][j]));
        f->txtFira[r]->setText(QString::number(35 + r));
    }
    f->cmdPrint->click();
    ASSERT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
    const QStringList lines = {QStringLiteral("12 ρολλάκια που έχουν: 3 x 250, 2 x 350,  φύρα: 35"),
                               QStringLiteral("00 ρολλάκια που έχουν: 00 x 250,  x 300,  φύρα: 37"),
                               QStringLiteral("-1,5 ρολλάκια που έχουν:  φύρα: 38")};
    QStringList stored;
    for (int i = 0; i < lines.size(); ++i) stored << QStringLiteral("%1|%2").arg(i + 1).arg(lines[i]);
    EXPECT_EQ(rows("select ID, Protasis from Protasis3 order by ID"), stored);
    ASSERT_EQ(f->List1->count(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(f->List1->item(i)->text(), lines[i]);
    EXPECT_EQ(f->List1->currentRow(), 2);

    ASSERT_EQ(reportWindows().size(), 1);
    plat::ReportWindow *w = reportWindows().first();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("ΠΡΟΤΑΣΙΣ 3η"));
    EXPECT_EQ(cap(w, "PageHeader", "EvrosC"), QStringLiteral(" 350"));
    EXPECT_EQ(cap(w, "PageHeader", "Baros1A"), QStringLiteral(" 30,5"));
    EXPECT_EQ(cap(w, "PageHeader", "Roles1B"), QStringLiteral(" 41"));
    // Rows beyond this order print blank, whatever the window still holds.
    EXPECT_EQ(cap(w, "PageHeader", "EvrosE"), QStringLiteral(" "));
    EXPECT_EQ(cap(w, "PageHeader", "Roles1E"), QStringLiteral(" "));
    // The coil comes from the knife-change planner.
    EXPECT_EQ(cap(w, "PageHeader", "Label24"), QStringLiteral("1500"));
    EXPECT_EQ(cap(w, "PageHeader", "Label30"), QStringLiteral("9,5"));
    EXPECT_EQ(cap(w, "PageFooter", "Label37"), QStringLiteral("12"));
    EXPECT_EQ(cap(w, "PageFooter", "Label38"), QStringLiteral("33,4"));
    EXPECT_EQ(cap(w, "PageFooter", "Label39"), QStringLiteral("22"));
    EXPECT_EQ(cap(w, "PageFooter", "Label40"), QStringLiteral("55,1"));
    EXPECT_EQ(cap(w, "PageFooter", "Label32"), QStringLiteral("0,138%"));
    pdfread::Pdf pdf(w->report());
    keep(pdf, QStringLiteral("DataReport3"));
    const QString text = squeeze(pdf.text());
    for (const QString &l : lines) EXPECT_TRUE(text.contains(squeeze(l))) << l.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("999")));
    EXPECT_EQ(pdf.picturesPerPage(), QList<int>{1});
}

TEST_F(WindowPrints, PlanPrintStopsAtCoilsThatAreNotANumber)
{
    plat::MsgBoxRecorder rec;
    FormInstance<Form1>::get()->Timer1->stop();
    Form2 *f = plannedWindow(2, 3);
    exec("insert into Protasis3 values (1, 'kept')");
    f->List1->addItem(QStringLiteral("earlier"));
    f->Grammi[0]->setText(QStringLiteral("4"));
    f->Grammi[1]->setText(QStringLiteral("x"));
    f->Grammi[2]->setText(QStringLiteral("y"));
    f->cmdPrint->click();
    EXPECT_EQ(rec.texts(), QStringList{QString::fromUtf8(user_plan::MsgRolakia)});
    EXPECT_EQ(f->lastFocusName(), QStringLiteral("Grammi(1)"));
    EXPECT_EQ(f->List1->count(), 0);
    EXPECT_EQ(rows("select * from Protasis3"), QStringList{"1|kept"});
    EXPECT_TRUE(reportWindows().isEmpty());

    // Every row left out: an empty table and a report without lines.
    rec.clear();
    for (int r = 0; r < 3; ++r) f->Grammi[r]->setText(QStringLiteral("0"));
    f->cmdPrint->click();
    EXPECT_TRUE(rec.messages.isEmpty());
    EXPECT_TRUE(rows("select * from Protasis3").isEmpty());
    ASSERT_EQ(reportWindows().size(), 1);
    EXPECT_EQ(reportWindows().first()->report().rows().count(), 0);
}

TEST_F(WindowPrints, PlanWithoutAnOrderEmptiesItsTableAndSaysThereIsNoPlan)
{
    plat::MsgBoxRecorder rec;
    FormInstance<Form1>::get()->Timer1->stop();
    Form2 *f = FormInstance<Form2>::get();
    ASSERT_EQ(f->orderLastRow(), -1);
    exec("insert into Protasis3 values (1, 'earlier plan')");
    f->cmdPrint->click();
    EXPECT_EQ(rec.texts(), QStringList{QString::fromUtf8(user_plan::MsgNoPlan)});
    EXPECT_TRUE(rows("select * from Protasis3").isEmpty());
    EXPECT_TRUE(reportWindows().isEmpty());
}

// ------------------------------------------------------------ every print

TEST_F(WindowPrints, WithTheDatabaseFileDeletedEveryPrintNamesTheMissingFile)
{
    Form1 *planner = solvedPlanner();
    Form2 *plan = plannedWindow(2, 2);
    for (int r = 0; r < 2; ++r) plan->Grammi[r]->setText(QStringLiteral("3"));
    Form3 *fixed = solvedFixedKnife();
    addTypes(1);
    exec("insert into ProtasisXristi (Κωδικός, Εύρος, Τύπος, Πάχος) values ('K', 100, 1, 1)");
    const QString file = dir.filePath(QStringLiteral("Divor.db"));
    ASSERT_TRUE(QFile::remove(file));

    const struct {
        const char *what;
        std::function<void()> print;
    } prints[] = {
        {"proposal 1", [&] { planner->cmdPrint->click(); }},
        {"proposal 2", [&] { planner->cmdPrint2->click(); }},
        {"proposal 3", [&] { plan->cmdPrint->click(); }},
        {"cutting order", [&] { fixed->cmdPrint->click(); fixed->Timer2_Timer(); }},
        {"items catalogue", [] { reports::mnPrint_Click(); }},
    };
    for (const auto &p : prints) {
        SCOPED_TRACE(p.what);
        plat::MsgBoxRecorder rec;
        p.print();
        // Not the read-only refusal SQLite gives for a write to a deleted file.
        EXPECT_EQ(rec.texts(),
                  QStringList{QStringLiteral("Δεν βρέθηκε το αρχείο της βάσης δεδομένων:\n%1\nΔιαγράφηκε ή "
                                             "μετακινήθηκε όσο το πρόγραμμα ήταν ανοιχτό. Για να χρησιμοποιήσετε τη "
                                             "βάση δεδομένων, ξεκινήστε ξανά το πρόγραμμα.\nΗ εκτύπωση δεν μπορεί "
                                             "να γίνει.")
                                  .arg(file)});
        EXPECT_TRUE(reportWindows().isEmpty());
    }
}

TEST_F(WindowPrints, SavedPdfCarriesTheReportsCaptionAsItsTitle)
{
    const struct {
        reports::PrintJob job;
        const char *caption;
    } jobs[] = {
        {reports::PrintJob::Proposal1, "ΠΡΟΤΑΣΙΣ 1η"},
        {reports::PrintJob::Proposal2, "ΠΡΟΤΑΣΙΣ 2η"},
        {reports::PrintJob::Proposal3, "ΠΡΟΤΑΣΙΣ 3η"},
        {reports::PrintJob::CuttingOrder, "ΠΡΟΤΑΣΙΣ ΧΩΡΙΣ ΑΛΛΑΓΗ ΜΑΧΑΙΡΙΩΝ"},
    };
    auto titleOf = [](const QString &pdf) {
        const QString info = pdfread::run(QStringLiteral("pdfinfo"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf});
        const QRegularExpression re(QStringLiteral("^Title:\\s+(.*)$"), QRegularExpression::MultilineOption);
        return re.match(info).captured(1).trimmed();
    };
    plat::MsgBoxRecorder rec;
    for (const auto &j : jobs) {
        SCOPED_TRACE(j.caption);
        // Saved from the report window, as the planner does.
        plat::ReportWindow *w = reports::printReport(j.job);
        ASSERT_NE(w, nullptr);
        const QString path = dir.filePath(QStringLiteral("title.pdf"));
        ASSERT_TRUE(w->saveAsPdf(path));
        EXPECT_EQ(titleOf(path), QString::fromUtf8(j.caption));
        w->unloadWithoutAsking();
    }
    reports::mnPrint_Click();
    ASSERT_NE(reports::catalogueWindow(), nullptr);
    const QString path = dir.filePath(QStringLiteral("catalogue.pdf"));
    ASSERT_TRUE(reports::catalogueWindow()->saveAsPdf(path));
    EXPECT_EQ(titleOf(path), QStringLiteral("ΔΕΥΤΕΡΕΥΟΝΤΑ ΠΡΟΪΟΝΤΑ"));
    // Refilled by a second print, it keeps its caption as title.
    reports::mnPrint_Click();
    EXPECT_EQ(reports::catalogueWindow()->report().title(), QStringLiteral("ΔΕΥΤΕΡΕΥΟΝΤΑ ΠΡΟΪΟΝΤΑ"));
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
}

// ------------------------------------------------------------ cutting order

TEST_F(WindowPrints, CuttingOrderOpensOnTheNextTickWithTheLastClicksContent)
{
    plat::MsgBoxRecorder rec;
    Form3 *f = solvedFixedKnife();
    exec("insert into Protasis4 values (1, 'a'), (2, 'b'), (3, 'c')");
    f->cmdPrint->click();
    EXPECT_EQ(rows("select ID, Paraggelia from Protasis4"), QStringList{"1|400x1, 200x4, Φύρα:46"});
    EXPECT_EQ(Module1::strPrintTitle,
              QStringLiteral("Απαιτούνται 2 ρόλοι (coil) και θα παραχθούν οι κατώθι ταινίες (τσέρκια):"));
    EXPECT_TRUE(reportWindows().isEmpty());
    // A second click within the same tick: one report, with its content.
    f->Grammi0->setText(QStringLiteral("3"));
    f->cmdPrint->click();
    f->Timer2_Timer();
    f->Timer2_Timer();
    ASSERT_EQ(reportWindows().size(), 1);
    plat::ReportWindow *w = reportWindows().first();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("ΠΡΟΤΑΣΙΣ ΧΩΡΙΣ ΑΛΛΑΓΗ ΜΑΧΑΙΡΙΩΝ"));
    EXPECT_EQ(cap(w, "Command1_Detail", "Label45"),
              QStringLiteral("Απαιτούνται 3 ρόλοι (coil) και θα παραχθούν οι κατώθι ταινίες (τσέρκια):"));
    EXPECT_EQ(cap(w, "PageHeader", "EvrosA"), QStringLiteral(" 400"));
    EXPECT_EQ(cap(w, "PageHeader", "Baros1B"), u' ' + f->Proion[1]->text());
    EXPECT_EQ(cap(w, "PageHeader", "Roles1B"), QStringLiteral(" 8"));
    EXPECT_EQ(cap(w, "PageHeader", "Pososto"), u' ' + f->txtPososto[0]->text());
    EXPECT_EQ(cap(w, "PageHeader", "Pososto1"), u' ' + f->txtPososto[1]->text());
    EXPECT_EQ(cap(w, "PageHeader", "EvrosJ"), QStringLiteral(" "));
    EXPECT_EQ(cap(w, "PageHeader", "Label24"), QStringLiteral("1250"));
    EXPECT_EQ(cap(w, "PageHeader", "Label26"), f->txtArxi->text());
    EXPECT_EQ(cap(w, "PageFooter", "Label35"), QStringLiteral("92"));
    EXPECT_EQ(cap(w, "PageFooter", "Label37"), QStringLiteral("100"));
    EXPECT_EQ(cap(w, "PageFooter", "Label40"), f->Text12->text());
    pdfread::Pdf pdf(w->report());
    keep(pdf, QStringLiteral("DataReport5"));
    const QString text = squeeze(pdf.text());
    EXPECT_TRUE(text.contains(QStringLiteral("400x1, 200x4, Φύρα:46")));
    EXPECT_TRUE(text.contains(QStringLiteral("Απαιτούνται 3 ρόλοι (coil)")));
    EXPECT_TRUE(text.contains(squeeze(f->txtPososto[0]->text())));
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
}

TEST_F(WindowPrints, CuttingOrderColoursFollowTheScreenOnlyWithoutEconomicalPrinting)
{
    plat::MsgBoxRecorder rec;
    Form3 *f = solvedFixedKnife();
    // Row Γ's percentage box is hidden but coloured: its label keeps black.
    f->txtPososto[2]->setText(QStringLiteral("5%"));
    QPalette pal = f->txtPososto[2]->palette();
    pal.setColor(QPalette::Text, Qt::green);
    f->txtPososto[2]->setPalette(pal);
    f->txtPososto[2]->hide();
    const QColor screen0 = Form3::textColor(f->txtPososto[0]);
    const QColor screen1 = Form3::textColor(f->txtPososto[1]);
    ASSERT_NE(screen0, QColor(Qt::black));

    for (bool economical : {false, true}) {
        SCOPED_TRACE(economical);
        f->chkPrint->setChecked(economical);
        f->cmdPrint->click();
        f->Timer2_Timer();
    }
    ASSERT_EQ(reportWindows().size(), 2);
    for (plat::ReportWindow *w : reportWindows()) {
        const bool economical = !ctl(w, "ReportHeader", "Image1").visible;
        SCOPED_TRACE(economical);
        EXPECT_EQ(ctl(w, "PageHeader", "Pososto").foreColor, economical ? QColor(Qt::black) : screen0);
        EXPECT_EQ(ctl(w, "PageHeader", "Pososto1").foreColor, economical ? QColor(Qt::black) : screen1);
        EXPECT_EQ(ctl(w, "PageHeader", "Pososto2").foreColor, QColor(Qt::black));
        EXPECT_EQ(cap(w, "PageHeader", "Pososto2"), QStringLiteral(" 5%"));
        pdfread::Pdf pdf(w->report());
        keep(pdf, economical ? QStringLiteral("DataReport5-economical") : QStringLiteral("DataReport5-colours"));
        EXPECT_EQ(pdf.picturesPerPage(), economical ? QList<int>{} : QList<int>{1});
    }
}

TEST_F(WindowPrints, CuttingOrderWithoutACutPrintsABlankLineAndNoHeadline)
{
    plat::MsgBoxRecorder rec;
    Form3 *f = FormInstance<Form3>::get();
    f->Timer1->stop();
    f->Timer2->stop();
    Module1::strPrintTitle = QStringLiteral("earlier");
    f->cmdPrint->click();
    EXPECT_EQ(Module1::strPrintTitle, QString());
    EXPECT_EQ(rows("select ID, Paraggelia from Protasis4"), QStringList{"1| "});
    f->Timer2_Timer();
    ASSERT_EQ(reportWindows().size(), 1);
    plat::ReportWindow *w = reportWindows().first();
    EXPECT_EQ(w->report().rows().count(), 1);
    EXPECT_EQ(cap(w, "Command1_Detail", "Label45"), QString());
    EXPECT_TRUE(rec.messages.isEmpty());
}

} // namespace
