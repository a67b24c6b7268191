#include "app/alarms/alarm_pass.h"

#include "app/alarms/alarm_minute.h"
#include "app/alarms/command_line.h"
#include "app/alarms/recurrence.h"
#include "app/alarms/text_match.h"

#include <algorithm>
#include <exception>

namespace orvane {
namespace {

constexpr int kCDCreateAttempts = 3;

bool HasStopAction(const TAlarmRecord &r)
{
    return r.StopEnabled && r.Recurrence != rcEvery &&
           (r.ActionType == atProgram || r.ActionType == atWaveFile || r.ActionType == atCDPlayer ||
            r.ActionType == atLauncher);
}

// The text before the first ";" of a wave alarm's Text.
std::string WavePart(const std::string &text) { return text.substr(0, text.find(';')); }

} // namespace

TAlarmPass::TAlarmPass(AlarmPassServices services)
    : m_s(std::move(services)), m_programs(m_s.launcher, m_s.clock)
{
    // The file keeps only the low 16 bits of the window; the stop uses the window in full.
    m_programs.setWindowFound([this](AlarmId id, WindowId window) {
        if (const auto slot = m_s.table.slotOf(id))
            m_s.table.slot(*slot).ProgWindow = static_cast<uint16_t>(window & 0xFFFF);
    });
}

TDateTime TAlarmPass::now() const { return ToDateTime(m_s.clock.now()); }

namespace {

// A message alarm snoozed before the program ended holds a NextTime that its rule would not
// give: the next occurrence from just before that minute is another minute.
bool IsSnoozed(const TAlarmRecord &r)
{
    if (r.isEmpty() || !r.Active || r.ActionType != atMessage || r.NextTime == kNoOccurrence ||
        !IsValidDateTime(r.NextTime))
        return false;
    TAlarmRecord rule = r;
    ComputeNextTime(rule, false, MinuteStart(r.NextTime) - 1.0 / kMinutesPerDay);
    return FloorMinute(rule.NextTime) != FloorMinute(r.NextTime);
}

} // namespace

void TAlarmPass::InitAlarms(bool autoStartOption)
{
    const TDateTime t = now();
    for (int n = 1; n <= TAlarmTable::kSlots; ++n) {
        TAlarmRecord &r = m_s.table.slot(n);
        // A snooze survives a restart: the alarm rings at its snooze time, or once at the first
        // pass when that minute went by while the program was not running.
        if (IsSnoozed(r)) {
            if (FloorMinute(r.NextTime) < FloorMinute(t))
                r.NextTime = MinuteStart(t);
            continue;
        }
        ComputeNextTime(r, autoStartOption && r.AutoStart, t);
    }
}

void TAlarmPass::AlarmPass(TDateTime displayMinute, CommandVoiceSettings &voice)
{
    const int64_t minute = FloorMinute(displayMinute);
    if (m_lastMinute == minute)
        return;
    // Forward: every minute since the last pass. First pass, or the clock set back: this one.
    const Window window{m_lastMinute && *m_lastMinute < minute ? *m_lastMinute + 1 : minute, minute};
    m_lastMinute = minute;

    runStops(window);
    runStarts(window, voice);
    m_s.table.SortAlarmTable();
    if (m_listChanged)
        m_listChanged();
    if (m_programsAwaited && m_programs.busy())
        m_programsAwaited();
}

void TAlarmPass::runStops(Window window)
{
    for (int n = 1; n <= TAlarmTable::kSlots; ++n) {
        const TAlarmRecord &r = m_s.table.slot(n);
        if (r.isEmpty() || !r.Active || !r.StopEnabled || r.Recurrence == rcEvery)
            continue;
        const int64_t stopMinute = FloorMinute(r.StopAt);
        if (!window.contains(stopMinute))
            continue;
        const AlarmId id = m_s.table.idOf(n);
        if (m_stoppedAt.count(id) && m_stoppedAt[id] == stopMinute)
            continue;
        m_stoppedAt[id] = stopMinute;
        stopAlarm(n, id);
    }
}

void TAlarmPass::stopAlarm(int slot, AlarmId id)
{
    const TAlarmRecord &r = m_s.table.slot(slot);
    switch (r.ActionType) {
    case atProgram:
    case atWaveFile: {
        if (!m_programs.program(id))
            return;
        playWave(r.AfterWave.text());
        m_programs.stop(id);
        deleteWhenOneShot(slot, true);
        return;
    }
    case atCDPlayer:
        if (!m_s.cd.CDWindowOpen)
            return;
        m_s.cd.CDStopRequest = 1;
        playWave(r.AfterWave.text());
        deleteWhenOneShot(slot, true);
        return;
    case atLauncher: {
        const std::string path = m_s.launcherPath ? m_s.launcherPath() : std::string();
        playWave(r.AfterWave.text());
        m_s.launcher.start(LauncherArguments(path, r.Text.text(), "-CLOSE"));
        deleteWhenOneShot(slot, true);
        return;
    }
    default: return;
    }
}

void TAlarmPass::runStarts(Window window, CommandVoiceSettings &voice)
{
    // Re-arming looks for the next occurrence after this minute's start: a tick that happens to
    // read hh:mm:00.000 must not find the occurrence that is firing now and leave the alarm
    // armed for a minute that has gone.
    const TDateTime afterThisMinute = FromMinuteNumber(window.last) + 1.0 / kMSecsPerDay;
    for (int n = 1; n <= TAlarmTable::kSlots; ++n) {
        TAlarmRecord &r = m_s.table.slot(n);
        if (r.isEmpty() || !r.Active)
            continue;
        const int64_t occurrence = FloorMinute(r.NextTime);
        if (!window.contains(occurrence))
            continue;
        const AlarmId id = m_s.table.idOf(n);
        if (m_startedAt.count(id) && m_startedAt[id] == occurrence)
            continue;
        m_startedAt[id] = occurrence;

        // The time is read afresh for each alarm: starting a program before it may have taken
        // a while.
        ComputeStopAt(r);
        ComputeNextTime(r, false, std::max(now(), afterThisMinute));
        // A late start whose stop has passed as well: that occurrence is over, and starting
        // it now would leave it running with no stop to come.
        const int64_t stopMinute = FloorMinute(r.StopAt);
        if (occurrence < window.last && HasStopAction(r) && stopMinute <= window.last) {
            m_stoppedAt[id] = stopMinute;
            continue;
        }
        if (r.BeforeWave.empty())
            r.BeforeWave.assign(kNoWave);
        startAlarm(n, id, voice);
    }
}

void TAlarmPass::startAlarm(int slot, AlarmId id, CommandVoiceSettings &voice)
{
    TAlarmRecord &r = m_s.table.slot(slot);
    switch (r.ActionType) {
    case atMessage:
        if (m_s.messages)
            m_s.messages->openMessageAlarm({r.BeforeWave.text(), slot, id, r.Text.text()});
        return;
    case atProgram:
    case atWaveFile: startProgram(slot, id); return;
    case atCDPlayer: startCDPlayer(slot); return;
    case atCommand:
        ApplyCommandWords(r.Text.text(), voice);
        playWave(r.BeforeWave.text());
        deleteWhenOneShot(slot, true);
        return;
    case atLauncher: {
        const std::string path = m_s.launcherPath ? m_s.launcherPath() : std::string();
        playWave(r.BeforeWave.text());
        const std::vector<std::string> argv = LauncherArguments(path, r.Text.text(), "-LAUNCH");
        if (!m_s.launcher.start(argv))
            startFailed(argv.empty() ? std::string() : argv.front(), "it cannot be run");
        deleteWhenOneShot(slot, !r.StopEnabled);
        return;
    }
    default: return;
    }
}

void TAlarmPass::startProgram(int slot, AlarmId id)
{
    TAlarmRecord &r = m_s.table.slot(slot);
    const std::string text = r.Text.text();
    if (Contains(UpperCase(text), ".WAV")) {
        m_s.sound.play(WavePart(text), sndAsync);
        deleteWhenOneShot(slot, true);
        return;
    }
    playWave(r.BeforeWave.text());
    r.ProgWindow = 0;
    LaunchProgram(text, r.RunMinimized, id);
    deleteWhenOneShot(slot, !r.StopEnabled);
}

void TAlarmPass::LaunchProgram(const std::string &commandLine, bool minimized, AlarmId id)
{
    const std::vector<std::string> argv = ProgramArguments(commandLine);
    if (argv.empty()) {
        startFailed(commandLine, "the command line names no program");
        return;
    }
    // A program that shows no window in time still started: its stop plays the after-wave and
    // deletes a one-shot alarm; there is just no window to close.
    if (auto error = m_programs.start(id, argv, minimized ? ShowState::Minimized : ShowState::Normal))
        startFailed(argv.front(), *error);
}

void TAlarmPass::startFailed(const std::string &program, const std::string &why)
{
    if (m_s.notifyStartFailure)
        m_s.notifyStartFailure("The alarm could not start \"" + program + "\": " + why);
}

void TAlarmPass::startCDPlayer(int slot)
{
    const TAlarmRecord &r = m_s.table.slot(slot);
    playWave(r.BeforeWave.text());
    m_s.cd.CDStartRequest = 1;
    const std::string mode = UpperCase(r.Text.text());
    if (Contains(mode, "LOOP"))
        m_s.cd.CDAlarmMode = 1;
    if (Contains(mode, "SHUFFLE"))
        m_s.cd.CDAlarmMode = 2;
    if (Contains(mode, "PLAYLIST"))
        m_s.cd.CDAlarmMode = 4;
    bringUpCDPlayer();
    deleteWhenOneShot(slot, !r.StopEnabled);
}

void TAlarmPass::bringUpCDPlayer()
{
    if (m_s.cd.CDWindowOpen) {
        if (m_s.cdPlayer.showAndRestore)
            m_s.cdPlayer.showAndRestore();
        return;
    }
    if (!m_s.cdPlayer.create)
        return;
    // Three attempts; the last failure is reported rather than thrown, so that it cannot end
    // the program from inside the clock's tick or cost the other alarms of this minute.
    for (int attempt = 1; attempt <= kCDCreateAttempts; ++attempt) {
        try {
            m_s.cdPlayer.create();
            return;
        } catch (const std::exception &e) {
            if (attempt == kCDCreateAttempts && m_s.reportError)
                m_s.reportError(e.what());
        }
    }
}

void TAlarmPass::playWave(const std::string &wave)
{
    if (!wave.empty() && wave != kNoWave)
        m_s.sound.play(wave, sndAsync);
}

void TAlarmPass::deleteWhenOneShot(int slot, bool deleteNow)
{
    if (deleteNow && m_s.table.slot(slot).AutoDelete)
        m_s.table.DeleteAlarmSlot(slot);
}

} // namespace orvane
