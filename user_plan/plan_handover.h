#pragma once
// "Πρότασις 3" of the knife-change planner: the planner fills a PlanHandOver
// with its texts as they stand and calls handOverToForm2(), which fills and
// lays out Form2 and shows it.
#include <QString>
#include <QStringList>
#include <array>

class Form2;
class QWidget;
struct PlanningValues;

struct PlanHandOver {
    // The planner's intLastRow: order rows 0..intLastRow are in use.
    int intLastRow = -1;
    // The planner's order rows 0..9, as texts.
    std::array<QString, 10> Mikos, Baros, Roles, Proion, Roles1, Proion1, Roles2;
    // Proposal 1's totals: Text3, Text5, Text8, Text10 and its percentage Text12.
    QString Text3, Text5, Text8, Text10, Text12;
    // Pattern rows the search opened, and their coil counts as the planner
    // keeps them: RepeatText[p + 1] holds the coils of pattern row p
    // (entry 0 belongs to no row; a missing entry counts as empty).
    int Form2Row = 0;
    QStringList RepeatText;
    // Where "Λύσις" reads at the moment of the press: the planner widget
    // (its txtArxi and txtTelos) and the planner's own planning values.
    QWidget *planner = nullptr;
    const PlanningValues *values = nullptr;
};

// Fills Form2 (loading it when needed), lays out its pattern grid and shows
// it. Returns the window.
Form2 *handOverToForm2(const PlanHandOver &h);

// The horizontal place of the waste column for n order widths, in twips.
constexpr int wasteColumnLeftTwips(int n) { return 840 + 720 * n; }
