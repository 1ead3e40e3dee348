// The 80-bit extended float that pupil and archive files store (10 bytes,
// 64-bit mantissa with explicit integer bit, 15-bit exponent, sign).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

/// Holds the ten bytes exactly as they were read and a double for arithmetic.
/// A value that is not changed is written back byte for byte, whatever it
/// holds (NaN payloads, denormals, precision a double lacks).
class ext80 {
public:
    using Bytes = std::array<std::uint8_t, 10>;

    ext80() : ext80(0.0) {}
    explicit ext80(double v);

    static ext80 FromBytes(const Bytes& bytes);
    static ext80 FromBytes(const std::uint8_t* tenBytes);

    /// Nearest double (overflow gives infinity, NaN stays NaN).
    double value() const { return value_; }
    const Bytes& bytes() const { return bytes_; }

    /// Exact encoding of a double (every double fits an ext80 exactly).
    static Bytes Encode(double v);
    static double Decode(const Bytes& bytes);

    bool sameBytes(const ext80& o) const { return bytes_ == o.bytes_; }

private:
    Bytes bytes_{};
    double value_ = 0.0;
};
