#pragma once
// What the windows of the program share: the parameter loader, document
// opening, show-or-focus of child windows, and the program-wide values.
#include <QString>
#include <QWidget>
#include <array>

namespace plat { class Form; }

// The planning values that a planner computes and the windows it feeds read.
// Each planner keeps its own copy, so that one planner's solve never changes
// the figures of the other.
struct PlanningValues {
    int intLastRow = 0;               // last order row in use (rows in use − 1)
    double dblKgPerMm = 0;            // kg per mm of usable width over one coil
    std::array<double, 22> dblBarosRoles{}; // tonnes of one strip of slot j over one coil
    double dblBarosParaggelias = 0;   // product weight of the proposal being evaluated
    long long intPosostoX1000 = 0;    // a waste percentage × 1000 (scratch)
};

namespace Module1 {

// Values only the fixed-knife planner and its dialogs use.
extern QString strPrintTitle;
extern int intSinexeia;
extern QString strYpoloipa[7][6];
extern bool blnOikonomikoPrint;

// Copies the first parameter row into the controls of `frm` found by name
// (txtArxi, txtTelos, txtMikos, Text2, Text4, txtApoklisi, chkPrint); with
// OnlyPrint only chkPrint. When the parameters cannot be read, says so in a
// message and leaves the window's values. Returns whether they were read.
bool LoadParameters(QWidget *frm, bool OnlyPrint);

// Opens a document with the desktop's program; empty text on success, else
// the message to show.
QString OpenDocument(WId hWnd, const QString &FileName);

// Shows a window as a child of the main window, or focuses it when it is
// loaded already (a loaded but hidden window is shown first).
void ShowChildForm(plat::Form *frm);

// The program's folder (the executable's directory).
QString AppPath();

} // namespace Module1
