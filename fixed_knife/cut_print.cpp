#include "fixed_knife/cut_print.h"

#include "platform/numtext.h"

namespace fk {

std::string cutPrintTitle(const CutPrintTexts &t)
{
    if (plat::isBlankText(t.coils)) return {};
    return "Απαιτούνται " + t.coils + " ρόλοι (coil) και θα παραχθούν οι κατώθι ταινίες (τσέρκια):";
}

std::string cutProgramLine(const CutPrintTexts &t)
{
    if (plat::isBlankText(t.coils)) return " ";
    std::string line;
    for (int i = 0; i < 10; ++i) {
        if (plat::isBlankText(t.widths[i])) continue;
        line += t.widths[i] + "x" + t.counts[i] + ", ";
    }
    return line + "Φύρα:" + t.waste;
}

} // namespace fk
