#include "app/alarms/record_sanitizer.h"

#include <cmath>

namespace orvane {
namespace {

void ClampLength(AlarmText &text, const char *name, std::vector<std::string> &faults)
{
    if (text.len > kAlarmTextMax) {
        faults.push_back(std::string(name) + " length " + std::to_string(text.len) + " cut to 100");
        text.len = kAlarmTextMax;
    }
}

bool IsTimeOfDay(TDateTime t) { return std::isfinite(t) && t >= 0.0 && t < 1.0; }

void NormalizeFlag(uint8_t &flag) { flag = flag != 0 ? 1 : 0; }

void RepairTime(TAlarmRecord &r, TDateTime &t, const char *name, std::vector<std::string> &faults)
{
    if (IsTimeOfDay(t))
        return;
    faults.push_back(std::string(name) + " is not a time of day; alarm disarmed");
    t = 0.0;
    r.Active = 0;
}

void RepairDateTime(TDateTime &t, const char *name, std::vector<std::string> &faults)
{
    if (t == 0.0 || IsValidDateTime(t))
        return;
    faults.push_back(std::string(name) + " is not a date-time; reset");
    t = 0.0;
}

} // namespace

std::vector<std::string> SanitizeRecord(TAlarmRecord &r)
{
    std::vector<std::string> faults;
    if (r.isEmpty())
        return faults;
    if (r.Recurrence < rcEmpty || r.Recurrence > rcMonthly || r.ActionType < atMessage || r.ActionType > atLauncher) {
        faults.push_back("unknown recurrence " + std::to_string(r.Recurrence) + " or action " +
                         std::to_string(r.ActionType) + "; slot emptied");
        r.Recurrence = rcEmpty;
        return faults;
    }
    ClampLength(r.Text, "Text", faults);
    ClampLength(r.BeforeWave, "BeforeWave", faults);
    ClampLength(r.AfterWave, "AfterWave", faults);
    for (uint8_t *flag : {&r.StopEnabled, &r.AutoStart, &r.Active, &r.RunMinimized, &r.AutoDelete})
        NormalizeFlag(*flag);
    RepairTime(r, r.StartTime, "StartTime", faults);
    RepairTime(r, r.StopTime, "StopTime", faults);
    if (r.Recurrence == rcOnce && !IsValidDateTime(r.AlarmDate)) {
        faults.push_back("AlarmDate is not a date; alarm disarmed");
        r.AlarmDate = 0.0;
        r.Active = 0;
    }
    RepairDateTime(r.AlarmDate, "AlarmDate", faults);
    RepairDateTime(r.NextTime, "NextTime", faults);
    RepairDateTime(r.StopAt, "StopAt", faults);
    return faults;
}

} // namespace orvane
