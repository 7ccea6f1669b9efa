#pragma once
// Secondary widths of the fixed-knife planner and their chooser: the plain
// parts (plain C++, no Qt).
//
// For frmSearch ("ΦΙΛΤΡΑ"):
//   SearchBoxCheck c = checkSearchBoxes(txtEvros1, txtEvros2, txtPaxos, cmbEidos);
//   write c.evros1, c.evros2, c.paxos back into the boxes, whatever the outcome;
//   !c.accepted: show c.message, focus c.focus, stop;
//   otherwise search the catalogue with c.filter (values are bound, never
//   pasted into the statement).
//   A count typed into the grid is readCount(text): none means refused.
//   lblSum = selectedWidth(rows with a count), lblRest = upperWidth - lblSum.
// For Form3:
//   a list line is secondaryLine(width, count); GetDefWidth = lineWidth(line);
//   FindSumDef = sumOfLineWidths(lines);
//   the chooser's range presets follow presetLowerWidth(txtFira(1), lblMaxairia).
// Whole arithmetic is 64-bit: width × count never overflows.
#include "fixed_knife/order_bounds.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fk {

// Highest count the catalogue column keeps (a 16-bit whole number).
constexpr std::int64_t kMaxSelectionCount = 32767;

extern const char *const kBadRangeText;     // "Δεν έχετε ορίσει σωστά το εύρος."
extern const char *const kBadThicknessText; // "Δεν έχετε ορίσει σωστά το πάχος."
extern const char *const kBadCountText;     // a count outside 0..32767

struct CatalogueFilter {
    double lowWidth = 0, highWidth = 0;  // Εύρος between both, inclusive
    std::optional<double> thickness;     // Πάχος equal to it
    std::optional<std::string> typeName; // Typos.Τύπος exactly as typed
};

struct SearchBoxCheck {
    bool accepted = false;
    std::string message;                  // when refused
    std::string focus;                    // control to focus when refused
    std::string evros1, evros2, paxos;    // texts to write back
    CatalogueFilter filter;               // when accepted
};

// The search's checks: blank range boxes become "0"; each range box must be
// a number; a thickness, when given, must be a number; the accepted texts
// are written back with "." as decimal point.
SearchBoxCheck checkSearchBoxes(const std::string &evros1, const std::string &evros2,
                                const std::string &paxos, const std::string &eidos);

// Replaces every "," by ".".
std::string withDecimalPoint(std::string text);

// A count typed into the grid: a whole number 0..kMaxSelectionCount, or none.
std::optional<std::int64_t> readCount(std::string_view text);

// A line of the planner's list: "150 x 2".
std::string secondaryLine(double width, std::int64_t count);
// The width at the start of a line (the text before the first blank), as a
// whole number; 0 for a blank line or one that does not start with a number.
std::int64_t lineWidth(std::string_view line);
// Each line counts its width once, whatever its count.
std::int64_t sumOfLineWidths(const std::vector<std::string> &lines);

// Σ count × width over the rows whose count is above 0.
std::int64_t selectedWidth(const std::vector<SecondaryWidth> &rows);
// A text box read as a whole number (halves to the even neighbour); blank or
// not a number reads 0.
std::int64_t wholeOrZero(std::string_view text);

// The widest catalogue width that one free knife could take: the net waste
// of the shown cut over the free knives, rounded (halves to even). None when
// the free knives are "" or "0" (no presets) or either text is no number.
std::optional<std::int64_t> presetLowerWidth(std::string_view fira, std::string_view maxairia);

} // namespace fk
