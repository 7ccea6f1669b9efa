// "Εκτύπωσις" of the fixed-knife planner: the click writes the headline and
// the cut-program line and raises the print flag; the next tick of Timer2
// opens the cutting order, so the click returns at once and several clicks
// within one tick give one report with the last content.
#include "fixed_knife/form3.h"

#include "fixed_knife/cut_print.h"
#include "platform/report.h"
#include "platform/msgbox.h"
#include "reports/print_hooks.h"

#include <QLineEdit>

void Form3::cmdPrint_Click()
{
    fk::CutPrintTexts t;
    t.coils = Grammi0->text().toStdString();
    for (int i = 0; i < 10; ++i) {
        t.widths[i] = Text1[i]->text().toStdString();
        t.counts[i] = Akommati[i]->text().toStdString();
    }
    t.waste = txtFira1->text().toStdString();

    Module1::strPrintTitle = QString::fromStdString(fk::cutPrintTitle(t));
    const QString line = QString::fromStdString(fk::cutProgramLine(t));
    QString err;
    if (!plat::rewritePrintLines(QStringLiteral("Protasis4"), QStringLiteral("Paraggelia"), {line}, &err)) {
        // No report over a table that still holds an earlier cut, not even
        // one asked for by an earlier click of this tick.
        blnPrint = false;
        plat::msgBox(err);
        return;
    }
    blnPrint = true;
}

void Form3::PrintProtasis() { reports::openReport(reports::PrintJob::CuttingOrder); }
