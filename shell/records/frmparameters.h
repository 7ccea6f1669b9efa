#pragma once
// The program parameters: the row of tblParameters that the planners load,
// edited in six boxes and a check box, checked before it is written.
#include "recordform.h"

#include <QVector>

class QCheckBox;
class QLabel;
class QLineEdit;

class frmParameters : public rec::RecordForm {
    Q_OBJECT
public:
    frmParameters();

    // Menu "Παράμετροι προγράμματος": opens the window (or brings it to the
    // front); a window whose table cannot be read says why and stays closed.
    static void openFromMenu();

    void Form_Load() override;
    void Form_Unload() override;
    void cmdUpdate_Click() override;

    QVector<QLineEdit *> txtFields; // index order of the table's columns
    QCheckBox *chkFields = nullptr;
    QVector<QLabel *> lblLabels;

protected:
    void editingChanged() override;
    void adoPrimaryRS_MoveComplete() override;

private:
    void showCurrentRow();
};
