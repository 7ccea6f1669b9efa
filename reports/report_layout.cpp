#include "reports/report_layout.h"

namespace reports {

const std::array<QString, 10> kRowLetters = {
    QStringLiteral(" A"),  QStringLiteral(" B"), QStringLiteral(" Γ"), QStringLiteral(" Δ"), QStringLiteral(" Ε"),
    QStringLiteral(" ΣΤ"), QStringLiteral(" Ζ"), QStringLiteral(" Η"), QStringLiteral(" Θ"), QStringLiteral("  Ι")};

QString rowSuffix(int i) { return QString(QChar(u'A' + i)); }

plat::ReportControl &addLabel(plat::ReportSection &s, const QString &name, int left, int top, int width,
                              int height, const QString &caption, const std::optional<plat::ReportFont> &font,
                              plat::ReportAlign align)
{
    plat::ReportControl &c = s.addLabel(name, left, top, width, height, caption);
    c.font = font;
    c.alignment = align;
    return c;
}

void setCaption(plat::ReportDefinition &def, const QString &section, const QString &name, const QString &caption)
{
    def.section(section).control(name).caption = caption;
}

void writeWindowFigures(plat::ReportDefinition &def, const WindowFigures &f, const std::array<QString, 5> &footerLabels)
{
    const QString header = QStringLiteral("PageHeader");
    const std::pair<const char *, const std::array<QString, 10> *> columns[] = {
        {"Evros", &f.evros}, {"Baros", &f.baros}, {"Roles", &f.roles}, {"Baros1", &f.baros1}, {"Roles1", &f.roles1}};
    for (const auto &[cells, values] : columns)
        for (int i = 0; i < 10; ++i)
            setCaption(def, header, QString::fromLatin1(cells) + rowSuffix(i), QLatin1Char(' ') + (*values)[i]);
    setCaption(def, header, QStringLiteral("Label24"), f.coilWidth);
    setCaption(def, header, QStringLiteral("Label26"), f.leftTrim);
    setCaption(def, header, QStringLiteral("Label28"), f.rightTrim);
    setCaption(def, header, QStringLiteral("Label30"), f.coilWeight);
    for (int k = 0; k < 5; ++k) setCaption(def, QStringLiteral("PageFooter"), footerLabels[k], f.totals[k]);
}

} // namespace reports
