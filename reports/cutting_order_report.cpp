#include "reports/cutting_order_report.h"

#include "fixed_knife/form3.h"
#include "platform/pictures.h"
#include "reports/report_layout.h"
#include "shell/module1.h"

#include <QCheckBox>
#include <QLineEdit>

namespace reports {

namespace {

using plat::ReportAlign;
using plat::ReportFont;

const char *const kPososto[7] = {"Pososto", "Pososto1", "Pososto2", "Pososto3", "Pososto4", "Pososto5", "Pososto6"};

} // namespace

plat::ReportDefinition DataReport5Layout()
{
    plat::ReportDefinition def;
    def.name = QStringLiteral("DataReport5");
    def.reportWidth = 9765;
    def.leftMargin = def.rightMargin = 400;
    def.topMargin = def.bottomMargin = 1440;
    def.defaultFont = ReportFont::arial(8.25);

    plat::ReportSection &rh = def.addSection(plat::SectionKind::ReportHeader, QStringLiteral("ReportHeader"), 2865);
    addLabel(rh, QStringLiteral("Label1"), 6780, 45, 2640, 240, QStringLiteral("%D"), ReportFont::times(9.75));
    addLabel(rh, QStringLiteral("Label2"), 7410, 360, 2010, 240, QStringLiteral("%T"), ReportFont::times(9.75));
    rh.addImage(QStringLiteral("Image1"), 7575, 690, 1800, 1395, plat::coilPicture());
    addLabel(rh, QStringLiteral("Label3"), 15, 2370, 9585, 390, QStringLiteral("ΕΝΤΟΛΗ ΚΟΠΗΣ"),
             ReportFont::arial(15.75).boldened().underlined(), ReportAlign::Center);

    plat::ReportSection &ph = def.addSection(plat::SectionKind::PageHeader, QStringLiteral("PageHeader"), 4020);
    const ReportFont heading = ReportFont::times(9.75);
    addLabel(ph, QStringLiteral("Label21"), 1695, 195, 1680, 210, QStringLiteral("Αίτησις"), heading);
    addLabel(ph, QStringLiteral("Label22"), 3885, 195, 1065, 210, QStringLiteral("Αποτέλεσμα"), heading);
    addLabel(ph, QStringLiteral("Label4"), 420, 420, 555, 210, QStringLiteral("A/A"));
    struct Column {
        const char *heading;
        const char *text;
        const char *cells;
        int left;
    };
    const Column columns[] = {{"Label5", "Εύρος(χιλ)", "Evros", 1020},  {"Label6", "Βάρος(tn)", "Baros", 1860},
                              {"Label7", " Ταινίες", "Roles", 2730},    {"Label8", "Βάρος(tn)", "Baros1", 3585},
                              {"Label19", " Ταινίες", "Roles1", 4440}};
    for (const Column &c : columns)
        addLabel(ph, QString::fromLatin1(c.heading), c.left, 420, 810, 210, QString::fromUtf8(c.text), heading);
    addLabel(ph, QStringLiteral("Label46"), 5355, 200, 840, 210, QStringLiteral("Ποσοστό"), heading);

    const int tops[10] = {645, 870, 1095, 1320, 1515, 1725, 1935, 2130, 2355, 2580};
    for (int i = 0; i < 10; ++i) {
        addLabel(ph, QStringLiteral("Label%1").arg(9 + i), 420, tops[i], 555, 210, kRowLetters[i], heading);
        const bool shaded = i % 2 == 1;
        // A shaded cell reaches the rule at its column's right, as in the
        // proposals' tables; its figure still ends where the others' do.
        auto cell = [&](const QString &name, int left, int width, int rule) {
            plat::ReportControl &c = addLabel(ph, name, left, tops[i], shaded ? rule - left : width, 210, QString(),
                                              ReportFont::arial(9), ReportAlign::Right);
            c.opaque = shaded;
            if (shaded) {
                c.backColor = kShade;
                c.paddingRight = c.width - width;
            }
        };
        const int rules[5] = {1845, 2715, 3570, 4425, 5325};
        for (int k = 0; k < 5; ++k)
            cell(QString::fromLatin1(columns[k].cells) + rowSuffix(i), columns[k].left, 810, rules[k]);
        if (i < 7) cell(QString::fromLatin1(kPososto[i]), 5360, 825, 6210);
    }

    int n = 1;
    auto rule = [&](int left, int top, int width, int height) {
        ph.addLine(QStringLiteral("Line%1").arg(n++), left, top, width, height);
    };
    for (int top : {420, 645, 855, 1095, 1290, 1510, 1740, 1935, 2145, 2355, 2580, 2805}) rule(420, top, 5800, 0);
    rule(1020, 165, 5200, 0);
    for (int left : {420, 1845, 2715, 4425}) rule(left, 420, 0, 2400);
    for (int left : {1005, 3570, 5325}) rule(left, 165, 0, 2655);
    rule(6210, 180, 0, 2655);

    const struct {
        const char *caption, *value;
        const char *text;
        int top;
    } coil[4] = {{"Label23", "Label24", "Εύρος ταινίας(χιλ):", 1170},
                 {"Label29", "Label30", "Βάρος ταινίας(tn):", 1530},
                 {"Label25", "Label26", "Αριστερό ξάκρισμα(χιλ):", 1920},
                 {"Label27", "Label28", "Δεξί ξάκρισμα(χιλ):", 2310}};
    for (const auto &c : coil) {
        addLabel(ph, QString::fromLatin1(c.caption), 6540, c.top, 2370, 300, QString::fromUtf8(c.text),
                 ReportFont::times(11.25));
        addLabel(ph, QString::fromLatin1(c.value), 8970, c.top, 780, 300, QString(), ReportFont::arial(11.25),
                 ReportAlign::Right);
    }
    addLabel(ph, QStringLiteral("Label20"), 45, 3510, 9465, 435,
             QStringLiteral("ΠΡΟΓΡΑΜΜΑ ΚΟΠΗΣ (ΧΩΡΙΣ ΑΛΛΑΓΗ ΜΑΧΑΙΡΙΩΝ)"),
             ReportFont::arial(15.75).boldened().underlined(), ReportAlign::Center);

    plat::ReportSection &detail =
        def.addSection(plat::SectionKind::Detail, QStringLiteral("Command1_Detail"), 3165);
    addLabel(detail, QStringLiteral("Label45"), 330, 45, 9255, 1020, QStringLiteral("Label45"),
             ReportFont::arial(14.25))
        .wordWrap = true;
    plat::ReportControl &line =
        detail.addTextBox(QStringLiteral("txtParaggelia"), 330, 1110, 9225, 1590, QStringLiteral("Paraggelia"));
    line.font = ReportFont::times(14.25);
    line.wordWrap = true;

    plat::ReportSection &pf = def.addSection(plat::SectionKind::PageFooter, QStringLiteral("PageFooter"), 2550);
    const struct {
        const char *caption, *value;
        const char *text;
        int top;
    } totals[5] = {{"Label31", "Label35", "Καθαρή φύρα(χιλ):", 105},
                   {"Label34", "Label36", "Εκτιμώμενο βάρος καθαρής φύρας (Kg):", 405},
                   {"Label33", "Label37", "Συνολική φύρα (με ξακρισμα)(χιλ):", 705},
                   {"Label32", "Label38", "Εκτιμώμενο βάρος συνολικής φύρας (Kg):", 1005},
                   {"Label39", "Label40", "Ποσοστό φύρας/βάρος παραγγελίας:", 1335}};
    for (const auto &t : totals) {
        addLabel(pf, QString::fromLatin1(t.caption), 360, t.top, 3360, 270, QString::fromUtf8(t.text),
                 ReportFont::times(9.75));
        addLabel(pf, QString::fromLatin1(t.value), 3800, t.top, 795, 270, QString(), ReportFont::arial(9.75),
                 ReportAlign::Right);
    }
    def.addSection(plat::SectionKind::ReportFooter, QStringLiteral("ReportFooter"), 0);
    return def;
}

void writeCuttingOrderFigures(plat::ReportDefinition &def, const CuttingOrderFigures &f)
{
    writeWindowFigures(def, f,
                       {QStringLiteral("Label35"), QStringLiteral("Label36"), QStringLiteral("Label37"),
                        QStringLiteral("Label38"), QStringLiteral("Label40")});
    for (int i = 0; i < 7; ++i) {
        plat::ReportControl &c = def.section(QStringLiteral("PageHeader")).control(QString::fromLatin1(kPososto[i]));
        c.caption = QLatin1Char(' ') + f.pososto[i];
        if (!f.economical && f.posostoColor[i]) c.foreColor = *f.posostoColor[i];
    }
    if (f.economical) def.section(QStringLiteral("ReportHeader")).control(QStringLiteral("Image1")).visible = false;
    setCaption(def, QStringLiteral("Command1_Detail"), QStringLiteral("Label45"), f.title);
}

void DataReport5_Initialize(plat::ReportDefinition &def)
{
    const Form3 *w = plat::FormInstance<Form3>::get();
    CuttingOrderFigures f;
    for (int i = 0; i < 10; ++i) {
        f.evros[i] = w->Mikos[i]->text();
        f.baros[i] = w->Baros[i]->text();
        f.roles[i] = w->Roles[i]->text();
        f.baros1[i] = w->Proion[i]->text();
        f.roles1[i] = w->Roles1[i]->text();
    }
    f.economical = w->chkPrint->isChecked();
    for (int i = 0; i < 7; ++i) {
        f.pososto[i] = w->txtPososto[i]->text();
        // A hidden row's percentage keeps the report's own colour.
        if (!w->txtPososto[i]->isHidden()) f.posostoColor[i] = Form3::textColor(w->txtPososto[i]);
    }
    f.title = Module1::strPrintTitle;
    f.coilWidth = w->txtMikos->text();
    f.leftTrim = w->txtArxi->text();
    f.rightTrim = w->txtTelos->text();
    f.coilWeight = w->Text2->text();
    f.totals = {w->Text3->text(), w->Text5->text(), w->Text8->text(), w->Text10->text(), w->Text12->text()};
    writeCuttingOrderFigures(def, f);
}

} // namespace reports
