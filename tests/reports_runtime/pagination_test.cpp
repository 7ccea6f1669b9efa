#include "report_fixture.h"

#include <gtest/gtest.h>

namespace {

// Pages as text: bands in print order, "|" between pages.
QString layout(const QList<plat::ReportPage> &pages)
{
    QStringList out;
    for (const plat::ReportPage &p : pages) {
        QStringList bands;
        for (const plat::PlacedBand &b : p.bands) {
            switch (b.kind) {
            case plat::SectionKind::ReportHeader: bands << QStringLiteral("RH"); break;
            case plat::SectionKind::PageHeader: bands << QStringLiteral("PH"); break;
            case plat::SectionKind::Detail: bands << QStringLiteral("D%1").arg(b.row); break;
            case plat::SectionKind::PageFooter: bands << QStringLiteral("PF"); break;
            case plat::SectionKind::ReportFooter: bands << QStringLiteral("RF"); break;
            }
        }
        out << bands.join(' ');
    }
    return out.join(QStringLiteral(" | "));
}

QString details(int from, int to)
{
    QStringList d;
    for (int i = from; i <= to; ++i) d << QStringLiteral("D%1").arg(i);
    return d.join(' ');
}

struct Case {
    const char *what;
    int rows;
    std::function<void(plat::ReportDefinition &)> change;
    QString expected;
};

// The sample page holds the report and page headers (2000) and ten details on
// page 1, then the page header and eleven details on each later page.
TEST(Pagination, BandsPerPage)
{
    const QList<Case> cases = {
        {"empty data: headers and footers, no lines", 0, nullptr, QStringLiteral("RH PH RF PF")},
        {"a few lines", 3, nullptr, QStringLiteral("RH PH D0 D1 D2 RF PF")},
        {"a full first page keeps a short report footer", 10, nullptr,
         QStringLiteral("RH PH ") + details(0, 9) + QStringLiteral(" RF PF")},
        {"the page header and footer repeat on page 2, the report header does not", 11, nullptr,
         QStringLiteral("RH PH ") + details(0, 9) + QStringLiteral(" PF | PH D10 RF PF")},
        {"three pages", 32, nullptr,
         QStringLiteral("RH PH ") + details(0, 9) + QStringLiteral(" PF | PH ") + details(10, 20) +
             QStringLiteral(" PF | PH ") + details(21, 31) + QStringLiteral(" RF PF")},
        {"a report footer that no longer fits goes to a page of its own", 10,
         [](plat::ReportDefinition &d) { d.section(QStringLiteral("ReportFooter")).height = 1000; },
         QStringLiteral("RH PH ") + details(0, 9) + QStringLiteral(" PF | PH RF PF")},
        {"a report footer with nothing to print opens no page of its own", 10,
         [](plat::ReportDefinition &d) {
             auto &rf = d.section(QStringLiteral("ReportFooter"));
             rf.height = 1000;
             rf.control(QStringLiteral("LabelEnd")).visible = false;
             rf.addLabel(QStringLiteral("LabelBlank"), 0, 300, 3000, 240, QString());
         },
         QStringLiteral("RH PH ") + details(0, 9) + QStringLiteral(" PF")},
        {"an empty report footer that still fits stands after the last line", 3,
         [](plat::ReportDefinition &d) { d.section(QStringLiteral("ReportFooter")).control(QStringLiteral("LabelEnd")).caption.clear(); },
         QStringLiteral("RH PH D0 D1 D2 RF PF")},
        {"a shaded report footer is printed, on a page of its own when it must", 10,
         [](plat::ReportDefinition &d) {
             auto &rf = d.section(QStringLiteral("ReportFooter"));
             rf.height = 1000;
             rf.control(QStringLiteral("LabelEnd")).caption.clear();
             rf.backColor = QColor(0xE0, 0xE0, 0xE0);
         },
         QStringLiteral("RH PH ") + details(0, 9) + QStringLiteral(" PF | PH RF PF")},
        {"detail bands with nothing to print open no page either", 25,
         [](plat::ReportDefinition &d) {
             d.section(QStringLiteral("Command1_Detail")).control(QStringLiteral("txtParaggelia")).visible = false;
             d.section(QStringLiteral("ReportFooter")).visible = false;
         },
         QStringLiteral("RH PH ") + details(0, 9) + QStringLiteral(" PF")},
        {"a band that ends exactly at the footer fits", 10,
         [](plat::ReportDefinition &d) { d.section(QStringLiteral("ReportFooter")).height = 958; },
         QStringLiteral("RH PH ") + details(0, 9) + QStringLiteral(" RF PF")},
        {"hidden sections take no room", 11,
         [](plat::ReportDefinition &d) { d.section(QStringLiteral("ReportHeader")).visible = false; },
         QStringLiteral("PH ") + details(0, 10) + QStringLiteral(" RF PF")},
        {"a detail taller than the page stands alone on each page", 2,
         [](plat::ReportDefinition &d) { d.section(QStringLiteral("Command1_Detail")).height = 20000; },
         QStringLiteral("RH PH D0 PF | PH D1 PF | PH RF PF")},
        {"no detail section: the rows print nothing", 5,
         [](plat::ReportDefinition &d) { d.addSection(plat::SectionKind::Detail, QStringLiteral("x"), 0); },
         QStringLiteral("RH PH RF PF")},
    };
    for (const Case &c : cases) {
        plat::ReportDefinition def = rt::sampleDefinition();
        if (c.change) c.change(def);
        const auto pages = plat::paginate(def, c.rows);
        EXPECT_EQ(layout(pages), c.expected) << c.what;
        for (int i = 0; i < pages.size(); ++i) EXPECT_EQ(pages[i].number, i + 1) << c.what;
    }
}

TEST(Pagination, BandsStackFromTheTopMarginAndTheFooterSitsAtTheBottomMargin)
{
    const plat::ReportDefinition def = rt::sampleDefinition();
    const auto pages = plat::paginate(def, 11);
    ASSERT_EQ(pages.size(), 2);
    QList<int> tops;
    for (const auto &b : pages[0].bands) tops << b.top;
    // A4 is 16838 twips high: footer at 16838 - 1440 - 1000.
    QList<int> expected{1440, 2440};
    for (int i = 0; i < 10; ++i) expected << 3440 + i * 1000;
    expected << 14398;
    EXPECT_EQ(tops, expected);
    EXPECT_EQ(pages[1].bands.first().top, 1440);
    EXPECT_EQ(pages[1].bands.last().top, 14398);
}

TEST(Pagination, NamesReachSectionsAndControlsAndMissingNamesThrow)
{
    plat::ReportDefinition def = rt::sampleDefinition();
    def.section(QStringLiteral("PageHeader")).control(QStringLiteral("EvrosA")).caption = QStringLiteral(" 1250");
    EXPECT_EQ(def.find(plat::SectionKind::PageHeader)->find(QStringLiteral("EvrosA"))->caption, QStringLiteral(" 1250"));
    EXPECT_THROW(def.section(QStringLiteral("Nope")), plat::ReportNameError);
    EXPECT_THROW(def.section(QStringLiteral("PageHeader")).control(QStringLiteral("EvrosZ")), plat::ReportNameError);
    // A reference taken before more controls are added still reaches its control.
    auto &first = def.section(QStringLiteral("PageHeader")).addLabel(QStringLiteral("A"), 0, 0, 10, 10, {});
    for (int i = 0; i < 200; ++i)
        def.section(QStringLiteral("PageHeader")).addLabel(QStringLiteral("L%1").arg(i), 0, 0, 10, 10, {});
    first.caption = QStringLiteral("still here");
    EXPECT_EQ(def.section(QStringLiteral("PageHeader")).control(QStringLiteral("A")).caption, QStringLiteral("still here"));
}

TEST(Pagination, EngineFields)
{
    const QDateTime t = rt::fixedMoment();
    EXPECT_EQ(plat::expandReportFields(QStringLiteral("%D"), t, 1), QStringLiteral("07/03/2026"));
    EXPECT_EQ(plat::expandReportFields(QStringLiteral("%T"), t, 1), QStringLiteral("09:05:03"));
    EXPECT_EQ(plat::expandReportFields(QStringLiteral("Σελίδα %p από"), t, 12), QStringLiteral("Σελίδα 12 από"));
    EXPECT_EQ(plat::expandReportFields(QStringLiteral("100 % φύρα"), t, 1), QStringLiteral("100 % φύρα"));
}

} // namespace
