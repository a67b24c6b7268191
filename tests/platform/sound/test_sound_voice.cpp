#include "app/platform/sound/sound_voice.h"

#include <gtest/gtest.h>

#include <thread>

using namespace orvane;
using namespace std::chrono_literals;

TEST(SoundVoice, HandsOutTheSoundThenSilenceAndEnds)
{
    SoundVoice voice;
    voice.start({0.1f, 0.2f, 0.3f, 0.4f, 0.5f});
    EXPECT_TRUE(voice.busy());
    float out[3] = {9, 9, 9};
    voice.render(out, 3);
    EXPECT_EQ(std::vector<float>(out, out + 3), (std::vector<float>{0.1f, 0.2f, 0.3f}));
    voice.render(out, 3);
    EXPECT_EQ(std::vector<float>(out, out + 3), (std::vector<float>{0.4f, 0.5f, 0.0f}));
    EXPECT_FALSE(voice.busy());
    voice.render(out, 3);
    EXPECT_EQ(std::vector<float>(out, out + 3), (std::vector<float>{0.0f, 0.0f, 0.0f}));
}

TEST(SoundVoice, ANewSoundCutsOffTheOneInTheMiddleOfPlaying)
{
    SoundVoice voice;
    const auto first = voice.start(std::vector<float>(100, 0.5f));
    float out[10];
    voice.render(out, 10);
    const auto second = voice.start({0.25f, 0.25f});
    EXPECT_NE(first, second);
    // The waiter of the first sound is released at once: that sound has ended for good.
    EXPECT_TRUE(voice.waitUntilDone(first, 0ms));
    voice.render(out, 4);
    EXPECT_EQ(std::vector<float>(out, out + 4), (std::vector<float>{0.25f, 0.25f, 0.0f, 0.0f}));
}

TEST(SoundVoice, AWaiterWakesWhenTheAudioThreadReachesTheEnd)
{
    SoundVoice voice;
    const auto id = voice.start(std::vector<float>(1000, 0.5f));
    std::thread audio([&] {
        float out[100];
        for (int i = 0; i < 10; ++i) {
            std::this_thread::sleep_for(2ms);
            voice.render(out, 100);
        }
    });
    EXPECT_TRUE(voice.waitUntilDone(id, 5s));
    EXPECT_FALSE(voice.busy());
    audio.join();
}

TEST(SoundVoice, AWaitForASoundNobodyPlaysEndsAtItsLimit)
{
    SoundVoice voice;
    const auto id = voice.start(std::vector<float>(1000, 0.5f));
    const auto before = std::chrono::steady_clock::now();
    EXPECT_FALSE(voice.waitUntilDone(id, 50ms));
    EXPECT_GE(std::chrono::steady_clock::now() - before, 50ms);
    voice.stop();
    EXPECT_TRUE(voice.waitUntilDone(id, 0ms));
}

TEST(SoundVoice, RemembersWhenTheFirstSamplesOfEachSoundWentOut)
{
    SoundVoice voice;
    const auto id = voice.start(std::vector<float>(10, 0.5f));
    EXPECT_FALSE(voice.firstSampleTime(id).has_value());
    const auto before = std::chrono::steady_clock::now();
    float out[4];
    voice.render(out, 4);
    const auto first = voice.firstSampleTime(id);
    ASSERT_TRUE(first.has_value());
    EXPECT_GE(*first, before);
    voice.render(out, 4); // later buffers of the same sound do not move the mark
    EXPECT_EQ(voice.firstSampleTime(id), first);
    EXPECT_FALSE(voice.firstSampleTime(id + 1).has_value());
}

TEST(SoundVoice, AnEmptySoundIsNotPlaying)
{
    SoundVoice voice;
    const auto id = voice.start({});
    EXPECT_FALSE(voice.busy());
    EXPECT_TRUE(voice.waitUntilDone(id, 0ms));
}

TEST(SoundVoice, PiecesOfALongSoundPlayInOrderAndALatePieceMeansSilenceNotTheEnd)
{
    SoundVoice voice;
    const auto id = voice.start({0.1f, 0.2f}, false);
    float out[4];
    voice.render(out, 4);
    EXPECT_EQ(std::vector<float>(out, out + 4), (std::vector<float>{0.1f, 0.2f, 0.0f, 0.0f}));
    EXPECT_TRUE(voice.busy()); // the next piece is still being read
    EXPECT_TRUE(voice.append(id, {0.3f, 0.4f, 0.5f}));
    EXPECT_TRUE(voice.append(id, {0.6f}));
    voice.finish(id);
    voice.render(out, 3);
    EXPECT_EQ(std::vector<float>(out, out + 3), (std::vector<float>{0.3f, 0.4f, 0.5f}));
    EXPECT_TRUE(voice.busy());
    voice.render(out, 3);
    EXPECT_EQ(std::vector<float>(out, out + 3), (std::vector<float>{0.6f, 0.0f, 0.0f}));
    EXPECT_FALSE(voice.busy());
}

TEST(SoundVoice, FinishingAfterEverythingPlayedEndsTheSoundAtOnce)
{
    SoundVoice voice;
    const auto id = voice.start({0.1f}, false);
    float out[2];
    voice.render(out, 2);
    EXPECT_TRUE(voice.busy());
    voice.finish(id);
    EXPECT_FALSE(voice.busy());
    EXPECT_TRUE(voice.waitUntilDone(id, 0ms));
}

TEST(SoundVoice, TheReaderOfACutOffSoundIsToldToStop)
{
    SoundVoice voice;
    const auto first = voice.start(std::vector<float>(100, 0.5f), false);
    voice.start({0.25f});
    EXPECT_FALSE(voice.append(first, {0.5f}));
    EXPECT_FALSE(voice.waitForRoom(first, 1)); // returns at once instead of waiting for room
    voice.finish(first);                       // a late finish does not end the new sound
    EXPECT_TRUE(voice.busy());
}

TEST(SoundVoice, TheReaderWaitsWhileEnoughIsQueuedAndGoesOnAsItPlays)
{
    SoundVoice voice;
    const auto id = voice.start(std::vector<float>(1000, 0.5f), false);
    std::thread audio([&] {
        float out[100];
        for (int i = 0; i < 8; ++i) {
            std::this_thread::sleep_for(5ms);
            voice.render(out, 100);
        }
    });
    const auto before = std::chrono::steady_clock::now();
    EXPECT_TRUE(voice.waitForRoom(id, 500)); // room once 501 of the 1000 have been played
    EXPECT_GE(std::chrono::steady_clock::now() - before, 20ms);
    audio.join();
    voice.stop();
    EXPECT_FALSE(voice.waitForRoom(id, 500));
}
