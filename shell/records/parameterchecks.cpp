#include "parameterchecks.h"

#include "platform/numtext.h"

#include <optional>

namespace rec {

namespace {

bool isBlankOnly(const std::string &t)
{
    for (char c : t)
        if (c != ' ' && c != '\t') return false;
    return true;
}

// Only ASCII can be part of a number; a Greek letter's bytes must never be
// read as one.
std::optional<double> readNumber(const std::string &t)
{
    for (unsigned char c : t)
        if (c > 127) return std::nullopt;
    return plat::parseNumber(t);
}

} // namespace

ParameterCheckResult checkParameterTexts(const std::array<std::string, ParameterFieldCount> &texts)
{
    for (int i = 0; i < ParameterFieldCount; ++i) {
        if (isBlankOnly(texts[i])) return {false, i, "Πρέπει να συμπληρωθούν όλα τα πεδία"};
        if (!readNumber(texts[i])) return {false, i, "Όλα τα πεδία πρέπει να είναι αριθμητικά"};
    }
    const double deviation = *readNumber(texts[FieldAnektiApoklisi]);
    if (deviation < 0 || deviation > 100)
        return {false, FieldAnektiApoklisi,
                "Η τιμή που δώσατε για το πεδίο <Ανεκτή απόκλιση> είναι εκτός ορίων (0-100)"};
    return {};
}

} // namespace rec
