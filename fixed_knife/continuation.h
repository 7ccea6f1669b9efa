#pragma once
// Which rows a new order continued from the last one starts with (plain C++,
// no Qt).
//
// For Form3's SinexeiaNeasParaggelias, after the grid of the old order is
// cleared:
//   Continuation c = continuationRows(intSinexeia, strDiafores rows, strYpoloipa);
//   tick rows A.. for c.rows in order, Mikos = width, Baros = weight;
//   when c.dropped > 0 tell the planner droppedRowsText(c.dropped).
// Mode 1 takes the rows just evaluated (width and weight difference), mode 2
// the leftover rows marked "255" (width and ordered weight), mode 3 both, in
// that order. The grid takes seven rows; the rest are dropped and counted.
#include "fixed_knife/evaluation.h"

#include <string>
#include <vector>

namespace fk {

constexpr int kOrderRows = 7;  // rows A..Ζ

struct ContinuedRow {
    std::string width;
    std::string weight;
    bool operator==(const ContinuedRow &) const = default;
};

struct Continuation {
    std::vector<ContinuedRow> rows;  // at most kOrderRows
    int dropped = 0;                 // rows that found no place
};

// The dialog's two boxes: keep the evaluated rows (1), the leftovers (2),
// both (3); neither is 0, no continuation.
int continuationMode(bool keepEvaluated, bool keepLeftovers);

Continuation continuationRows(int mode, const std::vector<ContinuedRow> &evaluated, const LeftoverTable &leftovers);

std::string droppedRowsText(int dropped);

} // namespace fk
