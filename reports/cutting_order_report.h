#pragma once
// DataReport5, the cutting order of the fixed-knife planner ("ΕΝΤΟΛΗ ΚΟΠΗΣ"):
// the order and its result row by row with the percentages, the coil data,
// the headline and the one cut-program line, and the waste totals.
#include "platform/report.h"
#include "reports/report_layout.h"

#include <QColor>
#include <QString>
#include <array>
#include <optional>

namespace reports {

plat::ReportDefinition DataReport5Layout();

// What the start-up code copies from the planner, texts as they stand.
struct CuttingOrderFigures : WindowFigures {
    std::array<QString, 7> pososto;
    // The percentage colours to copy (none: keep the design colour).
    std::array<std::optional<QColor>, 7> posostoColor;
    bool economical = false; // no header picture, no colours
    QString title;           // the headline above the cut program
};

void writeCuttingOrderFigures(plat::ReportDefinition &def, const CuttingOrderFigures &f);

// The start-up code: reads Form3 through its single instance and the print
// headline, and fills the report.
void DataReport5_Initialize(plat::ReportDefinition &def);

} // namespace reports
