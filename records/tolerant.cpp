// The lenient number reader for typed-in measurements.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tolerant.h"

#include <cstdint>

std::string TolerantInt::message() const
{
    return "'" + digits + "' is not a valid integer value";
}

TolerantInt TolerantStrToInt(std::string_view text)
{
    TolerantInt r;
    for (char c : text) {
        if (c == ',' || c == '.')
            break;
        if (c >= '0' && c <= '9')
            r.digits += c;
        else if (c == 'O' || c == 'o')
            r.digits += '0';
        else if (c == 'I' || c == 'i' || c == 'L' || c == 'l')
            r.digits += '1';
    }
    std::int64_t v = 0;
    for (char d : r.digits) {
        v = v * 10 + (d - '0');
        if (v > INT32_MAX) {
            r.ok = false;
            r.value = 0;
            return r;
        }
    }
    r.value = std::int32_t(v);
    return r;
}
