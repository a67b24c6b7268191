#pragma once
// Everything of the alarms that the program keeps for the whole run, put together: the table and
// its file, the pass with the real process launcher, and the message windows. The program's
// services create one after the settings are loaded and call it from the tick and the save
// routine; the alarm set-up dialog and the CD player reach the table and the pass through it.
#include "app/alarms/alarm_file.h"
#include "app/alarms/alarm_pass.h"
#include "app/alarms/msg_alrm_actions.h"
#include "app/alarms/ui/msg_alrm_opener.h"
#include "app/platform/process/posix_process_launcher.h"

#include <functional>
#include <optional>
#include <string>

namespace orvane {

class TAlarmServices {
public:
    // `windows` may be null (no display). `snoozeMinutes` is the program's "SnoozeTime" and
    // `cd` the CD player's flags; both must outlive this object.
    TAlarmServices(const Clock &clock, SoundPlayer &sound, WindowLayer *windows, int &snoozeMinutes,
                   TCDFlags &cd, std::string filePath = TAlarmFile::defaultPath());

    TAlarmTable &AlarmTable() { return m_table; }

    // Reads alarms32.rec (Load) and writes it (the save routine's last step).
    AlarmFileLoad load() { return m_file.Load(m_table); }
    std::optional<std::string> save() { return m_file.Save(m_table); }

    // The first minute tick's arming, then one pass per minute.
    void initAlarms(bool autoStartOption) { m_pass.InitAlarms(autoStartOption); }
    void runAlarmPass(TDateTime displayMinute, CommandVoiceSettings &voice)
    {
        m_pass.AlarmPass(displayMinute, voice);
    }

    // While the set-up dialog is open: rebuild its list after a pass or a dismissed message.
    void setAlarmListChanged(const std::function<void()> &hook);
    // [Quaydeck] "Path", read at each launcher action.
    void setLauncherPath(std::function<std::string()> path)
    {
        m_pass.services().launcherPath = std::move(path);
    }
    void setCDPlayerHooks(CDPlayerHooks hooks) { m_pass.services().cdPlayer = std::move(hooks); }
    void setReportError(std::function<void(const std::string &)> report)
    {
        m_pass.services().reportError = std::move(report);
    }

    const TAlarmFile &file() const { return m_file; }
    TAlarmPass &pass() { return m_pass; }
    TMsgAlrmActions &messageActions() { return m_actions; }

private:
    TAlarmTable m_table;
    TAlarmFile m_file;
    PosixProcessLauncher m_launcher;
    TMsgAlrmActions m_actions;
    TMsgAlrmOpener m_opener;
    TAlarmPass m_pass;
};

} // namespace orvane
