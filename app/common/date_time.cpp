#include "app/common/date_time.h"

#include <cmath>
#include <ctime>

namespace orvane {
namespace {

constexpr int64_t kDaysFrom0001To1899_12_30 = 693594; // days before 30 December 1899

// Days from 1 January of year 1 to the given date (proleptic Gregorian), 1-based day count.
int64_t DaysFromCivilStart(int year, int month, int day)
{
    static const int kCumulative[2][13] = {{0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
                                           {0, 0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335}};
    const int64_t y = year - 1;
    return y * 365 + y / 4 - y / 100 + y / 400 + kCumulative[IsLeapYear(year) ? 1 : 0][month] + day;
}

// Splits a value into whole days and milliseconds of the day, the way the time fraction of a
// negative value counts from midnight forward.
void Split(TDateTime dt, int64_t &days, int64_t &msecOfDay)
{
    int64_t ms = std::llround(std::fabs(dt - std::trunc(dt)) * kMSecsPerDay);
    days = static_cast<int64_t>(std::trunc(dt));
    if (ms >= static_cast<int64_t>(kMSecsPerDay)) {
        ms -= static_cast<int64_t>(kMSecsPerDay);
        days += dt < 0 ? -1 : 1;
    }
    msecOfDay = ms;
}

} // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month)
{
    static const int kDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month];
}

std::optional<TDateTime> TryEncodeDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return std::nullopt;
    return static_cast<TDateTime>(DaysFromCivilStart(year, month, day) - kDaysFrom0001To1899_12_30);
}

std::optional<TDateTime> TryEncodeTime(int hour, int minute, int second, int msec)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0 ||
        msec > 999)
        return std::nullopt;
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / kMSecsPerDay;
}

TDateTime EncodeDate(int year, int month, int day) { return TryEncodeDate(year, month, day).value_or(0.0); }

TDateTime EncodeTime(int hour, int minute, int second, int msec)
{
    return TryEncodeTime(hour, minute, second, msec).value_or(0.0);
}

void DecodeDate(TDateTime dt, int &year, int &month, int &day)
{
    int64_t days = 0, ms = 0;
    Split(dt, days, ms);
    // Civil-from-days (H. Hinnant), counted from 1970-01-01 = day 25569.
    int64_t z = days - 25569 + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

void DecodeTime(TDateTime dt, int &hour, int &minute, int &second, int &msec)
{
    int64_t days = 0, ms = 0;
    Split(dt, days, ms);
    hour = static_cast<int>(ms / 3600000);
    minute = static_cast<int>(ms / 60000 % 60);
    second = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
}

int DayOfWeek(TDateTime dt)
{
    int64_t days = 0, ms = 0;
    Split(dt, days, ms);
    // Day 0 (30 December 1899) was a Saturday.
    int64_t w = (days + 6) % 7;
    if (w < 0)
        w += 7;
    return static_cast<int>(w) + 1;
}

TDateTime DateOf(TDateTime dt)
{
    int64_t days = 0, ms = 0;
    Split(dt, days, ms);
    return static_cast<TDateTime>(days);
}

TDateTime TimeOf(TDateTime dt)
{
    int64_t days = 0, ms = 0;
    Split(dt, days, ms);
    return ms / kMSecsPerDay;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) { return date < 0 ? date - time : date + time; }

TDateTime ToDateTime(TimePoint t)
{
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(t.time_since_epoch()).count();
    std::time_t secs = static_cast<std::time_t>(ms / 1000);
    int64_t rem = ms % 1000;
    if (rem < 0) {
        rem += 1000;
        --secs;
    }
    std::tm tm{};
    localtime_r(&secs, &tm);
    const TDateTime date = EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
    const int sec = tm.tm_sec > 59 ? 59 : tm.tm_sec; // a leap second stays in its minute
    return date + EncodeTime(tm.tm_hour, tm.tm_min, sec, static_cast<int>(rem));
}

TimePoint FromDateTime(TDateTime dt)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    DecodeDate(dt, y, mo, d);
    DecodeTime(dt, h, mi, s, ms);
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    tm.tm_sec = s;
    // Ask for standard time first: in a repeated hour that is the second occurrence, so try
    // daylight time too and keep the earlier instant that still shows the same wall clock.
    tm.tm_isdst = -1;
    std::tm probe = tm;
    std::time_t t = std::mktime(&probe);
    for (int dst : {0, 1}) {
        std::tm alt = tm;
        alt.tm_isdst = dst;
        std::time_t ta = std::mktime(&alt);
        if (ta == static_cast<std::time_t>(-1))
            continue;
        std::tm back{};
        localtime_r(&ta, &back);
        if (back.tm_hour == h && back.tm_min == mi && back.tm_mday == d && ta < t)
            t = ta;
    }
    return std::chrono::system_clock::from_time_t(t) + std::chrono::milliseconds(ms);
}

int64_t MinuteNumber(TDateTime dt) { return std::llround(dt * kMinutesPerDay); }

TDateTime FromMinuteNumber(int64_t minute) { return static_cast<TDateTime>(minute) / kMinutesPerDay; }

bool IsValidDateTime(TDateTime dt)
{
    // 1 January 0001 to 31 December 9999.
    return std::isfinite(dt) && dt >= -693593.0 && dt < 2958466.0;
}

} // namespace orvane
