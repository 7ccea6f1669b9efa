// "Εκτύπωσις" of the user's plan: one line per pattern in use into List1 and
// table Protasis3, then a new report of the plan.
#include "user_plan/form2.h"

#include "platform/report.h"
#include "platform/msgbox.h"
#include "platform/qnum.h"
#include "reports/print_hooks.h"
#include "user_plan/plan_print.h"
#include "user_plan/plan_recompute.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

int Form2::orderLastRow() const
{
    // The hand-over ticks the (hidden) row boxes of the order it brought:
    // the plan keeps its own count of widths, whatever either planner has
    // solved since.
    int last = -1;
    for (int i = 0; i < Check1.size(); ++i)
        if (Check1[i]->isChecked()) last = i;
    return last;
}

void Form2::cmdPrint_Click()
{
    List1->clear();

    int lastCutRow = -1;
    for (QLineEdit *g : Grammi)
        if (!g->isHidden()) ++lastCutRow;
    for (int r = 0; r <= lastCutRow; ++r) {
        if (!plat::isNumeric(Grammi[r]->text())) {
            plat::msgBox(QString::fromUtf8(user_plan::MsgRolakia));
            focusField(Grammi[r]);
            return;
        }
    }

    const int k = orderLastRow();
    QStringList lines;
    if (k >= 0 && k <= 9) {
        std::array<std::string, 10> widths;
        for (int j = 0; j < 10; ++j) widths[j] = Mikos[j]->text().toStdString();
        for (int r = 0; r <= lastCutRow; ++r) {
            user_plan::PlanPrintRow row;
            row.coils = Grammi[r]->text().toStdString();
            if (user_plan::trimBlanks(row.coils) == "0") continue;
            for (int j = 0; j < 10; ++j) row.counts[j] = kommati(j)[r]->text().toStdString();
            row.waste = txtFira[r]->text().toStdString();
            lines << QString::fromStdString(user_plan::planPrintLine(row, widths, k));
        }
        List1->addItems(lines);
        if (List1->count() > 0) List1->setCurrentRow(List1->count() - 1);
    }

    QString err;
    if (!plat::rewritePrintLines(QStringLiteral("Protasis3"), QStringLiteral("Protasis"), lines, &err)) {
        plat::msgBox(err);
        return;
    }
    // Without an order, or without a single pattern row (nothing solved yet),
    // there is no plan: the table is left empty and the planner is told, not
    // left wondering why nothing opened.
    if (k < 0 || k > 9 || lastCutRow < 0) {
        plat::msgBox(QString::fromUtf8(user_plan::MsgNoPlan));
        return;
    }
    reports::openReport(reports::PrintJob::Proposal3);
}
