#include "app/clock/voice_rules.h"

namespace orvane {
namespace {

bool waveBefore(const VoiceSettings &s) { return s.playWave && s.beforeAfter == 1 && !s.waveFile.empty(); }
bool waveAfter(const VoiceSettings &s) { return s.playWave && s.beforeAfter == 2 && !s.waveFile.empty(); }

void addSnippet(std::vector<VoiceStep> &steps, std::string name)
{
    steps.push_back({VoiceStep::Kind::Snippet, std::move(name)});
}

// 21..23 exist only in a 24-hour format and are spoken "twenty" then the rest.
void addHour(std::vector<VoiceStep> &steps, int hour)
{
    if (hour <= 20) {
        addSnippet(steps, VoiceRules::snippetName(hour));
        return;
    }
    addSnippet(steps, VoiceRules::snippetName(20));
    addSnippet(steps, VoiceRules::snippetName(hour - 20));
}

void addMinute(std::vector<VoiceStep> &steps, int minute)
{
    if (minute == 0) {
        addSnippet(steps, VoiceRules::kOClock);
        return;
    }
    const MinuteSplit split = VoiceRules::splitMinute(minute);
    if (minute < 10) {
        // "seven oh five": the zero is spoken before a single-digit minute.
        addSnippet(steps, VoiceRules::snippetName(0));
        addSnippet(steps, VoiceRules::snippetName(split.units));
        return;
    }
    if (split.tens != 0)
        addSnippet(steps, VoiceRules::snippetName(split.tens));
    if (split.units != 0)
        addSnippet(steps, VoiceRules::snippetName(split.units));
}

} // namespace

MinuteSplit VoiceRules::splitMinute(int minute)
{
    if (minute <= 20)
        return {0, minute};
    const int tens = minute / 10 * 10;
    return {tens, minute - tens};
}

bool VoiceRules::intervalSpeaks(int interval, int minute)
{
    const MinuteSplit split = splitMinute(minute);
    switch (interval) {
    case 1: return true;
    case 5:
        return minute == 5 || minute == 10 || minute == 15 || minute == 20 || split.units == 0 ||
               split.units == 5;
    case 10: return split.units == 0 || minute == 10 || minute == 20;
    case 15: return minute == 0 || minute == 15 || minute == 30 || minute == 45;
    case 30: return minute == 0 || minute == 30;
    case 60: return minute == 0;
    default: return false;
    }
}

bool VoiceRules::shouldAnnounce(int minute, bool requested, const VoiceSettings &settings)
{
    return requested || (settings.playVoice && intervalSpeaks(settings.interval, minute));
}

std::vector<VoiceStep> VoiceRules::sequence(int hour, int minute, const VoiceSettings &settings)
{
    std::vector<VoiceStep> steps;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59)
        return steps;
    if (waveBefore(settings))
        steps.push_back({VoiceStep::Kind::UserWave, settings.waveFile});
    addHour(steps, hour);
    addMinute(steps, minute);
    if (waveAfter(settings))
        steps.push_back({VoiceStep::Kind::UserWave, settings.waveFile});
    return steps;
}

std::string VoiceRules::snippetName(int number) { return "WAVEFILE_" + std::to_string(number); }

} // namespace orvane
