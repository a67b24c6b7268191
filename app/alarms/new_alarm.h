#pragma once
// The values a new alarm starts with in the set-up dialog.
#include "app/alarms/alarm_record.h"

namespace orvane {

// A Once alarm for today at the current minute (start and stop alike), every recurrence field
// set to today (its weekday, day code 1, count 1, every 2 hours), armed, deleted once it has
// run, started with the program, no stop, not minimized, and no waves ("NONE").
TAlarmRecord NewAlarm(TDateTime now, ActionType action);

} // namespace orvane
