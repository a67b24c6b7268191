#pragma once
// Where the playing sound goes: a device that pulls samples from a SoundVoice on its own thread.
#include "app/platform/sound/decoded_sound.h"

namespace orvane {

class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    virtual OutputFormat format() const = 0;
};

} // namespace orvane
