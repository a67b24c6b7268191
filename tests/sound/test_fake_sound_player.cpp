#include "app/platform/fake/fake_sound_player.h"

#include <gtest/gtest.h>

using namespace orvane;

// Other areas' tests rely on the fake answering like the real player.
TEST(FakeSoundPlayer, AnswersLikeThePlayerAndRecordsEveryRequest)
{
    FakeSoundPlayer player;
    player.markUnplayable("/x/broken.wav");
    const std::uint8_t image[] = {1, 2, 3};

    EXPECT_TRUE(player.play("/x/bell.wav", sndAsync));
    EXPECT_TRUE(player.play("/x/broken.wav", sndSync));                 // the default sound
    EXPECT_FALSE(player.play("/x/broken.wav", sndSync | sndNoDefault)); // silence
    EXPECT_FALSE(player.play(SoundImage{"WAVEFILE_1", {}}, sndNoDefault));
    EXPECT_TRUE(player.play(SoundImage{"WAVEFILE_2", image}, sndNoDefault));
    player.setPlaying(true);
    EXPECT_FALSE(player.play("/x/bell.wav", sndAsync | sndNoStop));
    EXPECT_TRUE(player.play("/x/bell.wav", sndAsync));
    EXPECT_TRUE(player.MessageBeep(beepOk));
    player.stop();
    EXPECT_FALSE(player.isPlaying());

    using K = FakeSoundPlayer::Kind;
    const std::vector<FakeSoundPlayer::Call> expected = {
        {K::File, "/x/bell.wav", sndAsync, 0},
        {K::File, "/x/broken.wav", sndSync, 0},
        {K::File, "/x/broken.wav", sndNoDefault, 0},
        {K::Image, "WAVEFILE_1", sndNoDefault, 0},
        {K::Image, "WAVEFILE_2", sndNoDefault, 3},
        {K::File, "/x/bell.wav", sndAsync | sndNoStop, 0},
        {K::File, "/x/bell.wav", sndAsync, 0},
        {K::Beep, "0", sndAsync, 0},
        {K::Stop, "", 0, 0},
    };
    EXPECT_EQ(player.calls(), expected);
    EXPECT_EQ(player.requestedNames().size(), 7u);
}
