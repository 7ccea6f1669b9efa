// The five reports on paper: every fixed text, the date and time fields, the
// header picture, and where the strip table's parts stand.
#include "report_fixture.h"

#include "reports/catalogue_report.h"
#include "reports/cutting_order_report.h"
#include "reports/proposal_reports.h"

#include <QDate>
#include <algorithm>
#include <cstdlib>
#include <QRegularExpression>

namespace {

const QStringList kStripTable = {"Αίτησις", "Αποτέλεσμα", "A/A", "A", "B", "Γ", "Δ", "Ε", "ΣΤ", "Ζ", "Η", "Θ", "Ι"};

QStringList proposalTexts(const QString &title, const QString &heading)
{
    return kStripTable + QStringList{title,
                                     heading,
                                     "Εύρος",
                                     "Βάρος",
                                     "Ρολλάκια",
                                     "Μήκος ρόλου:",
                                     "Βάρος ρόλου:",
                                     "Αριστερό ξάκρισμα:",
                                     "Δεξί ξάκρισμα:",
                                     "Καθαρή φύρα:",
                                     "Εκτιμώμενο βάρος καθαρής φύρας (Kg):",
                                     "Συνολική φύρα (με ξακρισμα):",
                                     "Εκτιμώμενο βάρος συνολικής φύρας (Kg):",
                                     "Ποσοστό φύρας/βάρος παραγγελίας:"};
}

struct Case {
    const char *name;
    std::function<std::unique_ptr<plat::Report>()> make;
    QStringList texts;
};

class Layouts : public ReportTest {};

TEST_F(Layouts, EveryFixedTextDateTimeAndPictureOnTheFirstPage)
{
    using reports::PrintJob;
    const QList<Case> cases = {
        {"DataReport1", [] { return reports::makeReport(PrintJob::Proposal1); },
         proposalTexts("ΠΡΟΤΑΣΙΣ 1. ΜΕ ΑΛΛΑΓΗ ΜΑΧΑΙΡΙΩΝ", "ΠΡΟΓΡΑΜΜΑ ΚΟΠΗΣ:")},
        {"DataReport2", [] { return reports::makeReport(PrintJob::Proposal2); },
         proposalTexts("ΠΡΟΤΑΣΙΣ 2. ΜΕ ΑΛΛΑΓΗ ΜΑΧΑΙΡΙΩΝ", "ΠΡΟΓΡΑΜΜΑ ΚΟΠΗΣ:")},
        {"DataReport3", [] { return reports::makeReport(PrintJob::Proposal3); },
         proposalTexts("ΠΡΟΤΑΣΙΣ 3. ΜΕ ΑΛΛΑΓΗ ΜΑΧΑΙΡΙΩΝ (ΠΡΟΤΑΣΙΣ ΧΡΗΣΤΗ)", "ΠΡΟΓΡΑΜΜΑ ΚΟΠΗΣ")},
        {"DataReport5", [] { return reports::makeReport(PrintJob::CuttingOrder); },
         kStripTable + QStringList{"ΕΝΤΟΛΗ ΚΟΠΗΣ", "Εύρος(χιλ)", "Βάρος(tn)", "Ταινίες", "Ποσοστό",
                                   "Εύρος ταινίας(χιλ):", "Βάρος ταινίας(tn):", "Αριστερό ξάκρισμα(χιλ):",
                                   "Δεξί ξάκρισμα(χιλ):", "ΠΡΟΓΡΑΜΜΑ ΚΟΠΗΣ (ΧΩΡΙΣ ΑΛΛΑΓΗ ΜΑΧΑΙΡΙΩΝ)",
                                   "Καθαρή φύρα(χιλ):", "Εκτιμώμενο βάρος καθαρής φύρας (Kg):",
                                   "Συνολική φύρα (με ξακρισμα)(χιλ):", "Εκτιμώμενο βάρος συνολικής φύρας (Kg):",
                                   "Ποσοστό φύρας/βάρος παραγγελίας:"}},
        {"DataReport4", [] { return reports::makeCatalogueReport(false); },
         {"ΚΑΤΑΛΟΓΟΣ ΠΡΟΪΟΝΤΩΝ", "Κωδικός:", "Περιγραφή Είδους:", "Τύπος:", "Εύρος:", "Πάχος:"}},
    };
    exec("insert into Protasis4 values (1, ' ')");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<plat::Report> report = c.make();
        ASSERT_TRUE(report);
        EXPECT_EQ(report->definition().name, QString::fromLatin1(c.name));
        pdfread::Pdf pdf(*report);
        keep(pdf, QString::fromLatin1(c.name) + QStringLiteral("-empty"));
        const QString text = squeeze(pdf.text(1));
        for (const QString &t : c.texts) EXPECT_TRUE(text.contains(t)) << t.toStdString();
        EXPECT_TRUE(text.contains(report->madeAt().toString(QStringLiteral("dd/MM/yyyy"))));
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\d\\d:\\d\\d:\\d\\d"))));
        EXPECT_EQ(pdf.picturesPerPage(), QList<int>{1});
        // No label of the design is left showing its own name.
        EXPECT_FALSE(text.contains(QStringLiteral("Label"))) << text.toStdString();
    }
}

