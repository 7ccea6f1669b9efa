#include "fixed_knife/secondary_items.h"

#include "platform/numtext.h"

#include <algorithm>
#include <cmath>

namespace fk {

const char *const kBadRangeText = "Δεν έχετε ορίσει σωστά το εύρος.";
const char *const kBadThicknessText = "Δεν έχετε ορίσει σωστά το πάχος.";
const char *const kBadCountText =
    "Δεν έχετε ορίσει σωστά τον αριθμό ρόλων. Δώστε έναν ακέραιο αριθμό από 0 έως 32767.";

namespace {

// Far beyond any width or count, yet its products stay inside 64 bits.
constexpr double kWholeLimit = 1e15;

std::int64_t whole(double v)
{
    const double r = plat::roundHalfEven(v);
    if (!(r == r)) return 0;
    return std::int64_t(std::clamp(r, -kWholeLimit, kWholeLimit));
}

} // namespace

std::string withDecimalPoint(std::string text)
{
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

SearchBoxCheck checkSearchBoxes(const std::string &evros1, const std::string &evros2, const std::string &paxos,
                                const std::string &eidos)
{
    SearchBoxCheck c;
    c.evros1 = plat::isBlankText(evros1) ? "0" : evros1;
    c.evros2 = plat::isBlankText(evros2) ? "0" : evros2;
    c.paxos = paxos;

    const std::optional<double> lo = plat::parseNumber(c.evros1);
    if (!lo) {
        c.message = kBadRangeText;
        c.focus = "txtEvros1";
        return c;
    }
    const std::optional<double> hi = plat::parseNumber(c.evros2);
    if (!hi) {
        c.message = kBadRangeText;
        c.focus = "txtEvros2";
        return c;
    }
    if (!plat::isBlankText(paxos)) {
        const std::optional<double> t = plat::parseNumber(paxos);
        if (!t) {
            c.message = kBadThicknessText;
            c.focus = "txtPaxos";
            return c;
        }
        c.paxos = withDecimalPoint(paxos);
        c.filter.thickness = *t;
    }
    c.evros1 = withDecimalPoint(c.evros1);
    c.evros2 = withDecimalPoint(c.evros2);
    c.filter.lowWidth = *lo;
    c.filter.highWidth = *hi;
    // The type is matched by its name exactly as typed: blanks inside a name
    // are part of it.
    if (!plat::isBlankText(eidos)) c.filter.typeName = eidos;
    c.accepted = true;
    return c;
}

std::optional<std::int64_t> readCount(std::string_view text)
{
    const std::optional<double> v = plat::parseNumber(text);
    if (!v || *v != std::floor(*v) || *v < 0 || *v > double(kMaxSelectionCount)) return std::nullopt;
    return std::int64_t(*v);
}

std::string secondaryLine(double width, std::int64_t count)
{
    return plat::numStr(width) + " x " + plat::intStr(count);
}

std::int64_t lineWidth(std::string_view line)
{
    if (plat::isBlankText(line)) return 0;
    const size_t blank = line.find(' ');
    const std::optional<double> v = plat::parseNumber(line.substr(0, blank));
    return v ? whole(*v) : 0;
}

std::int64_t sumOfLineWidths(const std::vector<std::string> &lines)
{
    std::int64_t sum = 0;
    for (const std::string &l : lines) sum += lineWidth(l);
    return sum;
}

std::int64_t selectedWidth(const std::vector<SecondaryWidth> &rows)
{
    // Exact in a double for any real catalogue; a width typed far beyond one
    // is held at the limit instead of overflowing.
    double sum = 0;
    for (const SecondaryWidth &r : rows)
        if (r.count > 0) sum += double(r.count) * double(r.width);
    return whole(sum);
}

std::int64_t wholeOrZero(std::string_view text)
{
    const std::optional<double> v = plat::parseNumber(text);
    return v ? whole(*v) : 0;
}

std::optional<std::int64_t> presetLowerWidth(std::string_view fira, std::string_view maxairia)
{
    if (maxairia.empty() || maxairia == "0") return std::nullopt;
    const std::optional<double> waste = plat::parseNumber(fira);
    const std::optional<double> knives = plat::parseNumber(maxairia);
    if (!waste || !knives) return std::nullopt;
    const std::int64_t k = whole(*knives);
    if (k == 0) return std::nullopt;
    return whole(*waste / double(k));
}

} // namespace fk
