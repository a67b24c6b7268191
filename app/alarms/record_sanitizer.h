#pragma once
// Makes a record read from a file safe to use. A damaged file must never crash the program or
// send the alarm pass searching without end; each fault is repaired in the least surprising way
// and reported, so that the caller can keep a copy of what the user had.
#include "app/alarms/alarm_record.h"

#include <string>
#include <vector>

namespace orvane {

// Repairs `record` in place and returns one line per fault found (empty when it was sound):
// - a length byte above 100 is cut to 100;
// - a Recurrence outside 0..5, or an ActionType outside 0..5 in a non-empty slot, empties
//   the slot (no rule or no action could be carried out); the fault names only the field that
//   is wrong;
// - a rule number of the alarm's own kind outside its range (Recurs: RecursWhichCode 1..6,
//   RecursDayCode 1..9; Every: EveryUnit 1..2, Count 1..59 minutes or 1..23 hours,
//   EveryDaysCode 1..10; Monthly: Count 1..31) is set to 1 and the alarm disarmed;
// - a start or stop time that is not a time of day (not finite, or outside 0 <= t < 1), or a
//   Once alarm's date that is not a date, sets the time or date to 0 and disarms the alarm
//   (Active cleared), so it stays visible in the set-up dialog but never fires;
// - a NextTime or StopAt that is not a valid date-time becomes 0, which never matches a minute
//   (NextTime is computed afresh at the first pass anyway);
// - booleans other than 0 and 1 read as true and are written back as 1.
// An empty slot (Recurrence 0) is left as it is: its other bytes carry no meaning.
std::vector<std::string> SanitizeRecord(TAlarmRecord &record);

// Sets to 0 every date-time of the record that SanitizeRecord would refuse (not finite, or
// outside the years 1 to 9999), so that a save never writes what the next load calls damaged.
void ClearUnsavableDateTimes(TAlarmRecord &record);

} // namespace orvane
