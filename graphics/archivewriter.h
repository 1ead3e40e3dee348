// Writing a drawing archive: the counterpart of ReadDataArchive, for the
// archive builder and the tests. The byte layout is in archive.h.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "archive.h"

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

/// The bytes of \a archive in its Version (1..5; WideFillTable chooses for
/// version 4). Coordinates are written as they stand, so a picture's Bounds
/// should already contain its points; element and layout IntPoints are not
/// written (the reader rebuilds them from Points).
///
/// Refuses, with a message in \a error and nothing written, anything the
/// format cannot hold rather than cutting it: names over 20 bytes, font names
/// over 31 (v1, v2) or 255 bytes, counts over 65 535, coordinates outside 16
/// bits, fill numbers over 255 in a narrow file, fill entries past 252 in a
/// narrow file, a kind byte in a version 1 file (which has cell pictures
/// only), a zero byte in a layout text, a picture that would flatten to more
/// than 16 384 points, and points a real48 cannot hold.
[[nodiscard]] bool WriteDataArchive(const DataArchive& archive, std::vector<std::uint8_t>& bytes,
                                    std::string* error = nullptr);

/// Writes the archive to a file through a temporary file: a failure leaves
/// an old file as it was.
[[nodiscard]] bool SaveDataArchive(const DataArchive& archive, const QString& path, std::string* error = nullptr);
