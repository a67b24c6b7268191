#pragma once
// The one clock every part of the program reads. Logic never calls the system clock directly;
// it is handed a Clock so that tests can set and advance time.
#include <chrono>
#include <memory>

namespace orvane {

using TimePoint = std::chrono::system_clock::time_point;

class Clock {
public:
    virtual ~Clock() = default;
    // The current instant (UTC); local-time views are taken with the date-time helpers.
    virtual TimePoint now() const = 0;
};

// The system clock, optionally started at another local time and run faster:
// ORVANE_CLOCK_START=YYYY-MM-DDTHH:MM:SS and ORVANE_CLOCK_RATE=N.
class ProgramClock : public Clock {
public:
    ProgramClock(TimePoint start, double rate);
    // Reads the two environment variables; invalid values are ignored with a message on stderr.
    static std::unique_ptr<ProgramClock> fromEnvironment();
    TimePoint now() const override;
    double rate() const { return m_rate; }

private:
    TimePoint m_realBase;
    TimePoint m_programBase;
    double m_rate;
};

// A clock for tests: stands still until told otherwise.
class ManualClock : public Clock {
public:
    explicit ManualClock(TimePoint t = {}) : m_now(t) {}
    TimePoint now() const override { return m_now; }
    void setNow(TimePoint t) { m_now = t; }
    void advance(std::chrono::milliseconds d) { m_now += d; }

private:
    TimePoint m_now;
};

} // namespace orvane
