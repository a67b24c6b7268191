#include "app/alarms/voice_command.h"

#include "app/alarms/text_match.h"

namespace orvane {

void ApplyCommandWords(const std::string &text, CommandVoiceSettings &s)
{
    const std::string upper = UpperCase(text);
    static const struct {
        const char *word;
        int32_t minutes;
    } kIntervals[] = {{"60 MIN", 60}, {"30 MIN", 30}, {"15 MIN", 15},
                      {"10 MIN", 10}, {"5 MIN", 5},   {"1 MIN", 1}};
    for (const auto &interval : kIntervals) {
        if (Contains(upper, interval.word)) {
            s.intervalSetting = interval.minutes;
            break;
        }
    }
    s.effectiveInterval = s.intervalSetting;
    if (Contains(upper, "PLAYVOICE ON"))
        s.playVoice = true;
    if (Contains(upper, "PLAYVOICE OFF"))
        s.playVoice = false;
    if (Contains(upper, "WAVEFILE ON"))
        s.playWave = true;
    if (Contains(upper, "WAVEFILE OFF"))
        s.playWave = false;
    if (Contains(upper, "BEFORE"))
        s.beforeAfter = 1;
    if (Contains(upper, "AFTER"))
        s.beforeAfter = 2;
}

} // namespace orvane
