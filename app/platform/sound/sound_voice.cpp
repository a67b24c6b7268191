#include "app/platform/sound/sound_voice.h"

#include <algorithm>

namespace orvane {

std::uint64_t SoundVoice::start(std::vector<float> samples)
{
    std::vector<float> old;
    std::uint64_t id;
    {
        std::lock_guard lock(m_mutex);
        old.swap(m_samples);
        m_samples = std::move(samples);
        m_position = 0;
        m_active = !m_samples.empty();
        id = ++m_id;
    }
    // A waiter for the sound just cut off must wake and see it has ended.
    m_done.notify_all();
    return id; // `old` is freed here, outside the lock the audio thread needs.
}

void SoundVoice::stop()
{
    std::vector<float> old;
    {
        std::lock_guard lock(m_mutex);
        old.swap(m_samples);
        m_position = 0;
        m_active = false;
    }
    m_done.notify_all();
}

bool SoundVoice::busy() const
{
    std::lock_guard lock(m_mutex);
    return m_active;
}

bool SoundVoice::waitUntilDone(std::uint64_t id, std::chrono::milliseconds limit) const
{
    std::unique_lock lock(m_mutex);
    return m_done.wait_for(lock, limit, [&] { return m_id != id || !m_active; });
}

void SoundVoice::render(float *out, std::size_t count)
{
    bool ended = false;
    {
        std::lock_guard lock(m_mutex);
        std::size_t n = 0;
        if (m_active) {
            if (m_position == 0 && m_firstSampleId != m_id) {
                m_firstSampleId = m_id;
                m_firstSampleAt = std::chrono::steady_clock::now();
            }
            n = std::min(count, m_samples.size() - m_position);
            std::copy_n(m_samples.data() + m_position, n, out);
            m_position += n;
            if (m_position >= m_samples.size()) {
                m_active = false;
                ended = true;
            }
        }
        std::fill(out + n, out + count, 0.0f);
    }
    if (ended)
        m_done.notify_all();
}

std::optional<SoundVoice::SteadyTime> SoundVoice::firstSampleTime(std::uint64_t id) const
{
    std::lock_guard lock(m_mutex);
    if (m_firstSampleId != id)
        return std::nullopt;
    return m_firstSampleAt;
}

} // namespace orvane
