#pragma once
// The output used when there is no sound device: it consumes the voice at real speed and
// discards it, so that synchronous sounds still take their time and "a sound is playing"
// means the same with and without a device.
#include "app/platform/sound/audio_output.h"
#include "app/platform/sound/sound_voice.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace orvane {

class SilentAudioOutput : public AudioOutput {
public:
    explicit SilentAudioOutput(SoundVoice &voice, OutputFormat format = {});
    ~SilentAudioOutput() override;
    SilentAudioOutput(const SilentAudioOutput &) = delete;
    SilentAudioOutput &operator=(const SilentAudioOutput &) = delete;

    OutputFormat format() const override { return m_format; }
    void quiet() override;

private:
    void run();

    SoundVoice &m_voice;
    OutputFormat m_format;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_quit = false;
    std::thread m_thread;
};

} // namespace orvane
