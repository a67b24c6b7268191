#pragma once
// Where the playing sound goes: a device that pulls samples from a SoundVoice on its own thread.
#include "app/platform/sound/decoded_sound.h"

namespace orvane {

class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    virtual OutputFormat format() const = 0;
    // Whether the device has gone away (unplugged, its server ended) and a new one must be opened.
    virtual bool lost() const { return false; }
};

} // namespace orvane
