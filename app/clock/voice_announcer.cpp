#include "app/clock/voice_announcer.h"

#include "app/resources/snippet_library.h"

namespace orvane {

VoiceAnnouncer::VoiceAnnouncer(SoundPlayer &player) : VoiceAnnouncer(player, &SnippetLibrary::find) {}

VoiceAnnouncer::VoiceAnnouncer(SoundPlayer &player, SnippetLookup lookup)
    : m_player(player), m_lookup(std::move(lookup))
{}

bool VoiceAnnouncer::Announce(int hour, int minute, bool requested, const VoiceSettings &settings)
{
    if (!VoiceRules::shouldAnnounce(minute, requested, settings))
        return false;
    const std::vector<VoiceStep> steps = VoiceRules::sequence(hour, minute, settings);
    for (const VoiceStep &step : steps) {
        if (step.kind == VoiceStep::Kind::Snippet)
            PlaySnippet(step.name);
        else
            PlayUserWave(step.name);
    }
    return !steps.empty();
}

void VoiceAnnouncer::PlaySnippet(std::string_view name)
{
    // A missing snippet still goes to the player as an empty image, so that the sound log
    // shows it as skipped; sndNoDefault keeps it silent.
    const auto image = m_lookup(name);
    const SoundImage request{name, image ? *image : std::span<const std::uint8_t>{}};
    m_player.play(request, sndSync | sndNoDefault);
}

void VoiceAnnouncer::PlayUserWave(const std::string &path) { m_player.play(path, sndSync); }

} // namespace orvane
