#pragma once
// DataReport4, the items catalogue ("ΚΑΤΑΛΟΓΟΣ ΠΡΟΪΟΝΤΩΝ"): one line per
// catalogue item whose type exists, in catalogue order, with the type's name.
#include "platform/report.h"

namespace reports {

plat::ReportDefinition DataReport4Layout();

} // namespace reports
