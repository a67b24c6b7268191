#pragma once
// When the clock speaks and what it says: the interval rules and the snippet sequence for an
// hour and minute. Pure functions; VoiceAnnouncer plays what they decide.
#include "app/clock/voice_settings.h"

#include <string>
#include <vector>

namespace orvane {

struct MinuteSplit {
    int tens;  // 0, 20, 30, 40 or 50
    int units; // what is left: 0..20 below minute 21, else 0..9
};

struct VoiceStep {
    enum class Kind { Snippet, UserWave };
    Kind kind;
    std::string name; // the snippet's name, or the wave file's path

    bool operator==(const VoiceStep &) const = default;
};

class VoiceRules {
public:
    // Minutes up to 20 are spoken as one number, later ones as tens and units.
    static MinuteSplit splitMinute(int minute);
    // Whether a minute tick at `minute` speaks on its own with this interval; unknown
    // intervals never do.
    static bool intervalSpeaks(int interval, int minute);
    // Whether this minute tick speaks: by the interval with the voice on, or always on request.
    static bool shouldAnnounce(int minute, bool requested, const VoiceSettings &settings);
    // The snippets and user waves to play, in order. `hour` is as spoken (1..12 under a
    // 12-hour system format, else 0..23). An hour or minute out of range gives nothing.
    static std::vector<VoiceStep> sequence(int hour, int minute, const VoiceSettings &settings);
    static std::string snippetName(int number);
    static constexpr const char *kOClock = "WAVEFILE_OCLOCK";
};

} // namespace orvane
