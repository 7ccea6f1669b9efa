#pragma once
// The reports of the knife-change planner's proposals: DataReport1
// (proposal 1), DataReport2 (proposal 2) and DataReport3 (the user's plan).
// Report header: date, time, picture, title; page header: the strip table,
// the coil data and the heading of the cutting program; one detail line per
// proposal line; page footer: the five waste totals.
#include "platform/report.h"


namespace reports {

// The layouts as designed: value cells empty.
plat::ReportDefinition DataReport1Layout();
plat::ReportDefinition DataReport2Layout();
plat::ReportDefinition DataReport3Layout();

// The start-up code of each report: reads its planning windows through their
// single instances and fills the report's labels.
void DataReport1_Initialize(plat::ReportDefinition &def);
void DataReport2_Initialize(plat::ReportDefinition &def);
void DataReport3_Initialize(plat::ReportDefinition &def);

} // namespace reports
