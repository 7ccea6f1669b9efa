#include "fixed_knife/continuation.h"
#include "fixed_knife/hand_cut.h"
#include "fixed_knife/order_inputs.h"
#include "platform/numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>

using namespace fk;

namespace {

// 400 and 200 mm at 8 t each on 1250 - 2 - 2 = 1246 mm, 8 t coils, 11 knives:
// the mode-1 search cuts 1 x 400 + 4 x 200, waste 46 mm, over 2 coils.
struct Searched {
    OrderBounds bounds;
    CutFigures figures;
    SearchedCut cut;
};

Searched standardCut()
{
    OrderValues v;
    v.leftTrimText = "2";
    v.leftTrim = 2;
    v.rightTrim = 2;
    v.coilWidth = 1250;
    v.coilWeight = 8;
    v.maxStrips = 11;
    v.rows = {{400, 8}, {200, 8}};
    Searched s;
    s.bounds = computeOrderBounds(v, SolveMode::WithProportion, {});
    const KnifeSearchResult r = searchKnifeSetting(s.bounds.search, s.bounds.searchMode);
    s.figures = layoutCut(s.bounds.search, r, s.bounds.figures());
    s.cut.lastRow = s.bounds.lastRow;
    s.cut.saved = s.figures.savedAkommati;
    s.cut.freeKnives = 6;
    s.cut.usableWidth = s.bounds.usableWidth;
    s.cut.maxStrips = s.bounds.maxStrips;
    return s;
}

CutRowTexts row(std::initializer_list<std::string> cells)
{
    CutRowTexts r;
    size_t i = 0;
    for (const std::string &c : cells) r[i++] = c;
    return r;
}

HandCutInput handCut(const Searched &s, std::initializer_list<std::string> counts, double dblFira)
{
    HandCutInput in;
    in.tickedRows = 2;
    in.intLastRow = 1;
    in.searched = &s.bounds;
    in.cut = s.cut;
    in.grammi = "2";
    in.txtArxi = "2";
    in.widths = row({"400", "200"});
    in.akommati = row(counts);
    in.dblFira = dblFira;
    in.changed = true;
    return in;
}

} // namespace

