#pragma once
// The one sound playing at a time, shared between the callers and the audio thread. A new
// sound replaces the current one at once (the cut-off rule); the audio thread pulls samples
// with render(), and callers of a synchronous request wait for their sound to end. A long
// sound arrives in pieces from a reader thread while it plays.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

namespace orvane {

class SoundVoice {
public:
    using SteadyTime = std::chrono::steady_clock::time_point;

    // Replaces whatever plays with `samples` (in the output format); returns the sound's id.
    // With `complete` false more pieces follow through append() and finish().
    std::uint64_t start(std::vector<float> samples, bool complete = true);
    // Adds a piece to sound `id`; false once that sound has been cut off or stopped.
    bool append(std::uint64_t id, std::vector<float> samples);
    // Marks sound `id` as having no more pieces: it ends when what it has is played.
    void finish(std::uint64_t id);
    // Waits while sound `id` has at least `samples` not yet played; false once that sound is
    // no longer playing (ended, cut off or stopped).
    bool waitForRoom(std::uint64_t id, std::size_t samples) const;

    // Ends the current sound, waking anyone waiting for it.
    void stop();
    bool busy() const;
    // Waits until sound `id` has ended or been cut off, at most `limit`; false on time-out.
    bool waitUntilDone(std::uint64_t id, std::chrono::milliseconds limit) const;

    // Audio thread: fills `count` floats, silence after the sound's end or while a piece is late.
    void render(float *out, std::size_t count);

    // When the audio thread handed out the first samples of sound `id`, if it has.
    std::optional<SteadyTime> firstSampleTime(std::uint64_t id) const;

private:
    // Takes the pieces already played out of the queue, to be freed outside the lock (never on
    // the audio thread).
    std::deque<std::vector<float>> takePlayedPieces();
    void endLocked();

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::deque<std::vector<float>> m_pieces;
    std::size_t m_piece = 0;    // the piece playing
    std::size_t m_position = 0; // within it
    std::size_t m_ahead = 0;    // samples not yet played
    bool m_complete = true;
    std::uint64_t m_id = 0;
    bool m_active = false;
    std::uint64_t m_firstSampleId = 0;
    SteadyTime m_firstSampleAt{};
};

} // namespace orvane
