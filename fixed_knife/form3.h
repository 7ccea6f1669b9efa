#pragma once
// The planning window without knife changes: one knife setting for every
// coil of an order. The window reads its fields, hands them to the plain
// computations of fixed_knife_core (checks, strip bounds, search, evaluation)
// and writes their results back. It keeps its own planning values, so a solve
// here never changes the figures of the knife-change planner.
#include "fixed_knife/hand_cut.h"
#include "fixed_knife/order_bounds.h"
#include "platform/forms.h"
#include "shell/module1.h"

#include <QColor>
#include <QVector>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

class Form3 : public plat::Form {
    Q_OBJECT
public:
    Form3();

    void Form_Load() override;
    bool Form_QueryUnload() override;
    void Form_Unload() override;

    // --- controls, named as the window's controls; arrays indexed from 0 ---
    QWidget *DScroller1 = nullptr;
    QLineEdit *txtArxi = nullptr, *txtTelos = nullptr, *txtMikos = nullptr;
    QLineEdit *Text2 = nullptr, *Text4 = nullptr, *txtApoklisi = nullptr;
    QCheckBox *chkPrint = nullptr;
    QLineEdit *txtPaxos = nullptr, *txtTypos = nullptr;
    QComboBox *cmbEidos = nullptr;

    QVector<QCheckBox *> Check1;                                     // rows 0..9
    QVector<QLineEdit *> Mikos, Baros, Roles, Proion, Roles1;        // rows 0..9
    QVector<QLineEdit *> txtPososto, txtDiafora;                     // rows 0..6

    QLineEdit *Text6 = nullptr;     // head of the coils column
    QLineEdit *Grammi0 = nullptr;   // Grammi(0): coils of the cut program
    QVector<QLineEdit *> Text1;     // 0..9 column widths, 10 the waste head
    QVector<QLineEdit *> Akommati;  // 0..9 strips per cut
    QLineEdit *txtFira1 = nullptr;  // txtFira(1): net waste of one cut, mm
    QLabel *lblMaxairia = nullptr, *Label24 = nullptr;

    QGroupBox *Frame1 = nullptr;  // proposal totals
    QLineEdit *Text3 = nullptr, *Text5 = nullptr, *Text8 = nullptr, *Text10 = nullptr, *Text12 = nullptr;
    QGroupBox *Frame2 = nullptr;  // secondary widths
    QListWidget *lstDefterevon = nullptr;
    QLabel *lblSinolo = nullptr;
    QFrame *Frame3 = nullptr;     // wait panel
    QLabel *Label16 = nullptr;

    QLabel *Label22 = nullptr, *Label23 = nullptr;  // heads of the evaluation columns
    QFrame *Line11 = nullptr, *Line21 = nullptr;     // horizontal header lines
    QVector<QFrame *> LineS;                         // the evaluation heads' short lines

    QPushButton *lisi = nullptr, *lisi2 = nullptr, *cmdKatAnal = nullptr, *lisi3 = nullptr;
    QPushButton *cmdGrid = nullptr, *cmdCleanSecontary = nullptr, *cmdClean = nullptr, *New = nullptr;
    QPushButton *cmdPrint = nullptr, *Exit = nullptr, *Command2 = nullptr, *Command3 = nullptr;
    QTimer *Timer1 = nullptr, *Timer2 = nullptr;

    // --- window-level state ---
    bool blnStartSearch = false;  // a search is armed and waits for the next tick
    int intLisiMode = 0;          // 1 with proportion (Command2), 2 without (Command3)
    bool blnPrint = false;
    bool blnAkommatiFocus = false;
    bool blnAkommatiChanged = false;
    double dblFira = 0;                         // net waste of one cut of the cut shown, mm
    std::array<double, 11> dblSavedAkommati{};  // searched counts of the ordered slots; [10] its waste
    double dblTrims = 0;                        // left plus right edge trim, mm
    double intMaxairia = 0;                     // free knives of the searched cut, a whole number
    std::array<std::array<QString, 2>, 7> strDiafores;  // rows kept for a new order: width, difference
    int intDiafores = 0;                                // rows in use in strDiafores

    PlanningValues &planning() { return m_planning; }
    const PlanningValues &planning() const { return m_planning; }
    bool searchRunning() const { return m_searchRunning; }
    // The bounds of the armed search, and of the search whose cut is shown.
    const std::optional<fk::OrderBounds> &armedBounds() const { return m_armed; }
    const std::optional<fk::OrderBounds> &shownBounds() const { return m_shown; }

    // --- handlers ---
    void Check1_Click(int Index);
    void Mikos_KeyDown(int Index, int KeyCode);
    void Baros_KeyDown(int Index, int KeyCode);
    void lisi_Click();
    void lisi2_Click();
    void cmdKatAnal_Click();
    void Exit_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void cmdPrint_Click();
    void PrintProtasis();
    void Text2_Change();
    void Command2_Click();
    void Command3_Click();
    void CheckOrderRows();
    void UpdateSummary();
    void txtFira_Change();
    // The cut changed by hand (form3_handcut.cpp).
    void Akommati_GotFocus(int Index);
    void Akommati_LostFocus(int Index);
    void Akommati_Change(int Index);
    void Grammi_Change(int Index);
    void lisi3_Click();
    // Clearing the window and continuing into a new order (form3_continue.cpp).
    void cmdClean_Click();
    void New_Click();
    void SinexeiaNeasParaggelias();
    // Secondary widths (form3_secondary.cpp).
    void cmdGrid_Click();
    void cmdCleanSecontary_Click();
    void FindSumDef();
    // KeyCode is a Qt key; only Delete acts.
    void lstDefterevon_KeyDown(int KeyCode, int Shift);

    static QColor textColor(const QLineEdit *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void connectSecondaryItems();
    void FindDefWidthBelow(qint64 width);
    qint64 GetDefWidth();
    void solve(fk::SolveMode mode);
    std::vector<fk::SecondaryWidth> chosenSecondaries();
    void arm(fk::OrderBounds bounds);
    void runArmedSearch(bool hourglass);
    void searchAndShow(fk::SearchMode mode);
    void showCut(const fk::OrderBounds &b, const fk::CutFigures &f);
    void showMessage(const fk::InputMessage &m);
    void focusControl(const QString &name, int index);
    void showMainCells(int row, bool show);
    void hideRowCells(int row);
    void setHeaderLineEnd(int twips);
    void setEvaluationHeadsVisible(bool visible);
    static void setCellBackground(QLineEdit *box, const QColor &c);
    static void setTextColor(QLineEdit *box, const QColor &c);
    int tickedOrderRows() const;
    // The arrow keys of the width and weight cells: up and down within the
    // column and the ticked rows, left and right to the row's other cell.
    void gridKeyDown(const QVector<QLineEdit *> &column, int row, int key, QLineEdit *left, QLineEdit *right);
    void connectHandCut();
    void connectContinuation();
    fk::SearchedCut searchedCut() const;
    void writeCutFigures(const fk::HandCutResult &r);
    void hideEvaluationHeads();
    void clearOrderGrid();
    void clearSecondaryChoice();
    void forgetShownCut();

    PlanningValues m_planning;
    std::optional<fk::OrderBounds> m_armed;  // what the next search runs on
    std::optional<fk::OrderBounds> m_shown;  // what the cut on screen came from
    // The order the last search ran on, whether it found a cut or not: the
    // counts typed after "no solution" are read against it.
    std::optional<fk::OrderBounds> m_searched;
    bool m_searchRunning = false;
    bool m_orderReplaced = false;  // cleared or continued since the last search
    QColor m_light3d, m_windowBack;
};
