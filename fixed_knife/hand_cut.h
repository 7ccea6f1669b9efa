#pragma once
// A cut changed by hand after a search (plain C++, no Qt).
//
// For Form3, when the user edits a count cell Akommati(i):
//   CountEdit e = checkCountEdit(Text1 widths, Akommati texts, i, Text4, searched);
//   BadText:  show e.message; the typed text stays;
//   Restore:  write e.akommati (the searched counts), e.fira, e.maxairia,
//             dblFira = e.dblFira, then show e.message;
//   Accepted: write e.akommati, e.maxairia, e.fira; dblFira = e.dblFira.
//   blnAkommatiChanged becomes true on Restore and Accepted.
// When the user edits the coils cell Grammi(0):
//   if (auto t = coilsCutBack(Grammi)): show kTooManyCoilsText once, Grammi = *t.
// For "Λύσις" (lisi3):
//   HandCutResult r = solveHandCut(in);
//   Silent:     nothing;   Refused: show r.message;
//   Impossible: write the restored counts, the figures and totals, evaluate
//               the rows and the summary, then show r.message;
//   Accepted:   write the figures and totals, evaluate the rows and refresh
//               the waste percentage.
// Counts are whole numbers: a fraction is refused as a non-numeric text is,
// and a refused text left in a cell counts 0 strips in every sum. A cut holds
// at most one strip per millimetre of its usable width: a knife number (Text4)
// or a count beyond that is refused with its own message.
#include "fixed_knife/order_bounds.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fk {

// "Έχετε υπερβεί τον συνολικό αριθμό τσερκιών ανά κοπή. Η λύσις είναι αδύνατη"
extern const char *const kCountAboveKnivesText;
// "Ο αριθμός τσερκιών ανά κοπή δεν μπορεί να είναι αρνητικός. Η λύσις είναι αδύνατη"
extern const char *const kNegativeCountText;
// "Έχετε υπερβεί τον συνολικό αριθμο τσερκιών ανά κοπή. Η λύσις είναι αδύνατη"
// (the sum of the counts; spelt without the accent, as the program always has)
extern const char *const kCountSumAboveKnivesText;
// "Δεν έχετε ορίσει σωστά τον αριθμό των ρόλλων"
extern const char *const kTooManyCoilsText;
// "Δεν έχετε ορίσει σωστά τον αριθμό των τσερκιών"
extern const char *const kBadCoilsText;
// "Η λύσις είναι αδύνατη"
extern const char *const kImpossibleText;

constexpr double kMaxCoils = 10000;

using CutRowTexts = std::array<std::string, kMaxColumns>;

// The searched cut that every restore goes back to.
struct SearchedCut {
    int lastRow = -1;                  // the ordered columns are 0..lastRow
    std::array<double, 11> saved{};    // dblSavedAkommati: counts by column, [10] the waste
    double freeKnives = 0;             // intMaxairia, a whole number
    double usableWidth = 0;            // mm
    std::int64_t maxStrips = 0;        // the solve's knives, when Text4 cannot be read
};

enum class CountEditOutcome { BadText, Restore, Accepted };

struct CountEdit {
    CountEditOutcome outcome = CountEditOutcome::BadText;
    std::string message;     // BadText and Restore
    CutRowTexts akommati;    // Restore and Accepted: the count cells to show
    std::string maxairia;    // lblMaxairia
    std::string fira;        // txtFira(1)
    double dblFira = 0;
};

// `akommati` holds the cells as they are after the edit of cell `index`.
CountEdit checkCountEdit(const CutRowTexts &widths, const CutRowTexts &akommati, int index,
                         const std::string &text4, const SearchedCut &searched);

// The coils cell's text once it is cut back: its last character is removed
// while the text is a number whose rounded size is above 10000, so what is
// left is 10000 or less, blank, or no number. None when the text stands as
// it is (blank and non-numeric texts are not judged here).
std::optional<std::string> coilsCutBack(const std::string &grammi);

struct HandCutInput {
    int tickedRows = 0;          // ticked order rows A..Ζ now
    int intLastRow = -1;         // the planner's last ordered row
    bool orderReplaced = false;  // cleared or continued since the last search
    const OrderBounds *searched = nullptr;  // the search whose cut is shown; none: no cut
    SearchedCut cut;
    std::string grammi;          // Grammi(0)
    std::string txtArxi;
    CutRowTexts widths;          // Text1(0..9)
    CutRowTexts akommati;        // Akommati(0..9)
    double dblFira = 0;          // waste of one cut of the cut shown
    bool changed = false;        // blnAkommatiChanged
};

enum class HandCutOutcome { Silent, Refused, Impossible, Accepted };

struct HandCutResult {
    HandCutOutcome outcome = HandCutOutcome::Silent;
    std::string message;         // Refused and Impossible
    CutRowTexts akommati;        // Impossible: the searched counts put back
    std::string fira;            // txtFira(1)
    double dblFira = 0;
    std::vector<std::string> proion, roles1;  // per shown column = grid row
    std::string text3, text5, text8, text10;
    double trims = 0;            // dblTrims
};

HandCutResult solveHandCut(const HandCutInput &in);

} // namespace fk
