#pragma once
// The one-line description of an alarm that the set-up dialog lists in a fixed-pitch font, and
// the weekday name shown beside its date field.
#include "app/alarms/alarm_record.h"
#include "app/common/format_settings.h"

#include <string>

namespace orvane {

// The start time in the short time format in 10 columns, the rule text, all cut to 34 columns,
// then the alarm's Text.
std::string DescribeAlarm(const TAlarmRecord &record, const FormatSettings &formats);

// "Sunday" .. "Saturday" for the date part of `date`.
std::string WeekdayName(TDateTime date);

// "st ", "nd ", "rd " or "th " after a day of the month.
std::string DaySuffix(int day);

} // namespace orvane
