#pragma once
// Form2: proposal 3 of the knife-change planner, the plan the user edits.
//
// How the knife-change planner (Form1) talks to this window
// ---------------------------------------------------------
// * Reach it only through plat::FormInstance<Form2>::get() (creates and loads
//   it hidden on first use). Unload it when the planner closes:
//   plat::FormInstance<Form2>::unloadIfLoaded().
// * The search writes the pattern grid while the window is hidden. Before
//   writing pattern row r call ensurePatternRows(r + 1): the grid grows to as
//   many rows as the search opens (rows 0..10 exist from the start). Then
//       kommati(j)[r]->setText(...)   // strips of order width j (0 = A .. 9 = J)
//       txtFira[r]->setText(...)      // waste of one cut, mm
//       Grammi[r]->setText(...)       // coils cut with pattern r
//   Rows and columns beyond the current search keep what they held.
// * At the end of a search that produced both proposals: get()->hideForm().
// * "Πρότασις 3" (Command1_Click): fill a PlanHandOver (plan_handover.h) from
//   the planner's fields and call handOverToForm2(). It copies the order, both
//   proposals and proposal 1's totals, lays out the grid and shows the window.
//   The hand-over also tells the window where "Λύσις" reads its inputs: the
//   planner widget, whose `txtArxi` and `txtTelos` (found by object name) are
//   read at the moment of the press, and the planner's own PlanningValues
//   (intLastRow, dblKgPerMm, dblBarosRoles; never the fixed-knife
//   planner's), which the window copies at the hand-over. They belong to the
//   plan shown: the planner's next Solve sets them for another order while
//   this window still shows the old plan until the search hides it. The
//   window stops recomputing as soon as the planner widget is gone.
#include "platform/forms.h"
#include "shell/module1.h"

#include <QPointer>
#include <QVector>

#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class Form2 : public plat::Form {
    Q_OBJECT
public:
    static constexpr int DesignPatternRows = 11;

    Form2();

    void Form_Load() override;

    // Where "Λύσις" reads the trims and the per-width values (see above).
    void setPlanningSource(QWidget *planner, const PlanningValues *values);

    // Makes sure pattern rows 0..n-1 exist; new rows start hidden and empty.
    void ensurePatternRows(int n);
    int patternRowCount() const { return Grammi.size(); }
    // The strip-count column of order width j: Akommati for 0 … Jkommati for 9.
    QVector<QLineEdit *> &kommati(int j);

    // Handlers.
    void cmdLisi_Click();
    void cmdPiso_Click();
    void Grammi_LostFocus(int Index);
    void cmdPrint_Click();

    // The last row of the order the plan was handed (-1 before any hand-over).
    int orderLastRow() const;

    // The field that the last message of "Λύσις" sent the focus to, as
    // "Grammi(2)"; empty when none.
    QString lastFocusName() const;

    // The scroller, and the widget inside it that holds every control, sized
    // to the whole content.
    QWidget *DScroller1 = nullptr;
    QWidget *content() const { return m_content; }

    // Order (0..9) and user plan (10..19).
    QVector<QLineEdit *> Mikos, Baros, Roles;
    // Proposals 1 and 2, rows 0..9.
    QVector<QLineEdit *> Proion, Roles1, Proion1, Roles2;
    QVector<QCheckBox *> Check1;
    // Heads of the pattern grid: 0..9 the width columns, 10 the waste column.
    QVector<QLineEdit *> Text1;
    QLineEdit *Text2 = nullptr; // head of the coils column
    // Pattern grid, one element per pattern row.
    QVector<QLineEdit *> Akommati, Bkommati, Ckommati, Dkommati, Ekommati, Fkommati, Gkommati,
        Hkommati, Ikommati, Jkommati;
    QVector<QLabel *> txtFira;
    QVector<QLineEdit *> Grammi;
    // Totals of the user plan.
    QLineEdit *Text3 = nullptr, *Text5 = nullptr, *Text8 = nullptr, *Text10 = nullptr,
              *Text4 = nullptr;
    QCheckBox *chkPrint = nullptr;
    QListWidget *List1 = nullptr;
    QPushButton *cmdLisi = nullptr, *cmdPrint = nullptr, *cmdPiso = nullptr;
    QGroupBox *Frame1 = nullptr, *Frame2 = nullptr, *Frame3 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildOrderBlocks();
    void buildPatternGrid();
    void buildTotalsAndButtons();
    void addPatternRow();
    void fitContent();
    void focusField(QWidget *w);

    QWidget *m_content = nullptr;
    QPointer<QWidget> m_planner;
    std::optional<PlanningValues> m_values;
    QPointer<QWidget> m_lastFocus;
};
