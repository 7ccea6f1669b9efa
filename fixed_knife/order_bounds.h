#pragma once
// From a checked order to the item slots of the knife-setting search
// (plain C++, no Qt).
//
// For Form3, after checkOrderInputs() (order_inputs.h) accepted the fields:
//   OrderBounds b = computeOrderBounds(values, SolveMode::WithProportion, chosen);     // lisi
//   OrderBounds b = computeOrderBounds(values, SolveMode::WithoutProportion, chosen);  // lisi2
//   - Roles(i) = b.rows[i].roles for every row computed (also when b.stop is
//     WeightTooLarge or NoSolution);
//   - b.stop != BoundsStop::None: show b.message (move the focus only when
//     b.message.focus is set), hide Frame3, arm nothing;
//   - otherwise show frmHelp modally once when b.noticeForKnives and once more
//     when b.noticeForWidth, then keep b and arm the search:
//     searchKnifeSetting(b.search, b.searchMode), layoutCut(b.search, r, b.figures()).
// `chosen` is the catalogue rows whose [Αριθμός Ρόλων] is set (not 0, not
// Null), in table order; only the first kSecondarySlots take part.
// Slots that get no width are cleared: nothing of an earlier solve is kept.
#include "fixed_knife/knife_search.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fk {

// An order whose weight cannot be counted in whole strips exactly.
extern const char *const kWeightTooLarge;
// Whole numbers beyond 2^53 are not counted exactly in a double.
inline constexpr double kExactWhole = 9007199254740992.0;

// Where a message sends the focus: the control's objectName and, for a
// control array (Mikos, Baros, Akommati), the index; -1 otherwise.
struct Focus {
    std::string control;
    int index = -1;
    bool operator==(const Focus &) const = default;
};

struct InputMessage {
    std::string text;
    std::optional<Focus> focus;  // none: the focus stays where it is
};

// The buttons "Λύσις 1η:Με τήρησι αναλογίας" and "Λύσις 2η: Χωρίς τήρησι αναλογίας".
enum class SolveMode { WithProportion = 1, WithoutProportion = 2 };

struct OrderRowValues {
    double width = 0;   // Mikos(i), mm
    double weight = 0;  // Baros(i), tonnes
    bool operator==(const OrderRowValues &) const = default;
};

// The checked fields of an order (see checkOrderInputs).
struct OrderValues {
    std::string leftTrimText;    // txtArxi as written back (decimal comma)
    double leftTrim = 0;         // mm
    double rightTrim = 0;        // mm
    double coilWidth = 0;        // mm
    double coilWeight = 0;       // tonnes, above 0
    std::int64_t maxStrips = 0;  // whole part of Text4
    std::vector<OrderRowValues> rows;  // the ticked rows A.. in grid order
};

struct SecondaryWidth {
    std::int64_t width = 0;  // Εύρος, mm
    std::int64_t count = 0;  // [Αριθμός Ρόλων]: most strips of it per cut
};

// SearchTooLarge: the armed search would need tables beyond its memory
// (knifeSearchFits), which only a coil far wider than any real one does.
enum class BoundsStop { None, TooManyRows, WeightTooLarge, NoSolution, SearchTooLarge };

struct OrderedRowBounds {
    std::int64_t width = 0;        // Mikos rounded, mm
    std::int64_t orderWeight = 0;  // Baros rounded to whole tonnes
    std::int64_t strips = 0;       // strips that make the ordered weight
    std::int64_t perCoil = 0;      // strips spread over the order's coils
    double tonnesPerStrip = 0;     // one strip of this width over a coil
    std::string roles;             // Roles(i)
};

struct OrderBounds {
    BoundsStop stop = BoundsStop::None;
    InputMessage message;  // when stop != None

    int lastRow = -1;        // intLastRow: ticked rows - 1
    double usableWidth = 0;  // mm
    double coilWeight = 0;   // t
    double kgPerMm = 0;      // kg per mm of usable width over one coil
    std::string leftTrimText;
    double leftTrim = 0, rightTrim = 0;
    std::int64_t maxStrips = 0;
    double coils = 0;  // coils of the order (one more than an exact fill)
    std::vector<OrderedRowBounds> rows;      // empty when stop == TooManyRows
    std::vector<OrderRowValues> solvedRows;  // the order these bounds were made from

    bool noticeForKnives = false;  // the minimums were lowered to fit the knives
    bool noticeForWidth = false;   // ... and to fit the usable width

    SearchMode searchMode = SearchMode::FirstWidest;
    KnifeSearchInput search;  // the armed search, when stop == None

    CutFigureInputs figures() const { return {coils, leftTrim, rightTrim, kgPerMm}; }
};

OrderBounds computeOrderBounds(const OrderValues &v, SolveMode mode,
                               const std::vector<SecondaryWidth> &chosen);

// "ΚΑΤΑΡΓΗΣΙΣ ΑΝΑΛΟΓΙΑΣ" once its counts are checked (releaseProportion in
// order_inputs.h): the counts of the ordered rows now shown become their
// minimums, the maximums follow from them, the secondary widths are read
// anew; widths, coil and knives stay those of `solved`. Mode FirstWidest.
OrderBounds withShownMinimums(const OrderBounds &solved, const std::vector<std::int64_t> &counts,
                              const std::vector<SecondaryWidth> &chosen);

} // namespace fk
