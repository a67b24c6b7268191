#pragma once
// Command alarms change the voice announcer's settings; the pass works on a copy of them that
// the caller takes from, and puts back into, the program's settings.
#include <cstdint>
#include <string>

namespace orvane {

struct CommandVoiceSettings {
    bool playVoice = true;
    int32_t intervalSetting = 5;   // "HowOften" as loaded
    int32_t effectiveInterval = 5; // the interval the announcer uses (and the save writes)
    bool playWave = false;
    int32_t beforeAfter = 1; // 1 before, 2 after the spoken time

    bool operator==(const CommandVoiceSettings &) const = default;
};

// Applies the command words of a Command alarm's Text (compared without regard to case): the
// interval first ("60 MIN" before "30 MIN" before ... "1 MIN", the first found wins), then
// "PLAYVOICE ON/OFF", "WAVEFILE ON/OFF", "BEFORE"/"AFTER", a later word overriding an earlier.
void ApplyCommandWords(const std::string &text, CommandVoiceSettings &settings);

} // namespace orvane
