// The timers in the real program: a count-down started from the speed bar ends and sounds its
// alarm, and a count-up started just before midnight counts across it.
#include "program_runner.h"
#include "tests/support/display_required.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::string FreshHome(const std::string &name)
{
    const std::string home =
        (fs::temp_directory_path() / ("orvane-timers-" + std::to_string(::getpid()) + "-" + name)).string();
    fs::remove_all(home);
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

// The first window whose title is `title`, with or without the clock the program adds to the
// front window's title, waited for.
std::string WaitForWindow(const std::string &title)
{
    std::string found;
    WaitFor(
        [&] {
            found = ProgramRunner::capture("xdotool search --onlyvisible --name '^" + title + "( |$)'");
            return !found.empty();
        },
        std::chrono::seconds(15));
    return found.substr(0, found.find('\n'));
}

void Keys(const std::string &window, const std::string &keys)
{
    ProgramRunner::capture("xdotool windowactivate --sync " + window +
                           " 2>/dev/null; xdotool windowfocus --sync " + window +
                           "; xdotool key --clearmodifiers --delay 80 " + keys);
}

// What the window's time panel shows, copied with Ctrl+C while a button has the focus.
std::string ShownTime(const std::string &window)
{
    Keys(window, "ctrl+c");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    return ProgramRunner::capture("timeout 5 xclip -selection clipboard -o");
}

void Screenshot(const std::string &name)
{
    const char *dir = std::getenv("ORVANE_SHOTS");
    if (dir)
        ProgramRunner::capture("import -window root '" + std::string(dir) + "/" + name + "'");
}

class TimersEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { ORVANE_SKIP_WITHOUT_DISPLAY("needs an X display (run under xvfb-run)"); }
};

} // namespace

TEST_F(TimersEndToEnd, CountDownFromTheSpeedBarEndsAndSoundsOnFiveTicks)
{
    ProgramRunner orvane(FreshHome("down"));
    orvane.env["ORVANE_CLOCK_START"] = "2026-12-08T10:00:00";
    orvane.env["ORVANE_SOUND_LOG"] = orvane.file("sound.log");
    ASSERT_GT(orvane.start(), 0);
    ASSERT_TRUE(orvane.waitUntilListening());
    const std::string main = WaitForWindow("Orvane");
    ASSERT_FALSE(main.empty());
    // The Timers button is the fourth of the speed bar; its pop-up offers "Count up " and
    // "Count Down".
    ProgramRunner::capture("xdotool windowactivate --sync " + main +
                           " 2>/dev/null; xdotool mousemove --window " + main + " 98 14 click 1");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ProgramRunner::capture("xdotool key Down Down Return");
    const std::string down = WaitForWindow("Down");
    ASSERT_FALSE(down.empty());
    // Alt+E goes to the seconds; Alt+S starts.
    Keys(down, "alt+e 0 5 alt+s");
    std::this_thread::sleep_for(std::chrono::seconds(2));
    Screenshot("e2e_timer_down_running.png");
    const auto isAlarm = [](const std::string &line) { return line.find("AlarmWav") != std::string::npos; };
    std::vector<std::string> alarms;
    ASSERT_TRUE(WaitFor(
        [&] {
            alarms.clear();
            std::istringstream log(ProgramRunner::readFile(orvane.file("sound.log")));
            for (std::string line; std::getline(log, line);)
                if (isAlarm(line))
                    alarms.push_back(line);
            return alarms.size() >= 5;
        },
        std::chrono::seconds(15)));
    Screenshot("e2e_timer_down_ended.png");
    std::this_thread::sleep_for(std::chrono::seconds(2));
    std::istringstream log(ProgramRunner::readFile(orvane.file("sound.log")));
    alarms.clear();
    for (std::string line; std::getline(log, line);)
        if (isAlarm(line))
            alarms.push_back(line);
    // Five requests on five consecutive ticks, then silence for the rest of the minute. No wave
    // was chosen, so each asks for "AlarmWav" without cutting off a sound that still plays.
    ASSERT_EQ(alarms.size(), 5u);
    const auto secondOfDay = [](const std::string &line) {
        return std::stoi(line.substr(11, 2)) * 3600 + std::stoi(line.substr(14, 2)) * 60 +
               std::stoi(line.substr(17, 2));
    };
    for (const std::string &line : alarms)
        EXPECT_NE(line.find("\tasync-nostop\t"), std::string::npos) << line;
    const int span = secondOfDay(alarms.back()) - secondOfDay(alarms.front());
    EXPECT_GE(span, 3);
    EXPECT_LE(span, 5);
    EXPECT_EQ(ShownTime(down).size() % 8, 0u); // flashing: "00:00:00" or nothing
    EXPECT_EQ(orvane.run({"--quit"}), 0);
    EXPECT_EQ(orvane.wait(), 0);
}

TEST_F(TimersEndToEnd, CountUpAcrossMidnightShowsTwentySeconds)
{
    ProgramRunner orvane(FreshHome("up"));
    orvane.env["ORVANE_CLOCK_START"] = "2026-12-08T23:59:50";
    ASSERT_GT(orvane.start(), 0);
    ASSERT_TRUE(orvane.waitUntilListening());
    const std::string main = WaitForWindow("Orvane");
    ASSERT_FALSE(main.empty());
    // The main menu (right button): "&Timers", "&Up Timer".
    ProgramRunner::capture("xdotool windowactivate --sync " + main +
                           " 2>/dev/null; xdotool mousemove --window " + main + " 60 60 click 3");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ProgramRunner::capture("xdotool key t u");
    const std::string up = WaitForWindow("Up");
    ASSERT_FALSE(up.empty());
    Keys(up, "alt+r");
    const auto started = std::chrono::steady_clock::now();
    // The readout steps on the program clock's seconds: "00:00:20" must show about twenty seconds
    // after the start, give or take the tick that is under way when the key arrives.
    std::this_thread::sleep_until(started + std::chrono::milliseconds(19500));
    std::string shown;
    while (std::chrono::steady_clock::now() < started + std::chrono::milliseconds(21500)) {
        shown = ShownTime(up);
        if (shown == "00:00:20")
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }
    EXPECT_EQ(shown, "00:00:20");
    Screenshot("e2e_timer_up_midnight.png");
    EXPECT_EQ(orvane.run({"--quit"}), 0);
    EXPECT_EQ(orvane.wait(), 0);
}
