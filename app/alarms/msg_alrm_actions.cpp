#include "app/alarms/msg_alrm_actions.h"

#include "app/alarms/alarm_minute.h"

#include <algorithm>

namespace orvane {

TDateTime SnoozeUntil(TDateTime now, int minutes) { return FromMinuteNumber(FloorMinute(now) + minutes); }

TMsgAlrmActions::TMsgAlrmActions(TAlarmTable &table, const Clock &clock, SoundPlayer &sound,
                                 int &snoozeMinutes)
    : m_table(table), m_clock(clock), m_sound(sound), m_snoozeMinutes(snoozeMinutes)
{}

void TMsgAlrmActions::OKBtnClick(AlarmId id)
{
    m_sound.MessageBeep(beepOk);
    const std::optional<int> slot = m_table.slotOf(id);
    if (!slot)
        return;
    if (m_table.slot(*slot).AutoDelete)
        m_table.DeleteAlarmSlot(*slot);
    m_table.SortAlarmTable();
    if (m_listChanged)
        m_listChanged();
}

void TMsgAlrmActions::BitBtn1Click(AlarmId id, int spinValue)
{
    m_sound.MessageBeep(beepOk);
    m_snoozeMinutes = std::clamp(spinValue, kMinSnooze, kMaxSnooze);
    const std::optional<int> slot = m_table.slotOf(id);
    if (slot)
        m_table.slot(*slot).NextTime = SnoozeUntil(ToDateTime(m_clock.now()), m_snoozeMinutes);
}

} // namespace orvane
