// The alarm set-up dialog in the real program on a private X server with Openbox, driven by
// xdotool as a user would: the speed bar, mnemonics and the time control's keys.
#include "app/alarms/alarm_record.h"
#include "program_runner.h"
#include "tests/support/window_manager_session.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>

namespace fs = std::filesystem;
using namespace orvane;
using orvane::testing_x11::WindowManagerSession;

namespace {

class AlarmSetEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_session = WindowManagerSession::start();
        ASSERT_TRUE(m_session) << WindowManagerSession::why();
        // xdotool and the program both work on the private server.
        m_oldDisplay = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
        ::setenv("DISPLAY", m_session->displayName().c_str(), 1);
        // Short, because the program's socket lives below it and socket paths are limited.
        static int s_count = 0;
        m_home = (fs::temp_directory_path() /
                  ("oas-" + std::to_string(::getpid()) + "-" + std::to_string(++s_count)))
                     .string();
        fs::remove_all(m_home);
    }
    void TearDown() override
    {
        fs::remove_all(m_home);
        ::setenv("DISPLAY", m_oldDisplay.c_str(), 1);
    }

    std::string x(const std::string &command) const { return ProgramRunner::capture(command); }
    std::string window(const std::string &title) const
    {
        const std::string ids = x("xdotool search --onlyvisible --name '" + title + "' 2>/dev/null");
        return ids.substr(0, ids.find('\n'));
    }
    bool waitFor(const std::function<bool()> &done, std::chrono::seconds limit) const
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < deadline) {
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
        }
        return false;
    }
    // Starts the program and clicks the Alarms button of its speed bar.
    std::string openAlarmSetup(ProgramRunner &orvane, const std::string &clockStart)
    {
        orvane.env["DISPLAY"] = m_session->displayName();
        orvane.env["ORVANE_CLOCK_START"] = clockStart;
        EXPECT_GT(orvane.start(), 0);
        EXPECT_TRUE(orvane.waitUntilListening());
        std::string main;
        EXPECT_TRUE(waitFor([&] { return !(main = window("^Orvane")).empty(); }, std::chrono::seconds(10)));
        // The Alarms button is the second of the speed bar, 27 pixels wide, at its left end.
        x("xdotool windowactivate --sync " + main);
        x("xdotool mousemove --window " + main + " 43 14 click 1");
        std::string setup;
        EXPECT_TRUE(
            waitFor([&] { return !(setup = window("^Alarm Setup")).empty(); }, std::chrono::seconds(10)));
        x("xdotool windowactivate --sync " + setup);
        return setup;
    }
    void keys(const std::string &keys) const { x("xdotool key --delay 80 " + keys); }

    std::unique_ptr<WindowManagerSession> m_session;
    std::string m_home;
    std::string m_oldDisplay;
};

TAlarmRecord ReadSlot(const std::string &path, int slot)
{
    const std::string bytes = ProgramRunner::readFile(path);
    TAlarmRecord r{};
    if (bytes.size() >= static_cast<std::size_t>(slot) * sizeof(TAlarmRecord))
        std::memcpy(&r, bytes.data() + (slot - 1) * sizeof(TAlarmRecord), sizeof(TAlarmRecord));
    return r;
}

} // namespace

TEST_F(AlarmSetEndToEnd, MessageAlarmMadeWithTheTimeKeysFiresAtTheNextMinute)
{
    ProgramRunner orvane(m_home);
    openAlarmSetup(orvane, "2026-12-08T06:58:35");
    x("xdotool type --delay 40 'Tea time'");
    // Alt+T moves into the Time group's start field with the hour selected; the separator
    // selects the minute and Up makes it 06:59.
    keys("alt+t colon Up alt+s");
    ASSERT_TRUE(waitFor([&] { return ReadSlot(orvane.file("alarms32.rec"), 1).Text.str() == "Tea time"; },
                        std::chrono::seconds(10)));
    EXPECT_TRUE(window("^Message Alarm!$").empty());
    EXPECT_TRUE(waitFor([&] { return !window("^Message Alarm!$").empty(); }, std::chrono::seconds(40)));
    const TAlarmRecord saved = ReadSlot(orvane.file("alarms32.rec"), 1);
    EXPECT_EQ(MinuteNumber(saved.StartTime), MinuteNumber(EncodeTime(6, 59)));
    EXPECT_EQ(saved.ActionType, atMessage);
    orvane.kill();
}

TEST_F(AlarmSetEndToEnd, DailyProgramAlarmFromTheRecurrenceDialogIsInTheFileAfterQuit)
{
    ProgramRunner orvane(m_home);
    openAlarmSetup(orvane, "2026-12-08T10:00:05");
    keys("alt+p");
    x("xdotool type --delay 40 '/bin/true'");
    keys("alt+r");
    std::string recurrence;
    ASSERT_TRUE(waitFor([&] { return !(recurrence = window("^Recuring Date/Time")).empty(); },
                        std::chrono::seconds(10)));
    // Daily and OK are clicked: a click reaches the dialog under the pointer whenever it comes,
    // where a key reaches it only once the window manager and then Qt have made it the active
    // window, which can take over half a second after it is shown (Alt+Y sent earlier was lost
    // and Once stayed chosen). The mnemonics are checked by the dialog's widget test.
    x("xdotool windowactivate --sync " + recurrence + " 2>/dev/null");
    // The places are those of the dialog's fixed layout: Daily's button, then OK.
    x("xdotool mousemove --window " + recurrence + " 17 135 click 1");
    x("xdotool mousemove --window " + recurrence + " 155 192 click 1");
    ASSERT_TRUE(waitFor([&] { return window("^Recuring Date/Time").empty(); }, std::chrono::seconds(10)));
    x("xdotool windowactivate --sync " + window("^Alarm Setup") + " 2>/dev/null");
    keys("alt+s Escape");
    ASSERT_TRUE(waitFor([&] { return window("^Alarm Setup").empty(); }, std::chrono::seconds(10)));
    EXPECT_EQ(orvane.run({"--quit"}), 0);
    EXPECT_EQ(orvane.wait(), 0);
    ASSERT_EQ(fs::file_size(orvane.file("alarms32.rec")), 19200u);
    const TAlarmRecord r = ReadSlot(orvane.file("alarms32.rec"), 1);
    EXPECT_EQ(r.Text.str(), "/bin/true");
    EXPECT_EQ(r.ActionType, atProgram);
    EXPECT_EQ(r.Recurrence, rcDaily);
    EXPECT_EQ(r.Active, 1);
    EXPECT_EQ(r.AutoDelete, 0);
    EXPECT_EQ(r.AutoStart, 1);
    EXPECT_EQ(r.StopEnabled, 0);
    EXPECT_EQ(r.BeforeWave.str(), "NONE");
    EXPECT_EQ(r.AfterWave.str(), "NONE");
    EXPECT_EQ(MinuteNumber(r.StartTime), MinuteNumber(EncodeTime(10, 0)));
    EXPECT_EQ(MinuteNumber(r.NextTime), MinuteNumber(EncodeDate(2026, 12, 9) + EncodeTime(10, 0)));
    EXPECT_TRUE(ReadSlot(orvane.file("alarms32.rec"), 2).isEmpty());
}
