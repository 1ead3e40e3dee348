// Short dates under the injected format, and the file date-time.
#include "datefmt.h"

#include <gtest/gtest.h>

TEST(DateFormat, FromLocalePatterns)
{
    auto f = DateFormat::FromPattern("dd/MM/yyyy");
    EXPECT_EQ(f.order, DateFormat::Order::DMY);
    EXPECT_EQ(f.separator, '/');
    f = DateFormat::FromPattern("M/d/yy");
    EXPECT_EQ(f.order, DateFormat::Order::MDY);
    f = DateFormat::FromPattern("yyyy-MM-dd");
    EXPECT_EQ(f.order, DateFormat::Order::YMD);
    EXPECT_EQ(f.separator, '-');
    f = DateFormat::FromPattern("dd.MM.yyyy");
    EXPECT_EQ(f.separator, '.');
    f = DateFormat::FromPattern("");
    EXPECT_EQ(f.order, DateFormat::Order::DMY);
    EXPECT_EQ(f.separator, '-');
}

TEST(ShortDate, ParsesInTheFormatsOrder)
{
    const DateFormat dmy = DateFormat::Danish();
    const DateFormat mdy{DateFormat::Order::MDY, '/'};
    EXPECT_EQ(ParseShortDate("03-04-2005", dmy), (Date{2005, 4, 3}));
    EXPECT_EQ(ParseShortDate("03/04/2005", mdy), (Date{2005, 3, 4}));
    EXPECT_EQ(ParseShortDate(" 1-2-2001 ", dmy), (Date{2001, 2, 1}));
    EXPECT_EQ(ParseShortDate("29-02-2004", dmy), (Date{2004, 2, 29}));
    EXPECT_FALSE(ParseShortDate("29-02-2005", dmy));
    EXPECT_FALSE(ParseShortDate("31-02-2005", dmy));
    EXPECT_FALSE(ParseShortDate("1-2", dmy));
    EXPECT_FALSE(ParseShortDate("1-2-3-4", dmy));
    EXPECT_FALSE(ParseShortDate("a-b-c", dmy));
    EXPECT_FALSE(ParseShortDate("--2000", dmy));
    EXPECT_FALSE(ParseShortDate("1-1-123456", dmy));
    EXPECT_EQ(FormatShortDate({2001, 2, 1}, dmy), "01-02-2001");
    EXPECT_EQ(FormatShortDate({2001, 2, 1}, mdy), "02/01/2001");
}

TEST(DateTime, FormatsAsTheSetupGridShowsIt)
{
    const DateFormat dmy = DateFormat::Danish();
    EXPECT_EQ(FormatDateTime(2.0, dmy), "01-01-1900");           // day 2 is 1900-01-01, midnight
    EXPECT_EQ(FormatDateTime(36526.5, dmy), "01-01-2000 12:00:00");
    EXPECT_EQ(FormatDateTime(45000.75, dmy), "15-03-2023 18:00:00");
}

TEST(ValidDate, CenturyRuleOfLeapYears)
{
    EXPECT_FALSE(IsValidDate(1900, 2, 29));   // divisible by 100, not by 400
    EXPECT_TRUE(IsValidDate(2000, 2, 29));    // divisible by 400
    EXPECT_TRUE(IsValidDate(2004, 2, 29));
    EXPECT_FALSE(IsValidDate(2005, 2, 29));
    EXPECT_FALSE(IsValidDate(2100, 2, 29));
    EXPECT_TRUE(IsValidDate(2005, 2, 28));
    EXPECT_TRUE(IsValidDate(2005, 12, 31));
    EXPECT_FALSE(IsValidDate(2005, 4, 31));
    EXPECT_FALSE(IsValidDate(2005, 13, 1));
    EXPECT_FALSE(IsValidDate(2005, 0, 1));
    EXPECT_FALSE(IsValidDate(2005, 1, 0));
    EXPECT_FALSE(IsValidDate(2005, 1, 32));
}

TEST(BirthDate, FilesHoldDayMonthYearWithDashesWhateverTheLocale)
{
    // The machine's short format must not matter.
    for (const DateFormat fmt : {DateFormat::Danish(), DateFormat{DateFormat::Order::MDY, '/'},
                                 DateFormat{DateFormat::Order::YMD, '.'}, DateFormat{DateFormat::Order::DMY, '.'}}) {
        SetShortDateFormat(fmt);
        struct Case { const char* text; Date date; };
        for (const Case c : {Case{"03-04-2005", {2005, 4, 3}}, {"3.4.2005", {2005, 4, 3}}, {"3/4/2005", {2005, 4, 3}},
                             {"03.4-2005", {2005, 4, 3}}, {" 31-12-1999 ", {1999, 12, 31}},
                             {"29-02-2000", {2000, 2, 29}}, {"1-1-05", {2005, 1, 1}}, {"1-1-99", {1999, 1, 1}}}) {
            const auto d = ParseFoedselsdag(c.text);
            ASSERT_TRUE(d) << c.text;
            EXPECT_EQ(*d, c.date) << c.text;
        }
        for (const char* bad : {"29-02-1900", "31-02-2005", "31-04-2005", "0-1-2005", "1-13-2005", "003-04-2005",
                                "3-004-2005", "3-4-205", "3-4-20050", "3-4", "3-4-2005-1", "3 4 2005", "3,4,2005",
                                "-4-2005", "", "2005-04-03x"})
            EXPECT_FALSE(ParseFoedselsdag(bad)) << bad;
        EXPECT_EQ(FormatFoedselsdag({2005, 4, 3}), "03-04-2005");
        EXPECT_EQ(FormatFoedselsdag({987, 11, 30}), "30-11-0987");
    }
    SetShortDateFormat(DateFormat::Danish());
}
