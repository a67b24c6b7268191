// The cost of the alarm rules and of one alarm pass, which runs inside the clock's tick.
#include "app/alarms/alarm_minute.h"
#include "app/alarms/alarm_pass.h"
#include "app/alarms/recurrence.h"
#include "app/platform/fake/fake_process_launcher.h"
#include "app/platform/fake/fake_sound_player.h"

#include <benchmark/benchmark.h>
#include <cstdlib>

namespace orvane {
namespace {

TDateTime At(int y, int m, int d, int h, int n) { return EncodeDate(y, m, d) + EncodeTime(h, n, 0, 0); }

TAlarmRecord Rule(RecurrenceKind kind, int h, int n)
{
    TAlarmRecord r;
    r.Recurrence = kind;
    r.StartTime = EncodeTime(h, n, 0, 0);
    r.StopTime = r.StartTime;
    r.Active = 1;
    r.AlarmDate = At(2026, 12, 8, 0, 0);
    r.BeforeWave.assign(kNoWave);
    r.AfterWave.assign(kNoWave);
    return r;
}

void Compute(benchmark::State &state, TAlarmRecord r, TDateTime now, bool includeNow = false)
{
    for (auto _ : state) {
        ComputeNextTime(r, includeNow, now);
        benchmark::DoNotOptimize(r.NextTime);
    }
}

void BM_Once(benchmark::State &s) { Compute(s, Rule(rcOnce, 7, 0), At(2026, 12, 8, 9, 0), true); }
void BM_Daily(benchmark::State &s) { Compute(s, Rule(rcDaily, 7, 0), At(2026, 12, 8, 9, 0)); }

void BM_RecursEveryMonday(benchmark::State &s)
{
    TAlarmRecord r = Rule(rcRecurs, 8, 0);
    r.RecursWhichCode = 1, r.RecursDayCode = 2;
    Compute(s, r, At(2026, 12, 7, 9, 0)); // just missed: a week ahead
}

// The longest scan: the last Friday of a month, just missed, so the whole next month is read.
void BM_RecursLastFridayWorst(benchmark::State &s)
{
    TAlarmRecord r = Rule(rcRecurs, 10, 0);
    r.RecursWhichCode = 6, r.RecursDayCode = 6;
    Compute(s, r, At(1997, 1, 31, 11, 0));
}

void BM_RecursFourthSundayNextMonth(benchmark::State &s)
{
    TAlarmRecord r = Rule(rcRecurs, 10, 0);
    r.RecursWhichCode = 5, r.RecursDayCode = 1;
    Compute(s, r, At(2026, 12, 28, 9, 0));
}

// Every two hours on weekdays, computed late on a Friday: steps over the weekend.
void BM_EveryAcrossWeekend(benchmark::State &s)
{
    TAlarmRecord r = Rule(rcEvery, 23, 0);
    r.Count = 2, r.EveryUnit = euHours, r.EveryDaysCode = 9;
    Compute(s, r, At(2026, 12, 11, 23, 30));
}

void BM_EveryMinuteLateInTheDay(benchmark::State &s)
{
    TAlarmRecord r = Rule(rcEvery, 0, 0);
    r.Count = 1, r.EveryUnit = euMinutes, r.EveryDaysCode = 8;
    Compute(s, r, At(2026, 12, 8, 23, 58));
}

void BM_Monthly31(benchmark::State &s)
{
    TAlarmRecord r = Rule(rcMonthly, 9, 0);
    r.Count = 31;
    Compute(s, r, At(2026, 4, 30, 10, 0));
}

void BM_EmptyMask(benchmark::State &s)
{
    TAlarmRecord r = Rule(rcRecurs, 9, 0);
    r.RecursWhichCode = 6, r.RecursDayCode = 0;
    Compute(s, r, At(2026, 12, 8, 9, 0));
}

// A whole pass over 50 active alarms. With range(0) = 0 nothing is due; with 1 every alarm is
// due and fires a message (the worst minute: 50 starts, 50 re-arms, the sort).
void BM_AlarmPass50(benchmark::State &state)
{
    setenv("TZ", "UTC", 1);
    ManualClock clock;
    TAlarmTable table;
    FakeSoundPlayer sound;
    FakeProcessLauncher launcher;
    TCDFlags cd;
    struct Opener : MessageAlarmOpener {
        void openMessageAlarm(const MessageAlarmRequest &) override {}
    } opener;
    TAlarmPass pass(AlarmPassServices{table, clock, sound, launcher, cd, {}, &opener, {}, {}});
    CommandVoiceSettings voice;
    const bool allDue = state.range(0) == 1;
    int64_t minute = MinuteNumber(At(2026, 12, 8, 7, 0));
    for (auto _ : state) {
        state.PauseTiming();
        for (int n = 1; n <= 50; ++n) {
            TAlarmRecord r = Rule(n % 2 ? rcDaily : rcMonthly, n % 24, n);
            r.Count = n % 28 + 1;
            r.NextTime = allDue ? FromMinuteNumber(minute) : FromMinuteNumber(minute + 100000);
            table.storeAlarm(n, r);
        }
        clock.setNow(FromDateTime(FromMinuteNumber(minute)) + std::chrono::seconds(2));
        state.ResumeTiming();
        pass.AlarmPass(FromMinuteNumber(minute), voice);
        ++minute;
    }
}

BENCHMARK(BM_Once);
BENCHMARK(BM_Daily);
BENCHMARK(BM_RecursEveryMonday);
BENCHMARK(BM_RecursLastFridayWorst);
BENCHMARK(BM_RecursFourthSundayNextMonth);
BENCHMARK(BM_EveryAcrossWeekend);
BENCHMARK(BM_EveryMinuteLateInTheDay);
BENCHMARK(BM_Monthly31);
BENCHMARK(BM_EmptyMask);
BENCHMARK(BM_AlarmPass50)->Arg(0)->Arg(1);

} // namespace
} // namespace orvane

BENCHMARK_MAIN();
