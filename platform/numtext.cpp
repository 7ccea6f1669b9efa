#include "numtext.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace plat {

namespace {
// Every number at most this large is written as "1,79769313486232E+308" at
// most (15 significant digits); the reader takes that text back.
static_assert(std::numeric_limits<long double>::max_exponent > std::numeric_limits<double>::max_exponent,
              "reading the largest written number needs a wider type than double");
constexpr long double kLargestWritten = 1.797693134862325e308L;
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
} // namespace

bool isBlankText(std::string_view text)
{
    for (char c : text)
        if (!isBlank(c)) return false;
    return true;
}

namespace {
// The number in `text` as strtod reads it ("-1.5e3"), whatever its size;
// none when the text is no number.
std::optional<std::string> numberSyntax(std::string_view text)
{
    size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    if (b == e) return std::nullopt;

    std::string s;
    s.reserve(e - b);
    size_t i = b;
    if (text[i] == '+' || text[i] == '-') {
        s.push_back(text[i++]);
        // Signed differences are written with a blank after the sign ("- 1.5").
        while (i < e && isBlank(text[i])) ++i;
    }
    int digits = 0;
    bool sep = false;
    for (; i < e; ++i) {
        char c = text[i];
        if (isDigit(c)) {
            s.push_back(c);
            ++digits;
        } else if (c == ',' || c == '.') {
            if (sep) return std::nullopt;
            sep = true;
            s.push_back('.');
        } else {
            break;
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < e) {
        if (text[i] != 'e' && text[i] != 'E') return std::nullopt;
        s.push_back('e');
        ++i;
        if (i < e && (text[i] == '+' || text[i] == '-')) s.push_back(text[i++]);
        int expDigits = 0;
        for (; i < e && isDigit(text[i]); ++i) {
            s.push_back(text[i]);
            ++expDigits;
        }
        if (expDigits == 0 || i != e) return std::nullopt;
    }
    return s;
}
} // namespace

bool isNumberText(std::string_view text) { return numberSyntax(text).has_value(); }

std::optional<double> parseNumber(std::string_view text)
{
    const std::optional<std::string> syntax = numberSyntax(text);
    if (!syntax) return std::nullopt;
    const std::string &s = *syntax;
    errno = 0;
    char *end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size()) return std::nullopt;
    if (!std::isfinite(v)) {
        // The largest numbers are written rounded to 15 digits, which rounds
        // them up past the largest double ("1,79769313486232E+308"): what
        // the program wrote itself must read back, as that largest double.
        const auto largest = std::numeric_limits<double>::max();
        const long double wide = std::strtold(s.c_str(), nullptr);
        if (!(std::fabs(wide) <= kLargestWritten)) return std::nullopt;
        v = wide < 0 ? -largest : largest;
    }
    if (v == 0.0) v = 0.0; // no negative zero
    return v;
}

std::string intStr(long long v) { return std::to_string(v); }

std::string numStr(double v)
{
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v > 0 ? "Inf" : "-Inf";
    if (v == 0.0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    std::string s(buf);
    // %.15g already drops trailing zeros; tidy the exponent to "E+15"/"E-05".
    auto ePos = s.find('e');
    if (ePos != std::string::npos) {
        const int exponent = std::atoi(s.c_str() + ePos + 1);
        char tail[16];
        std::snprintf(tail, sizeof tail, "E%c%02d", exponent < 0 ? '-' : '+', exponent < 0 ? -exponent : exponent);
        s.resize(ePos);
        s += tail;
    }
    for (char &c : s)
        if (c == '.') c = kDecimalSeparator;
    return s;
}

double roundHalfEven(double v) { return std::nearbyint(v); }
double intPart(double v) { return std::floor(v); }
double fixPart(double v) { return std::trunc(v); }

} // namespace plat
