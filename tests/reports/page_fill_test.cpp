// How the program's reports fill their pages: as many lines as a page holds,
// and never a page of headers and totals without a line, also when the lines
// fill their pages exactly (the report footer holds nothing to print).
#include "report_fixture.h"

#include "reports/catalogue_report.h"
#include "reports/cutting_order_report.h"
#include "reports/proposal_reports.h"

#include <functional>

namespace {

struct Layout {
    const char *name;
    std::function<plat::ReportDefinition()> make;
    int firstPage; // lines page 1 holds below the report and page headers
    int laterPage; // lines each later page holds below the page header
};

const QList<Layout> &layouts()
{
    static const QList<Layout> all = {
        {"DataReport1", reports::DataReport1Layout, 21, 34},
        {"DataReport2", reports::DataReport2Layout, 20, 33},
        {"DataReport3", reports::DataReport3Layout, 23, 37},
        {"DataReport5", reports::DataReport5Layout, 1, 2},
        {"DataReport4", reports::DataReport4Layout, 37, 45},
    };
    return all;
}

// Rows for a layout's detail: every bound field filled with the line's number.
plat::ReportRows rowsFor(const plat::ReportDefinition &def, int n)
{
    plat::ReportRows rows;
    rows.fields << QStringLiteral("ID");
    for (const plat::ReportControl &c : def.find(plat::SectionKind::Detail)->controls())
        if (c.kind == plat::ReportControlKind::TextBox) rows.fields << c.field;
    for (int i = 1; i <= n; ++i) {
        QStringList r;
        for (int k = 0; k < rows.fields.size(); ++k) r << QStringLiteral("γραμμή%1").arg(i);
        rows.rows << r;
    }
    return rows;
}

int details(const plat::ReportPage &p)
{
    return int(std::count_if(p.bands.begin(), p.bands.end(),
                             [](const plat::PlacedBand &b) { return b.kind == plat::SectionKind::Detail; }));
}

TEST(PageFill, EveryPageHoldsLinesAndNoMorePagesThanTheLinesNeed)
{
    for (const Layout &l : layouts()) {
        SCOPED_TRACE(l.name);
        const plat::ReportDefinition def = l.make();
        for (int n = 0; n <= l.firstPage + 3 * l.laterPage + 1; ++n) {
            SCOPED_TRACE(n);
            const QList<plat::ReportPage> pages = plat::paginate(def, n);
            const int expected = n <= l.firstPage ? 1 : 1 + (n - l.firstPage + l.laterPage - 1) / l.laterPage;
            ASSERT_EQ(pages.size(), expected);
            int row = 0;
            for (int i = 0; i < pages.size(); ++i) {
                const int want = n == 0 ? 0 : std::min(n - row, i == 0 ? l.firstPage : l.laterPage);
                EXPECT_EQ(details(pages[i]), want) << "page " << i + 1;
                for (const plat::PlacedBand &b : pages[i].bands) {
                    if (b.kind == plat::SectionKind::Detail) {
                        EXPECT_EQ(b.row, row++);
                    }
                }
                EXPECT_EQ(pages[i].bands.last().kind, plat::SectionKind::PageFooter);
            }
            EXPECT_EQ(row, n);
        }
    }
}

// The counts that printed a page of headers and totals without a line.
TEST(PageFill, ExactlyFilledProposalsPrintNoEmptyPage)
{
    const struct {
        int layout; // index into layouts()
        int lines;
        int pages;
    } cases[] = {
        {0, 21, 1}, {0, 22, 2}, {0, 55, 2}, {0, 56, 3}, {0, 89, 3},
        {1, 20, 1}, {1, 21, 2}, {1, 53, 2},
        {2, 23, 1}, {2, 60, 2},
    };
    for (const auto &c : cases) {
        const Layout &l = layouts()[c.layout];
        SCOPED_TRACE(QStringLiteral("%1 with %2 lines").arg(QLatin1String(l.name)).arg(c.lines).toStdString());
        const plat::ReportDefinition def = l.make();
        const plat::Report report(def, rowsFor(def, c.lines));
        ASSERT_EQ(report.pageCount(), c.pages);
        // On paper: the pages the PDF has, the last line on the last page.
        const pdfread::Pdf pdf(report);
        const QString info = pdfread::run(QStringLiteral("pdfinfo"), {pdf.path()});
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(c.pages))))
            << info.toStdString();
        EXPECT_TRUE(pdf.text(c.pages).contains(QStringLiteral("γραμμή%1").arg(c.lines)));
        if (const QString dump = qEnvironmentVariable("REPORT_DUMP_DIR"); !dump.isEmpty())
            QFile::copy(pdf.path(), QStringLiteral("%1/%2-%3-lines.pdf").arg(dump, QLatin1String(l.name)).arg(c.lines));
    }
}

} // namespace
