// The QString boundary of the Windows-1252 codec: records hold the bytes,
// the screen wants QString.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace ansi {

/// The text of Windows-1252 bytes; every byte becomes one character.
QString ToQString(std::string_view ansiBytes);
inline QString ToQString(const std::string& ansiBytes) { return ToQString(std::string_view(ansiBytes)); }

/// Windows-1252 bytes of a text, or nothing when it holds a character that
/// Windows-1252 cannot hold (or a broken surrogate pair).
std::optional<std::string> FromQString(const QString& text);

} // namespace ansi
