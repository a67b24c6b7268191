#include "app/alarms/alarm_record.h"
#include "program_runner.h"
#include "tests/support/display_required.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

namespace fs = std::filesystem;
using namespace orvane;

namespace {

std::string FreshHome(const std::string &name)
{
    const std::string home =
        (fs::temp_directory_path() / ("orvane-alarm-" + std::to_string(::getpid()) + "-" + name)).string();
    fs::remove_all(home);
    return home;
}

TAlarmRecord Alarm(ActionType action, RecurrenceKind kind, const std::string &text, int hour, int minute)
{
    TAlarmRecord r{};
    r.Text.assign(text);
    r.BeforeWave.assign("NONE");
    r.AfterWave.assign("NONE");
    r.ActionType = action;
    r.Recurrence = kind;
    r.StartTime = EncodeTime(hour, minute);
    r.StopTime = r.StartTime;
    r.AlarmDate = EncodeDate(2026, 12, 8);
    r.NextTime = r.AlarmDate + r.StartTime;
    r.Active = 1;
    r.AutoDelete = kind == rcOnce ? 1 : 0;
    return r;
}

void WriteTable(const std::string &path, const std::vector<TAlarmRecord> &alarms)
{
    std::string bytes(50 * sizeof(TAlarmRecord), '\0');
    for (std::size_t i = 0; i < alarms.size(); ++i)
        std::memcpy(bytes.data() + i * sizeof(TAlarmRecord), &alarms[i], sizeof(TAlarmRecord));
    std::ofstream(path, std::ios::binary) << bytes;
}

TAlarmRecord ReadSlot(const std::string &path, int slot)
{
    const std::string bytes = ProgramRunner::readFile(path);
    TAlarmRecord r{};
    if (bytes.size() >= static_cast<std::size_t>(slot) * sizeof(TAlarmRecord))
        std::memcpy(&r, bytes.data() + (slot - 1) * sizeof(TAlarmRecord), sizeof(TAlarmRecord));
    return r;
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

class AlarmsEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { ORVANE_SKIP_WITHOUT_DISPLAY("needs an X display (run under xvfb-run)"); }
};

} // namespace

TEST_F(AlarmsEndToEnd, DailyProgramAlarmRunsAtItsMinuteAndIsRearmedForTomorrow)
{
    ProgramRunner orvane(FreshHome("program"));
    const std::string script = orvane.file("alarm script.sh");
    const std::string marker = orvane.file("marker");
    std::ofstream(script) << "#!/bin/sh\necho \"$1\" > \"" << marker << "\"\n";
    fs::permissions(script, fs::perms::owner_all);
    WriteTable(orvane.file("alarms32.rec"),
               {Alarm(atProgram, rcDaily, "\"" + script + "\" \"fired; rm -rf /\"", 7, 0)});
    orvane.env["ORVANE_CLOCK_START"] = "2026-12-08T06:59:50";
    ASSERT_GT(orvane.start(), 0);
    ASSERT_TRUE(orvane.waitUntilListening());
    EXPECT_FALSE(fs::exists(marker));
    ASSERT_TRUE(WaitFor([&] { return fs::exists(marker) && !ProgramRunner::readFile(marker).empty(); },
                        std::chrono::seconds(20)));
    // The argument arrives whole: no shell ever saw the alarm's text.
    EXPECT_EQ(ProgramRunner::readFile(marker), "fired; rm -rf /\n");
    EXPECT_EQ(orvane.run({"--quit"}), 0);
    EXPECT_EQ(orvane.wait(), 0);
    const TAlarmRecord saved = ReadSlot(orvane.file("alarms32.rec"), 1);
    EXPECT_EQ(MinuteNumber(saved.NextTime), MinuteNumber(EncodeDate(2026, 12, 9) + EncodeTime(7, 0)));
}

TEST_F(AlarmsEndToEnd, OnceCommandAlarmChangesTheIntervalAndEmptiesItsSlot)
{
    ProgramRunner orvane(FreshHome("command"));
    WriteTable(orvane.file("alarms32.rec"), {Alarm(atCommand, rcOnce, " PlayVoice On 60 min", 7, 0)});
    orvane.env["ORVANE_CLOCK_START"] = "2026-12-08T06:59:55";
    ASSERT_GT(orvane.start(), 0);
    ASSERT_TRUE(orvane.waitUntilListening());
    std::this_thread::sleep_for(std::chrono::seconds(7));
    EXPECT_EQ(orvane.run({"--quit"}), 0);
    EXPECT_EQ(orvane.wait(), 0);
    EXPECT_NE(ProgramRunner::readFile(orvane.file("murvelin.ini")).find("HowOften=60"), std::string::npos);
    EXPECT_EQ(ReadSlot(orvane.file("alarms32.rec"), 1).Recurrence, rcEmpty);
    EXPECT_EQ(fs::file_size(orvane.file("alarms32.rec")), 19200u);
}

TEST_F(AlarmsEndToEnd, MessageAlarmOpensItsWindowAndEnterSnoozes)
{
    ProgramRunner orvane(FreshHome("message"));
    WriteTable(orvane.file("alarms32.rec"), {Alarm(atMessage, rcDaily, "Stand up and stretch", 7, 0)});
    orvane.env["ORVANE_CLOCK_START"] = "2026-12-08T06:59:57";
    ASSERT_GT(orvane.start(), 0);
    ASSERT_TRUE(orvane.waitUntilListening());
    std::string window;
    ASSERT_TRUE(WaitFor(
        [&] {
            window = ProgramRunner::capture("xdotool search --name '^Message Alarm!$'");
            return !window.empty();
        },
        std::chrono::seconds(15)));
    const std::string id = window.substr(0, window.find('\n'));
    ProgramRunner::capture("xdotool windowactivate --sync " + id +
                           " 2>/dev/null; xdotool windowfocus --sync " + id + "; xdotool key --window " + id +
                           " Return");
    EXPECT_TRUE(
        WaitFor([] { return ProgramRunner::capture("xdotool search --name '^Message Alarm!$'").empty(); },
                std::chrono::seconds(10)));
    EXPECT_EQ(orvane.run({"--quit"}), 0);
    EXPECT_EQ(orvane.wait(), 0);
    // Snooze put the alarm off by the default ten minutes.
    const TAlarmRecord saved = ReadSlot(orvane.file("alarms32.rec"), 1);
    EXPECT_EQ(MinuteNumber(saved.NextTime), MinuteNumber(EncodeDate(2026, 12, 8) + EncodeTime(7, 10)));
}

TEST_F(AlarmsEndToEnd, HotKeySpeaksWithoutTheKeyReachingTheFrontWindow)
{
    ProgramRunner orvane(FreshHome("hotkey"));
    orvane.env["ORVANE_CLOCK_START"] = "2026-12-08T07:03:05";
    orvane.env["ORVANE_SOUND_LOG"] = orvane.file("sound.log");
    ASSERT_GT(orvane.start(), 0);
    ASSERT_TRUE(orvane.waitUntilListening());
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ProgramRunner::capture("xdotool key ctrl+space");
    ASSERT_TRUE(WaitFor(
        [&] {
            return ProgramRunner::readFile(orvane.file("sound.log")).find("WAVEFILE_3") != std::string::npos;
        },
        std::chrono::seconds(5)));
    const std::string log = ProgramRunner::readFile(orvane.file("sound.log"));
    EXPECT_NE(log.find("WAVEFILE_7"), std::string::npos);
    EXPECT_EQ(orvane.run({"--quit"}), 0);
    EXPECT_EQ(orvane.wait(), 0);
}