TEST(HandCut, TypedCountsAreCheckedAndRecomputed)
{
    const Searched s = standardCut();
    ASSERT_EQ(s.figures.fira, "46");
    ASSERT_EQ(s.figures.columns[0].akommati + s.figures.columns[1].akommati, "14");

    struct Case {
        const char *what;
        CutRowTexts counts;
        int index;
        std::string text4;
        CountEditOutcome outcome;
        std::string message;
        std::string a0, a1, maxairia, fira;
    };
    using O = CountEditOutcome;
    const std::vector<Case> cases = {
        {"12 pasted", row({"12", "4"}), 0, "11", O::Restore, kCountAboveKnivesText, "1", "4", "6", "46"},
        {"-1 pasted", row({"1", "-1"}), 1, "11", O::Restore, kNegativeCountText, "1", "4", "6", "46"},
        {"minus sign alone", row({"-", "4"}), 0, "11", O::BadText, kBadCount, "", "", "", ""},
        {"fraction", row({"2,5", "4"}), 0, "11", O::BadText, kBadCount, "", "", "", ""},
        {"emptied", row({"", "4"}), 0, "11", O::BadText, kBadCount, "", "", "", ""},
        {"sum of 12", row({"1", "11"}), 1, "11", O::Restore, kCountSumAboveKnivesText, "1", "4", "6", "46"},
        {"valid", row({"1", "3"}), 1, "11", O::Accepted, "", "1", "3", "7", "246"},
        {"too wide, shown", row({"3", "1"}), 0, "11", O::Accepted, "", "3", "1", "7", "-154"},
        {"blanks trimmed", row({" 2 ", "4"}), 0, "11", O::Accepted, "", "2", "4", "5", "-354"},
        {"knives unreadable: the solve's", row({"1", "10"}), 1, "x", O::Accepted, "", "1", "10", "0", "-1154"},
        {"fewer knives typed", row({"1", "4"}), 1, "4", O::Restore, kCountSumAboveKnivesText, "1", "4", "6", "46"},
        // A refused text left in another cell counts no strips and no width.
        {"fraction left beside", row({"2", "2,5"}), 0, "11", O::Accepted, "", "2", "2,5", "9", "446"},
        {"fraction over the knives left beside", row({"2", "9,5"}), 0, "11", O::Accepted, "", "2", "9,5", "9",
         "446"},
        {"letters left beside", row({"2", "x"}), 0, "11", O::Accepted, "", "2", "x", "9", "446"},
        // The cut holds one strip per millimetre of its 1246 mm at most.
        {"knives beyond every number", row({"1e307", "4"}), 0, "1e308", O::Restore, kBadKnives, "1", "4", "6",
         "46"},
        {"knives one above the cut", row({"2", "4"}), 0, "1247", O::Restore, kBadKnives, "1", "4", "6", "46"},
        {"knives as many as the cut holds", row({"2", "4"}), 0, "1246", O::Accepted, "", "2", "4", "1240", "-354"},
        {"count beyond every number", row({"1e307", "4"}), 0, "11", O::Restore, kCountAboveKnivesText, "1", "4",
         "6", "46"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const CountEdit e = checkCountEdit(row({"400", "200"}), c.counts, c.index, c.text4, s.cut);
        EXPECT_EQ(e.outcome, c.outcome);
        EXPECT_EQ(e.message, c.message);
        if (c.outcome == O::BadText) continue;
        EXPECT_EQ(e.akommati[0], c.a0);
        EXPECT_EQ(e.akommati[1], c.a1);
        EXPECT_EQ(e.maxairia, c.maxairia);
        EXPECT_EQ(e.fira, c.fira);
        EXPECT_EQ(plat::numStr(e.dblFira), c.fira);
    }

    // A secondary column's empty count counts as 0 strips and reads "0".
    const CountEdit e = checkCountEdit(row({"400", "200", "46"}), row({"1", "4", ""}), 0, "11", s.cut);
    ASSERT_EQ(e.outcome, O::Accepted);
    EXPECT_EQ(e.akommati[2], "0");
    EXPECT_EQ(e.maxairia, "6");

    // Knives solved far beyond the cut and Text4 unreadable since: a count
    // beyond the cut is still refused, one within it is figured exactly.
    SearchedCut wide = s.cut;
    wide.maxStrips = 9007199254740992;
    wide.freeKnives = 1e308;
    const CountEdit beyond = checkCountEdit(row({"400", "200"}), row({"1247", "4"}), 0, "", wide);
    EXPECT_EQ(beyond.outcome, O::Restore);
    EXPECT_EQ(beyond.message, kCountAboveKnivesText);
    EXPECT_EQ(beyond.maxairia, "1E+308");  // as the search showed it
    const CountEdit within = checkCountEdit(row({"400", "200"}), row({"1246", "4"}), 0, "", wide);
    EXPECT_EQ(within.outcome, O::Accepted);
    EXPECT_EQ(within.maxairia, "9007199254739742");
    EXPECT_EQ(within.fira, "-497954");
}

// The coils cell's rule as it reads: the last character removed, one at a
// time, while the text is a number above 10000 (a number too long to be
// read is above it too).
std::optional<std::string> coilsCutBackByCharacter(std::string t)
{
    bool cut = false;
    for (;;) {
        if (plat::isBlankText(t) || !plat::isNumberText(t)) break;
        const auto v = plat::parseNumber(t);
        if (v && std::fabs(plat::roundHalfEven(*v)) <= kMaxCoils) break;
        t.pop_back();
        cut = true;
    }
    return cut ? std::optional<std::string>(t) : std::nullopt;
}

TEST(HandCut, CoilsAreCutBackAsOneCharacterAtATimeWould)
{
    struct Case {
        std::string typed;
        std::optional<std::string> left;
    };
    const std::string sixes(2000, '6'), zeros(2000, '0');
    const std::vector<Case> cases = {
        {"123456", "1234"},
        {"12345", "1234"},
        {"10000", std::nullopt},
        {"10001", "1000"},
        {"-10001", "-1000"},
        {"10000,5", std::nullopt},  // rounds to the even 10000
        {"10001,5", "1000"},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"12345," + sixes, "1234"},
        {" - 12345,6 ", " - 1234"},
        {"1e5", "1e"},                    // "1e" is no number: the cut stops there
        {"12345e" + zeros, "12345e"},     // "12345e" is no number either
        {"12e" + zeros + "3", "12e" + zeros},
        {"0,0" + zeros + "1e2010", "0,0" + zeros + "1e201"},
        {"10000," + zeros + "1", std::nullopt},
        {"10000,5" + zeros + "1", std::nullopt},  // read as 10000,5, the even 10000
        {"10000,6" + zeros, "10000,"},
        {"1" + zeros.substr(0, 300), "10000"},
        {"1" + zeros.substr(0, 400), "10000"},  // beyond every number, and so above 10000
        {std::string(308, '9'), "9999"},
        {std::string(310, '7'), "7777"},
        {std::string(10000, '7'), "7777"},
        {"-" + std::string(400, '7') + ",5", "-7777"},
        {"1e400", "1e4"},
        {"1e-400", std::nullopt},
        {std::string(400, '7') + "x", std::nullopt},  // no number at all
    };
    for (const Case &c : cases) {
        EXPECT_EQ(coilsCutBack(c.typed), c.left) << c.typed;
        EXPECT_EQ(coilsCutBackByCharacter(c.typed), c.left) << c.typed;
    }

    // Short texts of every kind the cell can hold, against the rule itself.
    const std::string alphabet = "0123456789,.eE+- 5x";
    std::uint32_t seed = 18;
    const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    int cut = 0;
    for (int n = 0; n < 20000; ++n) {
        std::string t;
        const size_t length = 1 + next() % 24;
        const bool numberLike = next() % 2 == 0;
        for (size_t i = 0; i < length; ++i) {
            const std::uint32_t r = next() >> 8;
            if (numberLike && i > 0 && r % 5 != 0) t += char('0' + r % 10);
            else t += alphabet[r % alphabet.size()];
        }
        const auto expected = coilsCutBackByCharacter(t);
        cut += expected ? 1 : 0;
        ASSERT_EQ(coilsCutBack(t), expected) << t;
    }
    EXPECT_GT(cut, 1000);
}

