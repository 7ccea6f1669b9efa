#pragma once
#include "platform/forms.h"

#include <QStringList>

class QLabel;
class QPushButton;

// Title, version and the door to the desktop's system-information tool.
class frmAbout : public plat::Form {
    Q_OBJECT
public:
    frmAbout();
    void Form_Load() override;

    void cmdOK_Click();
    void cmdSysInfo_Click();
    // Starts the first system-information program found on the path, or says
    // that none is available.
    void StartSysInfo();

    // The programs looked for, in order; tests may change the list.
    static QStringList &sysInfoCandidates();

    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;

protected:
    void keyPressEvent(QKeyEvent *e) override;
};
