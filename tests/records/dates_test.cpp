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
