#include "app/alarms/recurrence_choice.h"

#include <algorithm>

namespace orvane {

RecurrenceChoice ReadRecurrenceChoice(const TAlarmRecord &record)
{
    RecurrenceChoice c;
    c.kind = record.Recurrence >= rcOnce && record.Recurrence <= rcMonthly
                 ? static_cast<RecurrenceKind>(record.Recurrence)
                 : rcOnce;
    switch (c.kind) {
    case rcRecurs:
        c.recursWhich = std::clamp(record.RecursWhichCode - 1, -1, 5);
        c.recursDay = std::clamp(record.RecursDayCode - 1, -1, 8);
        break;
    case rcEvery:
        c.everyUnit = std::clamp(record.EveryUnit - 1, -1, 1);
        c.everyCount = std::clamp(record.Count, 1, EveryCountLimit(c.everyUnit));
        c.everyDay = std::clamp(record.EveryDaysCode - 1, -1, 9);
        break;
    case rcMonthly: c.monthDay = std::clamp(record.Count, 1, 31); break;
    default: break;
    }
    return c;
}

std::optional<std::string> CheckRecurrenceChoice(const RecurrenceChoice &choice)
{
    auto refuse = [](const char *list) {
        return std::string("Please choose an entry in the list \"") + list + "\" before pressing OK.";
    };
    if (choice.kind == rcRecurs) {
        if (choice.recursWhich < 0 && !ForcesEvery(choice.recursDay))
            return refuse("Recurs which");
        if (choice.recursDay < 0)
            return refuse("Recurs day");
    }
    if (choice.kind == rcEvery) {
        if (choice.everyUnit < 0)
            return refuse("Every unit");
        if (choice.everyDay < 0)
            return refuse("Every on day");
    }
    return std::nullopt;
}

void WriteRecurrenceChoice(const RecurrenceChoice &choice, TAlarmRecord &record)
{
    record.Recurrence = choice.kind;
    record.RecursWhichCode = (ForcesEvery(choice.recursDay) ? 0 : choice.recursWhich) + 1;
    record.RecursDayCode = choice.recursDay + 1;
    if (choice.kind == rcEvery)
        record.Count = choice.everyCount;
    else if (choice.kind == rcMonthly)
        record.Count = choice.monthDay;
    record.EveryUnit = choice.everyUnit + 1;
    record.EveryDaysCode = choice.everyDay + 1;
}

int EveryCountLimit(int everyUnit) { return everyUnit == kEveryUnitHours ? 23 : 59; }

bool ForcesEvery(int recursDay) { return recursDay == kRecursDayWeekday || recursDay == kRecursDayWeekend; }

} // namespace orvane
