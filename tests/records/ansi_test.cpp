// The Windows-1252 codec and the lenient number reader.
#include "ansi.h"
#include "tolerant.h"

#include <gtest/gtest.h>

TEST(Ansi, DanishLettersAndSymbolsRoundTrip)
{
    const std::string utf8 = "Søren Æblegård – “Å” €5 ™ Œuvre";
    const auto bytes = ansi::FromUtf8(utf8);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(std::uint8_t((*bytes)[1]), 0xF8);   // ø is one byte
    EXPECT_EQ(ansi::ToUtf8(*bytes), utf8);
}

TEST(Ansi, EveryByteSurvivesTheTripThroughUtf8)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    const auto back = ansi::FromUtf8(ansi::ToUtf8(all));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, all);
}

TEST(Ansi, WhereWindows1252DiffersFromLatin1)
{
    // Byte for byte, 0x80..0x9F: a round trip cannot see two swapped entries.
    constexpr char32_t kWant[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,   // 80: € ‚ ƒ „ … † ‡
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,   // 88: ˆ ‰ Š ‹ Œ   Ž
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,   // 90:   ‘ ’ “ ” • – —
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,   // 98: ˜ ™ š › œ   ž Ÿ
    };
    for (int b = 0x80; b <= 0x9F; ++b) {
        EXPECT_EQ(ansi::ToCodePoint(std::uint8_t(b)), kWant[b - 0x80]) << std::hex << b;
        EXPECT_EQ(ansi::FromCodePoint(kWant[b - 0x80]), b) << std::hex << b;
    }
    EXPECT_EQ(ansi::ToCodePoint(0x93), U'\u201C');
    EXPECT_EQ(ansi::ToUtf8("\x93"), "\u201C");
    EXPECT_EQ(ansi::FromUtf8("\u201C"), std::string("\x93"));
    EXPECT_EQ(ansi::FromUtf8("\u201D"), std::string("\x94"));
    // Latin-1's own letters above 0x9F are Windows-1252's too.
    for (int b = 0xA0; b <= 0xFF; ++b)
        EXPECT_EQ(ansi::ToCodePoint(std::uint8_t(b)), char32_t(b));
    EXPECT_EQ(ansi::FromCodePoint(0x0080), -1);   // the C1 control that € displaced
    EXPECT_EQ(ansi::FromCodePoint(0x0093), -1);
}

TEST(Ansi, RefusesWhatItCannotHold)
{
    EXPECT_FALSE(ansi::FromUtf8("Łukasz"));        // Polish Ł
    EXPECT_FALSE(ansi::FromUtf8("smil 😀"));        // emoji
    EXPECT_FALSE(ansi::FromUtf8("\xC3"));           // cut sequence
    EXPECT_FALSE(ansi::FromUtf8("\xC0\xAF"));       // overlong "/"
    EXPECT_FALSE(ansi::FromUtf8("\xED\xA0\x80"));   // surrogate
}

TEST(Ansi, LettersAndCase)
{
    EXPECT_TRUE(ansi::IsAlnum(0xE6));    // æ
    EXPECT_TRUE(ansi::IsAlnum(0xD8));    // Ø
    EXPECT_TRUE(ansi::IsAlnum(0x8A));    // Š
    EXPECT_FALSE(ansi::IsAlnum(0xD7));   // ×
    EXPECT_FALSE(ansi::IsAlnum('-'));
    EXPECT_FALSE(ansi::IsAlnum(0xA0));   // no-break space
    EXPECT_EQ(ansi::ToLower(0xC5), 0xE5);   // Å -> å
    EXPECT_EQ(ansi::ToLower(0x9F), 0xFF);   // Ÿ -> ÿ
    EXPECT_EQ(ansi::ToLower(0xD7), 0xD7);
}

TEST(TolerantStrToInt, ReadsWhatAChildTypes)
{
    struct Case { const char* text; std::int32_t value; };
    const Case cases[] = {
        {"1O5", 105}, {"l2", 12}, {"17,5", 17}, {"17.9", 17}, {"abc", 0}, {"", 0},
        {"1 2 3 cm", 123}, {"i0", 10}, {"2147483647", 2147483647}, {"-5", 5},
    };
    for (const auto& c : cases) {
        const auto r = TolerantStrToInt(c.text);
        EXPECT_TRUE(r.ok) << c.text;
        EXPECT_EQ(r.value, c.value) << c.text;
    }
}

TEST(TolerantStrToInt, TooBigIsAnErrorWithTheDigits)
{
    const auto r = TolerantStrToInt("2147483648");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message(), "'2147483648' is not a valid integer value");
    EXPECT_FALSE(TolerantStrToInt("99999999999999999999999999").ok);
}
