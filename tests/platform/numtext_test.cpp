#include "platform/numtext.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

using plat::numStr;
using plat::parseNumber;

TEST(NumText, ReadsWhatPlannersType)
{
    struct Case {
        const char *text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"1250", 1250},   {"2,5", 2.5},      {"2.5", 2.5},       {"  7 ", 7},       {"-3", -3},
        {"+4,25", 4.25},  {",5", 0.5},       {"5.", 5},          {"1E3", 1000},     {"2,5e-1", 0.25},
        {"1.250,5", {}},  {"1,250.5", {}},   {"", {}},           {"   ", {}},        {"abc", {}},
        {"12a", {}},      {"1 000", {}},     {"e5", {}},         {"1e", {}},        {"--1", {}},
        {"-", {}},        {".", {}},         {"1e400", {}},
        // A weight difference as the evaluation writes it, sign and blank first.
        {"+ 0.7", 0.7},   {"+ 0,7", 0.7},    {"- 1.5", -1.5},    {" -  2 ", -2},    {"- ", {}},
        {"+ -1", {}},     {"1 -", {}},       {"1e- 5", {}},
        // What the C library would take but a planner never means.
        {"inf", {}},      {"-nan", {}},      {"0x10", {}},       {"1e-400", 0},     {"1\u00a05", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        auto v = parseNumber(c.text);
        ASSERT_EQ(v.has_value(), c.value.has_value());
        // Only a size past every double keeps a number's text from a value.
        EXPECT_EQ(plat::isNumberText(c.text), v.has_value() || std::string_view(c.text) == "1e400");
        if (v) {
            EXPECT_DOUBLE_EQ(*v, *c.value);
        }
    }
}

TEST(NumText, WritesTheFixedGreekFormat)
{
    struct Case {
        double value;
        const char *text;
    };
    const Case cases[] = {
        {1250, "1250"},
        {2.5, "2,5"},
        {0.1 + 0.2, "0,3"},
        {1.0 / 3.0, "0,333333333333333"},
        {-0.75, "-0,75"},
        {0, "0"},
        {-0.0, "0"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E+15"},
        {0.00001, "1E-05"},
        {5.7000000000000455, "5,70000000000005"},
        {6.42054574638844, "6,42054574638844"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(numStr(c.value), c.text);
    }
}

// Whatever finite number the program writes reads back as the same number
// to the 15 digits written, the largest and the smallest included.
TEST(NumText, WrittenNumbersReadBack)
{
    const double largest = std::numeric_limits<double>::max();
    const double tiniest = std::numeric_limits<double>::denorm_min();
    std::vector<double> values = {1250.0, 2.5, 1.0 / 3.0, -17.125, 1e15, 0.00001, largest, -largest,
                                  std::nextafter(largest, 0.0), 1.79769313486231e308, 1e308, 1e-320,
                                  tiniest, -tiniest, std::numeric_limits<double>::min(), 9007199254740993.0};
    std::mt19937_64 random(20261210);
    std::uniform_int_distribution<std::uint64_t> bits;
    while (values.size() < 20000) {
        // Every bit pattern that is a finite double: all magnitudes alike.
        const double v = std::bit_cast<double>(bits(random));
        if (std::isfinite(v)) values.push_back(v);
    }
    for (double v : values) {
        const std::string text = numStr(v);
        const auto back = parseNumber(text);
        ASSERT_TRUE(back.has_value()) << text;
        EXPECT_TRUE(std::isfinite(*back)) << text;
        // 15 significant digits: within half a unit of the 15th digit, and
        // never past the largest double.
        EXPECT_LE(std::abs(*back - v), std::abs(v) * 5.1e-15) << text;
        EXPECT_EQ(numStr(*back), text);
    }
    EXPECT_EQ(numStr(largest), "1,79769313486232E+308");
    EXPECT_EQ(*parseNumber("1,79769313486232E+308"), largest);
    EXPECT_EQ(*parseNumber("-1.79769313486232e308"), -largest);
    // Beyond what any written number can be, a text is still no number.
    EXPECT_FALSE(parseNumber("1,79769313486233E+308"));
    EXPECT_FALSE(parseNumber("2E+308"));
}

TEST(NumText, RoundsHalvesToEven)
{
    EXPECT_EQ(plat::roundHalfEven(2.5), 2);
    EXPECT_EQ(plat::roundHalfEven(3.5), 4);
    EXPECT_EQ(plat::roundHalfEven(-2.5), -2);
    EXPECT_EQ(plat::roundHalfEven(2.6), 3);
    EXPECT_EQ(plat::intPart(-2.5), -3);
    EXPECT_EQ(plat::fixPart(-2.5), -2);
}
