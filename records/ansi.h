// Text in the files is Windows-1252 ("ANSI") bytes; this is the one codec
// between those bytes and UTF-8.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ansi {

/// UTF-8 text of Windows-1252 bytes. Every byte maps to one character; the
/// five bytes that Windows-1252 leaves undefined map to U+0081 etc., so no
/// byte is ever lost.
std::string ToUtf8(std::string_view ansiBytes);

/// Windows-1252 bytes of UTF-8 text, or nothing when the text holds a
/// character that Windows-1252 cannot hold (or is not valid UTF-8).
std::optional<std::string> FromUtf8(std::string_view utf8);

/// The Windows-1252 byte for a Unicode code point, or -1 when there is none.
int FromCodePoint(char32_t cp);

/// The Unicode code point of a Windows-1252 byte.
char32_t ToCodePoint(std::uint8_t byte);

/// A letter or a digit as Windows classifies Windows-1252 characters
/// (so æ, ø and å count as letters).
bool IsAlnum(std::uint8_t byte);

/// Lower-case of a Windows-1252 byte (Æ -> æ, Š -> š, Ÿ -> ÿ).
std::uint8_t ToLower(std::uint8_t byte);

/// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

} // namespace ansi
