#pragma once
// The running part of a count-down: start, pause and resume against the program's clock, the
// one-second tick that shows the time left, and after the end the flashing and the 60-tick alarm
// cycle. Start and pause instants are full instants, not times of day, so a run across midnight
// counts on correctly.
#include "app/common/clock.h"

#include <chrono>
#include <optional>
#include <string>

namespace orvane {

class CountDown {
public:
    // The alarm cycle: the window comes forward and the wave starts on the ticks whose counter
    // is above kAlarmQuietBelow, counting down from kAlarmCycle.
    static constexpr int kAlarmCycle = 60;
    static constexpr int kAlarmQuietBelow = 56;

    struct Tick {
        std::string text;          // what TimeLeft shows
        bool justEnded = false;    // the first tick at the end: disable the fields, raise Start
        bool bringToFront = false; // show the window and bring it forward
        bool playWave = false;     // play the alarm wave (async, without cutting one off)
    };

    explicit CountDown(const Clock &clock);

    // The values of a newly shown window.
    void FormShow();
    // Start or resume; the start instant moves on by the length of the pause.
    void start();
    void pause();
    // `durationSeconds` is the fields' reading, none while one of them is not a whole number:
    // the count-down then goes on with the last valid reading.
    Tick Timer1Timer(std::optional<int> durationSeconds);

    bool ended() const { return m_ended; }
    int AlarmTime() const { return m_alarmTime; }

private:
    using Seconds = std::chrono::sys_seconds;

    const Clock &m_clock;
    Seconds m_startTime;
    Seconds m_pauseTime;
    int m_alarmTime = 0;
    int m_lastDuration = 0;
    bool m_ended = false;
    bool m_blinkOn = false;
};

} // namespace orvane
