#pragma once
// Decodes wave files and wave images in memory with libsndfile. Anything it cannot read as
// sound (missing, not a regular file, corrupt, empty) comes back as an error text instead.
#include "app/platform/sound/decoded_sound.h"

#include <cstdint>
#include <span>
#include <string>
#include <variant>

namespace orvane {

using DecodeResult = std::variant<DecodedSound, std::string>;

class WaveDecoder {
public:
    // Longer sounds are cut here: a whole sound is held in memory while it plays.
    static constexpr double kMaxSeconds = 600.0;

    static DecodeResult decodeFile(const std::string &path);
    static DecodeResult decodeImage(std::span<const std::uint8_t> bytes);
};

} // namespace orvane
