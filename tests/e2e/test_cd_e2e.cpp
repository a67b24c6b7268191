// The CD player in the real program, playing a CUE/BIN image of tone tracks: opened from the
// speed bar and played with its keyboard mnemonic, and started by a CD alarm in Shuffle mode.
// The sound log shows what was played; CDNAME32.REC shows the disc the program saw. libcdio is
// not loaded by the start, only when the player first looks at the disc.
#include "app/alarms/alarm_record.h"
#include "app/media/disc_record.h"
#include "program_runner.h"
#include "tests/platform/cd/cd_image_writer.h"
#include "tests/support/display_required.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;
using namespace orvane;

namespace {

std::string FreshHome(const std::string &name)
{
    const std::string home =
        (fs::temp_directory_path() / ("orvane-cd-" + std::to_string(::getpid()) + "-" + name)).string();
    fs::remove_all(home);
    fs::create_directories(home);
    return home;
}

bool WaitFor(const std::function<bool()> &done, std::chrono::seconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

std::string FirstWindow(const std::string &titlePattern)
{
    const std::string found =
        ProgramRunner::capture("xdotool search --onlyvisible --name '" + titlePattern + "'");
    return found.substr(0, found.find('\n'));
}

// The tracks of the sound log's CD lines, in order.
std::vector<int> CdTracks(const std::string &log)
{
    std::vector<int> tracks;
    std::istringstream lines(log);
    std::string line;
    while (std::getline(lines, line)) {
        const auto at = line.find("\tcd\ttrack ");
        if (at != std::string::npos)
            tracks.push_back(std::stoi(line.substr(at + 10)));
    }
    return tracks;
}

class CDEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { ORVANE_SKIP_WITHOUT_DISPLAY("needs an X display (run under xvfb-run)"); }
};

} // namespace

TEST_F(CDEndToEnd, SpeedBarOpensThePlayerAndPlayPlaysTheImage)
{
    ProgramRunner orvane(FreshHome("speedbar"));
    const std::string cue = test::WriteCdImage(orvane.home(), "tones", {{2}, {2}, {3}});
    orvane.env["ORVANE_CD_DEVICE"] = cue;
    orvane.env["ORVANE_SOUND_LOG"] = orvane.file("sound.log");
    orvane.env["ORVANE_CLOCK_START"] = "2026-12-08T10:00:00";
    const pid_t pid = orvane.start();
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(orvane.waitUntilListening());
    std::string main;
    ASSERT_TRUE(WaitFor([&] { return !(main = FirstWindow("^Orvane")).empty(); }, std::chrono::seconds(10)));
    EXPECT_FALSE(ProgramRunner::hasLoaded(pid, "libcdio")) << "the start loaded the CD library";
    // The speed bar's third button, the CD Player, in the window's own coordinates.
    ProgramRunner::capture("xdotool windowactivate --sync " + main +
                           " 2>/dev/null; xdotool mousemove --window " + main + " 72 17 click 1");
    std::string player;
    ASSERT_TRUE(
        WaitFor([&] { return !(player = FirstWindow("^CD Player")).empty(); }, std::chrono::seconds(10)));
    // The disc was looked up: a record for the image's table of contents, named by default.
    ASSERT_TRUE(WaitFor([&] { return fs::exists(orvane.file("CDNAME32.REC")); }, std::chrono::seconds(5)));
    EXPECT_TRUE(ProgramRunner::hasLoaded(pid, "libcdio_paranoia"));
    const std::string bytes = ProgramRunner::readFile(orvane.file("CDNAME32.REC"));
    ASSERT_EQ(bytes.size(), sizeof(TDiscRecord));
    TDiscRecord record;
    std::memcpy(&record, bytes.data(), sizeof record);
    EXPECT_EQ(record.NumTracks, 3);
    EXPECT_EQ(record.Track1Length, 0x000200);
    EXPECT_EQ(record.DiscLength, 0x000700);
    EXPECT_EQ(record.name(0), "Unknown");
    EXPECT_EQ(record.name(3), "Untitled 3");

    ProgramRunner::capture("xdotool windowactivate --sync " + player +
                           " 2>/dev/null; xdotool windowfocus --sync " + player + "; xdotool key alt+a");
    ASSERT_TRUE(WaitFor([&] { return !CdTracks(ProgramRunner::readFile(orvane.file("sound.log"))).empty(); },
                        std::chrono::seconds(10)));
    EXPECT_EQ(CdTracks(ProgramRunner::readFile(orvane.file("sound.log"))).front(), 1);
    EXPECT_EQ(orvane.run({"--quit"}), 0);
    EXPECT_EQ(orvane.wait(), 0);
}

TEST_F(CDEndToEnd, ShuffleAlarmOpensThePlayerAndPlaysTheTracksInAShuffledOrder)
{
    ProgramRunner orvane(FreshHome("alarm"));
    const std::string cue = test::WriteCdImage(orvane.home(), "tones", {{1}, {1}, {1}, {1}});
    TAlarmRecord alarm{};
    alarm.Text.assign("Shuffle");
    alarm.BeforeWave.assign("NONE");
    alarm.AfterWave.assign("NONE");
    alarm.ActionType = atCDPlayer;
    alarm.Recurrence = rcDaily;
    alarm.StartTime = EncodeTime(7, 0);
    alarm.StopTime = alarm.StartTime;
    alarm.AlarmDate = EncodeDate(2026, 12, 8);
    alarm.NextTime = alarm.AlarmDate + alarm.StartTime;
    alarm.Active = 1;
    std::string table(50 * sizeof(TAlarmRecord), '\0');
    std::memcpy(table.data(), &alarm, sizeof alarm);
    std::ofstream(orvane.file("alarms32.rec"), std::ios::binary) << table;
    orvane.env["ORVANE_CD_DEVICE"] = cue;
    orvane.env["ORVANE_SOUND_LOG"] = orvane.file("sound.log");
    orvane.env["ORVANE_CLOCK_START"] = "2026-12-08T06:59:57";
    ASSERT_GT(orvane.start(), 0);
    ASSERT_TRUE(orvane.waitUntilListening());
    ASSERT_TRUE(WaitFor([] { return !FirstWindow("^CD Player").empty(); }, std::chrono::seconds(15)));
    // Four one-second tracks, each started on its own as the shuffle moves on.
    std::vector<int> tracks;
    ASSERT_TRUE(WaitFor(
        [&] {
            tracks = CdTracks(ProgramRunner::readFile(orvane.file("sound.log")));
            return std::set<int>(tracks.begin(), tracks.end()).size() == 4;
        },
        std::chrono::seconds(25)))
        << ProgramRunner::readFile(orvane.file("sound.log"));
    EXPECT_GE(tracks.size(), 5u) << "the first shuffled track is started twice: alone, then played on";
    EXPECT_EQ(orvane.run({"--quit"}), 0);
    EXPECT_EQ(orvane.wait(), 0);
}
