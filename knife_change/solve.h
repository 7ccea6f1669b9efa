#pragma once
// Solve of the knife-change planner, apart from its window: from the texts
// the planner typed to either the message that stops it (with the control
// that gets the focus) or the inputs of the strip search and the texts the
// window shows. Plain C++, no Qt.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "strip_search/strip_search.h"

namespace kc {

constexpr int kOrderRows = 10;

// The control that gets the focus after a message: a name, and the row for
// the control arrays (Mikos, Baros). An empty name means nowhere.
struct Focus {
    std::string control;
    int index = -1;
    bool operator==(const Focus &) const = default;
};

// What the window holds when "Λύση" is pressed.
struct SolveTexts {
    std::string txtArxi, txtTelos, txtMikos, Text2, Text4, txtApoklisi;
    std::array<bool, kOrderRows> ticked{};
    std::array<std::string, kOrderRows> Mikos, Baros;
};

// One ticked order row as the work table holds it.
struct OrderRowValue {
    double width = 0;
    double weight = 0;
};

// Puts the ticked rows in ascending order of width, equal widths in the order
// given. Returns false with a message when it cannot. The window passes one
// that goes through the work table Seira; sortByWidth does it in memory.
using RowSorter = std::function<bool(std::vector<OrderRowValue> &rows, std::string &error)>;
bool sortByWidth(std::vector<OrderRowValue> &rows, std::string &error);

// What the strip search reads of one solve: one struct for Solve and the
// search (strip_search.h).
using SearchInputs = strip_search::SearchInputs;

struct SolveResult {
    enum class Outcome {
        Stopped, // a check failed: show message, focus the control
        NoOrder, // every check passed but no order row is ticked: nothing to do
        Ready,   // the search can start
    };
    Outcome outcome = Outcome::Stopped;

    // The coil boxes after the defaults and the decimal separator of the
    // trims; the window writes them back whatever the outcome.
    std::string txtArxi, txtTelos, txtMikos, Text2, Text4;

    std::string message;
    Focus focus;

    // Ready only: the search inputs (with the row widths and trims as the
    // window shows them after Solve) and the texts of rows 0..intLastRow.
    SearchInputs inputs;
    std::array<std::string, kOrderRows> Mikos, Baros, Roles;
    // Set when the sorter failed: the database's message (outcome Stopped).
    bool sortFailed = false;
};

SolveResult solve(const SolveTexts &texts, const RowSorter &sorter = sortByWidth);

// The search entry point for the rows in use: one to five rows (and any
// value outside 5..9) go to List4_Click, six to ten to Command2_Click.
enum class SearchEntry { List4_Click, Command2_Click };
SearchEntry searchEntryFor(int intLastRow);

// What the planner is told when a search has ended: a search that cut no
// coil at all (not even the first is cut within the waste limit) leaves
// empty proposals that would look like a plan of nothing, so it is said
// with the words the fixed-knife planner uses for an order without a
// solution. Empty when the search cut a coil.
std::string searchEndMessage(const strip_search::SearchResult &result);

// The largest order Solve hands to the search: strips in all, and strips ×
// width summed over the rows (mm). Both are far beyond any real order (the
// width bound is some 8 000 coils of 1250 mm) and keep the whole search
// within about a second.
inline constexpr double kMaxOrderStrips = 100000;
inline constexpr double kMaxOrderWidth = 10000000;

// Messages of Solve.
namespace msg {
inline constexpr const char *Arxi = "Δεν έχετε ορίσει σωστά την αρχή";
inline constexpr const char *Telos = "Δεν έχετε ορίσει σωστά το τέλος";
inline constexpr const char *Evros = "Δεν έχετε ορίσει σωστά το εύρος ρόλου";
inline constexpr const char *Baros = "Δεν έχετε ορίσει σωστά το βάρος ρόλου";
inline constexpr const char *Tserkia = "Δεν έχετε ορίσει σωστά τον μέγιστο αριθμό τσερκιών ανά κοπή";
inline constexpr const char *Fira = "Δεν έχετε ορίσει σωστά την φύρα";
inline constexpr const char *TooLarge = "Το βάρος της παραγγελίας είναι πολύ μεγάλο. Παρακαλώ ορίστε καινούργια";
inline constexpr const char *Apoklisi =
    "Η τιμή που δώσατε για το πεδίο <Ανεκτή απόκλιση> είναι εκτός ορίων (0-100)";
} // namespace msg

} // namespace kc
