// Short dates in the user's format, and the file date-time.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "datefmt.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

DateFormat g_format;

std::tm localTime(std::time_t t)
{
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    return tm;
}

int currentYear()
{
    return localTime(std::time(nullptr)).tm_year + 1900;
}

} // namespace

const DateFormat& ShortDateFormat() { return g_format; }
void SetShortDateFormat(const DateFormat& fmt) { g_format = fmt; }

DateFormat DateFormat::FromPattern(std::string_view p)
{
    const auto d = p.find_first_of("d");
    const auto m = p.find_first_of("M");
    const auto y = p.find_first_of("yY");
    if (d == p.npos || m == p.npos || y == p.npos)
        return Danish();
    DateFormat f;
    if (y < m && m < d)
        f.order = Order::YMD;
    else if (m < d && d < y)
        f.order = Order::MDY;
    else
        f.order = Order::DMY;
    // The separator is the first character that is not a field letter.
    for (char c : p) {
        if (c != 'd' && c != 'M' && c != 'y' && c != 'Y' && c != ' ' && c != '\'') {
            f.separator = c;
            break;
        }
    }
    return f;
}

bool IsValidDate(int y, int m, int d)
{
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1)
        return false;
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= kDays[m - 1] + (m == 2 && leap ? 1 : 0);
}

std::optional<Date> ParseShortDate(std::string_view text, const DateFormat& fmt)
{
    int nums[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int field = 0;
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    std::size_t end = text.size();
    while (end > i && text[end - 1] == ' ')
        --end;
    for (; i < end; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (digits[field] >= 4)
                return std::nullopt;
            nums[field] = nums[field] * 10 + (c - '0');
            ++digits[field];
        } else if (c == fmt.separator) {
            if (digits[field] == 0 || ++field > 2)
                return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (field != 2 || digits[2] == 0)
        return std::nullopt;
    Date d;
    int yDigits = 0;
    switch (fmt.order) {
    case DateFormat::Order::DMY: d = {nums[2], nums[1], nums[0]}; yDigits = digits[2]; break;
    case DateFormat::Order::MDY: d = {nums[2], nums[0], nums[1]}; yDigits = digits[2]; break;
    case DateFormat::Order::YMD: d = {nums[0], nums[1], nums[2]}; yDigits = digits[0]; break;
    }
    if (yDigits <= 2) {
        const int now = currentYear();
        d.year += 2000;
        if (d.year > now)
            d.year -= 100;
    }
    if (!IsValidDate(d.year, d.month, d.day))
        return std::nullopt;
    return d;
}

std::optional<Date> ParseFoedselsdag(std::string_view text)
{
    int nums[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int field = 0;
    std::size_t i = 0, end = text.size();
    while (i < end && text[i] == ' ')
        ++i;
    while (end > i && text[end - 1] == ' ')
        --end;
    for (; i < end; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (++digits[field] > (field == 2 ? 4 : 2))
                return std::nullopt;
            nums[field] = nums[field] * 10 + (c - '0');
        } else if (c == '-' || c == '.' || c == '/') {
            if (digits[field] == 0 || ++field > 2)
                return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (field != 2 || (digits[2] != 2 && digits[2] != 4))
        return std::nullopt;
    Date d{nums[2], nums[1], nums[0]};
    if (digits[2] == 2) {
        d.year += 2000;
        if (d.year > currentYear())
            d.year -= 100;
    }
    if (!IsValidDate(d.year, d.month, d.day))
        return std::nullopt;
    return d;
}

std::string FormatFoedselsdag(const Date& d)
{
    return FormatShortDate(d, DateFormat::Danish());
}

std::string FormatShortDate(const Date& d, const DateFormat& fmt)
{
    char buf[32];
    const char s = fmt.separator;
    switch (fmt.order) {
    case DateFormat::Order::DMY:
        std::snprintf(buf, sizeof buf, "%02d%c%02d%c%04d", d.day, s, d.month, s, d.year);
        break;
    case DateFormat::Order::MDY:
        std::snprintf(buf, sizeof buf, "%02d%c%02d%c%04d", d.month, s, d.day, s, d.year);
        break;
    case DateFormat::Order::YMD:
        std::snprintf(buf, sizeof buf, "%04d%c%02d%c%02d", d.year, s, d.month, s, d.day);
        break;
    }
    return buf;
}

namespace {

// Days from 1899-12-30 to the civil date (proleptic Gregorian).
long daysFromCivil(int y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + long(doe) - 719468 + 25569;   // 25569: 1899-12-30 .. 1970-01-01
}

void civilFromDays(long z, int& y, int& m, int& d)
{
    z += 719468 - 25569;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(long(yoe) + era * 400 + (m <= 2));
}

} // namespace

DateTime NowDateTime()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::tm tm = localTime(system_clock::to_time_t(now));
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return DateTimeFromLocal(tm, int(ms));
}

std::string FormatDateTime(DateTime t, const DateFormat& fmt)
{
    const double days = std::floor(t);
    long ms = std::lround((t - days) * 86400000.0);
    long day = long(days);
    if (ms >= 86400000) {
        ms -= 86400000;
        ++day;
    }
    int y, m, d;
    civilFromDays(day, y, m, d);
    std::string s = FormatShortDate(Date{y, m, d}, fmt);
    const long secs = ms / 1000;
    if (ms != 0) {
        char buf[48];
        std::snprintf(buf, sizeof buf, " %02ld%c%02ld%c%02ld", secs / 3600, fmt.timeSeparator,
                      (secs / 60) % 60, fmt.timeSeparator, secs % 60);
        s += buf;
    }
    return s;
}

DateTime DateTimeFromLocal(const std::tm& tm, int millis)
{
    return double(daysFromCivil(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday))
        + (tm.tm_hour * 3600000.0 + tm.tm_min * 60000.0 + tm.tm_sec * 1000.0 + millis) / 86400000.0;
}
