#include "program_runner.h"
#include "tests/support/display_required.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

namespace fs = std::filesystem;

extern char **environ;

namespace {

std::string FreshHome(const std::string &name)
{
    const std::string home =
        (fs::temp_directory_path() / ("orvane-options-" + std::to_string(::getpid()) + "-" + name)).string();
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

std::string Trim(std::string s)
{
    while (!s.empty() && (s.back() == '\n' || s.back() == ' '))
        s.pop_back();
    if (const auto nl = s.find('\n'); nl != std::string::npos)
        s.resize(nl);
    return s;
}

std::string FindWindow(const std::string &pattern)
{
    return Trim(ProgramRunner::capture("xdotool search --onlyvisible --name '" + pattern + "' 2>/dev/null"));
}

// A window manager for the test's display, as a user's desktop has one; it ends with the test.
class WindowManager {
public:
    WindowManager()
    {
        char *argv[] = {const_cast<char *>("openbox"), nullptr};
        if (posix_spawnp(&m_pid, "openbox", nullptr, nullptr, argv, environ) != 0)
            m_pid = -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(800));
    }
    ~WindowManager()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            int status = 0;
            ::waitpid(m_pid, &status, 0);
        }
    }

private:
    pid_t m_pid = -1;
};

class OptionsEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { ORVANE_SKIP_WITHOUT_DISPLAY("needs an X display (run under xvfb-run)"); }
};

} // namespace

TEST_F(OptionsEndToEnd, PreferencesButtonOpensTheDialogAndOkSavesTheChange)
{
    WindowManager wm;
    ProgramRunner orvane(FreshHome("prefs"));
    std::ofstream(orvane.file("Win.ini")) << "[windows]\nrun=other.exe\n";
    orvane.env["ORVANE_CLOCK_START"] = "2026-12-08T07:03:10";
    ASSERT_GT(orvane.start(), 0);
    ASSERT_TRUE(orvane.waitUntilListening());

    std::string main;
    ASSERT_TRUE(WaitFor([&] { return !(main = FindWindow("^Orvane")).empty(); }, std::chrono::seconds(10)));
    // The Preferences button is the first of the speed bar, at its top left.
    ProgramRunner::capture("xdotool windowactivate --sync " + main +
                           " 2>/dev/null; xdotool mousemove --window " + main + " 15 15 click 1");
    std::string dialog;
    ASSERT_TRUE(WaitFor([&] { return !(dialog = FindWindow("^Program Options")).empty(); },
                        std::chrono::seconds(10)));

    // Keyboard only: the interval list by its mnemonic, three rows down from 5 to 30 minutes,
    // then the Control page and "Start Orvane with Windows", then Enter for OK.
    ProgramRunner::capture("xdotool windowactivate --sync " + dialog +
                           " 2>/dev/null; xdotool windowfocus --sync " + dialog +
                           "; xdotool key --delay 150 alt+m Down Down Down alt+c alt+s Return");
    ASSERT_TRUE(WaitFor([&] { return FindWindow("^Program Options").empty(); }, std::chrono::seconds(10)));

    // The settings are saved by the apply, the dialog's placement as the dialog goes.
    ASSERT_TRUE(WaitFor(
        [&] {
            const std::string text = ProgramRunner::readFile(orvane.file("murvelin.ini"));
            return text.find("HowOften=30") != std::string::npos &&
                   text.find("[Option]") != std::string::npos;
        },
        std::chrono::seconds(5)));
    const std::string ini = ProgramRunner::readFile(orvane.file("murvelin.ini"));
    EXPECT_NE(ini.find("Auto Run=1"), std::string::npos) << ini;
    EXPECT_NE(ini.find("[Option]"), std::string::npos) << "the dialog's placement is kept";
    EXPECT_EQ(ProgramRunner::readFile(orvane.file("Win.ini")),
              "[windows]\nrun=other.exe;" + ProgramRunner::programPath() + "\n");
    const std::string entry = ProgramRunner::readFile(orvane.file("xdg/autostart/orvane.desktop"));
    EXPECT_NE(entry.find("Exec=" + ProgramRunner::programPath()), std::string::npos) << entry;

    EXPECT_EQ(orvane.run({"--quit"}), 0);
    EXPECT_EQ(orvane.wait(), 0);
}

TEST_F(OptionsEndToEnd, AboutMenuItemOpensTheAboutBox)
{
    WindowManager wm;
    ProgramRunner orvane(FreshHome("about"));
    orvane.env["ORVANE_CLOCK_START"] = "2026-12-08T07:03:10";
    ASSERT_GT(orvane.start(), 0);
    ASSERT_TRUE(orvane.waitUntilListening());
    std::string main;
    ASSERT_TRUE(WaitFor([&] { return !(main = FindWindow("^Orvane")).empty(); }, std::chrono::seconds(10)));
    // The main menu by a right click on the face, then "A&bout" by its letter.
    ProgramRunner::capture("xdotool windowactivate --sync " + main +
                           " 2>/dev/null; xdotool mousemove --window " + main +
                           " 100 80 click 3; sleep 0.5; xdotool key b");
    std::string about;
    ASSERT_TRUE(
        WaitFor([&] { return !(about = FindWindow("^About Orvane")).empty(); }, std::chrono::seconds(10)));
    ProgramRunner::capture("xdotool windowactivate --sync " + about + " 2>/dev/null; xdotool key Return");
    EXPECT_TRUE(WaitFor([&] { return FindWindow("^About Orvane").empty(); }, std::chrono::seconds(10)));
    EXPECT_EQ(orvane.run({"--quit"}), 0);
    EXPECT_EQ(orvane.wait(), 0);
}