TEST(HandCut, SolveRefusesOrStopsWithoutAMessage)
{
    const Searched s = standardCut();
    struct Case {
        const char *what;
        std::function<void(HandCutInput &)> edit;
        HandCutOutcome outcome;
        std::string message;
    };
    using O = HandCutOutcome;
    const std::vector<Case> cases = {
        {"row ticked after the search", [](HandCutInput &in) { in.tickedRows = 3; }, O::Refused, kOrderChanged},
        {"rows recounted after the search", [](HandCutInput &in) { in.tickedRows = 3, in.intLastRow = 2; },
         O::Refused, kOrderChanged},
        {"order cleared or continued", [](HandCutInput &in) { in.orderReplaced = true; }, O::Refused,
         kOrderChanged},
        {"coils not a number", [](HandCutInput &in) { in.grammi = "x"; }, O::Refused, kBadCoilsText},
        {"coils negative", [](HandCutInput &in) { in.grammi = "-1"; }, O::Refused, kBadCoilsText},
        {"fraction of a strip", [](HandCutInput &in) { in.akommati[1] = "2,5"; }, O::Refused, kBadCount},
        {"minus sign left", [](HandCutInput &in) { in.akommati[1] = "-"; }, O::Refused, kBadCount},
        {"first count blank", [](HandCutInput &in) { in.akommati[0] = " "; }, O::Silent, ""},
        {"no searched cut", [](HandCutInput &in) { in.searched = nullptr; }, O::Silent, ""},
        {"left trim unreadable", [](HandCutInput &in) { in.txtArxi = "a"; }, O::Silent, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        HandCutInput in = handCut(s, {"1", "3"}, 246);
        c.edit(in);
        const HandCutResult r = solveHandCut(in);
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.message, c.message);
    }
}

TEST(HandCut, SolveRecomputesTheHandCut)
{
    const Searched s = standardCut();
    const double t200 = s.bounds.search.items[1].tonnesPerStrip;
    const double kg = s.bounds.kgPerMm;

    const HandCutResult r = solveHandCut(handCut(s, {"1", "3"}, 246));
    ASSERT_EQ(r.outcome, HandCutOutcome::Accepted);
    EXPECT_EQ(r.fira, "246");
    EXPECT_EQ(r.proion, (std::vector<std::string>{s.figures.columns[0].proion, plat::numStr(3 * t200 * 2)}));
    EXPECT_EQ(r.roles1, (std::vector<std::string>{"2", "6"}));
    EXPECT_EQ(r.text3, "492");
    EXPECT_EQ(r.text5, plat::numStr(2 * kg * 246));
    EXPECT_EQ(r.text8, "500");
    EXPECT_EQ(r.text10, plat::numStr(2 * (246 + 4.0) * kg));
    EXPECT_EQ(r.trims, 4);

    // Unedited: the searched waste is shown; more coils scale every figure.
    HandCutInput same = handCut(s, {"1", "4"}, 46);
    same.changed = false;
    same.grammi = "5,9";
    const HandCutResult u = solveHandCut(same);
    EXPECT_EQ(u.fira, "46");
    EXPECT_EQ(u.roles1, (std::vector<std::string>{"5", "20"}));
    EXPECT_EQ(u.text3, "230");
}

