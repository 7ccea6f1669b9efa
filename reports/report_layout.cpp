#include "reports/report_layout.h"

#include <QFont>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

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

namespace {

// Whether a text fits its box at the smallest size the report shrinks to
// (6 pt), measured in the report's own fonts.
bool fitsWhenShrunk(const plat::ReportControl &c, const plat::ReportFont &defaultFont)
{
    const plat::ReportFont &rf = c.font ? *c.font : defaultFont;
    QFont font(rf.family.startsWith(QLatin1String("Times")) ? QStringLiteral("Liberation Serif")
                                                            : QStringLiteral("Liberation Sans"));
    font.setPixelSize(std::min(120, int(std::lround(rf.pointSize * 20))));
    font.setBold(rf.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return QFontMetricsF(font).horizontalAdvance(c.caption) <= c.width;
}

} // namespace

void setCaption(plat::ReportDefinition &def, const QString &section, const QString &name, const QString &caption)
{
    plat::ReportControl &c = def.section(section).control(name);
    c.caption = caption;
    // A figure that cannot fit even shrunk is cut; its start must stay on
    // the paper (the start of "6,09677419354839" is the figure, its end is
    // noise), so it is set from the left edge.
    if (c.alignment == plat::ReportAlign::Right && !fitsWhenShrunk(c, def.defaultFont))
        c.alignment = plat::ReportAlign::Left;
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
