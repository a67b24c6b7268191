#pragma once
// Decodes a whole wave file or wave image at once (short sounds such as the snippets).
#include "app/platform/sound/decoded_sound.h"

#include <cstdint>
#include <span>
#include <string>
#include <variant>

namespace orvane {

using DecodeResult = std::variant<DecodedSound, std::string>;

class WaveDecoder {
public:
    static DecodeResult decodeFile(const std::string &path);
    static DecodeResult decodeImage(std::span<const std::uint8_t> bytes);
};

} // namespace orvane
