// Windows-1252 <-> UTF-8.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ansi.h"

namespace ansi {
namespace {

// Code points of bytes 0x80..0x9F. The five bytes Windows-1252 leaves
// undefined keep their C1 code point, as Windows itself maps them.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i]; returns false on malformed input.
bool nextCodePoint(std::string_view s, std::size_t& i, char32_t& cp)
{
    const auto b0 = std::uint8_t(s[i]);
    int len = 0;
    if (b0 < 0x80) { cp = b0; len = 1; }
    else if ((b0 & 0xE0) == 0xC0) { cp = b0 & 0x1F; len = 2; }
    else if ((b0 & 0xF0) == 0xE0) { cp = b0 & 0x0F; len = 3; }
    else if ((b0 & 0xF8) == 0xF0) { cp = b0 & 0x07; len = 4; }
    else return false;
    if (i + len > s.size())
        return false;
    for (int k = 1; k < len; ++k) {
        const auto b = std::uint8_t(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return false;
        cp = (cp << 6) | (b & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    static constexpr char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return false;
    i += len;
    return true;
}

} // namespace

char32_t ToCodePoint(std::uint8_t b)
{
    if (b >= 0x80 && b < 0xA0)
        return kHigh[b - 0x80];
    return b;
}

int FromCodePoint(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return int(cp);
    for (int k = 0; k < 32; ++k)
        if (kHigh[k] == cp)
            return 0x80 + k;
    return -1;
}

std::string ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes)
        appendUtf8(out, ToCodePoint(std::uint8_t(c)));
    return out;
}

std::optional<std::string> FromUtf8(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        if (!nextCodePoint(utf8, i, cp))
            return std::nullopt;
        const int b = FromCodePoint(cp);
        if (b < 0)
            return std::nullopt;
        out += char(b);
    }
    return out;
}

bool IsValidUtf8(std::string_view s)
{
    std::size_t i = 0;
    char32_t cp = 0;
    while (i < s.size())
        if (!nextCodePoint(s, i, cp))
            return false;
    return true;
}

bool IsAlnum(std::uint8_t b)
{
    if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'))
        return true;
    switch (b) {
    case 0x83: case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F:
    case 0xAA: case 0xB5: case 0xBA:
        return true;
    default:
        break;
    }
    return b >= 0xC0 && b != 0xD7 && b != 0xF7;
}

std::uint8_t ToLower(std::uint8_t b)
{
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
        return std::uint8_t(b + 0x20);
    switch (b) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return b;
    }
}

} // namespace ansi
