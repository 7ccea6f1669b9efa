#include "fixed_knife/hand_cut.h"

#include "fixed_knife/evaluation.h"
#include "fixed_knife/order_inputs.h"
#include "platform/numtext.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace fk {

const char *const kCountAboveKnivesText =
    "Έχετε υπερβεί τον συνολικό αριθμό τσερκιών ανά κοπή. Η λύσις είναι αδύνατη";
const char *const kNegativeCountText =
    "Ο αριθμός τσερκιών ανά κοπή δεν μπορεί να είναι αρνητικός. Η λύσις είναι αδύνατη";
const char *const kCountSumAboveKnivesText =
    "Έχετε υπερβεί τον συνολικό αριθμο τσερκιών ανά κοπή. Η λύσις είναι αδύνατη";
const char *const kTooManyCoilsText = "Δεν έχετε ορίσει σωστά τον αριθμό των ρόλλων";
const char *const kBadCoilsText = "Δεν έχετε ορίσει σωστά τον αριθμό των τσερκιών";
const char *const kImpossibleText = "Η λύσις είναι αδύνατη";

namespace {

std::string trimmed(const std::string &s)
{
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    const auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

double numberOr0(const std::string &text) { return plat::parseNumber(text).value_or(0); }

// Every strip is a whole millimetre wide at least.
double mostStripsOfCut(double usableWidth) { return std::floor(usableWidth); }

// Columns of the cut program that show a width, from the first.
int shownColumns(const CutRowTexts &widths)
{
    int n = 0;
    while (n < kMaxColumns && !plat::isBlankText(widths[size_t(n)])) ++n;
    return n;
}

CutRowTexts withSearchedCounts(CutRowTexts akommati, const SearchedCut &cut)
{
    for (int i = 0; i <= cut.lastRow && i < kMaxColumns; ++i) akommati[size_t(i)] = plat::numStr(cut.saved[size_t(i)]);
    return akommati;
}

// Tonnes of one strip over a coil for each shown column: the ordered rows
// own the first columns, the secondary widths with strips follow in slot
// order (equal widths weigh the same, so the width finds the slot).
std::vector<double> columnTonnes(const OrderBounds &b, const CutRowTexts &widths, int columns)
{
    std::vector<double> t(size_t(columns), 0.0);
    std::array<bool, kSlotCount> taken{};
    for (int c = 0; c < columns; ++c) {
        if (c < b.search.orderedCount) {
            t[size_t(c)] = b.search.items[size_t(c)].tonnesPerStrip;
            continue;
        }
        const double w = numberOr0(widths[size_t(c)]);
        for (int k = kOrderedSlots; k < kSlotCount; ++k) {
            const ItemSlot &s = b.search.items[size_t(k)];
            if (taken[size_t(k)] || s.hi <= 0 || double(s.width) != w) continue;
            taken[size_t(k)] = true;
            t[size_t(c)] = s.tonnesPerStrip;
            break;
        }
    }
    return t;
}

void produced(HandCutResult &r, const OrderBounds &b, const CutRowTexts &widths, const CutRowTexts &counts,
              double n)
{
    const int columns = shownColumns(widths);
    const std::vector<double> tonnes = columnTonnes(b, widths, columns);
    for (int c = 0; c < columns; ++c) {
        const double a = plat::intPart(numberOr0(counts[size_t(c)]));
        r.proion.push_back(plat::numStr(a * tonnes[size_t(c)] * n));
        r.roles1.push_back(plat::numStr(n * a));
    }
}

bool tooManyCoils(std::optional<double> coils)
{
    return coils && std::fabs(plat::roundHalfEven(*coils)) > kMaxCoils;
}

bool isBlankChar(char c) { return plat::isBlankText(std::string_view(&c, 1)); }
bool isDigitChar(char c) { return c >= '0' && c <= '9'; }

// The values of every beginning of one number's text, as plat::parseNumber
// reads them, without reading each beginning from its start again: a pasted
// text may run to tens of thousands of characters. A beginning is read from
// its sign, its first 800 significant digits, whether any later digit is not
// 0, and its decimal exponent: no double's rounding depends on more than 767
// significant digits, so these round exactly as the whole beginning does.
class NumberBeginnings {
public:
    // `text` must read as a number.
    explicit NumberBeginnings(const std::string &text)
    {
        size_t i = 0, end = text.size();
        while (i < end && isBlankChar(text[i])) ++i;
        while (end > i && isBlankChar(text[end - 1])) --end;
        m_end = end;
        if (i < end && (text[i] == '+' || text[i] == '-')) {
            m_negative = text[i++] == '-';
            while (i < end && isBlankChar(text[i])) ++i;
        }
        m_mantissa = i;
        // Per beginning of the mantissa: its digits, its significant digits
        // and its whole-part digits.
        size_t digits = 0, significant = 0, whole = 0;
        bool separator = false;
        m_counts.push_back({0, 0, 0});
        for (; i < end && (isDigitChar(text[i]) || text[i] == ',' || text[i] == '.'); ++i) {
            if (!isDigitChar(text[i])) {
                separator = true;
            } else {
                ++digits;
                if (!separator) ++whole;
                if (significant > 0 || text[i] != '0') {
                    if (significant == 0) {
                        // 0.d... x 10^P: P counts the whole digits up to the
                        // first significant one, or the zeros after the
                        // separator before it.
                        m_exponentBase = separator ? -std::int64_t(digits - 1 - whole) : -std::int64_t(whole - 1);
                        m_wholeAtFirst = !separator;
                    }
                    if (significant < kDigitsKept) m_significant.push_back(text[i]);
                    else if (text[i] != '0' && m_stickyAt == std::string::npos) m_stickyAt = i;
                    ++significant;
                }
            }
            m_counts.push_back({digits, significant, whole});
        }
        m_mantissaEnd = i;
        if (i < end) {  // the exponent: e, a sign perhaps, digits
            ++i;
            bool negative = false;
            if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
            m_exponentDigits = i;
            std::int64_t e = 0;
            m_exponents.push_back(0);
            for (; i < end; ++i) {
                // Far beyond any double's exponent the size no longer matters.
                e = std::min<std::int64_t>(e * 10 + (text[i] - '0'), 1000000000);
                m_exponents.push_back(negative ? -e : e);
            }
        }
    }

    // The value of the text's first k characters; none when they are blank
    // or no number.
    std::optional<double> value(size_t k)
    {
        std::int64_t exponent = 0;
        size_t mantissaEnd = m_mantissaEnd;
        if (k >= m_end) {
            if (!m_exponents.empty()) exponent = m_exponents.back();
        } else if (k > m_mantissaEnd) {
            if (k <= m_exponentDigits) return std::nullopt;  // ends in "e" or its sign
            exponent = m_exponents[k - m_exponentDigits];
        } else {
            mantissaEnd = k;
        }
        if (mantissaEnd <= m_mantissa) return std::nullopt;  // blank, or a sign alone
        const Counts &c = m_counts[mantissaEnd - m_mantissa];
        if (c.digits == 0) return std::nullopt;
        if (c.significant == 0) return 0.0;

        const std::int64_t point = m_exponentBase + (m_wholeAtFirst ? std::int64_t(c.whole) : 0) + exponent;
        const Key key{std::min(c.significant, kDigitsKept), mantissaEnd > m_stickyAt, point};
        if (!m_last || !(m_last->first == key)) {
            std::string read = m_negative ? "-0." : "0.";
            read.append(m_significant, 0, key.digits);
            if (key.sticky) read += '1';
            read += 'e';
            read += std::to_string(key.point);
            // `read` is a number, so only a size past every double fails.
            std::optional<double> v = plat::parseNumber(read);
            if (!v) v = m_negative ? -HUGE_VAL : HUGE_VAL;
            m_last.emplace(key, v);
        }
        return m_last->second;
    }

private:
    static constexpr size_t kDigitsKept = 800;
    struct Counts {
        size_t digits, significant, whole;
    };
    struct Key {
        size_t digits;
        bool sticky;
        std::int64_t point;
        bool operator==(const Key &) const = default;
    };

    bool m_negative = false;
    size_t m_end = 0, m_mantissa = 0, m_mantissaEnd = 0, m_exponentDigits = 0;
    std::vector<Counts> m_counts;          // by beginning of the mantissa
    std::vector<std::int64_t> m_exponents; // by beginning of the exponent's digits
    std::string m_significant;             // the first kDigitsKept significant digits
    size_t m_stickyAt = std::string::npos; // the first digit not 0 beyond them
    std::int64_t m_exponentBase = 0;
    bool m_wholeAtFirst = false;
    std::optional<std::pair<Key, std::optional<double>>> m_last;
};

} // namespace

CountEdit checkCountEdit(const CutRowTexts &widths, const CutRowTexts &akommati, int index,
                         const std::string &text4, const SearchedCut &searched)
{
    CountEdit e;
    const auto value = index >= 0 && index < kMaxColumns ? stripCount(akommati[size_t(index)]) : std::nullopt;
    if (!value) {
        e.message = kBadCount;
        return e;
    }
    const auto restore = [&](const char *message) {
        e.outcome = CountEditOutcome::Restore;
        e.message = message;
        e.akommati = withSearchedCounts(akommati, searched);
        e.maxairia = plat::numStr(searched.freeKnives);
        e.dblFira = searched.saved[10];
        e.fira = plat::numStr(e.dblFira);
        return e;
    };
    // Knives the cut cannot hold would carry the free knives and the waste
    // past every number.
    const double most = mostStripsOfCut(searched.usableWidth);
    const auto typedKnives = plat::parseNumber(text4);
    if (typedKnives && plat::intPart(*typedKnives) > most) return restore(kBadKnives);
    const double knives = typedKnives.value_or(double(searched.maxStrips));
    if (*value > std::min(plat::intPart(knives), most)) return restore(kCountAboveKnivesText);
    if (*value < 0) return restore(kNegativeCountText);
    double total = 0;
    for (int c = 0; c < kMaxColumns; ++c)
        if (!plat::isBlankText(widths[size_t(c)])) total += stripCount(akommati[size_t(c)]).value_or(0);
    if (total > knives) return restore(kCountSumAboveKnivesText);

    e.outcome = CountEditOutcome::Accepted;
    e.akommati = akommati;
    for (int i = 0; i <= searched.lastRow && i < kMaxColumns; ++i) e.akommati[size_t(i)] = trimmed(akommati[size_t(i)]);
    double used = 0, strips = 0;
    for (int c = 0; c < kMaxColumns; ++c) {
        if (plat::isBlankText(widths[size_t(c)])) continue;
        std::string &count = e.akommati[size_t(c)];
        if (count.empty()) count = "0";
        const double n = stripCount(count).value_or(0);
        used += n * plat::intPart(numberOr0(widths[size_t(c)]));
        strips += n;
    }
    e.maxairia = plat::intStr(clampedWhole(plat::intPart(knives) - strips));
    e.dblFira = searched.usableWidth - used;
    e.fira = plat::numStr(e.dblFira);
    return e;
}

std::optional<std::string> coilsCutBack(const std::string &grammi)
{
    // A number too long to be read (hundreds of digits) is above 10000 as
    // well: it is cut back like any other, not left for the solve to refuse.
    if (!plat::isNumberText(grammi)) return std::nullopt;
    NumberBeginnings number(grammi);
    if (!tooManyCoils(number.value(grammi.size()))) return std::nullopt;
    size_t k = grammi.size() - 1;
    while (k > 0 && tooManyCoils(number.value(k))) --k;
    return grammi.substr(0, k);
}

HandCutResult solveHandCut(const HandCutInput &in)
{
    HandCutResult r;
    const auto refuse = [&](const char *message) {
        r.outcome = HandCutOutcome::Refused;
        r.message = message;
        return r;
    };
    const int lastTicked = in.tickedRows - 1;
    // A cut belongs to the order it was searched for: once rows were ticked
    // or cleared, or the order was replaced, its figures would land on the
    // wrong rows.
    if (in.orderReplaced || lastTicked != in.intLastRow || (in.searched && lastTicked != in.searched->lastRow))
        return refuse(kOrderChanged);
    const auto coils = plat::parseNumber(in.grammi);
    if (!coils || *coils < 0) return refuse(kBadCoilsText);
    if (plat::isBlankText(in.akommati[0]) || !in.searched) return r;
    for (int c = 0; c < kMaxColumns; ++c) {
        if (plat::isBlankText(in.widths[size_t(c)])) continue;
        const auto count = stripCount(in.akommati[size_t(c)]);
        if (!count || *count < 0) return refuse(kBadCount);
    }

    const OrderBounds &b = *in.searched;
    const double n = plat::intPart(*coils);
    r.trims = b.rightTrim + b.leftTrim;
    const double kg = b.kgPerMm;
    if (in.dblFira < 0) {
        // Wider than the coil: back to the searched cut, with its own figures.
        const double fira = in.cut.saved[10];
        r.outcome = HandCutOutcome::Impossible;
        r.message = kImpossibleText;
        r.akommati = withSearchedCounts(in.akommati, in.cut);
        r.dblFira = fira;
        r.fira = plat::numStr(fira);
        produced(r, b, in.widths, r.akommati, n);
        r.text3 = plat::numStr(n * fira);
        r.text5 = plat::numStr(fira * kg * n);
        r.text8 = plat::numStr((fira + r.trims) * n);
        r.text10 = plat::numStr((fira + r.trims) * kg * n);
        return r;
    }

    if (!plat::parseNumber(in.txtArxi) || plat::isBlankText(in.grammi)) return r;
    r.outcome = HandCutOutcome::Accepted;
    r.akommati = in.akommati;
    r.dblFira = in.dblFira;
    r.fira = plat::numStr(in.changed ? in.dblFira : in.cut.saved[10]);
    produced(r, b, in.widths, in.akommati, n);
    const double fira = in.dblFira;
    r.text3 = plat::numStr(n * fira);
    r.text5 = plat::numStr(n * kg * fira);
    r.text8 = plat::numStr(n * (fira + r.trims));
    r.text10 = plat::numStr(n * (fira + r.trims) * kg);
    return r;
}

} // namespace fk
