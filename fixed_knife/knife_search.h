#pragma once
// Knife-setting search of the fixed-knife planner (plain C++, no Qt).
//
// For Form3:
//   KnifeSearchInput in = bounds.search;            // from computeOrderBounds()
//   KnifeSearchResult r = searchKnifeSetting(in, SearchMode::FirstWidest);   // Command2
//   KnifeSearchResult r = searchKnifeSetting(in, SearchMode::ScoreTieBreak); // Command3
//   CutFigures f = layoutCut(in, r, bounds.figures());
// then write f into the cut-program row and the order grid: column c of the
// cut program is row c of the order grid; f.columns[0 .. orderedCount-1] are
// always the ordered rows (count "0" when the cut has none of that width),
// the secondary widths with strips follow. When !f.found every produced
// figure is empty and f.message is the no-solution text to show.
//
// The search returns exactly what the enumeration of every count of every
// slot, slot 0 outermost, would choose:
//   - a combination fits when its strips are at most maxStrips, its used width
//     at most the usable width, and it needs at most kMaxColumns columns
//     (every ordered slot owns one, each secondary slot with strips one more);
//   - FirstWidest: the widest fit, the first one met among equals;
//   - ScoreTieBreak: a wider fit is always taken; a fit of the chosen width
//     replaces the chosen cut when its score (slots 0..5 holding exactly their
//     minimum plus one) is at least the score bar, which then becomes its
//     score. The bar starts at 0 and only grows.
// Counts below 0 are never tried and a slot of negative width never gets a
// strip. Whole arithmetic is 64-bit.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace fk {

constexpr int kSlotCount = 22;    // 7 ordered rows, then 15 secondary widths
constexpr int kOrderedSlots = 7;
constexpr int kSecondarySlots = kSlotCount - kOrderedSlots;
constexpr int kMaxColumns = 10;   // cut-program columns = order-grid rows
constexpr int kScoreSlots = 6;    // slots 0..5 count towards the tie score

// "Αυτή η παραγγελία δεν έχει λύση. Παρακαλώ ορίστε καινούργια"
extern const char *const kNoSolutionText;

struct ItemSlot {
    std::int64_t width = 0;     // mm
    std::int64_t lo = 0;        // fewest strips of this width per cut
    std::int64_t hi = 0;        // most strips of this width per cut
    double tonnesPerStrip = 0;  // one strip of this width over a whole coil
};

struct KnifeSearchInput {
    std::array<ItemSlot, kSlotCount> items{};
    int orderedCount = 0;        // slots 0..orderedCount-1 are the ticked rows
    double usableWidth = 0;      // mm: coil width less both edge trims
    std::int64_t maxStrips = 0;  // knives: most strips one cut may make
};

// The two hidden search buttons: Command2 (intLisiMode 1) and Command3 (2).
enum class SearchMode { FirstWidest = 1, ScoreTieBreak = 2 };

struct KnifeSearchResult {
    bool found = false;                             // some combination fits
    std::array<std::int64_t, kSlotCount> counts{};  // strips per slot
    std::int64_t usedWidth = 0;                     // mm
    double waste = 0;   // usableWidth - usedWidth when found
    int scoreBar = 0;   // ScoreTieBreak: the bar at the end
};

KnifeSearchResult searchKnifeSetting(const KnifeSearchInput &in, SearchMode mode);

// Whether the search settles these slots quickly: it has no cut at all, its
// combinations are few, or one of its exact tables fits in memory (some
// 32 MB). The tables grow with the usable width and the slots in use; every
// order on a usable width up to 16 384 mm fits, and so does a coil of
// 1 000 000 mm with a few ordered widths and knives to spare.
bool knifeSearchFits(const KnifeSearchInput &in, SearchMode mode);

// Figures the window writes after a search, as text.
struct CutColumn {
    int slot = 0;            // item slot shown in this column
    bool secondary = false;  // grid row c is a secondary row: show Mikos(c) etc.
    std::int64_t count = 0;
    std::string width;       // Text1(c), and Mikos(c) of a secondary row
    std::string akommati;    // Akommati(c)
    std::string proion;      // Proion(c): tonnes of this width over all coils
    std::string roles1;      // Roles1(c): strips of this width over all coils
};

struct CutFigureInputs {
    double coils = 0;     // the order's coils (Grammi(0))
    double leftTrim = 0;  // mm, as stored by the solve
    double rightTrim = 0;
    double kgPerMm = 0;   // kilograms per mm of usable width over one coil
};

struct CutFigures {
    bool found = false;
    std::string message;              // kNoSolutionText when !found
    std::string grammi;               // Grammi(0)
    std::vector<CutColumn> columns;   // at most kMaxColumns
    std::string fira;                 // txtFira(1): net waste of one cut, mm
    double dblFira = 0;
    std::array<double, 11> savedAkommati{};  // ordered counts by slot; [10] waste
    std::string text3, text5, text8, text10;  // waste totals: mm, kg, mm, kg
};

CutFigures layoutCut(const KnifeSearchInput &in, const KnifeSearchResult &r,
                     const CutFigureInputs &fig);

// Whole number from a computed value, clamped far from overflow (NaN gives 0).
std::int64_t clampedWhole(double v);

namespace detail {
// How the search prunes: exact reachability tables per strip count, tables
// of widths alone (orders whose knives never run short), tables of the
// fewest strips per width, or cheap bounds only. A strategy that does not
// apply or would grow too large takes the Auto way; Auto takes the first
// tables that apply and stay small enough. For tests and benchmarks; every
// strategy returns the same result.
enum class Strategy { Auto, Tables, WidthTables, FewestTables, BoundsOnly };
KnifeSearchResult searchKnifeSettingWith(const KnifeSearchInput &in, SearchMode mode,
                                         Strategy strategy);
} // namespace detail

} // namespace fk
