#pragma once
// The question of "Νέα παραγγελία": which rows the new order keeps. Modeless;
// one at a time; either button closes it for good, so its boxes start
// unticked every time. It belongs to the planner window and closes with it.
#include <QDialog>

class QCheckBox;
class QPushButton;
class Form3;

class frmYpoloipa : public QDialog {
    Q_OBJECT
public:
    explicit frmYpoloipa(QWidget *parent = nullptr);

    // Shows the open dialog, or a new one centred on the screen.
    static frmYpoloipa *showFor(Form3 *planner);
    // The open dialog, if any.
    static frmYpoloipa *instance();

    QCheckBox *Check1 = nullptr;  // keep the rows just evaluated
    QCheckBox *Check2 = nullptr;  // keep the leftover rows
    QPushButton *Command1 = nullptr;  // "Άκυρον"
    QPushButton *Command2 = nullptr;  // "ΟΚ"

    void Command1_Click();
    void Command2_Click();
};
