#include "reports/catalogue_report.h"

#include "platform/pictures.h"
#include "reports/report_layout.h"

namespace reports {

plat::ReportDefinition DataReport4Layout()
{
    using plat::ReportFont;
    plat::ReportDefinition def;
    def.name = QStringLiteral("DataReport4");
    def.reportWidth = 8400;
    def.leftMargin = def.rightMargin = 1440;
    def.topMargin = def.bottomMargin = 1440;
    def.defaultFont = ReportFont::arial(8.25);

    plat::ReportSection &rh = def.addSection(plat::SectionKind::ReportHeader, QStringLiteral("ReportHeader"), 2070);
    addLabel(rh, QStringLiteral("Label1"), 1725, 1140, 4065, 435, QStringLiteral("ΚΑΤΑΛΟΓΟΣ ΠΡΟΪΟΝΤΩΝ"),
             ReportFont::arial(15.75).boldened());
    addLabel(rh, QStringLiteral("Label7"), 6420, 75, 1800, 240, QStringLiteral("%D"));
    addLabel(rh, QStringLiteral("Label8"), 6435, 375, 1800, 240, QStringLiteral("%T"));
    rh.addImage(QStringLiteral("Image1"), 6555, 675, 1800, 1395, plat::coilPicture());

    // Headings and the item's boxes share their columns. The type's box is
    // as wide as its heading: drawn wider it would reach into the width's
    // column and a long type name would print over the figure.
    const struct {
        const char *heading, *text, *box, *field;
        int headingLeft, headingWidth, boxLeft, boxWidth;
    } columns[5] = {{"Label2", "Κωδικός:", "txtΚωδικός", "Κωδικός", 90, 900, 60, 900},
                    {"Label6", "Περιγραφή Είδους:", "txtΠεριγραφήΕίδους", "Περιγραφή Είδους", 1050, 3500, 1050, 3500},
                    {"Label5", "Τύπος:", "txtΤύπος", "Τύπος", 4590, 1290, 4590, 1290},
                    {"Label3", "Εύρος:", "txtΕύρος", "Εύρος", 5925, 960, 5925, 960},
                    {"Label4", "Πάχος:", "txtΠάχος", "Πάχος", 6945, 750, 6945, 750}};
    plat::ReportSection &ph = def.addSection(plat::SectionKind::PageHeader, QStringLiteral("PageHeader"), 375);
    plat::ReportSection &detail =
        def.addSection(plat::SectionKind::Detail, QStringLiteral("Command2_Detail"), 270);
    for (const auto &c : columns) {
        addLabel(ph, QString::fromUtf8(c.heading), c.headingLeft, 75, c.headingWidth, 225, QString::fromUtf8(c.text),
                 ReportFont::arial(8.25).boldened());
        detail.addTextBox(QString::fromUtf8(c.box), c.boxLeft, 30, c.boxWidth, 225, QString::fromUtf8(c.field));
    }

    plat::ReportSection &pf = def.addSection(plat::SectionKind::PageFooter, QStringLiteral("PageFooter"), 1380);
    addLabel(pf, QStringLiteral("Label9"), 7860, 1035, 390, 240, QStringLiteral("%p"));
    def.addSection(plat::SectionKind::ReportFooter, QStringLiteral("ReportFooter"), 0);
    return def;
}

} // namespace reports
