#include "app/common/clock.h"

#include "app/common/date_time.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace orvane {
namespace {

// Parses YYYY-MM-DDTHH:MM:SS as local time.
bool ParseLocalStart(const char *text, TimePoint &out)
{
    int y, mo, d, h, mi, s;
    char tail = 0;
    if (std::sscanf(text, "%d-%d-%dT%d:%d:%d%c", &y, &mo, &d, &h, &mi, &s, &tail) != 6)
        return false;
    const auto date = TryEncodeDate(y, mo, d);
    const auto time = TryEncodeTime(h, mi, s, 0);
    if (!date || !time)
        return false;
    out = FromDateTime(*date + *time);
    return true;
}

} // namespace

ProgramClock::ProgramClock(TimePoint start, double rate)
    : m_realBase(std::chrono::system_clock::now()), m_programBase(start), m_rate(rate)
{}

std::unique_ptr<ProgramClock> ProgramClock::fromEnvironment()
{
    TimePoint start = std::chrono::system_clock::now();
    double rate = 1.0;
    if (const char *s = std::getenv("ORVANE_CLOCK_START"); s && *s) {
        if (!ParseLocalStart(s, start))
            std::fprintf(stderr, "orvane: ignoring ORVANE_CLOCK_START=%s (expected YYYY-MM-DDTHH:MM:SS)\n",
                         s);
    }
    if (const char *r = std::getenv("ORVANE_CLOCK_RATE"); r && *r) {
        char *end = nullptr;
        const double v = std::strtod(r, &end);
        if (end && *end == '\0' && v > 0 && v <= 100000)
            rate = v;
        else
            std::fprintf(stderr, "orvane: ignoring ORVANE_CLOCK_RATE=%s (expected a positive number)\n", r);
    }
    return std::make_unique<ProgramClock>(start, rate);
}

TimePoint ProgramClock::now() const
{
    const auto elapsed = std::chrono::system_clock::now() - m_realBase;
    if (m_rate == 1.0)
        return m_programBase + elapsed;
    const auto scaled = std::chrono::duration_cast<std::chrono::system_clock::duration>(
        std::chrono::duration<double, std::chrono::system_clock::period>(elapsed.count() * m_rate));
    return m_programBase + scaled;
}

} // namespace orvane
