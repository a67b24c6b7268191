#pragma once
// The Text of a Command alarm as the set-up dialog builds it from its four lists, and the list
// choices it shows again for a stored Text.
#include <string>

namespace orvane {

// Each index is the list position chosen, or -1 for a list left without a choice.
struct CommandChoice {
    int playVoice = -1; // "On", "Off"
    int interval = -1;  // "1 min" .. "60 min"
    int waveFile = -1;  // "On", "Off"
    int when = -1;      // "Before", "After"
    bool operator==(const CommandChoice &) const = default;
};

// " PlayVoice On 15 min WaveFile Off After" for every list with a choice, in this order, each
// part after one blank; cut to the alarm text's 100 characters. Empty when nothing is chosen.
std::string BuildCommandText(const CommandChoice &choice);

// The choices a stored Text shows: case-sensitive substring tests, a later test overriding an
// earlier one for the same list (so "15 min" ends on "15 min" although it holds "5 min").
CommandChoice ParseCommandText(const std::string &text);

} // namespace orvane
