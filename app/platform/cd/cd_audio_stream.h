#pragma once
// The CD player's own SDL2 output: 44.1 kHz 16-bit stereo, the format of CD audio, pulled by
// SDL's audio thread from a render function. It runs only while the disc plays, so an idle
// player costs nothing. Without an audio device the stream is absent and the CD device keeps
// time on its own.
#include "app/platform/sound/sdl_api.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace orvane {

class CdAudioStream {
public:
    // Fills `frames` stereo frames; called on SDL's audio thread.
    using Render = std::function<void(int16_t *out, int frames)>;

    // None (and SDL's reason in `error`) when there is no sound output.
    static std::unique_ptr<CdAudioStream> open(Render render, std::string &error);
    ~CdAudioStream();
    CdAudioStream(const CdAudioStream &) = delete;
    CdAudioStream &operator=(const CdAudioStream &) = delete;

    void run(bool running);
    bool running() const { return m_running; }

private:
    CdAudioStream(const SdlApi &sdl, Render render);
    static void callback(void *user, Uint8 *stream, int len);

    const SdlApi &m_sdl;
    Render m_render;
    SDL_AudioDeviceID m_device = 0;
    bool m_running = false;
};

} // namespace orvane
