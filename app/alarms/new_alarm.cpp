#include "app/alarms/new_alarm.h"

#include "app/alarms/alarm_minute.h"

namespace orvane {

TAlarmRecord NewAlarm(TDateTime now, ActionType action)
{
    TAlarmRecord r;
    const TDateTime minute = MinuteStart(now);
    const TDateTime today = DateOf(minute);
    r.ActionType = action;
    r.Recurrence = rcOnce;
    r.AlarmDate = today;
    r.StartTime = TimeOf(minute);
    r.StopTime = r.StartTime;
    r.RecursWhichCode = 1;
    r.RecursDayCode = DayOfWeek(today);
    r.EveryDaysCode = r.RecursDayCode;
    r.Count = 1;
    r.EveryUnit = euHours;
    r.Active = 1;
    r.AutoDelete = 1;
    r.AutoStart = 1;
    r.StopEnabled = 0;
    r.RunMinimized = 0;
    r.BeforeWave.assign(kNoWave);
    r.AfterWave.assign(kNoWave);
    return r;
}

} // namespace orvane
