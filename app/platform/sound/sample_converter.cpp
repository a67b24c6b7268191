#include "app/platform/sound/sample_converter.h"

#include <SDL2/SDL.h>

#include <memory>

namespace orvane {
namespace {

struct StreamFree {
    void operator()(SDL_AudioStream *s) const { SDL_FreeAudioStream(s); }
};

} // namespace

std::optional<std::vector<float>> SampleConverter::convert(const DecodedSound &sound, OutputFormat to)
{
    if (sound.rate == to.rate && sound.channels == to.channels)
        return sound.samples;
    std::unique_ptr<SDL_AudioStream, StreamFree> stream(SDL_NewAudioStream(
        AUDIO_F32SYS, static_cast<Uint8>(sound.channels), sound.rate,
        AUDIO_F32SYS, static_cast<Uint8>(to.channels), to.rate));
    if (!stream)
        return std::nullopt;
    const auto bytes = static_cast<int>(sound.samples.size() * sizeof(float));
    if (SDL_AudioStreamPut(stream.get(), sound.samples.data(), bytes) != 0
        || SDL_AudioStreamFlush(stream.get()) != 0)
        return std::nullopt;
    std::vector<float> out(static_cast<std::size_t>(SDL_AudioStreamAvailable(stream.get())) / sizeof(float));
    const int got = SDL_AudioStreamGet(stream.get(), out.data(), static_cast<int>(out.size() * sizeof(float)));
    if (got < 0)
        return std::nullopt;
    out.resize(static_cast<std::size_t>(got) / sizeof(float));
    return out;
}

} // namespace orvane
