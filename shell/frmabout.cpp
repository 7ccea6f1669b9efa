#include "frmabout.h"

#include "platform/msgbox.h"
#include "platform/qnum.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#include <algorithm>

#ifndef VELANTRA_VERSION_MAJOR
#define VELANTRA_VERSION_MAJOR 1
#define VELANTRA_VERSION_MINOR 0
#define VELANTRA_VERSION_PATCH 0
#endif

QStringList &frmAbout::sysInfoCandidates()
{
    static QStringList list{QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
                            QStringLiteral("gnome-system-monitor")};
    return list;
}

frmAbout::frmAbout() : plat::Form(QStringLiteral("frmAbout"))
{
    setWindowTitle(QStringLiteral("About Velantra"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(plat::tw(5730), plat::tw(3330));

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setText(QStringLiteral("▤"));
    QFont fi = icon->font();
    fi.setPointSize(28);
    icon->setFont(fi);
    icon->setGeometry(12, 12, 48, 48);

    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont ft = lblTitle->font();
    ft.setPointSize(14);
    ft.setBold(true);
    lblTitle->setFont(ft);
    lblTitle->setGeometry(plat::tw(1050), plat::tw(240), plat::tw(3885), plat::tw(480));

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setGeometry(plat::tw(1050), plat::tw(780), plat::tw(3885), plat::tw(225));

    auto *desc = new QLabel(QStringLiteral("Προγραμματισμός κοπής ρόλων σέ ταινίες,\nμέ καί χωρίς αλλαγές μαχαιριών."), this);
    desc->setObjectName(QStringLiteral("lblDescription"));
    desc->setGeometry(plat::tw(1050), plat::tw(1125), plat::tw(3885), plat::tw(570));

    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(plat::tw(225), plat::tw(1800), plat::tw(5280), 4);

    cmdOK = new QPushButton(QStringLiteral("Κλείσιμο"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(plat::tw(3360), plat::tw(2025), plat::tw(2100), plat::tw(375));
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    cmdSysInfo = new QPushButton(QStringLiteral("&Πληροφορίες συστήματος..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    // The caption is longer than the design's button in this font: the
    // button grows to the left, its right edge under the close button's, so
    // that the whole caption and its access key show.
    const int sysInfoWidth = std::max(plat::tw(2100), cmdSysInfo->sizeHint().width());
    cmdSysInfo->setGeometry(plat::tw(3360 + 2100) - sysInfoWidth, plat::tw(2475), sysInfoWidth, plat::tw(375));
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

void frmAbout::Form_Load()
{
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(VELANTRA_VERSION_MAJOR)
                            .arg(VELANTRA_VERSION_MINOR)
                            .arg(VELANTRA_VERSION_PATCH));
    lblTitle->setText(plat::appTitle());
}

void frmAbout::cmdOK_Click() { unload(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::StartSysInfo()
{
    for (const QString &name : sysInfoCandidates()) {
        const QString path = QStandardPaths::findExecutable(name);
        if (path.isEmpty()) continue;
        if (QProcess::startDetached(path, {})) return;
        break;
    }
    plat::msgBox(QStringLiteral("System Information Is Unavailable At This Time"));
}

void frmAbout::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        cmdOK_Click();
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (cmdSysInfo->hasFocus()) cmdSysInfo_Click();
        else cmdOK_Click();
        return;
    }
    plat::Form::keyPressEvent(e);
}
