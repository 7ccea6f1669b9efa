#include "report_fixture.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>

namespace {

class RenderTest : public ::testing::Test {
protected:
    // Writes the report to a PDF in a temporary folder and returns its path.
    QString pdf(const plat::Report &report)
    {
        const QString path = dir.filePath(QStringLiteral("r%1.pdf").arg(++count));
        QString error;
        EXPECT_TRUE(report.writePdf(path, &error)) << error.toStdString();
        return path;
    }
    QTemporaryDir dir;
    int count = 0;
};

TEST_F(RenderTest, FixedTextsFieldsAndRepeatedBandsReadBackFromThePdf)
{
    plat::ReportDefinition def = rt::sampleDefinition();
    def.section(QStringLiteral("PageHeader")).control(QStringLiteral("EvrosA")).caption = QStringLiteral(" 1250,5");
    plat::ReportRows rows = rt::lines(11);
    rows.rows[1][1] = QStringLiteral("φύρα 5 %p %D"); // data is printed as it stands
    const plat::Report report(std::move(def), std::move(rows), rt::fixedMoment());
    ASSERT_EQ(report.pageCount(), 2);
    const QString path = pdf(report);

    const QString p1 = rt::pageText(path, 1);
    for (const char *s : {"07/03/2026", "09:05:03", "ΠΡΟΤΑΣΙΣ ΔΟΚΙΜΗΣ", "Αίτησις", "1250,5", "Γραμμή 1 ρολλάκια",
                          "Γραμμή 10 ρολλάκια", "Καθαρή φύρα:", "Σελίδα 1"})
        EXPECT_TRUE(p1.contains(QString::fromUtf8(s))) << s << "\n" << p1.toStdString();
    EXPECT_FALSE(p1.contains(QStringLiteral("Γραμμή 11 ")));
    EXPECT_TRUE(p1.contains(QStringLiteral("φύρα 5 %p %D")));
    EXPECT_FALSE(p1.contains(QStringLiteral("Τέλος αναφοράς")));

    const QString p2 = rt::pageText(path, 2);
    for (const char *s : {"Αίτησις", "1250,5", "Γραμμή 11 ρολλάκια", "Καθαρή φύρα:", "Σελίδα 2", "Τέλος αναφοράς"})
        EXPECT_TRUE(p2.contains(QString::fromUtf8(s))) << s << "\n" << p2.toStdString();
    EXPECT_FALSE(p2.contains(QStringLiteral("ΠΡΟΤΑΣΙΣ ΔΟΚΙΜΗΣ")));
    EXPECT_FALSE(p2.contains(QStringLiteral("07/03/2026")));
}

TEST_F(RenderTest, PositionsFollowTheLayoutInTwips)
{
    plat::ReportDefinition def = rt::sampleDefinition();
    def.section(QStringLiteral("PageHeader")).control(QStringLiteral("EvrosA")).caption = QStringLiteral("1250");
    const plat::Report report(std::move(def), rt::lines(12), rt::fixedMoment());
    const auto ws = rt::words(pdf(report));

    // "Αίτησις": page header at 1440, label at (1000, 100), left margin 1440: x 122 pt, top 77 pt.
    auto w = rt::findWord(ws, QStringLiteral("Αίτησις"), 2);
    ASSERT_TRUE(w);
    EXPECT_NEAR(w->xMin, (1440 + 1000) / 20.0, 1.0);
    EXPECT_NEAR(w->yMin, (1440 + 100) / 20.0, 3.0);

    // The right-aligned cell ends at its box's right edge: 1440 + 3000 + 810.
    w = rt::findWord(ws, QStringLiteral("1250"), 1);
    ASSERT_TRUE(w);
    EXPECT_NEAR(w->xMax, (1440 + 3000 + 810) / 20.0, 1.5);

    // The page number sits in the footer at the bottom margin: 14398 + 400.
    w = rt::findWord(ws, QStringLiteral("2"), 2);
    ASSERT_TRUE(w);
    EXPECT_NEAR(w->yMin, (14398 + 400) / 20.0, 3.0);

    // The centred title: its middle is the middle of the 9000-wide box.
    const auto t1 = rt::findWord(ws, QStringLiteral("ΠΡΟΤΑΣΙΣ"));
    const auto t2 = rt::findWord(ws, QStringLiteral("ΔΟΚΙΜΗΣ"));
    ASSERT_TRUE(t1 && t2);
    EXPECT_NEAR((t1->xMin + t2->xMax) / 2, (1440 + 4500) / 20.0, 2.0);

    // Detail rows follow each other 1000 twips apart, from 3440 on page 1.
    const auto d1 = rt::findWord(ws, QStringLiteral("1"), 1);
    ASSERT_TRUE(d1);
    EXPECT_NEAR(d1->yMin, 3440 / 20.0, 3.0);
}

TEST_F(RenderTest, EmptyDataPrintsHeadersAndFootersWithNoLines)
{
    const plat::Report report(rt::sampleDefinition(), rt::lines(0), rt::fixedMoment());
    ASSERT_EQ(report.pageCount(), 1);
    const QString text = rt::pageText(pdf(report), 1);
    EXPECT_TRUE(text.contains(QStringLiteral("ΠΡΟΤΑΣΙΣ ΔΟΚΙΜΗΣ")));
    EXPECT_TRUE(text.contains(QStringLiteral("Καθαρή φύρα:")));
    EXPECT_TRUE(text.contains(QStringLiteral("Τέλος αναφοράς")));
    EXPECT_FALSE(text.contains(QStringLiteral("Γραμμή")));
}

TEST_F(RenderTest, HiddenControlsAndSectionsDrawNothing)
{
    plat::ReportDefinition def = rt::sampleDefinition();
    def.section(QStringLiteral("ReportHeader")).control(QStringLiteral("Label3")).visible = false;
    def.section(QStringLiteral("ReportFooter")).visible = false;
    const plat::Report report(std::move(def), rt::lines(1), rt::fixedMoment());
    const QString text = rt::pageText(pdf(report), 1);
    EXPECT_FALSE(text.contains(QStringLiteral("ΠΡΟΤΑΣΙΣ")));
    EXPECT_FALSE(text.contains(QStringLiteral("Τέλος")));
    EXPECT_TRUE(text.contains(QStringLiteral("07/03/2026")));
}

// A one-section report with a single text in a box of the given width.
plat::Report boxReport(const QString &text, int width, plat::ReportAlign align = plat::ReportAlign::Left)
{
    plat::ReportDefinition def;
    def.reportWidth = 9000;
    auto &s = def.addSection(plat::SectionKind::ReportHeader, QStringLiteral("ReportHeader"), 2000);
    auto &c = s.addLabel(QStringLiteral("Box"), 1000, 500, width, 240, text);
    c.font = plat::ReportFont::arial(9);
    c.alignment = align;
    // The neighbouring cell, to the right of the box.
    s.addLabel(QStringLiteral("Next"), 1000 + width, 500, 1500, 240, QStringLiteral("Δίπλα"));
    return plat::Report(std::move(def), {}, rt::fixedMoment());
}

TEST_F(RenderTest, TextWiderThanItsBoxShrinksToFitAndStaysInside)
{
    // About 1500 twips wide at 9 pt: fits 1100 twips at a smaller size.
    const QString text = QStringLiteral("1234567890,123");
    for (auto align : {plat::ReportAlign::Left, plat::ReportAlign::Right}) {
        const auto ws = rt::words(pdf(boxReport(text, 1100, align)));
        const auto w = rt::findWord(ws, text);
        ASSERT_TRUE(w);
        EXPECT_GE(w->xMin, (1440 + 1000) / 20.0 - 0.5);
        EXPECT_LE(w->xMax, (1440 + 2100) / 20.0 + 0.5);
        EXPECT_LT(w->yMax - w->yMin, 9.0) << "smaller than the design's 9 pt";
        EXPECT_GT(w->yMax - w->yMin, 6.0) << "not below 6 pt";
    }
}

TEST_F(RenderTest, ShrunkTextKeepsTheBaselineOfItsRow)
{
    // A shrunk figure beside one at its own size, both 9 pt boxes at one
    // top: they stand on one line, whether the figure fits once shrunk or
    // is cut at its edge.
    const QString cases[] = {QStringLiteral("1234567890,123"), QStringLiteral("3,87096774193548710,123456")};
    for (const QString &text : cases) {
        SCOPED_TRACE(text.toStdString());
        plat::ReportDefinition def;
        def.reportWidth = 9000;
        auto &s = def.addSection(plat::SectionKind::ReportHeader, QStringLiteral("ReportHeader"), 2000);
        s.addLabel(QStringLiteral("Box"), 1000, 500, 1100, 210, text).font = plat::ReportFont::arial(9);
        s.addLabel(QStringLiteral("Next"), 2100, 500, 1500, 210, QStringLiteral("Δίπλα")).font =
            plat::ReportFont::arial(9);
        const auto ws = rt::words(pdf(plat::Report(std::move(def), {}, rt::fixedMoment())));
        const auto small = rt::findWord(ws, text);
        const auto big = rt::findWord(ws, QStringLiteral("Δίπλα"));
        ASSERT_TRUE(small && big);
        ASSERT_LT(small->yMax - small->yMin, big->yMax - big->yMin - 1) << "the figure is shrunk";
        // The baseline lies at the font's ascent share of a word's box.
        const double share = 0.905 / (0.905 + 0.212);
        EXPECT_NEAR(small->yMin + share * (small->yMax - small->yMin), big->yMin + share * (big->yMax - big->yMin),
                    0.5);
    }
}

TEST_F(RenderTest, TextTooWideEvenAtSixPointsIsCutAtTheBoxEdge)
{
    const QString text = QStringLiteral("ΠΟΛΥ ΜΕΓΑΛΟ ΚΕΙΜΕΝΟ ΠΟΥ ΔΕΝ ΧΩΡΑΕΙ ΠΟΤΕ ΣΤΟ ΚΟΥΤΙ ΤΟΥ");
    const plat::Report report = boxReport(text, 1000);
    // 96 dpi: 15 twips a pixel. Box from x 2440 to 3440 twips, y 1940..2180.
    const QImage img = report.pageImage(0, 96);
    auto dark = [&](int x0, int x1) {
        int n = 0;
        for (int y = 1940 / 15; y < 2180 / 15; ++y)
            for (int x = x0; x < x1; ++x)
                if (qGray(img.pixel(x, y)) < 160) ++n;
        return n;
    };
    EXPECT_GT(dark(2440 / 15 + 1, 3440 / 15 - 1), 0) << "the start of the text is drawn";
    // Right of the box stands "Δίπλα" (about 550 twips); past it nothing may show.
    EXPECT_EQ(dark((3440 + 700) / 15, (3440 + 1500) / 15), 0) << "nothing spills past the neighbour";
    // Between the box's edge and "Δίπλα"'s first letter there is no ink of the long text:
    // the neighbour is drawn exactly as it would be alone.
    const plat::Report alone = boxReport(QString(), 1000);
    const QImage ref = alone.pageImage(0, 96);
    for (int y = 1940 / 15; y < 2180 / 15; ++y)
        for (int x = 3440 / 15 + 1; x < (3440 + 1500) / 15; ++x)
            ASSERT_EQ(img.pixel(x, y), ref.pixel(x, y)) << x << "," << y;
}

TEST_F(RenderTest, WrappedTextBreaksIntoLinesInsideItsBox)
{
    plat::ReportDefinition def;
    auto &s = def.addSection(plat::SectionKind::ReportHeader, QStringLiteral("ReportHeader"), 2000);
    auto &c = s.addLabel(QStringLiteral("Label45"), 0, 0, 3000, 1020,
                         QStringLiteral("Απαιτούνται 12 ρόλοι (coil) και θα παραχθούν οι κατώθι ταινίες"));
    c.font = plat::ReportFont::arial(14.25);
    c.wordWrap = true;
    const auto ws = rt::words(pdf(plat::Report(std::move(def), {}, rt::fixedMoment())));
    ASSERT_FALSE(ws.isEmpty());
    double top = 1e9, bottom = 0, right = 0;
    for (const auto &w : ws) {
        top = std::min(top, w.yMin);
        bottom = std::max(bottom, w.yMax);
        right = std::max(right, w.xMax);
    }
    EXPECT_GT(bottom - top, 30.0) << "more than one line";
    EXPECT_LE(right, (1440 + 3000) / 20.0 + 0.5);
    EXPECT_LE(bottom, (1440 + 1020) / 20.0 + 0.5);
    EXPECT_TRUE(rt::findWord(ws, QStringLiteral("ταινίες")));
}

TEST_F(RenderTest, FontsResolveToTheMetricTwinsWithGreekGlyphs)
{
    plat::ReportDefinition def;
    auto &s = def.addSection(plat::SectionKind::ReportHeader, QStringLiteral("ReportHeader"), 2000);
    s.addLabel(QStringLiteral("A"), 0, 0, 5000, 300, QStringLiteral("Εύρος ταινίας")).font = plat::ReportFont::arial(10);
    s.addLabel(QStringLiteral("B"), 0, 500, 5000, 300, QStringLiteral("Βάρος ταινίας")).font =
        plat::ReportFont::times(10).boldened();
    const QString path = pdf(plat::Report(std::move(def), {}, rt::fixedMoment()));
    const QString fonts = rt::popplerText({QStringLiteral("pdffonts"), path});
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationSans"))) << fonts.toStdString();
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationSerif-Bold"))) << fonts.toStdString();
    const QString text = rt::pageText(path, 1);
    EXPECT_TRUE(text.contains(QStringLiteral("Εύρος ταινίας")));
    EXPECT_TRUE(text.contains(QStringLiteral("Βάρος ταινίας")));
}

TEST_F(RenderTest, ShadingRulesAndPictureReachThePage)
{
    plat::ReportDefinition def;
    auto &s = def.addSection(plat::SectionKind::ReportHeader, QStringLiteral("ReportHeader"), 3000);
    auto &cell = s.addLabel(QStringLiteral("Cell"), 0, 0, 1500, 300, QString());
    cell.opaque = true;
    cell.backColor = QColor(0xE0, 0xE0, 0xE0);
    s.addLine(QStringLiteral("Rule"), 0, 600, 3000, 0);
    // A rule listed before a shaded cell that covers it still shows.
    s.addLine(QStringLiteral("Vertical"), 2400, 0, 0, 600);
    auto &over = s.addLabel(QStringLiteral("Over"), 2100, 0, 900, 300, QString());
    over.opaque = true;
    over.backColor = QColor(0xE0, 0xE0, 0xE0);
    QImage pic(20, 10, QImage::Format_RGB32);
    pic.fill(Qt::red);
    s.addImage(QStringLiteral("Image1"), 0, 1000, 1800, 900, pic);
    const QImage img = plat::Report(std::move(def), {}, rt::fixedMoment()).pageImage(0, 96);
    const int x0 = 1440 / 15, y0 = 1440 / 15;
    EXPECT_EQ(img.pixel(x0 + 50, y0 + 10), qRgb(0xE0, 0xE0, 0xE0));
    EXPECT_LT(qGray(img.pixel(x0 + 100, y0 + 40)), 100) << "the rule";
    EXPECT_EQ(img.pixel(x0 + 120, y0 + 40 - 3), qRgb(255, 255, 255));
    EXPECT_LT(qGray(img.pixel(x0 + 2400 / 15, y0 + 10)), 100) << "the rule under the shading";
    EXPECT_EQ(img.pixel(x0 + 2400 / 15 + 3, y0 + 10), qRgb(0xE0, 0xE0, 0xE0));
    const QRgb red = img.pixel(x0 + 60, y0 + 1450 / 15);
    EXPECT_GT(qRed(red), 200);
    EXPECT_LT(qGreen(red), 60);
}

TEST_F(RenderTest, AFailedSaveLeavesNoFileAndSaysWhy)
{
    const plat::Report report(rt::sampleDefinition(), rt::lines(1), rt::fixedMoment());
    QString error;
    EXPECT_FALSE(report.writePdf(dir.filePath(QStringLiteral("no/such/folder/r.pdf")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("Δεν ήταν δυνατό"))) << error.toStdString();
    EXPECT_TRUE(error.endsWith(QStringLiteral("Ο φάκελος δεν υπάρχει."))) << error.toStdString();
    // A folder in the file's place: said in Greek, no system words.
    QDir(dir.path()).mkdir(QStringLiteral("taken.pdf"));
    EXPECT_FALSE(report.writePdf(dir.filePath(QStringLiteral("taken.pdf")), &error));
    EXPECT_TRUE(error.endsWith(QStringLiteral("Υπάρχει φάκελος με αυτό το όνομα."))) << error.toStdString();

    // Saving over an existing file replaces it whole.
    const QString path = dir.filePath(QStringLiteral("over.pdf"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    ASSERT_TRUE(report.writePdf(path, &error));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("%PDF"));
}

} // namespace
