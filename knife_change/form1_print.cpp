// "Εκτύπωση" under each proposal: the table of that proposal is rebuilt from
// the search's lists and a new report of it opens.
#include "knife_change/form1.h"

#include "platform/report.h"
#include "platform/msgbox.h"
#include "platform/qnum.h"
#include "reports/print_hooks.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

// The proposal's table lines, one per distinct pattern in the order it was
// first cut (a pattern that comes back after another has one line with all
// its coils), as the proposal grids show them; `counts` gets each line's
// count text.
QStringList proposalLines(const QStringList &keys, const QStringList &texts, const QStringList &coilKeys,
                          QStringList &counts)
{
    counts.clear();
    QStringList lines, seen;
    for (int i = 0; i < keys.size() && i < texts.size(); ++i) {
        if (seen.contains(keys[i])) continue;
        seen << keys[i];
        counts << plat::intText(coilKeys.count(keys[i])) + QStringLiteral(" ρολλάκια που έχουν: ");
        lines << counts.last() + texts[i];
    }
    return lines;
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

    const QStringList lines =
        proposalLines(List1, List2, proposal == 1 ? lstPro1 : lstPro2, proposal == 1 ? lstPro11 : lstPro22);

    // The table is written whole in one statement group and nothing stays
    // open behind it; a report over a table that could not be written would
    // show the previous lines as this print's.
    const QString table = proposal == 1 ? QStringLiteral("Protasis1") : QStringLiteral("Protasis2");
    QString err;
    if (!plat::rewritePrintLines(table, QStringLiteral("Paraggelia"), lines, &err)) {
        plat::msgBox(err);
        return;
    }
    reports::openReport(proposal == 1 ? reports::PrintJob::Proposal1 : reports::PrintJob::Proposal2);
}
