// "Εκτύπωση" under each proposal: the table of that proposal is rebuilt from
// the search's lists and a new report of it opens.
#include "knife_change/form1.h"

#include "platform/database.h"
#include "platform/msgbox.h"
#include "platform/qnum.h"
#include "reports/print_hooks.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

// One count text per distinct pattern (`keys`): how many coils of the
// proposal (`coilKeys`, one key per coil) were cut with it.
QStringList coilCounts(const QStringList &keys, const QStringList &coilKeys)
{
    QStringList counts;
    counts.reserve(keys.size());
    for (const QString &key : keys)
        counts << plat::intText(coilKeys.count(key)) + QStringLiteral(" ρολλάκια που έχουν: ");
    return counts;
}

} // namespace

void Form1::cmdPrint_Click() { printProposal(1); }
void Form1::cmdPrint2_Click() { printProposal(2); }

void Form1::printProposal(int proposal)
{
    // Rows not in use print blank, and stay blank on the window.
    for (int i = 0; i < kc::kOrderRows; ++i) {
        if (Check1[i]->isChecked()) continue;
        for (QLineEdit *box : {Mikos[i], Baros[i], Roles[i], Roles1[i], Roles2[i], Proion[i], Proion1[i]})
            box->setText(QString());
    }

    QStringList &counts = proposal == 1 ? lstPro11 : lstPro22;
    counts = coilCounts(List1, proposal == 1 ? lstPro1 : lstPro2);
    QStringList lines;
    for (int i = 0; i < List2.size(); ++i) lines << counts.value(i) + List2[i];

    // The table is written whole in one statement group and nothing stays
    // open behind it; a report over a table that could not be written would
    // show the previous lines as this print's.
    const QString table = proposal == 1 ? QStringLiteral("Protasis1") : QStringLiteral("Protasis2");
    QString err;
    if (!plat::Database::rewriteLines(table, QStringLiteral("Paraggelia"), lines, &err)) {
        plat::msgBox(err);
        return;
    }
    reports::openReport(proposal == 1 ? reports::PrintJob::Proposal1 : reports::PrintJob::Proposal2);
}
