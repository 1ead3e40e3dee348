// The user's short date format, injected by the program (from the system
// locale) and by tests, and the date-time as the files count it.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

struct DateFormat {
    enum class Order { DMY, MDY, YMD };
    Order order = Order::DMY;
    char separator = '-';
    char timeSeparator = ':';

    /// Danish day-month-year with "-": used when the locale gives none.
    static DateFormat Danish() { return {}; }
    /// From a locale pattern such as "dd/MM/yyyy", "M/d/yy" or "yyyy-MM-dd".
    /// Falls back to Danish() when the pattern names no day, month and year.
    static DateFormat FromPattern(std::string_view pattern);
};

struct Date {
    int year = 0, month = 0, day = 0;
    bool operator==(const Date&) const = default;
};

/// The format used by every date operation of the records.
const DateFormat& ShortDateFormat();
void SetShortDateFormat(const DateFormat& fmt);

/// Reads day, month and year in the format's order, split by its separator.
/// Two-digit years count from 2000 when that is not in the future, else 1900.
std::optional<Date> ParseShortDate(std::string_view text, const DateFormat& fmt = ShortDateFormat());
/// Two-digit day and month, four-digit year, in the format's order.
std::string FormatShortDate(const Date& d, const DateFormat& fmt = ShortDateFormat());

/// True when the date exists in the Gregorian calendar (31-02 and 29-02-1900
/// do not; 29-02-2000 does), year 1 to 9999.
bool IsValidDate(int year, int month, int day);

/// Birth dates as the files hold them, "dd-MM-yyyy", on every machine and
/// under every locale: class folders move between machines.
/// Reading takes day, month and year in that order, separated by "-", "."
/// or "/", with one- or two-digit day and month and a two- or four-digit
/// year (two digits count from 2000 when that is not in the future); the
/// date must exist.
std::optional<Date> ParseFoedselsdag(std::string_view text);
/// "dd-MM-yyyy".
std::string FormatFoedselsdag(const Date& d);

/// A moment as days since 30 December 1899, fraction = time of day.
using DateTime = double;
/// A local broken-down time plus milliseconds as a DateTime.
DateTime DateTimeFromLocal(const std::tm& local, int millis);
/// Now, in local time.
DateTime NowDateTime();
/// Short date, a blank and the time (hh:mm:ss); the time left out at exactly
/// midnight.
std::string FormatDateTime(DateTime t, const DateFormat& fmt = ShortDateFormat());
