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
    // Stops taking samples from the voice, at once; closing the device (the destructor) may
    // take a few buffers longer, and happens while a newer output may already be playing.
    virtual void quiet() {}
};

} // namespace orvane
