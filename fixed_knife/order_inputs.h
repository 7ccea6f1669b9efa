#pragma once
// Checks of the fixed-knife order fields, from their texts (plain C++, no Qt).
//
// For Form3's lisi / lisi2:
//   OrderInputCheck c = checkOrderInputs(texts);
//   write c.fields back into txtArxi, txtTelos, txtMikos, Text2, Text4 (blank
//   fields get their defaults, the trims a decimal comma), whatever the outcome;
//   Rejected:   show c.message.text, focus c.message.focus, stop;
//   NotStarted: row A is not ticked: stop without a message;
//   Accepted:   computeOrderBounds(c.values, mode, chosen) (order_bounds.h).
// For cmdKatAnal ("ΚΑΤΑΡΓΗΣΙΣ ΑΝΑΛΟΓΙΑΣ"):
//   ReleaseCheck k = releaseProportion(lastSearched, rows, akommatiTexts, chosen);
//   intLastRow = k.lastRow in every case;
//   NothingShown: no cut is shown yet: stop without a message;
//   Rejected:     show k.message (focus when set), stop;
//   Armed:        hide Frame3, keep k.bounds and arm the search with it.
// `lastSearched` is the OrderBounds of the search whose cut is on screen
// (nullptr when none); the release refuses once the ticked rows, their widths
// or their weights differ from that order.
#include "fixed_knife/order_bounds.h"

#include <array>
#include <string>
#include <vector>

namespace fk {

// "Υπάρχει αλλαγή στήν παραγγελία. Παρακαλώ δώστε νέα παραγγελία γιά νά συνεχίσετε."
extern const char *const kOrderChanged;
// "Δεν έχετε ορίσει σωστά τον αριθμό κομματιών ανά κοπή"
extern const char *const kBadCount;
// "Δεν έχετε ορίσει σωστά τον μέγιστο αριθμό τσερκιών ανά κοπή" (Text4)
extern const char *const kBadKnives;

struct OrderFieldTexts {
    std::string txtArxi;   // left trim, mm
    std::string txtTelos;  // right trim, mm
    std::string txtMikos;  // coil width, mm
    std::string Text2;     // coil weight, t
    std::string Text4;     // strips per cut
    bool operator==(const OrderFieldTexts &) const = default;
};

struct OrderRowTexts {
    bool checked = false;  // Check1(i)
    std::string mikos;     // Mikos(i)
    std::string baros;     // Baros(i)
};

struct OrderInputTexts {
    OrderFieldTexts fields;
    std::array<OrderRowTexts, kOrderedSlots> rows;  // rows A to Ζ
};

enum class InputOutcome { Rejected, NotStarted, Accepted };

struct OrderInputCheck {
    InputOutcome outcome = InputOutcome::Rejected;
    OrderFieldTexts fields;  // to write back in every case
    InputMessage message;    // Rejected
    OrderValues values;      // Accepted
};

OrderInputCheck checkOrderInputs(const OrderInputTexts &texts);

enum class ReleaseOutcome { NothingShown, Rejected, Armed };

struct ReleaseCheck {
    ReleaseOutcome outcome = ReleaseOutcome::NothingShown;
    int lastRow = -1;      // ticked rows - 1
    InputMessage message;  // Rejected
    OrderBounds bounds;    // Armed
};

ReleaseCheck releaseProportion(const OrderBounds *lastSearched,
                               const std::array<OrderRowTexts, kOrderedSlots> &rows,
                               const std::vector<std::string> &akommati,
                               const std::vector<SecondaryWidth> &chosen);

} // namespace fk
