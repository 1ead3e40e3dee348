// The lenient number reader used for typed-in measurements.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct TolerantInt {
    bool ok = true;           ///< false: the digits do not fit 32 bits
    std::int32_t value = 0;   ///< 0 when nothing was taken or on error
    std::string digits;       ///< the digits taken, for the error message
    /// "'<digits>' is not a valid integer value" when !ok.
    std::string message() const;
};

/// Digits are taken as they are, O/o as 0, I/i/L/l as 1; the first comma or
/// full stop ends the text; everything else is skipped. Nothing taken gives 0.
/// A number beyond the signed 32-bit range is an error, never a crash.
TolerantInt TolerantStrToInt(std::string_view text);
