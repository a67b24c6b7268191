#pragma once
// The program's date-time value: a binary64 count of days since 30 December 1899 in local time,
// the fraction being the time of day. The same value is stored in the alarm file, so its meaning
// must never change.
#include "app/common/clock.h"

#include <cstdint>
#include <optional>

namespace orvane {

using TDateTime = double;

constexpr double kMinutesPerDay = 1440.0;
constexpr double kSecondsPerDay = 86400.0;
constexpr double kMSecsPerDay = 86400000.0;

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Whole days for a calendar date, or nullopt when the date does not exist (31 April, 29 February
// of a common year, year outside 1..9999).
std::optional<TDateTime> TryEncodeDate(int year, int month, int day);
std::optional<TDateTime> TryEncodeTime(int hour, int minute, int second, int msec);
// As above, for arguments known to be valid; an invalid one gives 0.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second = 0, int msec = 0);

void DecodeDate(TDateTime dt, int &year, int &month, int &day);
void DecodeTime(TDateTime dt, int &hour, int &minute, int &second, int &msec);

// 1 Sunday .. 7 Saturday.
int DayOfWeek(TDateTime dt);

TDateTime DateOf(TDateTime dt);
TDateTime TimeOf(TDateTime dt);
// A date (whole days) and a time of day (0 <= time < 1) as one value. Before the epoch the
// fraction still counts forward from midnight, so the time is subtracted from a negative day
// count: 2 days before the epoch at 06:00 is -2.25, not -1.75.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);

// Local wall-clock value of an instant, and back. A local time inside a spring-forward gap maps to
// the instant the clocks show after the jump; a repeated hour maps to its first occurrence.
TDateTime ToDateTime(TimePoint t);
TimePoint FromDateTime(TDateTime dt);

// Times are compared to the minute: the minute number rounds, so a value a hair below a minute
// boundary (float error from arithmetic on days) still counts as that minute.
int64_t MinuteNumber(TDateTime dt);
TDateTime FromMinuteNumber(int64_t minute);

// Finite and within years 1..9999: what a damaged file must be checked against before use.
bool IsValidDateTime(TDateTime dt);

} // namespace orvane
