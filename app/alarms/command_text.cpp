#include "app/alarms/command_text.h"

#include "app/alarms/alarm_record.h"

#include <array>

namespace orvane {
namespace {

const std::array<const char *, 2> kOnOff{"On", "Off"};
const std::array<const char *, 6> kIntervals{"1 min", "5 min", "10 min", "15 min", "30 min", "60 min"};
const std::array<const char *, 2> kWhen{"Before", "After"};

template <std::size_t N>
void Append(std::string &text, const char *prefix, const std::array<const char *, N> &items, int index)
{
    if (index < 0 || index >= static_cast<int>(N))
        return;
    text += ' ';
    text += prefix;
    text += items[index];
}

template <std::size_t N>
int LastMatch(const std::string &text, const char *prefix, const std::array<const char *, N> &items)
{
    int found = -1;
    for (std::size_t i = 0; i < N; ++i)
        if (text.find(std::string(prefix) + items[i]) != std::string::npos)
            found = static_cast<int>(i);
    return found;
}

} // namespace

std::string BuildCommandText(const CommandChoice &choice)
{
    std::string text;
    Append(text, "PlayVoice ", kOnOff, choice.playVoice);
    Append(text, "", kIntervals, choice.interval);
    Append(text, "WaveFile ", kOnOff, choice.waveFile);
    Append(text, "", kWhen, choice.when);
    if (text.size() > kAlarmTextMax)
        text.resize(kAlarmTextMax);
    return text;
}

CommandChoice ParseCommandText(const std::string &text)
{
    CommandChoice choice;
    choice.playVoice = LastMatch(text, "PlayVoice ", kOnOff);
    choice.interval = LastMatch(text, "", kIntervals);
    choice.waveFile = LastMatch(text, "WaveFile ", kOnOff);
    choice.when = LastMatch(text, "", kWhen);
    return choice;
}

} // namespace orvane
