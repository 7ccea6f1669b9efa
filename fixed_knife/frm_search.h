#pragma once
// The chooser of secondary widths ("ΦΙΛΤΡΑ"): filters the items catalogue by
// width range, thickness and type, lets the planner type for each row how many
// strips of its width one cut may take (saved at once in the catalogue's
// [Αριθμός Ρόλων]), and hands the chosen rows to Form3 with "ΑΠΟΔΟΧΗ".
#include "fixed_knife/secondary_catalogue.h"
#include "platform/forms.h"

#include <QAbstractTableModel>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// The grid's rows: the last search result. Only the count takes typing; a
// typed count is checked and saved before the grid shows it.
class SearchResultModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColID, ColWidth, ColThickness, ColType, ColCount, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    // A new result; an open result, even without rows, is what "ΑΠΟΔΟΧΗ" reads.
    void setResult(QVector<fk::catalogue::ResultRow> rows);
    // No result open any more (the catalogue's counts were reset elsewhere):
    // the grid empties and its events do nothing.
    void dropResult();
    bool isOpen() const { return m_open; }
    const QVector<fk::catalogue::ResultRow> &rows() const { return m_rows; }

    // Checks and saves a count; shows why when it is refused. Returns whether
    // it was saved.
    bool saveCount(int row, const QString &text);

    // Runs after a count typed into the grid was saved.
    std::function<void()> rowEdited;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVector<fk::catalogue::ResultRow> m_rows;
    bool m_open = false;
};

class frmSearch : public plat::Form {
    Q_OBJECT
public:
    frmSearch();

    void Form_Load() override;

    QWidget *DScroller1 = nullptr;
    QLineEdit *txtEvros1 = nullptr, *txtEvros2 = nullptr, *txtPaxos = nullptr;
    QComboBox *cmbEidos = nullptr;
    QLabel *lblMaxairia = nullptr, *lblSum = nullptr, *lblRest = nullptr;
    QPushButton *cmdPiso = nullptr, *cmdNea = nullptr, *cmdShow = nullptr, *cmdExecute = nullptr;
    QTableView *DataGrid1 = nullptr;
    QLineEdit *Text1 = nullptr;  // hidden: the statement of the last search

    SearchResultModel *result() const { return m_model; }

    void cmdShow_Click();
    void cmdNea_Click();
    void cmdPiso_Click();
    void cmdExecute_Click();
    void DataGrid1_RowPicked();
    void DataGrid1_RowEdited();

    // The catalogue's counts were reset elsewhere: the result shown no longer
    // holds; leave no result open. Does nothing when the chooser is not loaded.
    static void dropSharedResult();

private:
    void buildControls();
    void RecalcSelection();

    SearchResultModel *m_model = nullptr;
};
