// The QString boundary of the Windows-1252 codec.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qansi.h"

#include "ansi.h"

namespace ansi {

QString ToQString(std::string_view ansiBytes)
{
    QString s;
    s.reserve(qsizetype(ansiBytes.size()));
    for (char c : ansiBytes)
        s.append(QChar(char16_t(ToCodePoint(std::uint8_t(c)))));   // all of Windows-1252 lies in the BMP
    return s;
}

std::optional<std::string> FromQString(const QString& text)
{
    std::string out;
    out.reserve(std::size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isSurrogate())
            return std::nullopt;   // nothing outside the BMP is in Windows-1252
        const int b = FromCodePoint(char32_t(c.unicode()));
        if (b < 0)
            return std::nullopt;
        out.push_back(char(b));
    }
    return out;
}

} // namespace ansi
