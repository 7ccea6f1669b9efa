#pragma once
// The print sequence of the planning windows and the catalogue print of the
// main menu. Each window print makes a new data environment and a new report
// (whose start-up code copies the window's figures at that moment), reads
// the rows once and opens a new report window, which then owns its snapshot:
// later prints never change it. Rows that cannot be read give a Greek
// message and no window.
#include "platform/report.h"
#include "reports/print_hooks.h"

#include <QString>
#include <memory>

class frmMain;
namespace plat { class ReportWindow; }

namespace reports {

// The report window's title for each print ("ΠΡΟΤΑΣΙΣ 1η", …).
QString reportCaption(PrintJob job);

// The report a print would show, without its window; null and a Greek
// message in *error when its rows cannot be read.
std::unique_ptr<plat::Report> makeReport(PrintJob job, QString *error = nullptr);

// The whole print sequence: a new report window, or null after the message.
plat::ReportWindow *printReport(PrintJob job);

// The items catalogue: rows as the database holds them now, the header
// picture left out when `economical`.
std::unique_ptr<plat::Report> makeCatalogueReport(bool economical, QString *error = nullptr);

// "Εκτύπωσις Ειδών": reads the economical-print setting, then shows the
// catalogue in its one window (made on first use, refilled by every print).
void mnPrint_Click();
// The catalogue's window while it is open.
plat::ReportWindow *catalogueWindow();

// Lets the planning windows' print buttons open their reports and, given
// the main window, wires and enables its "Εκτύπωσις Ειδών".
void registerPrints(frmMain *main = nullptr);

} // namespace reports
