#include "fixed_knife/order_inputs.h"

#include <gtest/gtest.h>

#include <functional>

using namespace fk;

namespace {

const std::string kWidth = "Δεν έχετε ορίσει σωστά το εύρος ρόλου";
const std::string kWeight = "Δεν έχετε ορίσει σωστά το βάρος ρόλου";
const std::string kLeftDot = "Δεν έχετε ορίσει σωστά την αρχή.";
const std::string kLeft = "Δεν έχετε ορίσει σωστά την αρχή";
const std::string kRight = "Δεν έχετε ορίσει σωστά το τέλος";
const std::string kKnives = "Δεν έχετε ορίσει σωστά τον μέγιστο αριθμό τσερκιών ανά κοπή";
const std::string kTrims = "Δεν έχετε ορίσει σωστά την φύρα";

OrderInputTexts validOrder()
{
    OrderInputTexts t;
    t.fields = {"2", "2", "1250", "8", "11"};
    t.rows[0] = {true, "400", "10"};
    t.rows[1] = {true, "200", "5"};
    return t;
}

} // namespace

TEST(OrderInputs, FirstFailingCheckGivesMessageAndFocus)
{
    struct Case {
        const char *what;
        std::function<void(OrderInputTexts &)> edit;
        std::string message;
        Focus focus;
    };
    const std::vector<Case> cases = {
        {"ticked row without width", [](auto &t) { t.rows[2] = {true, " ", "3"}; }, kWidth, {"Mikos", 2}},
        {"ticked row without weight", [](auto &t) { t.rows[1].baros = ""; }, kWeight, {"Baros", 1}},
        {"empty rows before the trims", [](auto &t) { t.rows[1].mikos = ""; t.fields.txtArxi = "x"; }, kWidth, {"Mikos", 1}},
        {"left trim not a number", [](auto &t) { t.fields.txtArxi = "2a"; }, kLeftDot, {"txtArxi"}},
        {"right trim not a number", [](auto &t) { t.fields.txtTelos = "ab"; }, kRight, {"txtTelos"}},
        {"left trim negative", [](auto &t) { t.fields.txtArxi = "-1"; }, kLeft, {"txtArxi"}},
        {"right trim negative", [](auto &t) { t.fields.txtTelos = "-0,5"; }, kRight, {"txtTelos"}},
        {"coil width not a number", [](auto &t) { t.fields.txtMikos = "ab"; }, kWidth, {"txtMikos"}},
        {"coil width negative", [](auto &t) { t.fields.txtMikos = "-1250"; }, kWidth, {"txtMikos"}},
        {"coil width before coil weight", [](auto &t) { t.fields.txtMikos = "x"; t.fields.Text2 = "x"; }, kWidth, {"txtMikos"}},
        {"coil weight not a number", [](auto &t) { t.fields.Text2 = "8t"; }, kWeight, {"Text2"}},
        {"coil weight negative", [](auto &t) { t.fields.Text2 = "-8"; }, kWeight, {"Text2"}},
        {"coil weight zero", [](auto &t) { t.fields.Text2 = "0"; }, kWeight, {"Text2"}},
        {"knives not a number", [](auto &t) { t.fields.Text4 = "έντεκα"; }, kKnives, {"Text4"}},
        {"knives negative", [](auto &t) { t.fields.Text4 = "-1"; }, kKnives, {"Text4"}},
        {"width not a number", [](auto &t) { t.rows[1].mikos = "20O"; }, kWidth, {"Mikos", 1}},
        {"width zero", [](auto &t) { t.rows[0].mikos = "0"; }, kWidth, {"Mikos", 0}},
        {"width above the coil", [](auto &t) { t.rows[1].mikos = "1250,5"; }, kWidth, {"Mikos", 1}},
        {"width rounding to 0", [](auto &t) { t.rows[1].mikos = "0,5"; }, kWidth, {"Mikos", 1}},
        {"weight not a number", [](auto &t) { t.rows[0].baros = "10 t"; }, kWeight, {"Baros", 0}},
        {"weight zero", [](auto &t) { t.rows[1].baros = "0,0"; }, kWeight, {"Baros", 1}},
        {"weight negative", [](auto &t) { t.rows[1].baros = "-3"; }, kWeight, {"Baros", 1}},
        {"rows checked in grid order", [](auto &t) { t.rows[0].baros = "x"; t.rows[1].mikos = "x"; }, kWeight, {"Baros", 0}},
        {"left trim above the coil", [](auto &t) { t.fields.txtArxi = "1300"; }, kLeft, {"txtArxi"}},
        {"right trim above the coil", [](auto &t) { t.fields.txtTelos = "1300"; }, kRight, {"txtTelos"}},
        {"trims fill the coil", [](auto &t) { t.fields.txtArxi = "625"; t.fields.txtTelos = "625"; }, kTrims, {"txtArxi"}},
        {"unticked row B checked as well", [](auto &t) { t.rows[0].checked = false; t.rows[1].mikos = "x"; }, kWidth, {"Mikos", 1}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        OrderInputTexts t = validOrder();
        c.edit(t);
        const OrderInputCheck r = checkOrderInputs(t);
        EXPECT_EQ(r.outcome, InputOutcome::Rejected);
        EXPECT_EQ(r.message.text, c.message);
        EXPECT_EQ(r.message.focus, std::optional<Focus>(c.focus));
    }
}

// Inputs that would carry a figure past every number (a waste in kg, a
// count of strips) are refused at their own field; the largest that still
// count pass.
TEST(OrderInputs, InputsThatWouldOverflowAFigureNameTheirField)
{
    const std::string tooLarge = "Το βάρος της παραγγελίας είναι πολύ μεγάλο. Παρακαλώ ορίστε καινούργια";
    struct Case {
        const char *what;
        std::function<void(OrderInputTexts &)> edit;
        std::string message;  // empty: accepted
        Focus focus;
    };
    const std::vector<Case> cases = {
        {"coil width 1E+308", [](auto &t) { t.fields.txtMikos = "1E+308"; }, kWidth, {"txtMikos"}},
        {"the largest number as written", [](auto &t) { t.fields.txtMikos = "1,79769313486232E+308"; }, kWidth,
         {"txtMikos"}},
        {"the widest coil", [](auto &t) { t.fields.txtMikos = "1000000000"; }, "", {}},
        {"coil weight 1E+308", [](auto &t) { t.fields.Text2 = "1E+308"; }, kWeight, {"Text2"}},
        {"the heaviest coil", [](auto &t) { t.fields.Text2 = "1000000000"; }, "", {}},
        {"coil weight next to nothing", [](auto &t) { t.fields.Text2 = "1E-320"; }, kWeight, {"Text2"}},
        {"row weight 1E+308", [](auto &t) { t.rows[1].baros = "1E+308"; }, tooLarge, {"Baros", 1}},
        {"row weight at exact whole tonnes", [](auto &t) { t.rows[1].baros = "9007199254740992"; }, "", {}},
        // A weight whose share of what a cut produces cannot be counted.
        {"row weight next to nothing", [](auto &t) { t.rows[0].baros = "1e-320"; }, kWeight, {"Baros", 0}},
        {"row weight next to nothing after another",
         [](auto &t) {
             t.rows[2] = {true, "120", "6"};
             t.rows[3] = {true, "90", "1E-305"};
         },
         kWeight, {"Baros", 3}},
        {"row weight small but counted", [](auto &t) { t.rows[1].baros = "1E-200"; }, "", {}},
        {"row weight under half a tonne", [](auto &t) { t.rows[1].baros = "0,3"; }, "", {}},
        {"row weight next to nothing, the heaviest coil",
         [](auto &t) {
             t.fields.Text2 = "1000000000";
             t.rows[1].baros = "1E-295";
         },
         kWeight, {"Baros", 1}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        OrderInputTexts t = validOrder();
        c.edit(t);
        const OrderInputCheck r = checkOrderInputs(t);
        if (c.message.empty()) {
            EXPECT_EQ(r.outcome, InputOutcome::Accepted) << r.message.text;
            continue;
        }
        EXPECT_EQ(r.outcome, InputOutcome::Rejected);
        EXPECT_EQ(r.message.text, c.message);
        EXPECT_EQ(r.message.focus, std::optional<Focus>(c.focus));
    }
}

TEST(OrderInputs, DefaultsAndDecimalCommaAreWrittenBack)
{
    OrderInputTexts t = validOrder();
    t.fields = {" ", "", "", "  ", ""};
    t.rows[1].mikos = "";  // rejected later on
    OrderInputCheck r = checkOrderInputs(t);
    EXPECT_EQ(r.outcome, InputOutcome::Rejected);
    EXPECT_EQ(r.fields, (OrderFieldTexts{"0", "0", "1250", "8", "11"}));

    t = validOrder();
    t.fields = {"2.5", "1.5", "1250.5", "8.5", "11.7"};
    r = checkOrderInputs(t);
    ASSERT_EQ(r.outcome, InputOutcome::Accepted);
    EXPECT_EQ(r.fields, (OrderFieldTexts{"2,5", "1,5", "1250.5", "8.5", "11.7"}));
    EXPECT_EQ(r.values.leftTrimText, "2,5");
    EXPECT_DOUBLE_EQ(r.values.leftTrim, 2.5);
    EXPECT_DOUBLE_EQ(r.values.rightTrim, 1.5);
    EXPECT_DOUBLE_EQ(r.values.coilWidth, 1250.5);
    EXPECT_DOUBLE_EQ(r.values.coilWeight, 8.5);
    EXPECT_EQ(r.values.maxStrips, 11);
    EXPECT_EQ(r.values.rows, (std::vector<OrderRowValues>{{400, 10}, {200, 5}}));
}

TEST(OrderInputs, EdgesThatPass)
{
    OrderInputTexts t = validOrder();
    t.rows[1].mikos = "1250";      // as wide as the coil
    t.rows[1].baros = "0,4";       // rounds to no tonne, still an order
    t.fields.txtArxi = "0";
    EXPECT_EQ(checkOrderInputs(t).outcome, InputOutcome::Accepted);

    t = validOrder();
    t.rows[0].checked = false;  // rows B.. are fine, but A is not ticked
    const OrderInputCheck r = checkOrderInputs(t);
    EXPECT_EQ(r.outcome, InputOutcome::NotStarted);
    EXPECT_TRUE(r.message.text.empty());
}

TEST(OrderInputs, ReleasingTheProportion)
{
    const OrderInputTexts t = validOrder();
    const OrderInputCheck c = checkOrderInputs(t);
    ASSERT_EQ(c.outcome, InputOutcome::Accepted);
    const OrderBounds solved = computeOrderBounds(c.values, SolveMode::WithProportion, {{50, 1}, {60, 1}});

    // No cut shown yet: only the ticked rows are recounted.
    ReleaseCheck k = releaseProportion(&solved, t.rows, {" ", ""}, {});
    EXPECT_EQ(k.outcome, ReleaseOutcome::NothingShown);
    EXPECT_EQ(k.lastRow, 1);

    k = releaseProportion(&solved, t.rows, {"2", "3"}, {{70, 2}});
    ASSERT_EQ(k.outcome, ReleaseOutcome::Armed);
    EXPECT_EQ(k.bounds.search.items[0].lo, 2);
    EXPECT_EQ(k.bounds.search.items[1].lo, 3);
    EXPECT_EQ(k.bounds.search.items[1].hi, 9);
    EXPECT_EQ(k.bounds.search.items[7].width, 70);
    EXPECT_EQ(k.bounds.search.items[8].hi, 0);
    EXPECT_EQ(k.bounds.searchMode, SearchMode::FirstWidest);

    const std::string changed = "Υπάρχει αλλαγή στήν παραγγελία. Παρακαλώ δώστε νέα παραγγελία γιά νά συνεχίσετε.";
    auto rows = t.rows;
    rows[2] = {true, "100", "4"};
    k = releaseProportion(&solved, rows, {"2", "3", ""}, {});
    EXPECT_EQ(k.outcome, ReleaseOutcome::Rejected);
    EXPECT_EQ(k.message.text, changed);
    EXPECT_EQ(k.lastRow, 2);
    rows = t.rows;
    rows[1].mikos = "250";
    EXPECT_EQ(releaseProportion(&solved, rows, {"2", "3"}, {}).message.text, changed);
    rows = t.rows;
    rows[1].baros = "6";
    EXPECT_EQ(releaseProportion(&solved, rows, {"2", "3"}, {}).message.text, changed);
    EXPECT_EQ(releaseProportion(nullptr, t.rows, {"2", "3"}, {}).message.text, changed);

    // A release that would arm a search beyond its tables is refused with
    // the coil width's message.
    OrderInputTexts wide = validOrder();
    wide.fields = {"0", "0", "200000", "8", "5000"};
    for (int i = 0; i < 7; ++i) wide.rows[i] = {true, std::to_string(20 + 3 * i), "50"};
    const OrderInputCheck wc = checkOrderInputs(wide);
    ASSERT_EQ(wc.outcome, InputOutcome::Accepted);
    const OrderBounds wideSolved = computeOrderBounds(wc.values, SolveMode::WithProportion, {});
    ASSERT_EQ(wideSolved.stop, BoundsStop::None);
    std::vector<SecondaryWidth> many;
    for (int i = 0; i < 15; ++i) many.push_back({21 + 2 * i, 300});
    k = releaseProportion(&wideSolved, wide.rows, std::vector<std::string>(7, "1"), many);
    EXPECT_EQ(k.outcome, ReleaseOutcome::Rejected);
    EXPECT_EQ(k.message.focus, std::optional<Focus>(Focus{"txtMikos"}));

    for (const std::vector<std::string> &counts : {std::vector<std::string>{"2", ""}, {"2", "τρία"}, {"2", "-1"}, {"2"}}) {
        k = releaseProportion(&solved, t.rows, counts, {});
        EXPECT_EQ(k.outcome, ReleaseOutcome::Rejected);
        EXPECT_EQ(k.message.text, "Δεν έχετε ορίσει σωστά τον αριθμό κομματιών ανά κοπή");
        EXPECT_EQ(k.message.focus, std::optional<Focus>(Focus{"Akommati", 1}));
    }
}
