#include "program_runner.h"
#include "tests/support/display_required.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::string FreshHome(const std::string &name)
{
    const std::string home =
        (fs::temp_directory_path() / ("orvane-e2e-" + std::to_string(::getpid()) + "-" + name)).string();
    fs::remove_all(home);
    return home;
}

bool HasDisplay() { return std::getenv("DISPLAY") != nullptr; }

} // namespace

class StartAndQuit : public ::testing::Test {
protected:
    void SetUp() override { ORVANE_NEEDS_DISPLAY(HasDisplay(), "needs an X display (run under xvfb-run)"); }
};

TEST_F(StartAndQuit, QuitSavesEverySettingAndTheWholeAlarmFile)
{
    ProgramRunner orvane(FreshHome("quit"));
    orvane.env["ORVANE_CLOCK_START"] = "2026-12-08T06:59:50";
    ASSERT_GT(orvane.start(), 0);
    ASSERT_TRUE(orvane.waitUntilListening());
    EXPECT_FALSE(fs::exists(orvane.file("murvelin.ini"))); // nothing is written at start-up
    EXPECT_EQ(orvane.run({"--quit"}), 0);
    EXPECT_EQ(orvane.wait(), 0);

    const std::string ini = ProgramRunner::readFile(orvane.file("murvelin.ini"));
    for (const char *key :
         {"SnoozeTime=10",  "Digital=0",          "Play Voice=1",      "HowOften=5",
          "UseHotkey=1",    "HotKey=288",         "Play Wave=0",       "BeforeAfter=1",
          "WaveFile=",      "Auto Start=0",       "Title Bar Clock=1", "Title Bar Res=0",
          "All Windows=1",  "Auto Run=0",         "Stay On Top=0",     "Show Hints=1",
          "BHints=1",       "Style=Regular",      "Color=8388608",     "Font Name=Times New Roman",
          "Color=12632256", "FaceColor=16777215", "BevelOuter=2",      "BevelInner=0",
          "BevelWidth=2",   "BorderWidth=0",      "SpeedBar=1",        "PlaceNormPosL=",
          "PlaceNormPosB=", "Minimized=0"})
        EXPECT_NE(ini.find(key), std::string::npos) << key;
    EXPECT_EQ(fs::file_size(orvane.file("alarms32.rec")), 19200u);
}

TEST_F(StartAndQuit, SigtermClosesLikeExit)
{
    ProgramRunner orvane(FreshHome("sigterm"));
    const pid_t pid = orvane.start();
    ASSERT_TRUE(orvane.waitUntilListening());
    ::kill(pid, SIGTERM);
    EXPECT_EQ(orvane.wait(), 0);
    EXPECT_TRUE(fs::exists(orvane.file("murvelin.ini")));
    EXPECT_EQ(fs::file_size(orvane.file("alarms32.rec")), 19200u);
}

TEST_F(StartAndQuit, SecondStartEndsAtOnceWithoutWriting)
{
    ProgramRunner first(FreshHome("single"));
    ASSERT_GT(first.start(), 0);
    ASSERT_TRUE(first.waitUntilListening());
    ProgramRunner second(first.home());
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(second.run({}), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(5));
    EXPECT_FALSE(fs::exists(first.file("murvelin.ini")));
    EXPECT_TRUE(first.running());
    EXPECT_EQ(first.run({"--quit"}), 0);
    EXPECT_EQ(first.wait(), 0);
}

TEST_F(StartAndQuit, ReadOnlySettingsStillSaveTheAlarms)
{
    ProgramRunner orvane(FreshHome("readonly"));
    {
        std::ofstream(orvane.file("murvelin.ini")) << "[Options]\nSnoozeTime=7\n";
    }
    ::chmod(orvane.file("murvelin.ini").c_str(), 0444);
    ASSERT_GT(orvane.start(), 0);
    ASSERT_TRUE(orvane.waitUntilListening());
    EXPECT_EQ(orvane.run({"--quit"}), 0);
    EXPECT_EQ(orvane.wait(), 0);
    EXPECT_EQ(ProgramRunner::readFile(orvane.file("murvelin.ini")), "[Options]\nSnoozeTime=7\n");
    EXPECT_EQ(fs::file_size(orvane.file("alarms32.rec")), 19200u);
}

TEST_F(StartAndQuit, AnnounceAndQuitWithoutAClockFail)
{
    ProgramRunner nobody(FreshHome("nobody"));
    EXPECT_EQ(nobody.run({"--announce"}), 1);
    EXPECT_EQ(nobody.run({"--quit"}), 1);
}

TEST_F(StartAndQuit, NoDisplayIsAClearErrorNotACrash)
{
    ProgramRunner orvane(FreshHome("nodisplay"));
    orvane.env["DISPLAY"] = "";
    EXPECT_EQ(orvane.run({}), 1);
}
