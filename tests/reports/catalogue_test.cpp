// "Εκτύπωσις Ειδών": the catalogue with its types' names, in catalogue
// order, in its one window, its picture as economical printing says now.
#include "report_fixture.h"

#include "platform/msgbox.h"
#include "shell/frmmain.h"
#include "shell/module1.h"

#include <QAction>
#include <QMdiArea>

namespace {

class Catalogue : public ReportTest {};

TEST_F(Catalogue, ListsItemsWithAKnownTypeByIdWithTheTypesName)
{
    addTypes(2);
    exec("insert into ProtasisXristi (ID, Κωδικός, [Περιγραφή Είδους], Εύρος, Τύπος, Πάχος) values"
         " (3, 'Γ-3', 'Τρίτο', 300, 1, 2.5),"
         " (1, 'Α-1', 'Πρώτο', 1250.5, 2, 3),"
         " (2, 'Β-2', 'Χωρίς τύπο', 200, 9, 1)");
    std::unique_ptr<plat::Report> r = reports::makeCatalogueReport(false);
    ASSERT_TRUE(r);
    ASSERT_EQ(r->rows().count(), 2);
    EXPECT_EQ(r->rows().value(0, QStringLiteral("Κωδικός")), QStringLiteral("Α-1"));
    EXPECT_EQ(r->rows().value(0, QStringLiteral("Τύπος")), QStringLiteral("T2"));
    EXPECT_EQ(r->rows().value(0, QStringLiteral("Εύρος")), QStringLiteral("1250,5"));
    EXPECT_EQ(r->rows().value(1, QStringLiteral("Περιγραφή Είδους")), QStringLiteral("Τρίτο"));
    EXPECT_EQ(r->rows().value(1, QStringLiteral("Πάχος")), QStringLiteral("2,5"));

    pdfread::Pdf pdf(*r);
    keep(pdf, QStringLiteral("DataReport4"));
    const QString text = pdf.text();
    EXPECT_LT(text.indexOf(QStringLiteral("Α-1")), text.indexOf(QStringLiteral("Γ-3")));
    EXPECT_FALSE(text.contains(QStringLiteral("Β-2")));
    EXPECT_FALSE(text.contains(QStringLiteral("Χωρίς τύπο")));
    // Each value in its heading's column.
    const QList<pdfread::Word> words = pdf.words();
    const std::pair<const char *, const char *> columns[] = {
        {"Κωδικός:", "Α-1"}, {"Περιγραφή", "Πρώτο"}, {"Τύπος:", "T2"}, {"Εύρος:", "1250,5"}, {"Πάχος:", "3"}};
    for (const auto &[heading, value] : columns) {
        const pdfread::Word h = pdfread::find(words, QString::fromUtf8(heading));
        const pdfread::Word v = pdfread::find(words, QString::fromUtf8(value));
        ASSERT_FALSE(v.text.isEmpty()) << value;
        EXPECT_NEAR(v.x, h.x, 45) << value;
        EXPECT_GT(v.y, h.y) << value;
    }
}

TEST_F(Catalogue, OneWindowRefilledOnEveryPrintWithThePictureAsSetNow)
{
    plat::MsgBoxRecorder rec;
    addTypes(1);
    exec("insert into ProtasisXristi (Κωδικός, Εύρος, Τύπος, Πάχος) values ('first', 100, 1, 1)");
    exec("update tblParameters set OikonomikoPrint = 1");
    reports::mnPrint_Click();
    ASSERT_EQ(reportWindows().size(), 1);
    plat::ReportWindow *w = reports::catalogueWindow();
    ASSERT_EQ(w, reportWindows().first());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("ΔΕΥΤΕΡΕΥΟΝΤΑ ΠΡΟΪΟΝΤΑ"));
    EXPECT_TRUE(Module1::blnOikonomikoPrint);
    EXPECT_EQ(pdfread::Pdf(w->report()).picturesPerPage(), QList<int>{});

    exec("update tblParameters set OikonomikoPrint = 0");
    exec("insert into ProtasisXristi (Κωδικός, Εύρος, Τύπος, Πάχος) values ('second', 200, 1, 1)");
    reports::mnPrint_Click();
    ASSERT_EQ(reportWindows().size(), 1);
    EXPECT_EQ(reports::catalogueWindow(), w);
    EXPECT_FALSE(Module1::blnOikonomikoPrint);
    pdfread::Pdf pdf(w->report());
    EXPECT_EQ(pdf.picturesPerPage(), QList<int>{1});
    EXPECT_TRUE(pdf.text().contains(QStringLiteral("second")));
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();

    // Closed, a print in the same turn, before the closed window is gone,
    // opens a new one rather than refilling the one going away.
    w->unloadWithoutAsking();
    reports::mnPrint_Click();
    plat::ReportWindow *again = reports::catalogueWindow();
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again, w);
    EXPECT_TRUE(again->isFormVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(reports::catalogueWindow(), again);
    w = again;

    // Closed, the next print opens it anew.
    w->unloadWithoutAsking();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(reports::catalogueWindow(), nullptr);
    reports::mnPrint_Click();
    EXPECT_NE(reports::catalogueWindow(), nullptr);
}

TEST_F(Catalogue, MenuItemOpensTheCatalogueAsAWindowOfItsOwn)
{
    plat::MsgBoxRecorder rec;
    frmMain main;
    ASSERT_FALSE(main.menuItem(QStringLiteral("mnPrint"))->isEnabled());
    reports::registerPrints(&main);
    QAction *item = main.menuItem(QStringLiteral("mnPrint"));
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    ASSERT_NE(reports::catalogueWindow(), nullptr);
    EXPECT_TRUE(reports::catalogueWindow()->isWindow());
    EXPECT_EQ(reports::catalogueWindow()->parentWidget(), nullptr);
    EXPECT_TRUE(main.mdiArea()->subWindowList().isEmpty());
    // Refilled by the next print, it stays a window of its own.
    item->trigger();
    EXPECT_EQ(reports::catalogueWindow()->parentWidget(), nullptr);
    EXPECT_TRUE(main.mdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();
    reports::catalogueWindow()->unloadWithoutAsking();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(Catalogue, MissingTypesTableGivesAMessageAndNoWindow)
{
    plat::MsgBoxRecorder rec;
    exec("drop table Typos");
    reports::mnPrint_Click();
    ASSERT_EQ(rec.messages.size(), 1);
    EXPECT_EQ(rec.messages.first().style, int(plat::MsgCritical));
    EXPECT_TRUE(reportWindows().isEmpty());
}

} // namespace
