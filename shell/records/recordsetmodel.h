#pragma once
// The grid's view of a RecordSet: one grid row per row of the set, the set's
// columns with their names as captions, values as the program writes numbers.
#include <QAbstractTableModel>
#include <functional>

namespace rec {

class RecordSet;

// The text a value shows in a grid cell or a bound box.
QString displayText(const QVariant &v);

class RecordSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordSetModel(RecordSet *rs, QObject *parent = nullptr);

    // Which rows take typing (the window's editing state decides).
    std::function<bool(int row)> rowEditable;
    // Shows a refused change (a text in a numeric column, a failed move).
    std::function<void(const QString &message)> reportError;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // True while rows are being inserted, removed or reset: the view's own
    // moves of its current row are no choice of the user then.
    bool changingRows() const { return m_changing > 0; }

signals:
    // A typed text was refused (reportError has shown why): the cell and
    // what was typed into it, so that the grid can give it back.
    void textRefused(const QModelIndex &index, const QString &typed);

private:
    RecordSet *m_rs;
    int m_changing = 0;
    int m_markedRow = -1;
};

} // namespace rec
