#pragma once
// Form1: the planner with knife changes. The planner types a coil and up to
// ten ordered widths, "Λύση" checks them (kc::solve) and asks for the search,
// which the window's one-second timer starts behind the wait panel; the
// results land in the row columns, the totals, the proposal grids and the
// pattern grid of the user's plan window (Form2).
//
// Other windows and reports read this window's controls through
// plat::FormInstance<Form1>::get() and its own planning values (`values`).
#include "knife_change/solve.h"
#include "platform/forms.h"
#include "shell/module1.h"
#include "strip_search/strip_search.h"

#include <QStringList>
#include <QVector>
#include <optional>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSqlQueryModel;
class QTableView;
class QTimer;

class Form1 : public plat::Form {
    Q_OBJECT
public:
    Form1();
    ~Form1() override;

    void Form_Load() override;
    void Form_Unload() override;

    // This planner's own planning values; Form2 and the reports read them.
    PlanningValues values;

    // Handlers.
    void Check1_Click(int Index);
    void Mikos_KeyDown(int Index, int KeyCode);
    void Baros_KeyDown(int Index, int KeyCode);
    void cmdClean_Click();
    void New_Click();
    void lisi_Click();
    void Timer1_Timer();
    void List4_Click();
    void Command2_Click();
    void cmdP1_Click();
    void cmdP2_Click();
    void Command1_Click();
    void Exit_Click();
    void cmdPrint_Click();
    void cmdPrint2_Click();

    // The control the last message of Solve sent the focus to, as
    // "Mikos(3)" or "Text2"; empty when none.
    QString lastFocusName() const { return m_lastFocusName; }
    // Searches run by the timer since the window was loaded.
    int searchesRun() const { return m_searchesRun; }
    // The inputs of the last search the timer ran.
    const std::optional<strip_search::SearchInputs> &lastSearchInputs() const { return m_lastSearch; }

    // The scroller and the widget that holds every control.
    QWidget *DScroller1 = nullptr;
    QWidget *content() const { return m_content; }

    // The order grid, rows 0..9.
    QVector<QCheckBox *> Check1;
    QVector<QLineEdit *> Mikos, Baros, Roles, Proion, Roles1, Proion1, Roles2;

    // The coil.
    QLineEdit *txtMikos = nullptr, *txtArxi = nullptr, *txtTelos = nullptr;
    QLineEdit *Text2 = nullptr, *Text4 = nullptr, *txtApoklisi = nullptr;
    QCheckBox *chkPrint = nullptr;

    // Totals: proposal 1 left, proposal 2 right.
    QGroupBox *Frame1 = nullptr;
    QLineEdit *Text3 = nullptr, *Text5 = nullptr, *Text8 = nullptr, *Text10 = nullptr, *Text12 = nullptr;
    QLineEdit *Text7 = nullptr, *Text6 = nullptr, *Text9 = nullptr, *Text11 = nullptr, *Text13 = nullptr;

    // Working lists: never shown.
    QStringList List1, List2, List3, lstPro1, lstPro2, lstPro11, lstPro22;
    QListWidget *List4 = nullptr;

    // Proposal grids and their switch.
    QGroupBox *Frame2 = nullptr;
    QTableView *DataGrid1 = nullptr, *DataGrid2 = nullptr;
    QPushButton *cmdP1 = nullptr, *cmdP2 = nullptr;

    QPushButton *lisi = nullptr, *New = nullptr, *Exit = nullptr, *Command1 = nullptr;
    QPushButton *cmdPrint = nullptr, *cmdPrint2 = nullptr, *cmdClean = nullptr, *Command2 = nullptr;

    // The wait panel.
    QFrame *Frame3 = nullptr;
    QLabel *Label16 = nullptr;
    QTimer *Timer1 = nullptr;

    // What the hand-over to Form2 reads of the last search.
    int Form2Row = 0;
    QStringList RepeatText;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildOrderGrid();
    void buildCoil();
    void buildTotals();
    void buildButtonsAndPanels();
    void setTabOrderChain();

    void showRow(int i, bool visible);
    void keyDown(QVector<QLineEdit *> &column, int Index, int KeyCode, bool widthColumn);
    int tickedLastRow() const;

    kc::SolveTexts readSolveTexts() const;
    bool rewriteSeira(std::vector<kc::OrderRowValue> &rows, std::string &error);
    void focusControl(const kc::Focus &focus);
    void clearResults();
    void runSearch();
    void showSearchResult();
    void writePatternGrid(int rows);

    void SaveProposal1();
    void SaveProposal2();
    void ShowWastePercentages();
    void printProposal(int proposal);
    void saveProposal(int proposal, QStringList &counts, QTableView *grid, QSqlQueryModel *model);
    void bindGrid(QTableView *grid, QSqlQueryModel *model, const QString &table);

    QWidget *m_content = nullptr;
    QSqlQueryModel *m_model1 = nullptr, *m_model2 = nullptr;
    QString MovedWidthText, MovedWeightText;
    bool m_clearing = false;
    bool blnStartSearch = false;
    bool m_solved = false; // a Solve has set the planning values
    bool m_searching = false;
    // The inputs of the pending request: the tick searches exactly what
    // the last Solve computed, whatever changed on the grid meanwhile.
    strip_search::SearchInputs m_request;
    // What one search leaves for the next; every Solve starts it afresh.
    strip_search::SearchState m_state;
    strip_search::SearchResult m_result;
    std::optional<strip_search::SearchInputs> m_lastSearch;
    int m_searchesRun = 0;
    QString m_lastFocusName;
};
