#pragma once
// The speech snippets built into the program: complete RIFF WAVE images (PCM, mono, 11025 Hz,
// 8-bit) named WAVEFILE_0 .. WAVEFILE_20, WAVEFILE_30, WAVEFILE_40, WAVEFILE_50 and
// WAVEFILE_OCLOCK.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace orvane {

struct SnippetEntry {
    std::string_view name;
    std::span<const std::uint8_t> image;
};

class SnippetLibrary {
public:
    // The image of the snippet called `name`, compared without regard to case (callers spell
    // the same snippet "WAVEFILE_0", "WaveFile_0" or "Wavefile_oclock"); none when unknown.
    static std::optional<std::span<const std::uint8_t>> find(std::string_view name);
    // Every snippet, sorted by name as the build step found them.
    static std::span<const SnippetEntry> all();
};

} // namespace orvane
