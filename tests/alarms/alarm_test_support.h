#pragma once
// Shared helpers of the alarm tests: local date-times by calendar fields and records built
// the way the set-up dialog stores them.
#include "app/alarms/alarm_record.h"
#include "app/common/clock.h"
#include "app/common/date_time.h"

#include <cstdio>
#include <string>

namespace orvane::test {

inline TDateTime At(int y, int m, int d, int h = 0, int n = 0, int s = 0)
{
    return EncodeDate(y, m, d) + EncodeTime(h, n, s, 0);
}

inline TDateTime TimeAt(int h, int n) { return EncodeTime(h, n, 0, 0); }

// A record as the dialog stores a new alarm, with the given rule and start time.
inline TAlarmRecord MakeAlarm(RecurrenceKind kind, TDateTime start, ActionType action = atMessage,
                              const std::string &text = "")
{
    TAlarmRecord r;
    r.Recurrence = kind;
    r.ActionType = action;
    r.StartTime = start;
    r.StopTime = start;
    r.Active = 1;
    r.AutoStart = 1;
    r.AutoDelete = kind == rcOnce ? 1 : 0;
    r.RecursWhichCode = 1;
    r.Count = 1;
    r.EveryUnit = euHours;
    r.Text.assign(text);
    r.BeforeWave.assign(kNoWave);
    r.AfterWave.assign(kNoWave);
    return r;
}

// "2024-03-31 07:00" for failure messages.
inline std::string Show(TDateTime dt)
{
    int y, m, d, h, n, s, ms;
    DecodeDate(dt, y, m, d);
    DecodeTime(dt, h, n, s, ms);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", y, m, d, h, n, s);
    return buf;
}

} // namespace orvane::test
