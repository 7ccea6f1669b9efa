#pragma once
// Strip-combination search of the knife-change planner.
//
// How the planner window uses it:
//   * The window keeps one SearchState. Solve starts every order afresh with
//     `state = SearchState{}`; Solve also fills a SearchInputs (the sorted
//     rows, the derived quantities and the texts the search shows again).
//   * At the timer tick, List4_Click / Command2_Click both call
//     runSearch(inputs, state). It shows nothing and touches no table.
//   * If result.proposal2Reached is false (the number of rows was outside
//     1..10), the window only hides Frame3. Otherwise it writes:
//       List3, lstPro1, lstPro2, List1, List2     <- list3, lstPro1, ... (in order)
//       Form2 grid row r (r = 0..grid.size()-1)   <- grid[r]: counts[k] into the
//           column of order row k (Akommati..Jkommati), waste into the caption
//           of txtFira(r), coils into Grammi(r). The grid has as many rows as
//           the search opened; Form2Row is grid.size().
//       RepeatText                                <- repeatText (entry r + 1 is
//           the coil count of grid row r; entry 0 is empty)
//       Text3, Text5, Text8, Text10               <- proposal1.netWaste, .netWasteKg,
//                                                    .totalWaste, .totalWasteKg
//       Text7, Text6, Text9, Text11               <- proposal2.(same four)
//           A totals text that is std::nullopt was not produced: leave the box.
//       Roles1(i), Proion(i)                      <- rows1[i].strips, .productWeight
//           (rows1 is empty when proposal 1 has no cut: leave the boxes)
//       Roles2(i), Proion1(i)                     <- rows2[i].strips, .productWeight
//     then SaveProposal1/SaveProposal2 from result.patterns: one table line
//     per distinct pattern, in order of first appearance (line1 into
//     Protasis1, line2 into Protasis2, ID 1..n; countText1/countText2 are the
//     lstPro11/lstPro22 items), hides Frame3, and writes the waste
//     percentages: for waste1/waste2, when `show` is false leave Text12/Text13
//     as they are, else write plat::numStr(*percent) + "%", or empty text
//     when percent has no value (no product weight).
//   * Every number in these texts went through plat::numStr / plat::intStr.
//
// A search whose passes are all accepted goes on into proposal 2 exactly as
// if the next pass had been rejected, so proposal2Reached is true whenever
// the rows were in range. List1/List2 hold one item per grid row (a pattern
// that comes back after another is listed again); `patterns` holds each
// pattern once. Pattern keys join the counts with "-" so that 1,12 and 11,2
// stay apart; keys are only compared, never shown.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "strip_search/pattern_choice.h"

namespace strip_search {

// What Solve (knife_change/solve.h) computes of one order and the search
// reads; rows 0..lastRow are in use, sorted by width, the others hold zeros.
struct SearchInputs {
    int lastRow = -1;                                 // intLastRow
    std::array<std::int64_t, kMaxRows> stripWidth{};  // StripWidth, mm, at least 1
    std::array<std::int64_t, kMaxRows> orderWeight{}; // OrderWeight, whole tonnes
    std::array<std::int64_t, kMaxRows> stripsLeft{};  // StripsLeft
    std::array<double, kMaxRows> stripsOrdered{};     // StripsOrdered
    std::array<double, kMaxRows> barosRoles{};        // dblBarosRoles: t of one strip over one coil
    double usableWidth = 0;                           // UsableWidth, mm, above 0
    double coilWeight = 0;                            // CoilWeight, t, above 0
    double maxStripsPerCut = 0;                       // MaxStripsPerCut (whole, at least 1)
    double fillThreshold = 0;                         // FillThreshold: 1 − accepted shortfall / 100
    double passes = 0;                                // DemandWidthSum after Solve: estimated coils
    double kgPerMm = 0;                               // dblKgPerMm
    std::array<std::string, kMaxRows> widthText;      // texts of Mikos(i)
    std::string trimLeftText;                         // text of txtArxi
    std::string trimRightText;                        // text of txtTelos
};

// Window fields that outlive one search (LineNo, TotalWaste, StripsCut,
// FillRatio). Solve resets them by assigning a fresh SearchState.
struct SearchState {
    std::int64_t lineNo = 0;
    double totalWaste = 0;
    std::array<std::int64_t, kMaxRows> stripsCut{};
    std::array<double, kMaxRows> fillRatio{};
};

struct GridRow {
    std::vector<std::string> counts; // one per order row in use
    std::string waste;               // caption of txtFira
    std::string coils;               // text of Grammi
};

struct ProposalTotals {
    std::optional<std::string> netWaste;     // Text3 / Text7, mm
    std::optional<std::string> netWasteKg;   // Text5 / Text6
    std::optional<std::string> totalWaste;   // Text8 / Text9, with the trims
    std::optional<std::string> totalWasteKg; // Text10 / Text11
};

struct RowFigures {
    std::string strips;        // Roles1 / Roles2
    std::string productWeight; // Proion / Proion1, t
};

struct DistinctPattern {
    std::string key;
    std::string text;        // PatternText
    std::int64_t coils1 = 0; // coils in proposal 1
    std::int64_t coils2 = 0; // coils in proposal 2
    std::string countText1;  // "3 ρολλάκια που έχουν: "
    std::string countText2;
    std::string line1;       // ProposalTableLine of Protasis1
    std::string line2;       // ProposalTableLine of Protasis2
};

// One waste percentage and what it was computed from (read back from the
// texts the search wrote, as the window would read its boxes).
struct WasteShare {
    bool show = false;             // net waste box not empty
    double wasteKg = 0;            // estimated total waste weight, kg
    double productTonnes = 0;      // sum of the rows' product weights, t
    std::optional<double> percent; // wastePercent(wasteKg, productTonnes)
};

struct SearchResult {
    bool proposal2Reached = false;

    std::vector<std::string> list3;   // cutting programme
    std::vector<std::string> lstPro1; // key per coil of proposal 1
    std::vector<std::string> lstPro2; // key per coil of proposal 2
    std::vector<std::string> list1;   // key per grid row
    std::vector<std::string> list2;   // PatternText per grid row
    std::vector<GridRow> grid;
    std::vector<std::string> repeatText;

    ProposalTotals proposal1;
    ProposalTotals proposal2;
    std::vector<RowFigures> rows1;
    std::vector<RowFigures> rows2;

    std::array<std::int64_t, kMaxRows> stripsLeft{};
    std::vector<DistinctPattern> patterns;
    std::int64_t proposal1Coils = 0;
    std::int64_t topUpCoils = 0;

    WasteShare waste1;
    WasteShare waste2;
};

SearchResult runSearch(const SearchInputs &inputs, SearchState &state);

// Waste as a percentage of the product weight, rounded to thousandths of a
// percent with halves to even; no value when the product weight is 0.
std::optional<double> wastePercent(double wasteKg, double productTonnes);

} // namespace strip_search