TEST(HandCut, TooWideCutGoesBackToTheSearchedCutWithItsFigures)
{
    const Searched s = standardCut();
    const HandCutResult r = solveHandCut(handCut(s, {"3", "1"}, -154));
    ASSERT_EQ(r.outcome, HandCutOutcome::Impossible);
    EXPECT_EQ(r.message, kImpossibleText);
    EXPECT_EQ(r.akommati[0], "1");
    EXPECT_EQ(r.akommati[1], "4");
    EXPECT_EQ(r.fira, "46");
    EXPECT_EQ(r.dblFira, 46);
    EXPECT_EQ(r.proion, (std::vector<std::string>{s.figures.columns[0].proion, s.figures.columns[1].proion}));
    EXPECT_EQ(r.roles1, (std::vector<std::string>{s.figures.columns[0].roles1, s.figures.columns[1].roles1}));
    EXPECT_EQ(r.text3, s.figures.text3);
    EXPECT_EQ(r.text5, s.figures.text5);
    EXPECT_EQ(r.text8, s.figures.text8);
    EXPECT_EQ(r.text10, s.figures.text10);
}

TEST(HandCut, SecondaryColumnsKeepTheirSlotsWeight)
{
    // A secondary width in the cut: its column takes the tonnes of its slot.
    Searched s = standardCut();
    ItemSlot &sec = s.bounds.search.items[kOrderedSlots + 1];
    sec.width = 46;
    sec.hi = 1;
    sec.tonnesPerStrip = 8.0 / 1246 * 46;
    HandCutInput in = handCut(s, {"1", "4", "1"}, 0);
    in.widths = row({"400", "200", "46"});
    const HandCutResult r = solveHandCut(in);
    ASSERT_EQ(r.proion.size(), 3u);
    EXPECT_EQ(r.proion[2], plat::numStr(1 * sec.tonnesPerStrip * 2));
    EXPECT_EQ(r.roles1[2], "2");
}

TEST(Continuation, RowsByModeAndWhatDoesNotFit)
{
    EXPECT_EQ(continuationMode(false, false), 0);
    EXPECT_EQ(continuationMode(true, false), 1);
    EXPECT_EQ(continuationMode(false, true), 2);
    EXPECT_EQ(continuationMode(true, true), 3);

    const std::vector<ContinuedRow> evaluated = {{"400", "- 2.9"}, {"200", "+ 2.3"}};
    LeftoverTable leftovers{};
    leftovers[0] = {"200", "8", "", "", "", "255"};
    leftovers[1] = {"150", "3", "", "", "", ""};  // not marked: not a leftover row
    leftovers[2] = {"100", "4", "x", "y", "z", "255"};

    struct Case {
        int mode;
        std::vector<ContinuedRow> rows;
    };
    const std::vector<Case> cases = {
        {0, {}},
        {1, evaluated},
        {2, {{"200", "8"}, {"100", "4"}}},
        {3, {{"400", "- 2.9"}, {"200", "+ 2.3"}, {"200", "8"}, {"100", "4"}}},
    };
    for (const Case &c : cases) {
        const Continuation k = continuationRows(c.mode, evaluated, leftovers);
        EXPECT_EQ(k.rows, c.rows) << c.mode;
        EXPECT_EQ(k.dropped, 0);
    }

    // Seven evaluated rows and two leftovers: rows A to Ζ, two dropped.
    std::vector<ContinuedRow> seven;
    for (int i = 1; i <= 7; ++i) seven.push_back({std::to_string(100 * i), "+ 1"});
    const Continuation full = continuationRows(3, seven, leftovers);
    EXPECT_EQ(full.rows, seven);
    EXPECT_EQ(full.dropped, 2);
    EXPECT_EQ(droppedRowsText(2), "Η νέα παραγγελία χωράει έως 7 γραμμές (A έως Ζ). Δεν μεταφέρθηκαν 2 γραμμές.");
    EXPECT_EQ(droppedRowsText(1), "Η νέα παραγγελία χωράει έως 7 γραμμές (A έως Ζ). Δεν μεταφέρθηκε 1 γραμμή.");
}
