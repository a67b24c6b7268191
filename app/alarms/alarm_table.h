#pragma once
// The 50 alarm slots the program keeps for its whole run, numbered 1..50, with the table order
// and the deletion of alarms that have run.
//
// Beside each slot the table keeps an AlarmId that is never written to the file: it follows its
// alarm through sorts and moves, so that a window opened for one alarm still finds that alarm
// (or learns that it is gone) after the table has changed under it. Ids are never reused.
#include "app/alarms/alarm_record.h"

#include <array>
#include <cstdint>
#include <optional>

namespace orvane {

using AlarmId = uint64_t;
inline constexpr AlarmId NoAlarm = 0;

class TAlarmTable {
public:
    static constexpr int kSlots = 50;

    // Slot n (1..50). A number outside the table is a programming error and throws
    // std::out_of_range rather than touching memory it does not own.
    TAlarmRecord &slot(int n);
    const TAlarmRecord &slot(int n) const;
    static bool isValidSlot(int n) { return n >= 1 && n <= kSlots; }

    // The id of the alarm in slot n; NoAlarm for an empty slot. A non-empty slot filled by
    // writing the record directly gets its id here, on first asking.
    AlarmId idOf(int n);
    // The slot that holds the alarm `id` now, if it is still in the table.
    std::optional<int> slotOf(AlarmId id) const;

    // Stores an alarm into slot n: a slot that held an alarm keeps that alarm's id (it is the
    // same alarm, changed); an empty one gets a new id.
    void storeAlarm(int n, const TAlarmRecord &record);
    // The first empty slot, if any.
    std::optional<int> firstEmptySlot() const;
    // Removes slot n and moves every later slot down by one, emptying slot 50.
    void removeAndCompact(int n);

    // Empties slot n: texts of length 0 and bytes 304..380 zeroed.
    void ClearSlot(int n);
    // Deletes an alarm that has run: the recorded waves ("OV-" in the name) it uses go from
    // the disk, failures ignored, and the slot is emptied.
    void DeleteAlarmSlot(int n);
    // Non-empty slots first in ascending StartTime, empty slots last.
    void SortAlarmTable();

    // Replaces every slot with the records given (a load); every non-empty one gets a new id.
    void assignAll(const std::array<TAlarmRecord, kSlots> &records);
    const std::array<TAlarmRecord, kSlots> &records() const { return m_slots; }
    int countAlarms() const;

private:
    static int index(int n);
    void exchange(int a, int b);

    std::array<TAlarmRecord, kSlots> m_slots{};
    std::array<AlarmId, kSlots> m_ids{};
    AlarmId m_lastId = 0;
};

} // namespace orvane
