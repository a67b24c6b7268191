// How long one alarm pass holds up the clock's tick when it starts a program that never shows a
// window (and when it stops one), with the real process launcher and the real X11 window layer.
// Goal: no wait at all; the pass costs the spawn only. Run under xvfb-run.
#include "app/alarms/alarm_minute.h"
#include "app/alarms/alarm_pass.h"
#include "app/platform/fake/fake_sound_player.h"
#include "app/platform/process/posix_process_launcher.h"
#include "app/platform/window_layer.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>

namespace orvane {
namespace {

class NoMessages : public MessageAlarmOpener {
public:
    void openMessageAlarm(const MessageAlarmRequest &) override {}
};

void BM_PassStartingAWindowlessProgram(benchmark::State &state)
{
    const std::unique_ptr<WindowLayer> windows = openX11WindowLayer();
    if (!windows) {
        state.SkipWithError("needs an X display");
        return;
    }
    ManualClock clock;
    TAlarmTable table;
    FakeSoundPlayer sound;
    PosixProcessLauncher launcher(windows.get());
    TCDFlags cd;
    NoMessages messages;
    TAlarmPass pass(AlarmPassServices{table, clock, sound, launcher, cd, {}, &messages, {}, {}});
    CommandVoiceSettings voice;
    TDateTime minute = EncodeDate(2026, 12, 8) + EncodeTime(7, 0);
    double worst = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TAlarmRecord r;
        r.Recurrence = rcDaily;
        r.ActionType = atProgram;
        r.Active = 1;
        r.StartTime = minute - std::floor(minute);
        r.Text.assign("sleep 0.2");
        r.NextTime = minute;
        table.storeAlarm(1, r);
        clock.setNow(FromDateTime(minute + 1.0 / kSecondsPerDay));
        state.ResumeTiming();
        const auto begin = std::chrono::steady_clock::now();
        pass.AlarmPass(minute, voice);
        worst =
            std::max(worst, std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count());
        minute += 1.0 / kMinutesPerDay;
    }
    state.counters["worst_stall_s"] = worst;
}
BENCHMARK(BM_PassStartingAWindowlessProgram)->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace orvane

BENCHMARK_MAIN();
