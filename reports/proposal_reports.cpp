#include "reports/proposal_reports.h"

#include "knife_change/form1.h"
#include "platform/pictures.h"
#include "reports/report_layout.h"
#include "user_plan/form2.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRect>

namespace reports {

namespace {

using plat::ReportAlign;
using plat::ReportFont;

struct Place {
    int left, top, width, height;
};

struct CaptionAndValue {
    const char *captionName;
    Place caption;
    const char *valueName;
    Place value;
};

// What sets the three proposal reports apart; everything else is common.
struct ProposalLayout {
    const char *name;
    int reportWidth, topBottomMargin;
    int reportHeader, pageHeader, pageFooter;
    Place date, time;
    int imageLeft, imageTop;
    QString title;
    Place titlePlace;
    bool titleUnderlined;
    ReportAlign titleAlign;
    std::optional<Place> closingRule;
    int tableDx, tableDy;
    double coilFont;
    // Coil width, weight, left trim, right trim.
    std::array<CaptionAndValue, 4> coil;
    QString heading;
    Place headingPlace;
    const char *detailBox, *detailField;
    Place detail;
    // Net waste, its weight, total waste, its weight, percentage.
    std::array<CaptionAndValue, 5> footer;
};

const std::array<QString, 4> kCoilCaptions = {QStringLiteral("Μήκος ρόλου:"), QStringLiteral("Βάρος ρόλου:"),
                                              QStringLiteral("Αριστερό ξάκρισμα:"),
                                              QStringLiteral("Δεξί ξάκρισμα:")};
const std::array<QString, 5> kFooterCaptions = {
    QStringLiteral("Καθαρή φύρα:"), QStringLiteral("Εκτιμώμενο βάρος καθαρής φύρας (Kg):"),
    QStringLiteral("Συνολική φύρα (με ξακρισμα):"), QStringLiteral("Εκτιμώμενο βάρος συνολικής φύρας (Kg):"),
    QStringLiteral("Ποσοστό φύρας/βάρος παραγγελίας:")};

const ProposalLayout &layout(int report)
{
    static const ProposalLayout r1{
        "DataReport1", 9690, 1440, 3105, 4005, 1620,
        {6720, 180, 2445, 240}, {7275, 495, 1905, 240}, 7350, 840,
        QStringLiteral("ΠΡΟΤΑΣΙΣ 1. ΜΕ ΑΛΛΑΓΗ ΜΑΧΑΙΡΙΩΝ"), {60, 2520, 9450, 390}, true, ReportAlign::Center,
        std::nullopt, 0, 0, 9.75,
        {{{"Label23", {6840, 1065, 1050, 315}, "Label24", {8700, 1050, 780, 330}},
          {"Label29", {6825, 1500, 1515, 300}, "Label30", {8700, 1485, 780, 300}},
          {"Label25", {6825, 1875, 1800, 300}, "Label26", {8715, 1875, 780, 285}},
          {"Label27", {6810, 2250, 1515, 315}, "Label28", {8700, 2265, 780, 315}}}},
        QStringLiteral("ΠΡΟΓΡΑΜΜΑ ΚΟΠΗΣ:"), {30, 3585, 9465, 420},
        "txtParaggelia", "Paraggelia", {135, 0, 9360, 240},
        {{{"Label31", {45, 60, 3075, 285}, "Label35", {3720, 60, 795, 285}},
          {"Label34", {45, 420, 3540, 285}, "Label36", {3720, 420, 795, 285}},
          {"Label33", {45, 735, 3075, 285}, "Label37", {3720, 765, 795, 285}},
          {"Label32", {4890, 420, 3615, 285}, "Label38", {8595, 435, 795, 285}},
          {"Label39", {4875, 765, 3615, 285}, "Label40", {8595, 765, 795, 285}}}}};
    static const ProposalLayout r2{
        "DataReport2", 10395, 1440, 3200, 4275, 1630,
        {6615, 165, 2490, 270}, {7665, 465, 1440, 270}, 7290, 855,
        QStringLiteral("ΠΡΟΤΑΣΙΣ 2. ΜΕ ΑΛΛΑΓΗ ΜΑΧΑΙΡΙΩΝ"), {30, 2640, 10365, 390}, false, ReportAlign::Center,
        Place{30, 3105, 10320, 0}, 255, 330, 12,
        {{{"Label23", {7140, 1545, 1050, 315}, "Label24", {9435, 1530, 780, 330}},
          {"Label29", {7125, 1890, 1515, 300}, "Label30", {9435, 1875, 780, 300}},
          {"Label25", {7125, 2220, 1800, 300}, "Label26", {9450, 2220, 780, 285}},
          {"Label27", {7110, 2550, 1515, 315}, "Label28", {9435, 2565, 780, 315}}}},
        QStringLiteral("ΠΡΟΓΡΑΜΜΑ ΚΟΠΗΣ:"), {45, 3825, 10350, 420},
        "txtParaggelia", "Paraggelia", {0, 0, 10290, 240},
        {{{"Label31", {45, 90, 3075, 285}, "Label35", {4200, 75, 795, 285}},
          {"Label34", {30, 450, 3540, 285}, "Label36", {4170, 435, 795, 285}},
          {"Label33", {60, 810, 3075, 285}, "Label37", {4215, 795, 795, 285}},
          {"Label32", {5250, 465, 3615, 285}, "Label38", {9465, 420, 795, 285}},
          {"Label39", {5235, 795, 3615, 285}, "Label40", {9465, 810, 795, 285}}}}};
    static const ProposalLayout r3{
        "DataReport3", 10395, 1000, 3250, 4340, 1605,
        {6465, 240, 1950, 240}, {6480, 540, 1905, 240}, 6585, 840,
        QStringLiteral("ΠΡΟΤΑΣΙΣ 3. ΜΕ ΑΛΛΑΓΗ ΜΑΧΑΙΡΙΩΝ (ΠΡΟΤΑΣΙΣ ΧΡΗΣΤΗ)"), {45, 2685, 9975, 435}, false,
        ReportAlign::Left,
        Place{0, 3180, 10200, 0}, 135, 150, 11.25,
        {{{"Label23", {7485, 1275, 1050, 315}, "Label24", {9120, 1275, 780, 330}},
          {"Label29", {7485, 1665, 1515, 300}, "Label30", {9120, 1665, 780, 300}},
          {"Label25", {7485, 2010, 1800, 300}, "Label26", {9120, 2010, 780, 285}},
          {"Label27", {7485, 2385, 1515, 315}, "Label28", {9120, 2385, 780, 315}}}},
        QStringLiteral("ΠΡΟΓΡΑΜΜΑ ΚΟΠΗΣ"), {30, 3795, 9990, 420},
        "txtProtasis", "Protasis", {165, 0, 10200, 240},
        {{{"Label33", {15, 60, 3075, 285}, "Label37", {4095, 45, 795, 285}},
          {"Label36", {0, 420, 3540, 285}, "Label38", {4110, 390, 795, 285}},
          {"Label35", {30, 735, 3075, 285}, "Label39", {4095, 780, 795, 285}},
          {"Label34", {5130, 405, 3615, 285}, "Label40", {9480, 420, 795, 285}},
          {"Label31", {6285, 765, 3615, 285}, "Label32", {9495, 735, 795, 285}}}}};
    return report == 1 ? r1 : report == 2 ? r2 : r3;
}

// A caption's box reaches up to its value's, and no further: at the
// reports' sizes most captions are wider than their boxes as designed, and
// the free room beside them keeps them at their own size instead of shrunk.
int reachingValue(const CaptionAndValue &c) { return c.value.left - c.caption.left - 60; }

// The strip table: group and column headings, row letters, value cells and
// rules, moved by (dx, dy) from its place in the first report.
void addStripTable(plat::ReportSection &s, int dx, int dy)
{
    addLabel(s, QStringLiteral("Label21"), 1695 + dx, 195 + dy, 1680, 210, QStringLiteral("Αίτησις"));
    addLabel(s, QStringLiteral("Label22"), 3885 + dx, 195 + dy, 1065, 210, QStringLiteral("Αποτέλεσμα"));

    struct Column {
        const char *heading;
        const char *text;
        const char *cells;
        int left;
    };
    const Column columns[] = {{"Label5", " Εύρος", "Evros", 1020},    {"Label6", " Βάρος", "Baros", 1860},
                              {"Label7", " Ρολλάκια", "Roles", 2730}, {"Label8", " Βάρος", "Baros1", 3585},
                              {"Label19", " Ρολλάκια", "Roles1", 4440}};
    addLabel(s, QStringLiteral("Label4"), 420 + dx, 420 + dy, 555, 210, QStringLiteral("A/A"));
    for (const Column &c : columns)
        addLabel(s, QString::fromLatin1(c.heading), c.left + dx, 420 + dy, 810, 210, QString::fromUtf8(c.text));

    const int cellTops[10] = {645, 870, 1095, 1320, 1515, 1755, 1935, 2145, 2355, 2595};
    const int letterTops[10] = {645, 870, 1095, 1320, 1515, 1725, 1935, 2130, 2355, 2580};
    for (int i = 0; i < 10; ++i) {
        addLabel(s, QStringLiteral("Label%1").arg(9 + i), 420 + dx, letterTops[i] + dy, 555, 210, kRowLetters[i]);
        const bool shaded = i % 2 == 1;
        for (const Column &c : columns) {
            const bool last = QString::fromLatin1(c.cells) == QLatin1String("Roles1");
            const int width = shaded ? (last ? 885 : 840) : 810;
            plat::ReportControl &cell = addLabel(s, QString::fromLatin1(c.cells) + rowSuffix(i), c.left + dx,
                                                 cellTops[i] + dy, width, 210, QString(), ReportFont::arial(9),
                                                 ReportAlign::Right);
            cell.opaque = shaded;
            if (shaded) cell.backColor = kShade;
            // The shading reaches the column's rule; the figure ends where
            // the unshaded rows' figures do, so the column reads straight.
            cell.paddingRight = width - 810;
        }
    }

    int n = 2;
    auto rule = [&](int left, int top, int width, int height) {
        s.addLine(QStringLiteral("Line%1").arg(n++), left + dx, top + dy, width, height);
    };
    for (int top : {420, 645, 855, 1065, 1290, 1515, 1740, 1935, 2145, 2340, 2580, 2805}) rule(420, top, 4905, 0);
    rule(1020, 165, 4320, 0);
    for (int left : {420, 1845, 2715, 4425}) rule(left, 420, 0, 2400);
    for (int left : {1005, 3570}) rule(left, 165, 0, 2655);
    rule(5325, 165, 0, 2685);
}

plat::ReportDefinition proposalLayout(int report)
{
    const ProposalLayout &p = layout(report);
    plat::ReportDefinition def;
    def.name = QString::fromLatin1(p.name);
    def.reportWidth = p.reportWidth;
    def.leftMargin = def.rightMargin = 400;
    def.topMargin = def.bottomMargin = p.topBottomMargin;
    def.defaultFont = ReportFont::arial(8.25);

    plat::ReportSection &rh = def.addSection(plat::SectionKind::ReportHeader, QStringLiteral("ReportHeader"),
                                             p.reportHeader);
    addLabel(rh, QStringLiteral("Label1"), p.date.left, p.date.top, p.date.width, p.date.height,
             QStringLiteral("%D"));
    addLabel(rh, QStringLiteral("Label2"), p.time.left, p.time.top, p.time.width, p.time.height,
             QStringLiteral("%T"));
    rh.addImage(QStringLiteral("Image1"), p.imageLeft, p.imageTop, 1800, 1395, plat::coilPicture());
    ReportFont titleFont = ReportFont::arial(15.75);
    if (p.titleUnderlined) titleFont = titleFont.underlined();
    addLabel(rh, QStringLiteral("Label3"), p.titlePlace.left, p.titlePlace.top, p.titlePlace.width,
             p.titlePlace.height, p.title, titleFont, p.titleAlign);
    if (p.closingRule)
        rh.addLine(QStringLiteral("Line1"), p.closingRule->left, p.closingRule->top, p.closingRule->width, 0);

    plat::ReportSection &ph =
        def.addSection(plat::SectionKind::PageHeader, QStringLiteral("PageHeader"), p.pageHeader);
    addStripTable(ph, p.tableDx, p.tableDy);
    for (int k = 0; k < 4; ++k) {
        const CaptionAndValue &c = p.coil[k];
        addLabel(ph, QString::fromLatin1(c.captionName), c.caption.left, c.caption.top, reachingValue(c),
                 c.caption.height, kCoilCaptions[k], ReportFont::arial(p.coilFont));
        addLabel(ph, QString::fromLatin1(c.valueName), c.value.left, c.value.top, c.value.width, c.value.height,
                 QString(), ReportFont::arial(p.coilFont), ReportAlign::Right);
    }
    addLabel(ph, QStringLiteral("Label20"), p.headingPlace.left, p.headingPlace.top, p.headingPlace.width,
             p.headingPlace.height, p.heading, ReportFont::arial(15.75).boldened().underlined(),
             ReportAlign::Center);

    def.addSection(plat::SectionKind::Detail, QStringLiteral("Command1_Detail"), 240)
        .addTextBox(QString::fromLatin1(p.detailBox), p.detail.left, p.detail.top, p.detail.width,
                    p.detail.height, QString::fromLatin1(p.detailField));

    plat::ReportSection &pf =
        def.addSection(plat::SectionKind::PageFooter, QStringLiteral("PageFooter"), p.pageFooter);
    for (int k = 0; k < 5; ++k) {
        const CaptionAndValue &c = p.footer[k];
        addLabel(pf, QString::fromLatin1(c.captionName), c.caption.left, c.caption.top, reachingValue(c),
                 c.caption.height, kFooterCaptions[k], ReportFont::arial(11.25));
        addLabel(pf, QString::fromLatin1(c.valueName), c.value.left, c.value.top, c.value.width, c.value.height,
                 QString(), ReportFont::arial(11.25), ReportAlign::Right);
    }
    def.addSection(plat::SectionKind::ReportFooter, QStringLiteral("ReportFooter"), 360);
    return def;
}

std::array<QString, 5> footerValueNames(int report)
{
    std::array<QString, 5> names;
    for (int k = 0; k < 5; ++k) names[k] = QString::fromLatin1(layout(report).footer[k].valueName);
    return names;
}

// Order rows, coil data and totals of the knife-change planner; proposal 2
// takes its produced figures and totals from the second column.
WindowFigures plannerFigures(int proposal)
{
    const Form1 *f = plat::FormInstance<Form1>::get();
    WindowFigures fig;
    for (int i = 0; i < 10; ++i) {
        fig.evros[i] = f->Mikos[i]->text();
        fig.baros[i] = f->Baros[i]->text();
        fig.roles[i] = f->Roles[i]->text();
        fig.baros1[i] = (proposal == 1 ? f->Proion : f->Proion1)[i]->text();
        fig.roles1[i] = (proposal == 1 ? f->Roles1 : f->Roles2)[i]->text();
    }
    fig.coilWidth = f->txtMikos->text();
    fig.coilWeight = f->Text2->text();
    fig.leftTrim = f->txtArxi->text();
    fig.rightTrim = f->txtTelos->text();
    if (proposal == 1)
        fig.totals = {f->Text3->text(), f->Text5->text(), f->Text8->text(), f->Text10->text(), f->Text12->text()};
    else
        fig.totals = {f->Text7->text(), f->Text6->text(), f->Text9->text(), f->Text11->text(), f->Text13->text()};
    return fig;
}

} // namespace

plat::ReportDefinition DataReport1Layout() { return proposalLayout(1); }
plat::ReportDefinition DataReport2Layout() { return proposalLayout(2); }
plat::ReportDefinition DataReport3Layout() { return proposalLayout(3); }

void DataReport1_Initialize(plat::ReportDefinition &def)
{
    writeWindowFigures(def, plannerFigures(1), footerValueNames(1));
}

void DataReport2_Initialize(plat::ReportDefinition &def)
{
    writeWindowFigures(def, plannerFigures(2), footerValueNames(2));
}

void DataReport3_Initialize(plat::ReportDefinition &def)
{
    // The coil is the knife-change planner's; the order, the plan's results
    // and totals are the plan window's. Only the rows of the order the plan
    // was made for print: a row beyond it may still hold a longer, earlier
    // order's figures.
    WindowFigures fig = plannerFigures(1);
    const Form2 *p = plat::FormInstance<Form2>::get();
    const int last = p->orderLastRow();
    for (int i = 0; i < 10; ++i) {
        const bool inOrder = i <= last;
        fig.evros[i] = inOrder ? p->Mikos[i]->text() : QString();
        fig.baros[i] = inOrder ? p->Baros[i]->text() : QString();
        fig.roles[i] = inOrder ? p->Roles[i]->text() : QString();
        fig.baros1[i] = inOrder ? p->Baros[10 + i]->text() : QString();
        fig.roles1[i] = inOrder ? p->Roles[10 + i]->text() : QString();
    }
    fig.totals = {p->Text3->text(), p->Text5->text(), p->Text8->text(), p->Text10->text(), p->Text4->text()};
    writeWindowFigures(def, fig, footerValueNames(3));
}

} // namespace reports
