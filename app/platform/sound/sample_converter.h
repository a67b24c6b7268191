#pragma once
// Converts sound, piece by piece, to the output's rate and channel count (SDL's resampler
// keeps its state between pieces, so the joins are seamless).
#include "app/platform/sound/decoded_sound.h"

#include <memory>
#include <optional>
#include <vector>

struct _SDL_AudioStream;

namespace orvane {
struct SdlApi;
}

namespace orvane {

class SampleConverter {
public:
    // None when SDL cannot convert between the two formats.
    static std::optional<SampleConverter> create(int fromRate, int fromChannels, OutputFormat to);
    // A whole sound at once.
    static std::optional<std::vector<float>> convert(const DecodedSound &sound, OutputFormat to);

    // The converted samples ready so far; the resampler may hold a few back until finish().
    std::vector<float> push(const std::vector<float> &samples);
    // The samples still held back, at the end of the sound.
    std::vector<float> finish();

private:
    struct StreamFree {
        const SdlApi *sdl;
        void operator()(_SDL_AudioStream *s) const;
    };
    SampleConverter(const SdlApi *sdl, _SDL_AudioStream *stream) : m_stream(stream, StreamFree{sdl}) {}
    std::vector<float> drain();
    // SDL, loaded before a stream was made.
    const SdlApi &sdl() const { return *m_stream.get_deleter().sdl; }

    std::unique_ptr<_SDL_AudioStream, StreamFree> m_stream; // none: the formats already match
};

} // namespace orvane
