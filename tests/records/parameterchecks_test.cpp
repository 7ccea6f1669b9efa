#include "shell/records/parameterchecks.h"

#include <gtest/gtest.h>

using namespace rec;

namespace {
const std::string kEmpty = "Πρέπει να συμπληρωθούν όλα τα πεδία";
const std::string kNotNumber = "Όλα τα πεδία πρέπει να είναι αριθμητικά";
const std::string kRange = "Η τιμή που δώσατε για το πεδίο <Ανεκτή απόκλιση> είναι εκτός ορίων (0-100)";
} // namespace

TEST(ParameterChecks, FirstFailingFieldInIndexOrder)
{
    using T = std::array<std::string, ParameterFieldCount>;
    struct Case {
        T texts;
        bool ok;
        int field;
        std::string message;
    };
    // Index order: deviation, left trim, strips, weight, right trim, width.
    const Case cases[] = {
        {{"10", "2", "11", "8", "2", "1250"}, true, -1, ""},
        {{"0", "0", "2,5", "-1", "0", "1250"}, true, -1, ""},       // only the deviation has a range
        {{"100", "2.5", "11", "8,25", "2", "1250"}, true, -1, ""},  // "." and "," both read
        {{" 10 ", "2", "11", "8", "2", "1250"}, true, -1, ""},      // blanks around a number
        {{"-0,01", "2", "11", "8", "2", "1250"}, false, 0, kRange},
        {{"100,5", "2", "11", "8", "2", "1250"}, false, 0, kRange},
        {{"150", "2", "11", "8", "2", ""}, false, 5, kEmpty},      // all six before the range
        {{"λέξη", "", "11", "8", "2", "1250"}, false, 0, kNotNumber}, // index order, not screen order
        {{"10", "   ", "11", "8", "2", "1250"}, false, 1, kEmpty},    // blanks only are empty
        {{"10", "2", "1,2,3", "8", "2", "1250"}, false, 2, kNotNumber},
        {{"10", "2", "11", "8t", "", "1250"}, false, 3, kNotNumber},
        {{"10", "2", "11", "8", "\t", "abc"}, false, 4, kEmpty},
    };
    for (const Case &c : cases) {
        const ParameterCheckResult r = checkParameterTexts(c.texts);
        EXPECT_EQ(r.ok, c.ok) << c.texts[0] << "|" << c.texts[1] << "|" << c.texts[5];
        EXPECT_EQ(r.field, c.field) << c.texts[0] << "|" << c.texts[1] << "|" << c.texts[5];
        EXPECT_EQ(r.message, c.message) << c.texts[0] << "|" << c.texts[1] << "|" << c.texts[5];
    }
}
