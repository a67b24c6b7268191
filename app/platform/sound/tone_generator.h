#pragma once
// The system sounds, made in memory: the default sound heard for an unplayable request and the
// MessageBeep alerts. No sound files are needed for them.
#include "app/platform/sound/decoded_sound.h"

#include <vector>

namespace orvane {

class ToneGenerator {
public:
    // The alert for a MessageBeep type (see BeepType); the default sound is the beepOk alert.
    static std::vector<float> alert(unsigned type, OutputFormat format);
    static std::vector<float> defaultSound(OutputFormat format);
};

} // namespace orvane
