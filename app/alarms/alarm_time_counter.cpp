#include "app/alarms/alarm_time_counter.h"

namespace orvane {

bool TAlarmTimeCounter::Timer1Timer()
{
    const int a = m_alarmTime.value_or(1);
    m_alarmTime = a + 1 == 60 ? 1 : a + 1;
    return a == 1;
}

} // namespace orvane
