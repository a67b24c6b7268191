#pragma once
// The message window's once-a-second count that repeats its wave: the wave plays on the first
// tick (one second after the window opened) and every 59 seconds after that.
#include <optional>

namespace orvane {

class TAlarmTimeCounter {
public:
    // One tick of the window's timer; true when the wave is to be played now.
    bool Timer1Timer();
    // The count 1..59, or nullopt before the first tick.
    std::optional<int> AlarmTime() const { return m_alarmTime; }

private:
    std::optional<int> m_alarmTime;
};

} // namespace orvane
