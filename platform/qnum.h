#pragma once
// Qt face of the number-text conversions (see numtext.h): every window reads
// and writes its numeric boxes through these.
#include <QString>
#include <optional>

namespace plat {

std::optional<double> toNumber(const QString &text);
inline bool isNumeric(const QString &text) { return toNumber(text).has_value(); }
QString numText(double v);
QString intText(qint64 v);

// Layout twips to pixels (15 twips to a pixel).
constexpr int tw(int twips) { return twips / 15; }

} // namespace plat
