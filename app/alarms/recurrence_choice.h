#pragma once
// What the recurrence dialog shows and stores: the kind, the list positions and the counts, and
// their mapping to and from the rule fields of an alarm.
#include "app/alarms/alarm_record.h"

#include <optional>
#include <string>

namespace orvane {

// List positions are 0-based, -1 for a list without a selection; codes are position + 1.
struct RecurrenceChoice {
    RecurrenceKind kind = rcOnce;
    int recursWhich = -1; // "every", "1st" .. "4th", "last"
    int recursDay = -1;   // "Sunday" .. "Saturday", "Weekday", "Weekend"
    int everyCount = 1;   // EveryMin
    int everyUnit = -1;   // "minutes", "hours"
    int everyDay = -1;    // "Sunday" .. "Saturday", "Everyday", "Weekdays", "Weekends"
    int monthDay = 1;     // SpinEdit1
};

inline constexpr int kRecursDayWeekday = 7;
inline constexpr int kRecursDayWeekend = 8;
inline constexpr int kEveryUnitHours = 1;

// The choice the dialog opens with for a record: only the controls of the record's own kind
// take its values; the others keep their design state.
RecurrenceChoice ReadRecurrenceChoice(const TAlarmRecord &record);

// A refusal naming the list that must still be chosen for the selected kind, or nullopt when
// the rule can be stored. A rule with no choice in such a list would never occur.
std::optional<std::string> CheckRecurrenceChoice(const RecurrenceChoice &choice);

// Writes the rule back: the kind; both Recurs codes and both Every codes whatever the kind;
// Count from EveryMin for Every and from the day of the month for Monthly, unchanged otherwise.
void WriteRecurrenceChoice(const RecurrenceChoice &choice, TAlarmRecord &record);

// The upper limit of EveryMin: 23 hours or 59 minutes.
int EveryCountLimit(int everyUnit);

// "Weekday" and "Weekend" recur every week: the which-list is forced to "every".
bool ForcesEvery(int recursDay);

} // namespace orvane
