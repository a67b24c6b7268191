#pragma once
// The running part of a count-up: start, pause and resume against the program's clock and the
// elapsed time of each tick. The instants are full instants, so a run across midnight counts on.
#include "app/common/clock.h"

#include <chrono>
#include <cstdint>

namespace orvane {

class CountUp {
public:
    explicit CountUp(const Clock &clock);

    void FormShow();
    // Start or resume; a resume moves the start on by the length of the pause.
    void start();
    void pause();
    // The elapsed seconds now, kept as FiguredTime.
    std::int64_t Timer1Timer();
    // The elapsed seconds as of the last tick.
    std::int64_t FiguredTime() const { return m_figuredTime; }

private:
    using Seconds = std::chrono::sys_seconds;

    const Clock &m_clock;
    Seconds m_startTime;
    Seconds m_pauseTime;
    std::int64_t m_figuredTime = 0;
};

} // namespace orvane
