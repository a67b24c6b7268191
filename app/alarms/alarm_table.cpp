#include "app/alarms/alarm_table.h"

#include "app/alarms/recorded_wave.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace orvane {

int TAlarmTable::index(int n)
{
    if (!isValidSlot(n))
        throw std::out_of_range("alarm slot " + std::to_string(n) + " is outside 1..50");
    return n - 1;
}

TAlarmRecord &TAlarmTable::slot(int n) { return m_slots[index(n)]; }

const TAlarmRecord &TAlarmTable::slot(int n) const { return m_slots[index(n)]; }

AlarmId TAlarmTable::idOf(int n)
{
    const int i = index(n);
    if (m_slots[i].isEmpty())
        m_ids[i] = NoAlarm;
    else if (m_ids[i] == NoAlarm)
        m_ids[i] = ++m_lastId;
    return m_ids[i];
}

std::optional<int> TAlarmTable::slotOf(AlarmId id) const
{
    if (id == NoAlarm)
        return std::nullopt;
    for (int i = 0; i < kSlots; ++i)
        if (m_ids[i] == id && !m_slots[i].isEmpty())
            return i + 1;
    return std::nullopt;
}

void TAlarmTable::storeAlarm(int n, const TAlarmRecord &record)
{
    const int i = index(n);
    const bool sameAlarm = !m_slots[i].isEmpty() && m_ids[i] != NoAlarm;
    m_slots[i] = record;
    if (!sameAlarm)
        m_ids[i] = NoAlarm;
    idOf(n);
}

std::optional<int> TAlarmTable::firstEmptySlot() const
{
    for (int i = 0; i < kSlots; ++i)
        if (m_slots[i].isEmpty())
            return i + 1;
    return std::nullopt;
}

void TAlarmTable::removeAndCompact(int n)
{
    for (int i = index(n); i + 1 < kSlots; ++i) {
        m_slots[i] = m_slots[i + 1];
        m_ids[i] = m_ids[i + 1];
    }
    ClearSlot(kSlots);
}

void TAlarmTable::ClearSlot(int n)
{
    const int i = index(n);
    TAlarmRecord &r = m_slots[i];
    r.Text.assign("");
    r.BeforeWave.assign("");
    r.AfterWave.assign("");
    std::memset(reinterpret_cast<unsigned char *>(&r) + kClearFrom, 0, kClearTo - kClearFrom);
    m_ids[i] = NoAlarm;
}

void TAlarmTable::DeleteAlarmSlot(int n)
{
    const TAlarmRecord &r = slot(n);
    RemoveRecordedWave(r.BeforeWave.str());
    RemoveRecordedWave(r.AfterWave.str());
    if (r.ActionType == atWaveFile)
        RemoveRecordedWave(r.Text.str());
    ClearSlot(n);
}

void TAlarmTable::exchange(int a, int b)
{
    std::swap(m_slots[a], m_slots[b]);
    std::swap(m_ids[a], m_ids[b]);
}

void TAlarmTable::SortAlarmTable()
{
    // A shell sort with the gaps 25, 12, 6, 3, 1; equal start times are exchanged too, which
    // leaves the order among them to the sort, as it always was.
    for (int gap = kSlots / 2; gap > 0; gap /= 2) {
        for (int i = gap; i < kSlots; ++i) {
            for (int j = i - gap; j >= 0; j -= gap) {
                const TAlarmRecord &low = m_slots[j];
                const TAlarmRecord &high = m_slots[j + gap];
                if (high.isEmpty() || (!low.isEmpty() && low.StartTime < high.StartTime))
                    break;
                exchange(j, j + gap);
            }
        }
    }
}

void TAlarmTable::assignAll(const std::array<TAlarmRecord, kSlots> &records)
{
    m_slots = records;
    for (int n = 1; n <= kSlots; ++n) {
        m_ids[n - 1] = NoAlarm;
        idOf(n);
    }
}

int TAlarmTable::countAlarms() const
{
    int count = 0;
    for (const TAlarmRecord &r : m_slots)
        count += r.isEmpty() ? 0 : 1;
    return count;
}

} // namespace orvane
