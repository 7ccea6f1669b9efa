// The report runtime on long prints: a proposal of 1 000 lines and a
// catalogue of 10 000 items, each made into pages, its first page drawn for
// the preview and the whole report written as PDF.
#include "platform/pictures.h"
#include "platform/report.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

using namespace plat;

namespace {

// A proposal report: picture, title, a ruled table of ten shaded rows in the
// page header, one line per row, five totals in the footer.
ReportDefinition proposal()
{
    ReportDefinition def;
    def.reportWidth = 9690;
    def.leftMargin = def.rightMargin = 400;
    auto &rh = def.addSection(SectionKind::ReportHeader, QStringLiteral("ReportHeader"), 3105);
    rh.addLabel(QStringLiteral("Label1"), 6720, 180, 2445, 240, QStringLiteral("%D"));
    rh.addLabel(QStringLiteral("Label2"), 7275, 495, 1905, 240, QStringLiteral("%T"));
    rh.addImage(QStringLiteral("Image1"), 7350, 840, 1800, 1395, coilPicture());
    rh.addLabel(QStringLiteral("Label3"), 60, 2520, 9450, 390, QStringLiteral("ΠΡΟΤΑΣΙΣ 1. ΜΕ ΑΛΛΑΓΗ ΜΑΧΑΙΡΙΩΝ"))
        .font = ReportFont::arial(15.75).underlined();
    auto &ph = def.addSection(SectionKind::PageHeader, QStringLiteral("PageHeader"), 4005);
    for (int r = 0; r < 10; ++r) {
        ph.addLine(QStringLiteral("h%1").arg(r), 420, 645 + r * 220, 4905, 0);
        for (int c = 0; c < 5; ++c) {
            auto &v = ph.addLabel(QStringLiteral("V%1_%2").arg(r).arg(c), 1020 + c * 860, 645 + r * 220, 810, 210,
                                  QStringLiteral(" 1250,5"));
            v.font = ReportFont::arial(9);
            v.alignment = ReportAlign::Right;
            v.opaque = r % 2 == 1;
            v.backColor = QColor(0xE0, 0xE0, 0xE0);
        }
    }
    def.addSection(SectionKind::Detail, QStringLiteral("Command1_Detail"), 240)
        .addTextBox(QStringLiteral("txtParaggelia"), 135, 0, 9360, 240, QStringLiteral("Paraggelia"));
    auto &pf = def.addSection(SectionKind::PageFooter, QStringLiteral("PageFooter"), 1620);
    for (int i = 0; i < 5; ++i) {
        pf.addLabel(QStringLiteral("C%1").arg(i), 45, 60 + i * 300, 3075, 285, QStringLiteral("Καθαρή φύρα:"))
            .font = ReportFont::arial(11.25);
        pf.addLabel(QStringLiteral("V%1").arg(i), 3720, 60 + i * 300, 795, 285, QStringLiteral("396,8"))
            .alignment = ReportAlign::Right;
    }
    def.addSection(SectionKind::ReportFooter, QStringLiteral("ReportFooter"), 360);
    return def;
}

ReportRows proposalLines(int n)
{
    ReportRows rows;
    rows.fields << QStringLiteral("Paraggelia");
    for (int i = 1; i <= n; ++i)
        rows.rows << QStringList{QStringLiteral("%1 ρολλάκια που έχουν: 3 x 250, 2 x 310, 1 x 97, φύρα: 12").arg(i)};
    return rows;
}

// The items catalogue: five bound boxes per item, page number in the footer.
ReportDefinition catalogue()
{
    ReportDefinition def;
    auto &rh = def.addSection(SectionKind::ReportHeader, QStringLiteral("ReportHeader"), 2070);
    rh.addLabel(QStringLiteral("Label1"), 1725, 1140, 4065, 435, QStringLiteral("ΚΑΤΑΛΟΓΟΣ ΠΡΟΪΟΝΤΩΝ"))
        .font = ReportFont::arial(15.75).boldened();
    rh.addImage(QStringLiteral("Image1"), 6555, 675, 1800, 1395, coilPicture());
    def.addSection(SectionKind::PageHeader, QStringLiteral("PageHeader"), 375)
        .addLabel(QStringLiteral("Label2"), 90, 75, 900, 210, QStringLiteral("Κωδικός:"))
        .font = ReportFont::arial(8.25).boldened();
    auto &d = def.addSection(SectionKind::Detail, QStringLiteral("Command2_Detail"), 270);
    const int lefts[] = {60, 1050, 4590, 5925, 6945}, widths[] = {900, 3500, 1440, 960, 750};
    const char *fields[] = {"Κωδικός", "Περιγραφή Είδους", "Τύπος", "Εύρος", "Πάχος"};
    for (int i = 0; i < 5; ++i)
        d.addTextBox(QStringLiteral("t%1").arg(i), lefts[i], 30, widths[i], 240, QString::fromUtf8(fields[i]));
    def.addSection(SectionKind::PageFooter, QStringLiteral("PageFooter"), 1380)
        .addLabel(QStringLiteral("Label9"), 7860, 1035, 390, 240, QStringLiteral("%p"));
    return def;
}

ReportRows catalogueItems(int n)
{
    ReportRows rows;
    rows.fields << QStringLiteral("Κωδικός") << QStringLiteral("Περιγραφή Είδους") << QStringLiteral("Τύπος")
                << QStringLiteral("Εύρος") << QStringLiteral("Πάχος");
    for (int i = 1; i <= n; ++i)
        rows.rows << QStringList{QStringLiteral("K%1").arg(i), QStringLiteral("Ταινία ψυχρής έλασης %1").arg(i),
                                 QStringLiteral("DC01"), QString::number(100 + i % 900), QStringLiteral("0,8")};
    return rows;
}

// What a print costs from bound rows to both outputs: pages, the preview's
// first page and the PDF.
void run(benchmark::State &s, const ReportDefinition &def, const ReportRows &rows)
{
    int pages = 0;
    qsizetype bytes = 0;
    for (auto _ : s) {
        Report report(def, rows);
        QImage first = report.pageImage(0, 96);
        benchmark::DoNotOptimize(first.constBits());
        bytes = report.pdfBytes().size();
        pages = report.pageCount();
    }
    s.counters["pages"] = pages;
    s.counters["pdf_kB"] = double(bytes) / 1024;
}

void Proposal_1000Lines(benchmark::State &s) { run(s, proposal(), proposalLines(1000)); }
void Proposal_10000Lines(benchmark::State &s) { run(s, proposal(), proposalLines(10000)); }
void Catalogue_10000Items(benchmark::State &s) { run(s, catalogue(), catalogueItems(10000)); }

} // namespace

BENCHMARK(Proposal_1000Lines)->Unit(benchmark::kMillisecond);
BENCHMARK(Proposal_10000Lines)->Unit(benchmark::kMillisecond);
BENCHMARK(Catalogue_10000Items)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
