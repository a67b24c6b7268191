#pragma once
// Speaks the time on minute ticks: decides by the voice settings whether to speak and plays
// the snippets (and the user's wave) one after another, each to its end, so the caller is
// blocked for the whole announcement.
#include "app/clock/voice_rules.h"
#include "app/clock/voice_settings.h"
#include "app/platform/sound_player.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orvane {

// Finds a snippet's wave image by name, without regard to case; none when there is no such one.
using SnippetLookup = std::function<std::optional<std::span<const std::uint8_t>>(std::string_view)>;

class VoiceAnnouncer {
public:
    // Speaks with the snippets built into the program.
    explicit VoiceAnnouncer(SoundPlayer &player);
    VoiceAnnouncer(SoundPlayer &player, SnippetLookup lookup);

    // The announce decision and the speaking for one minute tick. `requested` is the announce
    // request (hot key or "announce" message), which speaks whatever the settings say.
    // Returns whether the time was spoken.
    bool Announce(int hour, int minute, bool requested, const VoiceSettings &settings);

    // Plays one snippet to its end; a missing or unplayable one is skipped silently.
    void PlaySnippet(std::string_view name);
    // Plays the user's wave file to its end; one that cannot be played gives the default sound.
    void PlayUserWave(const std::string &path);

private:
    SoundPlayer &m_player;
    SnippetLookup m_lookup;
};

} // namespace orvane
