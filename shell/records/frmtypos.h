#pragma once
// The item types: code and name of each type the catalogue rows refer to.
#include "recordform.h"

class frmTypos : public rec::GridRecordForm {
    Q_OBJECT
public:
    frmTypos();

    // Menu "Τύποι Ειδών": opens the window (or brings it to the front); a
    // window whose table cannot be read says why and stays closed.
    static void openFromMenu();

    void Form_Load() override;
};
