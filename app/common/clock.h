#pragma once
// The one clock every part of the program reads. Logic never calls the system clock directly;
// it is handed a Clock so that tests can set and advance time.
#include <chrono>
#include <memory>

namespace orvane {

using TimePoint = std::chrono::system_clock::time_point;

// Thread contract: a Clock is set up before the threads that read it start and never changes
// afterwards (tests change their manual clock only while no reader runs), so now() and rate() may
// be called from any thread, the sound layer's included.
class Clock {
public:
    virtual ~Clock() = default;
    // The current instant (UTC); local-time views are taken with the date-time helpers.
    virtual TimePoint now() const = 0;
    // How many program seconds pass in one real second: the tick waits 1/rate real seconds for
    // the program's next second.
    virtual double rate() const { return 1.0; }
};

// The system clock, optionally started at another local time and run faster:
// ORVANE_CLOCK_START=YYYY-MM-DDTHH:MM:SS and ORVANE_CLOCK_RATE=N.
class ProgramClock : public Clock {
public:
    ProgramClock(TimePoint start, double rate);
    // Reads the two environment variables; invalid values are ignored with a message on stderr.
    static std::unique_ptr<ProgramClock> fromEnvironment();
    TimePoint now() const override;
    double rate() const override { return m_rate; }

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
