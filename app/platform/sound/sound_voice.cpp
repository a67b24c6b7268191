#include "app/platform/sound/sound_voice.h"

#include <algorithm>

namespace orvane {

std::uint64_t SoundVoice::start(std::vector<float> samples, bool complete)
{
    std::deque<std::vector<float>> old;
    std::uint64_t id;
    {
        std::lock_guard lock(m_mutex);
        old.swap(m_pieces);
        m_ahead = samples.size();
        if (!samples.empty())
            m_pieces.push_back(std::move(samples));
        m_piece = 0;
        m_position = 0;
        m_complete = complete;
        m_active = m_ahead > 0 || !complete;
        id = ++m_id;
    }
    // A waiter for the sound just cut off must wake and see it has ended.
    m_changed.notify_all();
    return id; // `old` is freed here, outside the lock the audio thread needs.
}

bool SoundVoice::append(std::uint64_t id, std::vector<float> samples)
{
    std::deque<std::vector<float>> played;
    {
        std::lock_guard lock(m_mutex);
        if (id != m_id || !m_active)
            return false;
        played = takePlayedPieces();
        m_ahead += samples.size();
        if (!samples.empty())
            m_pieces.push_back(std::move(samples));
    }
    return true;
}

void SoundVoice::finish(std::uint64_t id)
{
    {
        std::lock_guard lock(m_mutex);
        if (id != m_id)
            return;
        m_complete = true;
        if (m_ahead == 0)
            endLocked();
    }
    m_changed.notify_all();
}

std::deque<std::vector<float>> SoundVoice::takePlayedPieces()
{
    std::deque<std::vector<float>> played;
    for (; m_piece > 0; --m_piece) {
        played.push_back(std::move(m_pieces.front()));
        m_pieces.pop_front();
    }
    return played;
}

void SoundVoice::endLocked() { m_active = false; }

bool SoundVoice::waitForRoom(std::uint64_t id, std::size_t samples) const
{
    // The audio thread does not signal every buffer it takes; looking again every 20 ms is
    // plenty when seconds of sound are queued.
    std::unique_lock lock(m_mutex);
    while (m_id == id && m_active && m_ahead >= samples)
        m_changed.wait_for(lock, std::chrono::milliseconds(20));
    return m_id == id && m_active;
}

void SoundVoice::stop()
{
    std::deque<std::vector<float>> old;
    {
        std::lock_guard lock(m_mutex);
        old.swap(m_pieces);
        m_piece = 0;
        m_position = 0;
        m_ahead = 0;
        m_complete = true;
        endLocked();
    }
    m_changed.notify_all();
}

bool SoundVoice::busy() const
{
    std::lock_guard lock(m_mutex);
    return m_active;
}

bool SoundVoice::waitUntilDone(std::uint64_t id, std::chrono::milliseconds limit) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, limit, [&] { return m_id != id || !m_active; });
}

void SoundVoice::render(float *out, std::size_t count)
{
    bool ended = false;
    {
        std::lock_guard lock(m_mutex);
        std::size_t n = 0;
        if (m_active && m_ahead > 0 && m_firstSampleId != m_id) {
            m_firstSampleId = m_id;
            m_firstSampleAt = std::chrono::steady_clock::now();
        }
        while (m_active && n < count && m_piece < m_pieces.size()) {
            const std::vector<float> &piece = m_pieces[m_piece];
            const std::size_t take = std::min(count - n, piece.size() - m_position);
            std::copy_n(piece.data() + m_position, take, out + n);
            n += take;
            m_position += take;
            m_ahead -= take;
            if (m_position == piece.size()) {
                ++m_piece;
                m_position = 0;
            }
        }
        if (m_active && m_complete && m_ahead == 0) {
            endLocked();
            ended = true;
        }
        std::fill(out + n, out + count, 0.0f);
    }
    if (ended)
        m_changed.notify_all();
}

std::optional<SoundVoice::SteadyTime> SoundVoice::firstSampleTime(std::uint64_t id) const
{
    std::lock_guard lock(m_mutex);
    if (m_firstSampleId != id)
        return std::nullopt;
    return m_firstSampleAt;
}

} // namespace orvane
