#include "app/media/count_down.h"

#include "app/media/clock_text.h"

namespace orvane {

using namespace std::chrono;

CountDown::CountDown(const Clock &clock) : m_clock(clock) { FormShow(); }

void CountDown::FormShow()
{
    // One second ahead of the pause instant: the first start lands one second after "now", so
    // that the k-th tick shows the duration less k seconds.
    m_startTime = Seconds{seconds{1}};
    m_pauseTime = Seconds{seconds{0}};
    m_alarmTime = 0;
    m_ended = false;
    m_blinkOn = false;
}

void CountDown::start()
{
    const Seconds now = floor<seconds>(m_clock.now());
    m_startTime = now - (m_pauseTime - m_startTime);
}

void CountDown::pause() { m_pauseTime = floor<seconds>(m_clock.now()); }

CountDown::Tick CountDown::Timer1Timer(std::optional<int> durationSeconds)
{
    if (durationSeconds)
        m_lastDuration = *durationSeconds;
    Tick tick;
    if (!m_ended) {
        const milliseconds remaining =
            seconds{m_lastDuration} - duration_cast<milliseconds>(m_clock.now() - m_startTime);
        if (remaining > seconds{1}) {
            tick.text = ClockText(duration_cast<seconds>(remaining).count());
            return tick;
        }
        m_ended = true;
        tick.justEnded = true;
    }
    m_blinkOn = !m_blinkOn;
    tick.text = m_blinkOn ? "00:00:00" : "";
    if (m_alarmTime <= 0)
        m_alarmTime = kAlarmCycle;
    if (m_alarmTime >= kAlarmQuietBelow) {
        tick.bringToFront = true;
        tick.playWave = true;
    }
    --m_alarmTime;
    return tick;
}

} // namespace orvane
