#pragma once
// The set-up dialog's state apart from its window: the alarm being edited, which alarm of the
// table it came from, whether it was edited, and the table operations behind New, Save and
// Delete.
//
// The list rows carry the id of their alarm rather than a position or a description line, so two
// alarms with the same line stay apart, and a row whose alarm the alarm pass has since moved
// finds it where it went (or learns that it is gone).
#include "app/alarms/alarm_table.h"
#include "app/common/clock.h"
#include "app/common/format_settings.h"

#include <string>
#include <vector>

namespace orvane {

struct AlarmListRow {
    AlarmId id;
    std::string line; // DescribeAlarm of the alarm
};

enum class StoreResult { Stored, TableFull, AlarmGone };

class TAlarmEditor {
public:
    TAlarmEditor(TAlarmTable &table, const Clock &clock, const FormatSettings &formats);

    TAlarmRecord WorkingAlarm{};
    // The alarm WorkingAlarm was loaded from; NoAlarm for a new one.
    AlarmId CurrentAlarm = NoAlarm;
    bool AlarmEdited = false;
    // Set when the recorder made a new wave for this dialog that no save has kept yet.
    bool RecordingPending = false;

    // The alarms of one type in table order.
    std::vector<AlarmListRow> rowsFor(ActionType page);

    // WorkingAlarm := the new-alarm defaults for the page; no current alarm; not edited.
    void NewAlarm(ActionType page);
    // WorkingAlarm := the alarm `id`; false (and nothing changed) when it is no longer there.
    bool ShowAlarm(AlarmId id);
    // Sets NextTime from the rule with the current time, as the dialog does after gathering.
    void computeNext();

    // Copies WorkingAlarm into the table: over its own alarm, or into the first empty slot for
    // a new one; then sorts the table. A recording pending for it is kept from then on.
    StoreResult storeWorking();
    // Deletes the current alarm with the recorded waves it uses, moves the later alarms up and
    // sorts. False when there was nothing to delete.
    bool deleteCurrent();
    // Deletes a wave the recorder made for this dialog that will now not be saved.
    void discardPendingRecording();

    TDateTime now() const;
    TAlarmTable &table() { return m_table; }
    const FormatSettings &formats() const { return m_formats; }

private:
    TAlarmTable &m_table;
    const Clock &m_clock;
    const FormatSettings &m_formats;
};

} // namespace orvane
