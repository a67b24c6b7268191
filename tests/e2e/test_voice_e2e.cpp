#include "program_runner.h"
#include "tests/support/display_required.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::string FreshHome(const std::string &name)
{
    const std::string home =
        (fs::temp_directory_path() / ("orvane-voice-" + std::to_string(::getpid()) + "-" + name)).string();
    fs::remove_all(home);
    return home;
}

// The snippet names of the sound log, in order.
std::vector<std::string> Snippets(const std::string &log)
{
    std::vector<std::string> names;
    std::istringstream in(log);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string time, kind, name;
        std::getline(fields, time, '\t');
        std::getline(fields, kind, '\t');
        std::getline(fields, name, '\t');
        if (kind == "snippet")
            names.push_back(time.substr(11) + " " + name);
    }
    return names;
}

bool WaitForLines(const std::string &path, std::size_t count, std::chrono::seconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (Snippets(ProgramRunner::readFile(path)).size() >= count)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

class VoiceEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { ORVANE_SKIP_WITHOUT_DISPLAY("needs an X display (run under xvfb-run)"); }
};

} // namespace

TEST_F(VoiceEndToEnd, SpeaksTheFullHourAndAnswersAnAnnounceRequest)
{
    ProgramRunner orvane(FreshHome("hour"));
    orvane.env["ORVANE_CLOCK_START"] = "2026-12-08T06:59:58";
    orvane.env["ORVANE_SOUND_LOG"] = orvane.file("sound.log");
    std::ofstream(orvane.file("murvelin.ini")) << "[Voice]\nHowOften=5\n";
    std::ofstream(orvane.file("Win.ini")) << "[intl]\nsShortTime=h:mm tt\n";
    ASSERT_GT(orvane.start(), 0);
    ASSERT_TRUE(orvane.waitUntilListening());
    ASSERT_TRUE(WaitForLines(orvane.file("sound.log"), 2, std::chrono::seconds(10)));
    EXPECT_EQ(Snippets(ProgramRunner::readFile(orvane.file("sound.log"))),
              (std::vector<std::string>{"07:00:00 WAVEFILE_7", "07:00:00 WAVEFILE_OCLOCK"}));
    EXPECT_EQ(orvane.run({"--quit"}), 0);
    EXPECT_EQ(orvane.wait(), 0);
}

TEST_F(VoiceEndToEnd, AnnounceBetweenIntervalsSpeaksHourZeroAndMinute)
{
    ProgramRunner orvane(FreshHome("announce"));
    orvane.env["ORVANE_CLOCK_START"] = "2026-12-08T07:03:05";
    orvane.env["ORVANE_SOUND_LOG"] = orvane.file("sound.log");
    std::ofstream(orvane.file("Win.ini")) << "[intl]\nsShortTime=h:mm tt\n";
    const pid_t pid = orvane.start();
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(orvane.waitUntilListening());
    EXPECT_EQ(orvane.run({"--announce"}), 0);
    ASSERT_TRUE(WaitForLines(orvane.file("sound.log"), 3, std::chrono::seconds(10)));
    // The sound library, which the program does not link, was loaded and the time was heard.
    EXPECT_TRUE(ProgramRunner::hasLoaded(pid, "libSDL2"));
    const std::string log = ProgramRunner::readFile(orvane.file("sound.log"));
    EXPECT_EQ(log.find("\tsilent"), std::string::npos) << log;
    const auto names = Snippets(log);
    ASSERT_EQ(names.size(), 3u);
    EXPECT_NE(names[0].find("WAVEFILE_7"), std::string::npos);
    EXPECT_NE(names[1].find("WAVEFILE_0"), std::string::npos);
    EXPECT_NE(names[2].find("WAVEFILE_3"), std::string::npos);
    EXPECT_EQ(orvane.run({"--quit"}), 0);
    EXPECT_EQ(orvane.wait(), 0);
}

TEST_F(VoiceEndToEnd, TwentyFourHourClockSpeaksTwentyThreeAsTwentyAndThree)
{
    ProgramRunner orvane(FreshHome("24h"));
    orvane.env["ORVANE_CLOCK_START"] = "2026-12-08T23:14:58";
    orvane.env["ORVANE_SOUND_LOG"] = orvane.file("sound.log");
    std::ofstream(orvane.file("Win.ini")) << "[intl]\nsShortTime=HH:mm\n";
    ASSERT_GT(orvane.start(), 0);
    ASSERT_TRUE(orvane.waitUntilListening());
    ASSERT_TRUE(WaitForLines(orvane.file("sound.log"), 3, std::chrono::seconds(10)));
    EXPECT_EQ(
        Snippets(ProgramRunner::readFile(orvane.file("sound.log"))),
        (std::vector<std::string>{"23:15:00 WAVEFILE_20", "23:15:00 WAVEFILE_3", "23:15:00 WAVEFILE_15"}));
    EXPECT_EQ(orvane.run({"--quit"}), 0);
    EXPECT_EQ(orvane.wait(), 0);
}

// The sound libraries are loaded ahead, once the clock is on the screen, only when a sound may be
// asked for at any moment: with the voice or the hot key on. A silent clock never carries them.
TEST_F(VoiceEndToEnd, TheSoundLibrariesAreLoadedAheadOnlyForTheVoiceOrTheHotKey)
{
    struct Case {
        const char *name;
        const char *voice;
        bool loadedAhead;
    };
    for (const Case c : {Case{"silent", "[Voice]\nPlay Voice=0\nUseHotKey=0\n", false},
                         Case{"hot key only", "[Voice]\nPlay Voice=0\nUseHotKey=1\n", true},
                         Case{"voice", "[Voice]\nPlay Voice=1\nUseHotKey=0\n", true}}) {
        ProgramRunner orvane(FreshHome(std::string("ahead-") + c.name));
        orvane.env["ORVANE_CLOCK_START"] = "2026-12-08T07:01:05";
        std::ofstream(orvane.file("murvelin.ini")) << c.voice;
        const pid_t pid = orvane.start();
        ASSERT_GT(pid, 0) << c.name;
        ASSERT_TRUE(orvane.waitUntilListening()) << c.name;
        // Loading ahead starts with the first frame; a few seconds see it done.
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (!ProgramRunner::hasLoaded(pid, "libSDL2") && std::chrono::steady_clock::now() < limit)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        EXPECT_EQ(ProgramRunner::hasLoaded(pid, "libSDL2"), c.loadedAhead) << c.name;
        EXPECT_EQ(orvane.run({"--quit"}), 0) << c.name;
        EXPECT_EQ(orvane.wait(), 0) << c.name;
    }
}
