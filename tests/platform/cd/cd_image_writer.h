#pragma once
// Writes a CUE/BIN image of short tone tracks for tests: each audio track a sine of its own
// pitch (so tracks can be told apart by their samples), data tracks as MODE1/2352 sectors.
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace orvane::test {

struct ImageTrack {
    int seconds;
    bool audio = true;
};

// The first sample of track t (1-based) is this value in both channels, so reads can be checked.
inline int16_t ToneSample(int track, int64_t frame)
{
    const double pi = 3.14159265358979323846;
    return static_cast<int16_t>(8000.0 *
                                std::sin(2.0 * pi * (220.0 * track) * static_cast<double>(frame) / 44100.0));
}

// Writes `<dir>/<name>.bin` and `<dir>/<name>.cue`; returns the CUE sheet's path.
inline std::string WriteCdImage(const std::string &dir, const std::string &name,
                                const std::vector<ImageTrack> &tracks)
{
    const std::string bin = dir + "/" + name + ".bin";
    std::ofstream out(bin, std::ios::binary);
    std::string cue = "FILE \"" + name + ".bin\" BINARY\n";
    int64_t sector = 0;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const int track = static_cast<int>(i) + 1;
        char header[64];
        std::snprintf(header, sizeof header, "  TRACK %02d %s\n", track,
                      tracks[i].audio ? "AUDIO" : "MODE1/2352");
        cue += header;
        char index[64];
        std::snprintf(index, sizeof index, "    INDEX 01 %02d:%02d:%02d\n",
                      static_cast<int>(sector / 75 / 60), static_cast<int>(sector / 75 % 60),
                      static_cast<int>(sector % 75));
        cue += index;
        const int64_t sectors = tracks[i].seconds * 75;
        for (int64_t s = 0; s < sectors; ++s) {
            std::vector<int16_t> samples(1176);
            for (int f = 0; f < 588; ++f) {
                const int16_t v =
                    tracks[i].audio ? ToneSample(track, s * 588 + f) : static_cast<int16_t>(0x5A5A);
                samples[static_cast<std::size_t>(2 * f)] = v;
                samples[static_cast<std::size_t>(2 * f + 1)] = v;
            }
            out.write(reinterpret_cast<const char *>(samples.data()), 2352);
        }
        sector += sectors;
    }
    std::ofstream(dir + "/" + name + ".cue") << cue;
    return dir + "/" + name + ".cue";
}

} // namespace orvane::test
