#include "app/platform/cd/cd_audio_stream.h"

#include "app/platform/sound/sdl_audio_subsystem.h"

namespace orvane {
namespace {

// 1024 frames at 44.1 kHz is 23 ms: a play request is heard well within 100 ms.
constexpr int kDeviceFrames = 1024;

} // namespace

std::unique_ptr<CdAudioStream> CdAudioStream::open(Render render, std::string &error)
{
    const SdlApi *sdl = acquireSdlAudio(error);
    if (!sdl)
        return nullptr;
    std::unique_ptr<CdAudioStream> stream(new CdAudioStream(*sdl, std::move(render)));
    SDL_AudioSpec want{};
    want.freq = 44100;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = kDeviceFrames;
    want.callback = &CdAudioStream::callback;
    want.userdata = stream.get();
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts CD audio to whatever the hardware takes.
    stream->m_device = sdl->OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (stream->m_device == 0) {
        error = sdl->GetError();
        releaseSdlAudio();
        return nullptr;
    }
    return stream;
}

CdAudioStream::CdAudioStream(const SdlApi &sdl, Render render) : m_sdl(sdl), m_render(std::move(render)) {}

CdAudioStream::~CdAudioStream()
{
    if (m_device != 0) {
        m_sdl.CloseAudioDevice(m_device);
        releaseSdlAudio();
    }
}

void CdAudioStream::run(bool running)
{
    if (running == m_running)
        return;
    m_running = running;
    m_sdl.PauseAudioDevice(m_device, running ? 0 : 1);
}

void CdAudioStream::callback(void *user, Uint8 *stream, int len)
{
    auto *self = static_cast<CdAudioStream *>(user);
    self->m_render(reinterpret_cast<int16_t *>(stream), len / 4);
}

} // namespace orvane
