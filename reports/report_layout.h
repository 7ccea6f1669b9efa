#pragma once
// Small helpers the report layouts share: labels placed in twips with their
// font and alignment, the row letters and the cell-name suffixes of the
// strip tables.
#include "platform/report.h"

#include <QString>
#include <array>
#include <optional>

namespace reports {

// The strip tables' row letters, " A" (Latin) to "  Ι", and the suffix of the
// value cells of row i ("A" for row 0 … "J" for row 9).
extern const std::array<QString, 10> kRowLetters;
QString rowSuffix(int i);

plat::ReportControl &addLabel(plat::ReportSection &s, const QString &name, int left, int top, int width,
                              int height, const QString &caption,
                              const std::optional<plat::ReportFont> &font = std::nullopt,
                              plat::ReportAlign align = plat::ReportAlign::Left);

// Sets a label's caption by section and name, as the start-up code does.
void setCaption(plat::ReportDefinition &def, const QString &section, const QString &name, const QString &caption);

// What the start-up code copies from a planning window into the strip
// table, the coil data and the waste totals, each text as the window shows it.
struct WindowFigures {
    // Order rows 0..9: width, weight, strips needed, weight and strips produced.
    std::array<QString, 10> evros, baros, roles, baros1, roles1;
    QString coilWidth, coilWeight, leftTrim, rightTrim;
    // Net waste, its weight, total waste, its weight, percentage.
    std::array<QString, 5> totals;
};

// Writes them: a blank before each table value, nothing before the coil data
// and totals. `footerLabels` names the page footer's five value labels in the
// order of `totals`.
void writeWindowFigures(plat::ReportDefinition &def, const WindowFigures &f,
                        const std::array<QString, 5> &footerLabels);

// The light grey of every other table row.
inline const QColor kShade = QColor(0xE0, 0xE0, 0xE0);

} // namespace reports
