#pragma once
// Sound as the player handles it between decoding and output: interleaved floats in -1..1.
#include <cstddef>
#include <vector>

namespace orvane {

struct DecodedSound {
    std::vector<float> samples; // interleaved, channels per frame
    int rate = 0;               // frames per second
    int channels = 0;

    std::size_t frames() const
    {
        return channels > 0 ? samples.size() / static_cast<std::size_t>(channels) : 0;
    }
};

// The format the output device takes: always float samples.
struct OutputFormat {
    int rate = 44100;
    int channels = 2;
};

} // namespace orvane
