#pragma once
// What the cutting-order print writes: the headline above the cut program
// and the cut-program line of table Protasis4, from the cut row's texts as
// they stand (untrimmed; only the blank tests trim).
#include <array>
#include <string>

namespace fk {

struct CutPrintTexts {
    std::string coils;                   // Grammi(0)
    std::array<std::string, 10> widths;  // Text1(0..9)
    std::array<std::string, 10> counts;  // Akommati(0..9)
    std::string waste;                   // txtFira(1)
};

// "Απαιτούνται <coils> ρόλοι (coil) και θα παραχθούν οι κατώθι ταινίες (τσέρκια):",
// or empty when the coils box is blank.
std::string cutPrintTitle(const CutPrintTexts &t);

// "120x3, 85x2, Φύρα:14": every column with a width, then the waste; a single
// blank when the coils box is blank.
std::string cutProgramLine(const CutPrintTexts &t);

} // namespace fk
