#include "app/media/count_up.h"

namespace orvane {

using namespace std::chrono;

CountUp::CountUp(const Clock &clock) : m_clock(clock) { FormShow(); }

void CountUp::FormShow()
{
    m_startTime = Seconds{};
    m_pauseTime = Seconds{};
    m_figuredTime = 0;
}

void CountUp::start()
{
    const Seconds now = floor<seconds>(m_clock.now());
    m_startTime = now - (m_pauseTime - m_startTime);
}

void CountUp::pause() { m_pauseTime = floor<seconds>(m_clock.now()); }

std::int64_t CountUp::Timer1Timer()
{
    m_figuredTime = floor<seconds>(m_clock.now() - m_startTime).count();
    return m_figuredTime;
}

} // namespace orvane
