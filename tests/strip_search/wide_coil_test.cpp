// Solve hands the strip search only orders whose one cut stays within the
// search's exact tables; a coil far wider than any real one, with an order
// to fill it, is refused at the coil width before anything runs.
#include <gtest/gtest.h>

#include <string>

#include "knife_change/solve.h"
#include "strip_search/pattern_choice.h"

namespace {

const std::string kCoilTooWide =
    "Το εύρος ρόλου είναι πολύ μεγάλο για τον υπολογισμό. Παρακαλώ ορίστε μικρότερο εύρος ρόλου";

kc::SolveTexts order(const char *coil, const char *knives, std::initializer_list<std::pair<const char *, const char *>> rows)
{
    kc::SolveTexts t;
    t.txtArxi = t.txtTelos = "0";
    t.txtMikos = coil;
    t.Text2 = "8";
    t.Text4 = knives;
    t.txtApoklisi = "5";
    int i = 0;
    for (const auto &[width, tonnes] : rows) {
        t.ticked[i] = true;
        t.Mikos[i] = width;
        t.Baros[i++] = tonnes;
    }
    return t;
}

TEST(WideCoil, OneCutBeyondTheTablesIsRefusedAtTheCoilWidth)
{
    static_assert(strip_search::kMaxCutWidth == 65536);
    struct Case {
        const char *name;
        kc::SolveTexts texts;
        bool refused;
    };
    const Case cases[] = {
        // A coil of 250 m: 93 strips of 1000 mm would go into one cut, 31 would not overrun.
        {"order filling a wide coil", order("250000", "250", {{"1000", "3"}, {"1200", "1"}}), true},
        {"small order on a wide coil", order("250000", "250", {{"1000", "1"}, {"1200", "1"}}), false},
        // 1 mm strips, 75 000 of them: the knives set the widest cut.
        {"knives at the bound", order("100000", "65536", {{"1", "6"}}), false},
        {"one knife more", order("100000", "65537", {{"1", "6"}}), true},
        // The usable width sets it: trims of 2 + 2 mm.
        {"usable width at the bound", order("65540", "100000", {{"1", "9"}}), false},
        {"usable width over it", order("65541", "100000", {{"1", "9"}}), true},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.name);
        if (std::string(c.name).rfind("usable", 0) == 0) c.texts.txtArxi = c.texts.txtTelos = "2";
        const kc::SolveResult r = kc::solve(c.texts);
        if (c.refused) {
            EXPECT_EQ(r.outcome, kc::SolveResult::Outcome::Stopped);
            EXPECT_EQ(r.message, kCoilTooWide);
            EXPECT_EQ(r.focus, (kc::Focus{"txtMikos"}));
        } else {
            EXPECT_EQ(r.outcome, kc::SolveResult::Outcome::Ready) << r.message;
        }
    }
}

} // namespace
