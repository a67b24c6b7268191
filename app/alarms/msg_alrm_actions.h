#pragma once
// What the message-alarm window's buttons do to the alarm table. The window holds its alarm
// by AlarmId, so a re-sort or a deletion between firing and the click never makes it act on
// another alarm; when its alarm is gone, OK and Snooze only close the window.
#include "app/alarms/alarm_table.h"
#include "app/common/clock.h"
#include "app/platform/sound_player.h"

#include <functional>

namespace orvane {

inline constexpr int kMinSnooze = 1;
inline constexpr int kMaxSnooze = 59;

// The minute a snoozed alarm fires again: the current minute (seconds dropped) plus `minutes`;
// past midnight it falls on the next day.
TDateTime SnoozeUntil(TDateTime now, int minutes);

class TMsgAlrmActions {
public:
    // `snoozeMinutes` is the program-wide snooze length ("SnoozeTime"), shared by every window.
    TMsgAlrmActions(TAlarmTable &table, const Clock &clock, SoundPlayer &sound, int &snoozeMinutes);

    // Called after OK changed the table, so that an open set-up dialog rebuilds its list.
    void setAlarmListChanged(std::function<void()> hook) { m_listChanged = std::move(hook); }

    int snoozeMinutes() const { return m_snoozeMinutes; }

    // Dismiss: beep, delete the alarm when it is a one-shot (AutoDelete), sort the table.
    void OKBtnClick(AlarmId id);
    // Snooze: beep, remember the length (limited to 1..59) for every window, and set the
    // alarm's NextTime to SnoozeUntil(now, length).
    void BitBtn1Click(AlarmId id, int spinValue);

private:
    TAlarmTable &m_table;
    const Clock &m_clock;
    SoundPlayer &m_sound;
    int &m_snoozeMinutes;
    std::function<void()> m_listChanged;
};

} // namespace orvane
