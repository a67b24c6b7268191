#pragma once
// The recurrence rules: the next start of an alarm and the stop that belongs to it. Pure
// functions of one record and the current local date and time; results are exact to the minute.
#include "app/alarms/alarm_record.h"

namespace orvane {

// NextTime of an alarm whose rule has no occurrence at all (an empty day list, an interval or
// day of the month of 0, a damaged time). It lies long before any display minute, so such an
// alarm never fires, and the search behind it is always bounded.
inline constexpr TDateTime kNoOccurrence = 0.0;

// Sets NextTime from the rule and `now`. IncludeNow lets an occurrence whose start passed
// earlier today (and whose stop has not) fire in the current minute. Does nothing to an empty
// record. Returns false when the rule has no occurrence (NextTime is then kNoOccurrence).
bool ComputeNextTime(TAlarmRecord &record, bool IncludeNow, TDateTime now);

// Sets StopAt from NextTime: the stop on NextTime's date, or the day after when the stop time
// is earlier than the start time.
void ComputeStopAt(TAlarmRecord &record);

// The day after the date part of `date`, with no time part.
TDateTime NextDay(TDateTime date);

} // namespace orvane
