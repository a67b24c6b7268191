#include "app/alarms/record_sanitizer.h"

#include <cmath>
#include <cstddef>
#include <cstring>

namespace orvane {
namespace {

// Some doubles of the packed record (StopTime at 316, AlarmDate at 332) are not 8-byte aligned:
// they are copied out and back rather than reached through a reference.
TDateTime LoadDouble(const TAlarmRecord &r, std::size_t offset)
{
    TDateTime t;
    std::memcpy(&t, reinterpret_cast<const unsigned char *>(&r) + offset, sizeof t);
    return t;
}

void StoreDouble(TAlarmRecord &r, std::size_t offset, TDateTime t)
{
    std::memcpy(reinterpret_cast<unsigned char *>(&r) + offset, &t, sizeof t);
}

void ClampLength(AlarmText &text, const char *name, std::vector<std::string> &faults)
{
    if (text.len > kAlarmTextMax) {
        faults.push_back(std::string(name) + " length " + std::to_string(text.len) + " cut to 100");
        text.len = kAlarmTextMax;
    }
}

bool IsTimeOfDay(TDateTime t) { return std::isfinite(t) && t >= 0.0 && t < 1.0; }

void NormalizeFlag(uint8_t &flag) { flag = flag != 0 ? 1 : 0; }

void RepairTime(TAlarmRecord &r, std::size_t offset, const char *name, std::vector<std::string> &faults)
{
    if (IsTimeOfDay(LoadDouble(r, offset)))
        return;
    faults.push_back(std::string(name) + " is not a time of day; alarm disarmed");
    StoreDouble(r, offset, 0.0);
    r.Active = 0;
}

void RepairDateTime(TAlarmRecord &r, std::size_t offset, const char *name, std::vector<std::string> &faults)
{
    const TDateTime t = LoadDouble(r, offset);
    if (t == 0.0 || IsValidDateTime(t))
        return;
    faults.push_back(std::string(name) + " is not a date-time; reset");
    StoreDouble(r, offset, 0.0);
}

// A rule number the kind of alarm uses: outside [low, high] it is set to `low` and the alarm
// disarmed, so that it stays visible in the set-up dialog but cannot arm itself for a date no
// file could hold.
// The value is passed and returned rather than referred to: the record is packed.
int32_t RepairCode(TAlarmRecord &r, int32_t value, const char *name, int32_t low, int32_t high,
                   std::vector<std::string> &faults)
{
    if (value >= low && value <= high)
        return value;
    faults.push_back(std::string(name) + " " + std::to_string(value) + " is not in " + std::to_string(low) +
                     ".." + std::to_string(high) + "; alarm disarmed");
    r.Active = 0;
    return low;
}

// Only the fields of the alarm's own kind are checked: the recurrence dialog stores the others
// as they happen to be (0 for a list without a selection), and a sound file may hold anything
// there.
void RepairRule(TAlarmRecord &r, std::vector<std::string> &faults)
{
    switch (r.Recurrence) {
    case rcRecurs:
        r.RecursWhichCode = RepairCode(r, r.RecursWhichCode, "RecursWhichCode", 1, 6, faults);
        r.RecursDayCode = RepairCode(r, r.RecursDayCode, "RecursDayCode", 1, 9, faults);
        return;
    case rcEvery:
        r.EveryUnit = RepairCode(r, r.EveryUnit, "EveryUnit", euMinutes, euHours, faults);
        r.Count = RepairCode(r, r.Count, "Count", 1, r.EveryUnit == euMinutes ? 59 : 23, faults);
        r.EveryDaysCode = RepairCode(r, r.EveryDaysCode, "EveryDaysCode", 1, 10, faults);
        return;
    case rcMonthly: r.Count = RepairCode(r, r.Count, "Count", 1, 31, faults); return;
    default: return;
    }
}

// Names only what is wrong, so that the user is not sent looking for a fault that is not there.
std::string UnknownKindFault(const TAlarmRecord &r)
{
    const bool badRecurrence = r.Recurrence < rcEmpty || r.Recurrence > rcMonthly;
    const bool badAction = r.ActionType < atMessage || r.ActionType > atLauncher;
    std::string text;
    if (badRecurrence)
        text = "unknown recurrence " + std::to_string(r.Recurrence);
    if (badAction)
        text += (text.empty() ? "unknown action " : " and unknown action ") + std::to_string(r.ActionType);
    return text.empty() ? text : text + "; slot emptied";
}

} // namespace

std::vector<std::string> SanitizeRecord(TAlarmRecord &r)
{
    std::vector<std::string> faults;
    if (r.isEmpty())
        return faults;
    if (const std::string fault = UnknownKindFault(r); !fault.empty()) {
        faults.push_back(fault);
        r.Recurrence = rcEmpty;
        return faults;
    }
    ClampLength(r.Text, "Text", faults);
    ClampLength(r.BeforeWave, "BeforeWave", faults);
    ClampLength(r.AfterWave, "AfterWave", faults);
    for (uint8_t *flag : {&r.StopEnabled, &r.AutoStart, &r.Active, &r.RunMinimized, &r.AutoDelete})
        NormalizeFlag(*flag);
    RepairTime(r, offsetof(TAlarmRecord, StartTime), "StartTime", faults);
    RepairTime(r, offsetof(TAlarmRecord, StopTime), "StopTime", faults);
    RepairRule(r, faults);
    if (r.Recurrence == rcOnce && !IsValidDateTime(LoadDouble(r, offsetof(TAlarmRecord, AlarmDate)))) {
        faults.push_back("AlarmDate is not a date; alarm disarmed");
        StoreDouble(r, offsetof(TAlarmRecord, AlarmDate), 0.0);
        r.Active = 0;
    }
    RepairDateTime(r, offsetof(TAlarmRecord, AlarmDate), "AlarmDate", faults);
    RepairDateTime(r, offsetof(TAlarmRecord, NextTime), "NextTime", faults);
    RepairDateTime(r, offsetof(TAlarmRecord, StopAt), "StopAt", faults);
    return faults;
}

void ClearUnsavableDateTimes(TAlarmRecord &r)
{
    for (std::size_t offset : {offsetof(TAlarmRecord, AlarmDate), offsetof(TAlarmRecord, NextTime),
                               offsetof(TAlarmRecord, StopAt)}) {
        const TDateTime t = LoadDouble(r, offset);
        if (t != 0.0 && !IsValidDateTime(t))
            StoreDouble(r, offset, 0.0);
    }
}

} // namespace orvane
