// The 80-bit float: exact bytes kept, sound conversion to double.
#include "ext80.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

ext80::Bytes bytesOf(std::initializer_list<int> b)
{
    ext80::Bytes r{};
    int k = 0;
    for (int v : b)
        r[k++] = std::uint8_t(v);
    return r;
}

} // namespace

TEST(Ext80, KnownEncodings)
{
    // 1.0: mantissa 0x8000000000000000, exponent 0x3FFF.
    EXPECT_EQ(ext80(1.0).bytes(), bytesOf({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
    EXPECT_EQ(ext80(-2.0).bytes(), bytesOf({0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0}));
    EXPECT_EQ(ext80(0.0).bytes(), bytesOf({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ext80(0.5).bytes(), bytesOf({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x3F}));
}

TEST(Ext80, EveryDoubleSurvives)
{
    const double values[] = {0.1, -0.1, 1.0 / 332, 12345.678, 1e-300, 1e300,
                             std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::max(), -0.0};
    for (double v : values) {
        const double back = ext80::Decode(ext80::Encode(v));
        EXPECT_EQ(back, v);
        EXPECT_EQ(std::signbit(back), std::signbit(v));
    }
}

TEST(Ext80, ValuesADoubleCannotHoldKeepTheirBytes)
{
    // 0.1 as an 80-bit float has 11 more mantissa bits than a double.
    const auto tenth = bytesOf({0xCD, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F});
    const ext80 e = ext80::FromBytes(tenth);
    EXPECT_DOUBLE_EQ(e.value(), 0.1);
    EXPECT_EQ(e.bytes(), tenth);

    // NaN with a payload, an ext80 denormal, a pseudo-denormal, infinity.
    const ext80::Bytes odd[] = {
        bytesOf({1, 2, 3, 4, 5, 6, 7, 0xC0, 0xFF, 0x7F}),
        bytesOf({1, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
        bytesOf({0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0}),
        bytesOf({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xFF}),
    };
    EXPECT_TRUE(std::isnan(ext80::FromBytes(odd[0]).value()));
    EXPECT_EQ(ext80::FromBytes(odd[1]).value(), 0.0);   // far below a double's range
    EXPECT_EQ(ext80::FromBytes(odd[3]).value(), -std::numeric_limits<double>::infinity());
    for (const auto& b : odd)
        EXPECT_EQ(ext80::FromBytes(b).bytes(), b);
}

TEST(Ext80, HugeExponentsBecomeInfinityNotGarbage)
{
    const auto big = bytesOf({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x7F});
    EXPECT_TRUE(std::isinf(ext80::FromBytes(big).value()));
}
