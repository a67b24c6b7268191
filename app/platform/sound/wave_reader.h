#pragma once
// An open sound, read piece by piece with libsndfile: a wave file on disk or a wave image in
// memory. Long files are played while they are being read, so no file has to fit in memory.
#include "app/platform/sound/decoded_sound.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <variant>

namespace orvane {

class WaveReader;
using WaveReaderResult = std::variant<std::unique_ptr<WaveReader>, std::string>;

class WaveReader {
public:
    // Anything that is not readable sound (missing, not a regular file, corrupt, empty) gives
    // an error text instead.
    static WaveReaderResult openFile(const std::string &path);
    // The bytes must outlive the reader.
    static WaveReaderResult openImage(std::span<const std::uint8_t> bytes);
    ~WaveReader();
    WaveReader(const WaveReader &) = delete;
    WaveReader &operator=(const WaveReader &) = delete;

    int rate() const { return m_rate; }
    int channels() const { return m_channels; }
    // The length the header announces, in frames.
    std::int64_t frames() const { return m_frames; }
    // Up to `maxFrames` more frames; fewer at the end, none after it or on a read error.
    DecodedSound read(std::size_t maxFrames);

private:
    struct Impl;
    explicit WaveReader(std::unique_ptr<Impl> impl);
    static WaveReaderResult open(std::unique_ptr<Impl> impl);

    std::unique_ptr<Impl> m_impl;
    int m_rate = 0;
    int m_channels = 0;
    std::int64_t m_frames = 0;
};

} // namespace orvane
