#include "app/platform/sound/sample_converter.h"

#include "app/platform/sound/sdl_api.h"

#include <string>

namespace orvane {

void SampleConverter::StreamFree::operator()(_SDL_AudioStream *s) const { sdl->FreeAudioStream(s); }

std::optional<SampleConverter> SampleConverter::create(int fromRate, int fromChannels, OutputFormat to)
{
    if (fromRate == to.rate && fromChannels == to.channels)
        return SampleConverter(nullptr, nullptr);
    std::string error;
    const SdlApi *sdl = loadSdl(error);
    if (!sdl)
        return std::nullopt;
    SDL_AudioStream *stream = sdl->NewAudioStream(AUDIO_F32SYS, static_cast<Uint8>(fromChannels), fromRate,
                                                  AUDIO_F32SYS, static_cast<Uint8>(to.channels), to.rate);
    if (!stream)
        return std::nullopt;
    return SampleConverter(sdl, stream);
}

std::optional<std::vector<float>> SampleConverter::convert(const DecodedSound &sound, OutputFormat to)
{
    auto converter = create(sound.rate, sound.channels, to);
    if (!converter)
        return std::nullopt;
    std::vector<float> out = converter->push(sound.samples);
    std::vector<float> tail = converter->finish();
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
}

std::vector<float> SampleConverter::push(const std::vector<float> &samples)
{
    if (!m_stream)
        return samples;
    if (sdl().AudioStreamPut(m_stream.get(), samples.data(),
                             static_cast<int>(samples.size() * sizeof(float))) != 0)
        return {};
    return drain();
}

std::vector<float> SampleConverter::finish()
{
    if (!m_stream || sdl().AudioStreamFlush(m_stream.get()) != 0)
        return {};
    return drain();
}

std::vector<float> SampleConverter::drain()
{
    std::vector<float> out(static_cast<std::size_t>(sdl().AudioStreamAvailable(m_stream.get())) /
                           sizeof(float));
    const int got =
        sdl().AudioStreamGet(m_stream.get(), out.data(), static_cast<int>(out.size() * sizeof(float)));
    out.resize(got > 0 ? static_cast<std::size_t>(got) / sizeof(float) : 0);
    return out;
}

} // namespace orvane
