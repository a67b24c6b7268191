#pragma once
// The once-a-minute alarm pass: stops alarms whose stop has come, starts alarms whose next time
// has come, carries out each alarm's action, re-arms fired alarms by their rule, deletes
// one-shot alarms that are done, and sorts the table.
//
// Minutes the pass never saw (the machine asleep, the clock set forward, a blocked tick, the
// hour a DST change skips) are not lost: an alarm whose start or stop fell among them is
// handled once, late, in the next pass, then re-armed for its next occurrence after now. A
// clock set back (or the repeated hour of a DST change) never fires anything twice.
#include "app/alarms/alarm_table.h"
#include "app/alarms/cd_flags.h"
#include "app/alarms/message_alarm.h"
#include "app/alarms/program_watcher.h"
#include "app/alarms/voice_command.h"
#include "app/common/clock.h"
#include "app/platform/process_launcher.h"
#include "app/platform/sound_player.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace orvane {

struct AlarmPassServices {
    TAlarmTable &table;
    const Clock &clock;
    SoundPlayer &sound;
    ProcessLauncher &launcher;
    TCDFlags &cd;
    CDPlayerHooks cdPlayer = {};
    MessageAlarmOpener *messages = nullptr;
    // The launcher's folder ([Quaydeck] "Path"), read at each launcher action.
    std::function<std::string()> launcherPath = {};
    // A failure the user should see (the CD player could not be created).
    std::function<void(const std::string &)> reportError = {};
    // A program alarm whose program could not be started, told once per firing without
    // waiting for the user (a notification, never a modal box).
    std::function<void(const std::string &)> notifyStartFailure = {};
};

class TAlarmPass {
public:
    explicit TAlarmPass(AlarmPassServices services);

    // Arms every alarm after start-up: NextTime from its rule, with IncludeNow for alarms
    // whose AutoStart is set while the "Auto Start" option is on. A message alarm that was
    // snoozed when the program ended keeps its snooze time, or rings once at the first pass
    // when that time went by meanwhile.
    void InitAlarms(bool autoStartOption);
    // One pass for the display minute. Running it again for the same minute does nothing, so
    // a tick may call it whenever a minute is new. Command alarms change `voice`.
    void AlarmPass(TDateTime displayMinute, CommandVoiceSettings &voice);

    // Called at the end of each pass while the set-up dialog is open, to rebuild its list.
    void setAlarmListChanged(std::function<void()> hook) { m_listChanged = std::move(hook); }

    // The hooks may be changed at any time (the CD player, the launcher path, the error report).
    AlarmPassServices &services() { return m_s; }

    // The program an alarm started and has not yet stopped (its window may be NoWindow).
    std::optional<LaunchedProgram> startedProgram(AlarmId id) const { return m_programs.program(id); }

    // Starting and stopping programs never waits: the windows of started programs are looked
    // for here. The program calls it every TProgramWatcher::kPollInterval while busy().
    void PollPrograms() { m_programs.poll(); }
    bool programsBusy() const { return m_programs.busy(); }
    // Called at the end of a pass that leaves programs awaited, so that the program polls only
    // while there is something to look for and the clock sleeps between ticks otherwise.
    void setProgramsAwaited(std::function<void()> hook) { m_programsAwaited = std::move(hook); }

private:
    struct Window {
        int64_t first; // first minute handled by this pass
        int64_t last;  // the display minute
        bool contains(int64_t minute) const { return minute >= first && minute <= last; }
    };

    void runStops(Window window);
    void runStarts(Window window, CommandVoiceSettings &voice);
    void stopAlarm(int slot, AlarmId id);
    void startAlarm(int slot, AlarmId id, CommandVoiceSettings &voice);
    void startProgram(int slot, AlarmId id);
    void startCDPlayer(int slot);
    void bringUpCDPlayer();
    void LaunchProgram(const std::string &commandLine, bool minimized, AlarmId id);
    void startFailed(const std::string &commandLine, const std::string &why);
    void playWave(const std::string &wave);
    void deleteWhenOneShot(int slot, bool deleteNow);
    TDateTime now() const;

    AlarmPassServices m_s;
    std::function<void()> m_listChanged;
    std::function<void()> m_programsAwaited;
    std::optional<int64_t> m_lastMinute;
    TProgramWatcher m_programs;
    // The occurrence minute each alarm last started, and the stop minute it last stopped at:
    // a clock set back must not run either again.
    std::map<AlarmId, int64_t> m_startedAt;
    std::map<AlarmId, int64_t> m_stoppedAt;
};

} // namespace orvane
