#include "app/clock/voice_announcer.h"

#include "app/platform/fake/fake_sound_player.h"

#include <gtest/gtest.h>

using namespace orvane;
using K = FakeSoundPlayer::Kind;

namespace {

VoiceSettings settings(bool playVoice, int interval, bool playWave = false, int beforeAfter = 1,
                       std::string wave = "/w/chime.wav")
{
    return {playVoice, interval, playWave, beforeAfter, std::move(wave)};
}

} // namespace

TEST(VoiceAnnouncer, SpeaksEachSnippetSynchronouslyFromMemoryAndSilentlyWhenUnplayable)
{
    FakeSoundPlayer player;
    VoiceAnnouncer announcer(player);
    EXPECT_TRUE(announcer.Announce(7, 5, false, settings(true, 5)));
    ASSERT_EQ(player.requestedNames(), (std::vector<std::string>{"WAVEFILE_7", "WAVEFILE_0", "WAVEFILE_5"}));
    for (const auto &call : player.calls()) {
        EXPECT_EQ(call.kind, K::Image);
        EXPECT_EQ(call.flags, sndSync | sndNoDefault);
        EXPECT_GT(call.bytes, 44u); // a whole built-in wave image, not just a header
    }
}

TEST(VoiceAnnouncer, TheUserWaveIsPlayedByNameAndMayGiveTheDefaultSound)
{
    FakeSoundPlayer player;
    VoiceAnnouncer announcer(player);
    announcer.Announce(7, 0, false, settings(true, 60, true, 2));
    const auto &calls = player.calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[2], (FakeSoundPlayer::Call{K::File, "/w/chime.wav", sndSync, 0}));
}

TEST(VoiceAnnouncer, OutsideTheIntervalNothingPlays)
{
    FakeSoundPlayer player;
    VoiceAnnouncer announcer(player);
    EXPECT_FALSE(announcer.Announce(7, 3, false, settings(true, 5, true)));
    EXPECT_FALSE(announcer.Announce(7, 0, false, settings(true, 7, true)));
    EXPECT_TRUE(player.calls().empty());
}

TEST(VoiceAnnouncer, WithTheVoiceOffTheWaveAloneIsNotPlayedButTheHotKeyPlaysBoth)
{
    FakeSoundPlayer player;
    VoiceAnnouncer announcer(player);
    const VoiceSettings s = settings(false, 5, true, 1);
    EXPECT_FALSE(announcer.Announce(7, 5, false, s));
    EXPECT_TRUE(player.calls().empty());
    EXPECT_TRUE(announcer.Announce(7, 6, true, s));
    EXPECT_EQ(player.requestedNames(),
              (std::vector<std::string>{"/w/chime.wav", "WAVEFILE_7", "WAVEFILE_0", "WAVEFILE_6"}));
}

TEST(VoiceAnnouncer, AMissingSnippetIsSkippedAndTheRestStillSpoken)
{
    FakeSoundPlayer player;
    const std::uint8_t image[] = {1, 2, 3, 4};
    VoiceAnnouncer announcer(player,
                             [&](std::string_view name) -> std::optional<std::span<const std::uint8_t>> {
                                 if (name == "WAVEFILE_0")
                                     return std::nullopt;
                                 return std::span<const std::uint8_t>(image);
                             });
    EXPECT_TRUE(announcer.Announce(13, 7, true, settings(true, 5)));
    const auto &calls = player.calls();
    ASSERT_EQ(calls.size(), 3u);
    // Handed over empty, so the player logs it as skipped and plays nothing.
    EXPECT_EQ(calls[1], (FakeSoundPlayer::Call{K::Image, "WAVEFILE_0", sndSync | sndNoDefault, 0}));
    EXPECT_EQ(calls[2].name, "WAVEFILE_7");
    EXPECT_EQ(calls[2].bytes, 4u);
}

TEST(VoiceAnnouncer, SettingsComeFromTheLiveProgramValues)
{
    TProgramSettings program;
    program.record.playVoice = false;
    program.record.announceInterval = 5;
    program.effectiveInterval = 15; // changed by a command alarm since start-up
    program.record.playWave = true;
    program.record.beforeAfter = 2;
    program.record.waveFile = "/old.wav";
    program.waveFilePath = "/live.wav";
    const VoiceSettings s = VoiceSettings::from(program);
    EXPECT_FALSE(s.playVoice);
    EXPECT_EQ(s.interval, 15);
    EXPECT_TRUE(s.playWave);
    EXPECT_EQ(s.beforeAfter, 2);
    EXPECT_EQ(s.waveFile, "/live.wav");
}
