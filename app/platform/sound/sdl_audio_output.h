#pragma once
// The real output: an SDL2 audio device (PipeWire, PulseAudio, ALSA, or SDL's dummy driver)
// whose callback pulls float samples from the voice.
#include "app/platform/sound/audio_output.h"
#include "app/platform/sound/sdl_api.h"
#include "app/platform/sound/sound_voice.h"

#include <SDL2/SDL.h>

#include <memory>
#include <optional>
#include <string>

namespace orvane {

class SdlAudioOutput : public AudioOutput {
public:
    // Opens the default device; none (and SDL's reason in `error`) when there is no sound output.
    // Without `format` the device's own rate and channels are taken; with it exactly that
    // format (SDL converts if the device has changed), so that sound prepared for an earlier
    // opening plays unchanged.
    static std::unique_ptr<SdlAudioOutput> open(SoundVoice &voice, const std::optional<OutputFormat> &format,
                                                std::string &error);
    ~SdlAudioOutput() override;
    SdlAudioOutput(const SdlAudioOutput &) = delete;
    SdlAudioOutput &operator=(const SdlAudioOutput &) = delete;

    OutputFormat format() const override { return m_format; }
    bool lost() const override;
    void quiet() override;

private:
    SdlAudioOutput(const SdlApi &sdl, SDL_AudioDeviceID device, OutputFormat format);
    static void callback(void *user, Uint8 *stream, int len);

    const SdlApi &m_sdl;
    SDL_AudioDeviceID m_device;
    OutputFormat m_format;
};

} // namespace orvane
