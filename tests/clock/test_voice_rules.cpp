#include "app/clock/voice_rules.h"

#include <gtest/gtest.h>

#include <set>

using namespace orvane;

namespace {

VoiceSettings voiceOnly(int interval = 5)
{
    VoiceSettings s;
    s.playVoice = true;
    s.interval = interval;
    s.playWave = false;
    return s;
}

std::vector<std::string> names(const std::vector<VoiceStep> &steps)
{
    std::vector<std::string> out;
    for (const VoiceStep &s : steps)
        out.push_back(s.kind == VoiceStep::Kind::UserWave ? "wave:" + s.name : s.name);
    return out;
}

std::set<int> spokenMinutes(int interval)
{
    std::set<int> out;
    for (int m = 0; m < 60; ++m) {
        if (VoiceRules::intervalSpeaks(interval, m))
            out.insert(m);
    }
    return out;
}

} // namespace

TEST(VoiceRules, MinutesUpToTwentyAreOneNumberLaterOnesTensAndUnits)
{
    struct Case {
        int minute, tens, units;
    };
    const Case cases[] = {{0, 0, 0},   {9, 0, 9},   {10, 0, 10}, {19, 0, 19}, {20, 0, 20},
                          {21, 20, 1}, {29, 20, 9}, {30, 30, 0}, {39, 30, 9}, {40, 40, 0},
                          {45, 40, 5}, {50, 50, 0}, {59, 50, 9}};
    for (const Case &c : cases) {
        const MinuteSplit split = VoiceRules::splitMinute(c.minute);
        EXPECT_EQ(split.tens, c.tens) << "minute " << c.minute;
        EXPECT_EQ(split.units, c.units) << "minute " << c.minute;
    }
}

TEST(VoiceRules, SampleTimesSpeakTheseSnippets)
{
    struct Case {
        int hour, minute;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {7, 0, {"WAVEFILE_7", "WAVEFILE_OCLOCK"}},
        {7, 3, {"WAVEFILE_7", "WAVEFILE_0", "WAVEFILE_3"}},
        {7, 5, {"WAVEFILE_7", "WAVEFILE_0", "WAVEFILE_5"}},
        {7, 10, {"WAVEFILE_7", "WAVEFILE_10"}},
        {7, 20, {"WAVEFILE_7", "WAVEFILE_20"}}, // 20 is one number: no tens snippet
        {7, 22, {"WAVEFILE_7", "WAVEFILE_20", "WAVEFILE_2"}},
        {12, 45, {"WAVEFILE_12", "WAVEFILE_40", "WAVEFILE_5"}},
        {12, 30, {"WAVEFILE_12", "WAVEFILE_30"}}, // 0:30 under a 12-hour format
        {0, 30, {"WAVEFILE_0", "WAVEFILE_30"}},   // 0:30 under a 24-hour format
        {23, 15, {"WAVEFILE_20", "WAVEFILE_3", "WAVEFILE_15"}},
        {13, 7, {"WAVEFILE_13", "WAVEFILE_0", "WAVEFILE_7"}},
        {20, 0, {"WAVEFILE_20", "WAVEFILE_OCLOCK"}}, // hour 20 is spoken alone
        {21, 59, {"WAVEFILE_20", "WAVEFILE_1", "WAVEFILE_50", "WAVEFILE_9"}},
        {0, 0, {"WAVEFILE_0", "WAVEFILE_OCLOCK"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(names(VoiceRules::sequence(c.hour, c.minute, voiceOnly())), c.expected)
            << c.hour << ":" << c.minute;
}

TEST(VoiceRules, TheUserWaveGoesBeforeOrAfterTheSpokenTime)
{
    VoiceSettings s = voiceOnly();
    s.playWave = true;
    s.waveFile = "/home/u/chime.wav";
    s.beforeAfter = 1;
    EXPECT_EQ(names(VoiceRules::sequence(7, 5, s)),
              (std::vector<std::string>{"wave:/home/u/chime.wav", "WAVEFILE_7", "WAVEFILE_0", "WAVEFILE_5"}));
    s.beforeAfter = 2;
    EXPECT_EQ(names(VoiceRules::sequence(7, 5, s)),
              (std::vector<std::string>{"WAVEFILE_7", "WAVEFILE_0", "WAVEFILE_5", "wave:/home/u/chime.wav"}));
}

TEST(VoiceRules, NoUserWaveWhenItIsOffUnnamedOrPlacedNowhere)
{
    VoiceSettings s = voiceOnly();
    s.waveFile = "/home/u/chime.wav";
    s.playWave = false;
    EXPECT_EQ(VoiceRules::sequence(7, 0, s).size(), 2u);
    s.playWave = true;
    s.beforeAfter = 3; // neither 1 nor 2
    EXPECT_EQ(VoiceRules::sequence(7, 0, s).size(), 2u);
    s.beforeAfter = 2;
    s.waveFile.clear();
    EXPECT_EQ(VoiceRules::sequence(7, 0, s).size(), 2u);
}

TEST(VoiceRules, EachIntervalSpeaksAtItsOwnMinutes)
{
    std::set<int> all;
    for (int m = 0; m < 60; ++m)
        all.insert(m);
    EXPECT_EQ(spokenMinutes(1), all);
    EXPECT_EQ(spokenMinutes(5), (std::set<int>{0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55}));
    EXPECT_EQ(spokenMinutes(10), (std::set<int>{0, 10, 20, 30, 40, 50}));
    EXPECT_EQ(spokenMinutes(15), (std::set<int>{0, 15, 30, 45}));
    EXPECT_EQ(spokenMinutes(30), (std::set<int>{0, 30}));
    EXPECT_EQ(spokenMinutes(60), (std::set<int>{0}));
    for (int odd : {0, 2, 7, 20, 45, 61, -5})
        EXPECT_TRUE(spokenMinutes(odd).empty()) << "interval " << odd;
}

TEST(VoiceRules, ARequestSpeaksWhateverTheSettingsSay)
{
    VoiceSettings s = voiceOnly(7); // a stored interval that never speaks on its own
    EXPECT_FALSE(VoiceRules::shouldAnnounce(0, false, s));
    EXPECT_TRUE(VoiceRules::shouldAnnounce(0, true, s));
    s = voiceOnly(5);
    s.playVoice = false;
    s.playWave = true;
    EXPECT_FALSE(VoiceRules::shouldAnnounce(5, false, s));
    EXPECT_TRUE(VoiceRules::shouldAnnounce(3, true, s));
    s.playVoice = true;
    EXPECT_TRUE(VoiceRules::shouldAnnounce(5, false, s));
    EXPECT_FALSE(VoiceRules::shouldAnnounce(6, false, s));
}

TEST(VoiceRules, AnImpossibleTimeSpeaksNothing)
{
    for (auto [h, m] : {std::pair{24, 0}, {-1, 0}, {7, 60}, {7, -1}, {100, 100}})
        EXPECT_TRUE(VoiceRules::sequence(h, m, voiceOnly()).empty()) << h << ":" << m;
}