TEST_F(Layouts, CataloguePageNumberStandsInTheFooter)
{
    for (int i = 1; i <= 80; ++i)
        exec(QStringLiteral("insert into ProtasisXristi (Κωδικός, Εύρος, Τύπος, Πάχος) values ('K%1', %1, 1, 2)")
                 .arg(i));
    addTypes(1);
    std::unique_ptr<plat::Report> report = reports::makeCatalogueReport(false);
    ASSERT_TRUE(report);
    ASSERT_GE(report->pageCount(), 2);
    pdfread::Pdf pdf(*report);
    const QList<pdfread::Word> words = pdf.words();
    for (int page = 1; page <= 2; ++page) {
        // The lowest word on the page is its number.
        pdfread::Word n;
        for (const pdfread::Word &w : words)
            if (w.page == page && w.y > n.y) n = w;
        EXPECT_EQ(n.text, QString::number(page));
        // Label9 stands at 7860, 1035 of the 1380 twips tall footer.
        const plat::ReportDefinition &def = report->definition();
        const int footerTop = def.paperTwips().height() - def.bottomMargin - 1380;
        EXPECT_NEAR(n.y, footerTop + 1035, 120);
        EXPECT_NEAR(n.x, def.leftMargin + 7860, 200);
    }
}

TEST_F(Layouts, StripTableCellsStandUnderTheirHeadings)
{
    // Every value cell of row A lies under its column heading, in all four
    // reports that have the strip table (the second and third moved as a whole).
    exec("insert into Protasis4 values (1, ' ')");
    for (reports::PrintJob job : {reports::PrintJob::Proposal1, reports::PrintJob::Proposal2,
                                  reports::PrintJob::Proposal3, reports::PrintJob::CuttingOrder}) {
        plat::ReportDefinition def = reports::makeReport(job)->definition();
        const plat::ReportSection &ph = def.section(QStringLiteral("PageHeader"));
        const std::pair<const char *, const char *> pairs[] = {{"Label5", "EvrosA"}, {"Label6", "BarosA"},
                                                               {"Label7", "RolesA"}, {"Label8", "Baros1A"},
                                                               {"Label19", "Roles1A"}};
        for (const auto &[heading, cell] : pairs) {
            const plat::ReportControl &h = ph.control(QString::fromLatin1(heading));
            const plat::ReportControl &c = ph.control(QString::fromLatin1(cell));
            EXPECT_EQ(h.left, c.left) << def.name.toStdString() << ' ' << cell;
            EXPECT_EQ(c.top - h.top, 225) << def.name.toStdString() << ' ' << cell;
        }
        // Rows B, D, F, H and J are shaded light grey; the others are not.
        for (int i = 0; i < 10; ++i) {
            const plat::ReportControl &c = ph.control(QStringLiteral("Evros") + QChar(u'A' + i));
            EXPECT_EQ(c.opaque, i % 2 == 1) << def.name.toStdString() << ' ' << i;
            if (c.opaque) { EXPECT_EQ(c.backColor, QColor(0xE0, 0xE0, 0xE0)); }
        }
        if (job == reports::PrintJob::CuttingOrder) {
            EXPECT_FALSE(ph.control(QStringLiteral("Pososto")).opaque);
            for (int i = 1; i <= 6; ++i)
                EXPECT_EQ(ph.control(QStringLiteral("Pososto%1").arg(i)).opaque, i % 2 == 1) << i;
            EXPECT_EQ(ph.find(QStringLiteral("Pososto7")), nullptr);
        }
    }
}

} // namespace

