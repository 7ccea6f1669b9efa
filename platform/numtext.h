#pragma once
// Number <-> text in the program's fixed Greek format (decimal comma, no
// thousands separator). Plain C++ so the searches can use it without Qt.
#include <optional>
#include <string>
#include <string_view>
#include <cstdint>

namespace plat {

// The decimal separator of the program's number format, whatever the locale.
constexpr char kDecimalSeparator = ',';

// Whether a text holds nothing but the blanks that reading a number ignores.
bool isBlankText(std::string_view text);

// Reads a number typed by a user: blanks around it are ignored, "," or "." is
// the decimal separator, an optional sign (blanks may follow it) and exponent
// are accepted. Anything else (empty text, two separators, letters) is not a
// number.
std::optional<double> parseNumber(std::string_view text);
// Whether a text is written as a number, whatever its size: a number past
// the largest double (310 digits and more) is one, though parseNumber cannot
// give its value.
bool isNumberText(std::string_view text);

// Writes a number the way every window shows it: integers as plain digits,
// other values in their shortest form of at most 15 significant digits,
// decimal comma. Large or tiny magnitudes use an "E" exponent ("1E+15").
// (Qt code uses the QString forms plat::numText / plat::intText of qnum.h.)
std::string numStr(double v);
std::string intStr(long long v);

// Rounding to a whole number with halves to the even neighbour, as the
// planners' whole-number conversions round.
double roundHalfEven(double v);
// Largest whole number not above v.
double intPart(double v);
// Drops the fraction toward zero.
double fixPart(double v);

} // namespace plat
