#pragma once
// Judging a shown cut against the order (plain C++, no Qt).
//
// For Form3, after a cut is shown (search or hand-entered cut):
//   OrderJudgement j = checkOrderRows(cells, txtApoklisi, strYpoloipa);
//   if (j.judged) for each ordered row i: txtPososto(i) = j.rows[i].pososto,
//     txtDiafora(i) = j.rows[i].diafora, both with the fore colour
//     bandRgb(j.rows[i].band); show them and the evaluation headers.
//   else: a strips cell is empty: change nothing.
//   CutSummary s = updateSummary(Text3, Text10, visibleProion, akommati, Text4);
//   if (s.text12) Text12 = *s.text12; lblMaxairia = s.maxairia; intMaxairia = s.intMaxairia.
// Cells are passed as the window shows them. An empty or non-numeric produced
// weight counts as 0; where a share cannot be computed (ordered weight not a
// number or 0, produced sum 0, a figure beyond every number) the text is left
// empty. An accepted deviation that is not a number counts as 0.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fk {

enum class Band {
    None,   // no share could be computed
    Green,  // within the accepted deviation (both ends included)
    Blue,   // under-produced
    Red,    // over-produced: offered to the leftover table
};

// Fore colour as 0xRRGGBB: green 0x00C000, blue 0x0000FF, red 0xFF0000,
// None black.
std::uint32_t bandRgb(Band b);

// strYpoloipa: 7 rows of 6 cells; a row with an empty cell 0 is free.
// Cell 0 the width text, cell 1 the ordered weight text, cell 5 the marker.
using LeftoverRow = std::array<std::string, 6>;
using LeftoverTable = std::array<LeftoverRow, 7>;
extern const char *const kLeftoverMarker;  // "255"

struct OrderedRowCells {
    std::string mikos;   // Mikos(i)
    std::string baros;   // Baros(i)
    std::string proion;  // Proion(i)
    std::string roles1;  // Roles1(i)
};

struct RowJudgement {
    std::string pososto;  // share with one decimal and "%", e.g. "87%", "89,9%"
    std::string diafora;  // ordered - produced: "- 1.3", "+ 0.7", "0"
    Band band = Band::None;
};

struct OrderJudgement {
    bool judged = false;  // false: some ordered row has no strips figure
    std::vector<RowJudgement> rows;
};

// Over-produced rows are appended to `leftovers` (once per width text, while
// a row is free).
OrderJudgement checkOrderRows(const std::vector<OrderedRowCells> &rows, const std::string &apoklisi,
                              LeftoverTable &leftovers);

struct CutSummary {
    std::optional<std::string> text12;  // none: Text3 is empty, keep Text12
    std::string maxairia;               // lblMaxairia: knives still free
    double intMaxairia = 0;             // its whole part, shown again by a restore
};

// The strips a count cell of the cut program stands for: a whole number.
// None for any other text (blank, a fraction, not a number): it cannot be
// cut, and counts 0 strips in the sums kept while a hand cut is typed.
std::optional<double> stripCount(const std::string &cell);

// visibleProion: Proion of every visible grid row; akommati: Akommati(0..9).
CutSummary updateSummary(const std::string &text3, const std::string &text10,
                         const std::vector<std::string> &visibleProion,
                         const std::vector<std::string> &akommati, const std::string &text4);

} // namespace fk
