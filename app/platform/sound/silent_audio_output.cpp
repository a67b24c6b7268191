#include "app/platform/sound/silent_audio_output.h"

#include <chrono>
#include <vector>

namespace orvane {

SilentAudioOutput::SilentAudioOutput(SoundVoice &voice, OutputFormat format)
    : m_voice(voice), m_format(format), m_thread([this] { run(); })
{}

SilentAudioOutput::~SilentAudioOutput() { quiet(); }

void SilentAudioOutput::quiet()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void SilentAudioOutput::run()
{
    using namespace std::chrono;
    constexpr auto kPeriod = milliseconds(10);
    const std::size_t frames = static_cast<std::size_t>(m_format.rate) / 100;
    std::vector<float> scratch(frames * static_cast<std::size_t>(m_format.channels));
    // Deadlines advance by whole periods so that the pace does not drift with scheduling delays.
    auto deadline = steady_clock::now();
    std::unique_lock lock(m_mutex);
    while (!m_quit) {
        lock.unlock();
        m_voice.render(scratch.data(), scratch.size());
        lock.lock();
        deadline += kPeriod;
        m_wake.wait_until(lock, deadline, [this] { return m_quit; });
    }
}

} // namespace orvane
