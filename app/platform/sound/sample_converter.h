#pragma once
// Converts decoded sound to the output's rate and channel count (SDL's resampler).
#include "app/platform/sound/decoded_sound.h"

#include <optional>
#include <vector>

namespace orvane {

class SampleConverter {
public:
    // The samples in the output format, or none when SDL cannot convert between the two.
    static std::optional<std::vector<float>> convert(const DecodedSound &sound, OutputFormat to);
};

} // namespace orvane
