#pragma once
// The notice that the proportional strip minimums of an order did not fit the
// knives or the width and were lowered. Shown modally; its button closes it
// for good, so every showing builds it anew.
#include <QDialog>

class QLabel;
class QPushButton;

class frmHelp : public QDialog {
    Q_OBJECT
public:
    explicit frmHelp(QWidget *parent = nullptr);

    // The whole notice text: its pieces are separated by runs of blanks that
    // push each onto a line of its own in the label's width.
    static QString noticeText();

    // Shows a new notice centred on the screen and waits until it is closed.
    static void showNotice();

    QLabel *Label1 = nullptr;
    QPushButton *Command1 = nullptr;

private:
    void Command1_Click();
};
