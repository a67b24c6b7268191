#include "app/platform/sound/sdl_audio_output.h"

#include "app/platform/sound/sdl_audio_subsystem.h"

namespace orvane {
namespace {

// 512 frames at 44.1 kHz is under 12 ms: short enough that a sound starts promptly after its
// request, long enough not to strain the audio thread.
constexpr int kDeviceFrames = 512;

} // namespace

std::unique_ptr<SdlAudioOutput>
SdlAudioOutput::open(SoundVoice &voice, const std::optional<OutputFormat> &format, std::string &error)
{
    const SdlApi *sdl = acquireSdlAudio(error);
    if (!sdl)
        return nullptr;
    SDL_AudioSpec want{};
    want.freq = format ? format->rate : 44100;
    want.format = AUDIO_F32SYS;
    want.channels = static_cast<Uint8>(format ? format->channels : 2);
    want.samples = kDeviceFrames;
    want.callback = &SdlAudioOutput::callback;
    want.userdata = &voice;
    SDL_AudioSpec have{};
    // The sample format stays float (SDL converts it for the hardware); rate and channels
    // follow the device so that no second resampling happens inside SDL.
    const int allowed = format ? 0 : SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE;
    const SDL_AudioDeviceID device = sdl->OpenAudioDevice(nullptr, 0, &want, &have, allowed);
    if (device == 0) {
        error = sdl->GetError();
        releaseSdlAudio();
        return nullptr;
    }
    std::unique_ptr<SdlAudioOutput> output(
        new SdlAudioOutput(*sdl, device, OutputFormat{have.freq, have.channels}));
    sdl->PauseAudioDevice(device, 0);
    return output;
}

SdlAudioOutput::SdlAudioOutput(const SdlApi &sdl, SDL_AudioDeviceID device, OutputFormat format)
    : m_sdl(sdl), m_device(device), m_format(format)
{}

SdlAudioOutput::~SdlAudioOutput()
{
    m_sdl.CloseAudioDevice(m_device);
    releaseSdlAudio();
}

bool SdlAudioOutput::lost() const
{
    // The device is paused only when it is about to close, so "stopped" means SDL has lost it.
    return m_sdl.GetAudioDeviceStatus(m_device) == SDL_AUDIO_STOPPED;
}

void SdlAudioOutput::quiet()
{
    // Pausing waits for a callback under way, and no callback follows.
    m_sdl.PauseAudioDevice(m_device, 1);
}

void SdlAudioOutput::callback(void *user, Uint8 *stream, int len)
{
    auto *voice = static_cast<SoundVoice *>(user);
    voice->render(reinterpret_cast<float *>(stream), static_cast<std::size_t>(len) / sizeof(float));
}

} // namespace orvane
