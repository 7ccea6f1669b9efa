#pragma once
#include "platform/forms.h"

// The borderless grey window that lies behind the others in the main window.
class frmBackground : public plat::Form {
    Q_OBJECT
public:
    frmBackground();
};
