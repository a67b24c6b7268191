#include "app/alarms/alarm_editor.h"

#include "app/alarms/alarm_description.h"
#include "app/alarms/new_alarm.h"
#include "app/alarms/recorded_wave.h"
#include "app/alarms/recurrence.h"

namespace orvane {

TAlarmEditor::TAlarmEditor(TAlarmTable &table, const Clock &clock, const FormatSettings &formats)
    : m_table(table), m_clock(clock), m_formats(formats)
{}

TDateTime TAlarmEditor::now() const { return ToDateTime(m_clock.now()); }

std::vector<AlarmListRow> TAlarmEditor::rowsFor(ActionType page)
{
    std::vector<AlarmListRow> rows;
    // The table keeps its alarms in front of its empty slots, so the first empty one ends them.
    for (int n = 1; n <= TAlarmTable::kSlots && !m_table.slot(n).isEmpty(); ++n)
        if (m_table.slot(n).ActionType == page)
            rows.push_back({m_table.idOf(n), DescribeAlarm(m_table.slot(n), m_formats)});
    return rows;
}

void TAlarmEditor::NewAlarm(ActionType page)
{
    CurrentAlarm = NoAlarm;
    WorkingAlarm = orvane::NewAlarm(now(), page);
    AlarmEdited = false;
}

bool TAlarmEditor::ShowAlarm(AlarmId id)
{
    const auto n = m_table.slotOf(id);
    if (!n)
        return false;
    WorkingAlarm = m_table.slot(*n);
    CurrentAlarm = id;
    AlarmEdited = false;
    return true;
}

void TAlarmEditor::computeNext() { ComputeNextTime(WorkingAlarm, false, now()); }

StoreResult TAlarmEditor::storeWorking()
{
    std::optional<int> n;
    if (CurrentAlarm == NoAlarm) {
        n = m_table.firstEmptySlot();
        if (!n)
            return StoreResult::TableFull;
    } else {
        n = m_table.slotOf(CurrentAlarm);
        if (!n)
            return StoreResult::AlarmGone;
    }
    m_table.storeAlarm(*n, WorkingAlarm);
    CurrentAlarm = m_table.idOf(*n);
    m_table.SortAlarmTable();
    RecordingPending = false;
    AlarmEdited = false;
    return StoreResult::Stored;
}

bool TAlarmEditor::deleteCurrent()
{
    const auto n = CurrentAlarm == NoAlarm ? std::nullopt : m_table.slotOf(CurrentAlarm);
    if (!n)
        return false;
    m_table.DeleteAlarmSlot(*n);
    m_table.removeAndCompact(*n);
    m_table.SortAlarmTable();
    CurrentAlarm = NoAlarm;
    AlarmEdited = false;
    return true;
}

void TAlarmEditor::discardPendingRecording()
{
    if (!RecordingPending)
        return;
    RemoveRecordedWave(WorkingAlarm.BeforeWave.str());
    if (WorkingAlarm.ActionType == atWaveFile)
        RemoveRecordedWave(WorkingAlarm.Text.str());
    RecordingPending = false;
}

} // namespace orvane
