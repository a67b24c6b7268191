#pragma once
// The one sound playing at a time, shared between the callers and the audio thread. A new
// sound replaces the current one at once (the cut-off rule); the audio thread pulls samples
// with render(), and callers of a synchronous request wait for their sound to end.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

namespace orvane {

class SoundVoice {
public:
    using SteadyTime = std::chrono::steady_clock::time_point;

    // Replaces whatever plays with `samples` (in the output format); returns the sound's id.
    std::uint64_t start(std::vector<float> samples);
    // Ends the current sound, waking anyone waiting for it.
    void stop();
    bool busy() const;
    // Waits until sound `id` has ended or been cut off, at most `limit`; false on time-out.
    bool waitUntilDone(std::uint64_t id, std::chrono::milliseconds limit) const;

    // Audio thread: fills `count` floats, silence after the sound's end.
    void render(float *out, std::size_t count);

    // When the audio thread handed out the first samples of sound `id`, if it has.
    std::optional<SteadyTime> firstSampleTime(std::uint64_t id) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_done;
    std::vector<float> m_samples;
    std::size_t m_position = 0;
    std::uint64_t m_id = 0;
    bool m_active = false;
    std::uint64_t m_firstSampleId = 0;
    SteadyTime m_firstSampleAt{};
};

} // namespace orvane
