#include "qnum.h"
#include "numtext.h"

namespace plat {

std::optional<double> toNumber(const QString &text)
{
    // Any character outside ASCII cannot be part of a number; checking here keeps
    // the byte-level reader from seeing half of a multi-byte character.
    for (QChar c : text)
        if (c.unicode() > 127) return std::nullopt;
    const QByteArray bytes = text.toLatin1();
    return parseNumber(std::string_view(bytes.constData(), size_t(bytes.size())));
}

QString numText(double v) { return QString::fromStdString(plat::numStr(v)); }
QString intText(qint64 v) { return QString::number(v); }

} // namespace plat