namespace {


TEST_F(Layouts, NoTextBoxReachesIntoItsNeighbourOnTheSameLine)
{
    // A text that fills its box is cut at the box's edge; two boxes that
    // overlap would still print one text over the other. A sliver (a
    // rule's width) is how the tables' rows and columns meet.
    exec("insert into Protasis4 values (1, ' ')");
    using reports::PrintJob;
    std::vector<plat::ReportDefinition> defs;
    for (PrintJob job : {PrintJob::Proposal1, PrintJob::Proposal2, PrintJob::Proposal3, PrintJob::CuttingOrder})
        defs.push_back(reports::makeReport(job)->definition());
    defs.push_back(reports::makeCatalogueReport(false)->definition());
    for (const plat::ReportDefinition &def : defs) {
        for (const char *name : {"ReportHeader", "PageHeader", "Command1_Detail", "Command2_Detail", "PageFooter"}) {
            const plat::ReportSection *s = def.find(QString::fromLatin1(name));
            if (!s) continue;
            QList<const plat::ReportControl *> texts;
            for (const plat::ReportControl &c : s->controls())
                if (c.kind == plat::ReportControlKind::Label || c.kind == plat::ReportControlKind::TextBox)
                    texts << &c;
            for (int a = 0; a < texts.size(); ++a) {
                for (int b = a + 1; b < texts.size(); ++b) {
                    const QRect ra(texts[a]->left, texts[a]->top, texts[a]->width, texts[a]->height);
                    const QRect rb(texts[b]->left, texts[b]->top, texts[b]->width, texts[b]->height);
                    const QRect both = ra.intersected(rb);
                    EXPECT_FALSE(both.width() > 15 && both.height() > 30)
                        << def.name.toStdString() << ' ' << name << ": " << texts[a]->name.toStdString() << " and "
                        << texts[b]->name.toStdString();
                }
            }
        }
    }
}

TEST_F(Layouts, ShadedCellsReachTheirRuleAndFiguresEndAtOneEdge)
{
    exec("insert into Protasis4 values (1, ' ')");
    const char *cells[6] = {"Evros", "Baros", "Roles", "Baros1", "Roles1", "Pososto"};
    for (reports::PrintJob job : {reports::PrintJob::Proposal1, reports::PrintJob::Proposal2,
                                  reports::PrintJob::Proposal3, reports::PrintJob::CuttingOrder}) {
        std::unique_ptr<plat::Report> made = reports::makeReport(job);
        plat::ReportDefinition def = made->definition();
        SCOPED_TRACE(def.name.toStdString());
        plat::ReportSection &ph = def.section(QStringLiteral("PageHeader"));
        const int columns = job == reports::PrintJob::CuttingOrder ? 6 : 5;
        auto cellName = [&](int col, int row) {
            if (col < 5) return QString::fromLatin1(cells[col]) + QChar(u'A' + row);
            return row == 0 ? QStringLiteral("Pososto") : QStringLiteral("Pososto%1").arg(row);
        };
        auto figure = [](int col, int row) { return QStringLiteral("%1%2").arg(col + 1).arg(row); };
        // A shaded cell's grey reaches the rule at its column's right (within
        // a rule's width): no white band between them.
        QList<int> rules;
        for (const plat::ReportControl &c : ph.controls())
            if (c.kind == plat::ReportControlKind::Line && c.width == 0) rules << c.left;
        for (int col = 0; col < columns; ++col)
            for (int row = 1; row < (col < 5 ? 10 : 7); row += 2) {
                const plat::ReportControl &c = ph.control(cellName(col, row));
                const int end = c.left + c.width;
                EXPECT_TRUE(std::any_of(rules.begin(), rules.end(), [end](int r) { return std::abs(end - r) <= 15; }))
                    << cellName(col, row).toStdString();
            }
        for (int col = 0; col < columns; ++col)
            for (int row = 0; row < (col < 5 ? 10 : 7); ++row)
                ph.control(cellName(col, row)).caption = u' ' + figure(col, row);
        pdfread::Pdf pdf(plat::Report(std::move(def), made->rows()));
        const QList<pdfread::Word> words = pdf.words();
        for (int col = 0; col < columns; ++col) {
            const pdfread::Word a = pdfread::find(words, figure(col, 0));
            ASSERT_FALSE(a.text.isEmpty()) << col;
            for (int row = 1; row < (col < 5 ? 10 : 7); ++row) {
                const pdfread::Word w = pdfread::find(words, figure(col, row));
                EXPECT_NEAR(w.x + w.width, a.x + a.width, 3) << cellName(col, row).toStdString();
            }
        }
    }
}

} // namespace
