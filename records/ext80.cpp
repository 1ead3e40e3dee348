// 80-bit extended float <-> double, without relying on long double.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ext80.h"

#include <cmath>
#include <cstring>
#include <limits>

ext80::ext80(double v) : bytes_(Encode(v)), value_(v) {}

ext80 ext80::FromBytes(const Bytes& bytes)
{
    ext80 e;
    e.bytes_ = bytes;
    e.value_ = Decode(bytes);
    return e;
}

ext80 ext80::FromBytes(const std::uint8_t* tenBytes)
{
    Bytes b;
    std::memcpy(b.data(), tenBytes, b.size());
    return FromBytes(b);
}

// Layout: bytes 0..7 the 64-bit mantissa (little-endian, bit 63 the explicit
// integer bit), bytes 8..9 the 15-bit biased exponent (bias 16383) and sign.
ext80::Bytes ext80::Encode(double v)
{
    Bytes b{};
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    const bool neg = bits >> 63;
    const int dexp = int((bits >> 52) & 0x7FF);
    std::uint64_t frac = bits & ((std::uint64_t(1) << 52) - 1);
    std::uint64_t mant = 0;
    int exp = 0;
    if (dexp == 0x7FF) {            // infinity or NaN: keep the payload
        exp = 0x7FFF;
        mant = (std::uint64_t(1) << 63) | (frac << 11);
    } else if (dexp == 0) {
        if (frac != 0) {            // double denormal: normal in ext80
            int shift = 0;
            while (!(frac & (std::uint64_t(1) << 52))) {
                frac <<= 1;
                ++shift;
            }
            exp = 1 - 1023 - shift + 16383;
            mant = frac << 11;
        }
    } else {
        exp = dexp - 1023 + 16383;
        mant = (std::uint64_t(1) << 63) | (frac << 11);
    }
    for (int k = 0; k < 8; ++k)
        b[k] = std::uint8_t(mant >> (8 * k));
    const unsigned se = unsigned(exp) | (neg ? 0x8000u : 0u);
    b[8] = std::uint8_t(se);
    b[9] = std::uint8_t(se >> 8);
    return b;
}

double ext80::Decode(const Bytes& b)
{
    std::uint64_t mant = 0;
    for (int k = 7; k >= 0; --k)
        mant = (mant << 8) | b[k];
    const unsigned se = unsigned(b[8]) | (unsigned(b[9]) << 8);
    const bool neg = se & 0x8000;
    const int exp = int(se & 0x7FFF);
    double r;
    if (exp == 0x7FFF) {
        if ((mant << 1) == 0)
            r = std::numeric_limits<double>::infinity();
        else
            r = std::numeric_limits<double>::quiet_NaN();
    } else if (mant == 0) {
        r = 0.0;
    } else {
        // Value = mant * 2^(exp - 16383 - 63); exponent 0 counts as 1.
        const int e = (exp == 0 ? 1 : exp) - 16383 - 63;
        // Round the 64-bit mantissa to 53 bits via long long -> double, which
        // rounds to nearest; ldexp then handles the range (denormals/overflow).
        r = std::ldexp(double(mant >> 11), e + 11);
        const std::uint64_t rest = mant & 0x7FF;
        if (rest > 0x400 || (rest == 0x400 && ((mant >> 11) & 1)))
            r = std::ldexp(double((mant >> 11) + 1), e + 11);
    }
    return neg ? -r : r;
}
