#pragma once
// The settings the voice announcer reads at each announcement.
#include "app/clock/settings_record.h"

#include <string>

namespace orvane {

struct VoiceSettings {
    bool playVoice = true;
    int interval = 5; // the effective announce interval in minutes
    bool playWave = false;
    int beforeAfter = 1; // 1 the user's wave before the spoken time, 2 after it
    std::string waveFile;

    // The live values the main window keeps: the effective interval (which command alarms
    // change) and the wave path, not the record's copies.
    static VoiceSettings from(const TProgramSettings &settings)
    {
        return {settings.record.playVoice, settings.effectiveInterval, settings.record.playWave,
                settings.record.beforeAfter, settings.waveFilePath};
    }
};

} // namespace orvane
