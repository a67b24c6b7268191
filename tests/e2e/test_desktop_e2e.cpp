// What a user meets on a real desktop (Openbox, a tray host that may start late): the window's
// place over restarts, a tray host starting after the clock, a settings folder that cannot be
// written, and display settings the clock cannot use.
#include "desktop_session.h"
#include "program_runner.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

// The title clock decorates the clock's own title too while it is in front.
const std::string kMainTitle = "^Orvane( - .*)?$";

std::string FreshHome(const std::string &name)
{
    const std::string home =
        (fs::temp_directory_path() / ("orvane-desk-" + std::to_string(::getpid()) + "-" + name)).string();
    fs::remove_all(home);
    return home;
}

// The screenshots a person looks at go where ORVANE_TEST_SHOTS says, when it is set.
void Shoot(const DesktopSession &desktop, const std::string &name)
{
    if (const char *dir = std::getenv("ORVANE_TEST_SHOTS"))
        desktop.screenshot(std::string(dir) + "/" + name);
}

struct Placement {
    int left, top, right, bottom;
    bool operator==(const Placement &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Placement &p)
{
    return out << p.left << ',' << p.top << ' ' << p.right - p.left << 'x' << p.bottom - p.top;
}

Placement ReadPlacement(const std::string &ini)
{
    const auto value = [&](const std::string &key) {
        const auto at = ini.find(key + "=");
        return at == std::string::npos ? -1 : std::stoi(ini.substr(at + key.size() + 1));
    };
    return {value("PlaceNormPosL"), value("PlaceNormPosT"), value("PlaceNormPosR"), value("PlaceNormPosB")};
}

class Desktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_desktop = DesktopSession::start();
        ASSERT_TRUE(m_desktop) << DesktopSession::why();
    }

    ProgramRunner runner(const std::string &home)
    {
        ProgramRunner r(home);
        r.env["DISPLAY"] = m_desktop->display();
        r.env["ORVANE_CLOCK_START"] = "2026-12-08T07:05:00";
        return r;
    }

    // Starts the clock, lets the manager frame it, and ends it as Exit does; the saved placement.
    Placement startAndQuit(ProgramRunner &orvane, std::string *outerOnScreen = nullptr)
    {
        EXPECT_GT(orvane.start(), 0);
        EXPECT_TRUE(orvane.waitUntilListening());
        const std::string window = m_desktop->findWindow(kMainTitle);
        EXPECT_FALSE(window.empty());
        // The window settles within a second of its mapping.
        std::this_thread::sleep_for(std::chrono::milliseconds(1200));
        if (outerOnScreen)
            *outerOnScreen = m_desktop->outerGeometry(window);
        EXPECT_EQ(orvane.run({"--quit"}), 0);
        EXPECT_EQ(orvane.wait(), 0);
        return ReadPlacement(ProgramRunner::readFile(orvane.file("murvelin.ini")));
    }

    std::unique_ptr<DesktopSession> m_desktop;
};

} // namespace

TEST_F(Desktop, PlacementComesBackExactlyAfterEveryRestartWithAndWithoutTheTitleBar)
{
    for (const char *speedBar : {"1", "0"}) {
        ProgramRunner orvane = runner(FreshHome(std::string("place") + speedBar));
        fs::create_directories(orvane.home());
        std::ofstream(orvane.file("murvelin.ini"))
            << "[Display]\nSpeedBar=" << speedBar
            << "\n[Main]\nPlaceNormPosL=120\nPlaceNormPosT=90\nPlaceNormPosR=332\nPlaceNormPosB=221\n";
        const Placement first{120, 90, 332, 221};
        for (int round = 0; round < 4; ++round) {
            std::string outer;
            const Placement saved = startAndQuit(orvane, &outer);
            EXPECT_EQ(saved, first) << "speed bar " << speedBar << ", start " << round + 1;
            EXPECT_EQ(outer, "120 90 212 131") << "speed bar " << speedBar << ", start " << round + 1;
        }
    }
}

TEST_F(Desktop, APlacementOffTheScreenIsBroughtFullyIntoViewKeepingItsSize)
{
    ProgramRunner orvane = runner(FreshHome("offscreen"));
    fs::create_directories(orvane.home());
    // The screen is 800x600: this placement came from a wider monitor layout.
    std::ofstream(orvane.file("murvelin.ini"))
        << "[Main]\nPlaceNormPosL=1700\nPlaceNormPosT=700\nPlaceNormPosR=1912\nPlaceNormPosB=831\n";
    std::string outer;
    const Placement saved = startAndQuit(orvane, &outer);
    EXPECT_EQ(outer, "588 469 212 131");
    EXPECT_EQ(saved, (Placement{588, 469, 800, 600}));
}

TEST_F(Desktop, TheTrayIconAppearsWhenTheTrayHostStartsLateAndAgainAfterItRestarts)
{
    ProgramRunner orvane = runner(FreshHome("tray"));
    ASSERT_GT(orvane.start(), 0);
    ASSERT_TRUE(orvane.waitUntilListening());
    ASSERT_FALSE(m_desktop->findWindow(kMainTitle).empty());
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));

    ASSERT_TRUE(m_desktop->startTrayHost());
    EXPECT_TRUE(WaitUntil([&] { return !m_desktop->trayIconOf("orvane").empty(); })) << "after a late start";
    Shoot(*m_desktop, "tray-after-late-host.png");

    m_desktop->stopTrayHost();
    ASSERT_TRUE(m_desktop->startTrayHost());
    EXPECT_TRUE(WaitUntil([&] { return !m_desktop->trayIconOf("orvane").empty(); })) << "after a restart";
    EXPECT_EQ(orvane.run({"--quit"}), 0);
    EXPECT_EQ(orvane.wait(), 0);
}

TEST_F(Desktop, WithoutATrayMinimizingIconifiesAndTheNextStartIsVisible)
{
    ProgramRunner orvane = runner(FreshHome("notray"));
    ASSERT_GT(orvane.start(), 0);
    ASSERT_TRUE(orvane.waitUntilListening());
    const std::string window = m_desktop->findWindow(kMainTitle);
    ASSERT_FALSE(window.empty());
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    m_desktop->run("xdotool windowminimize --sync " + window);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    // Iconified, the window keeps its place in the manager's list, from where it comes back.
    EXPECT_NE(m_desktop->run("xprop -id " + window + " WM_STATE").find("Iconic"), std::string::npos);
    EXPECT_EQ(orvane.run({"--quit"}), 0);
    EXPECT_EQ(orvane.wait(), 0);
    EXPECT_NE(ProgramRunner::readFile(orvane.file("murvelin.ini")).find("Minimized=0"), std::string::npos);
}

TEST_F(Desktop, AnUnwritableSettingsFolderIsToldAtStartAndEndingOnRequestNeverWaitsForAClick)
{
    const std::string base = FreshHome("readonly");
    fs::create_directories(base);
    // A file where the folder should be defeats every writer, even one running as root.
    std::ofstream(base + "/blocked") << "not a folder";
    for (const int signal : {SIGTERM, SIGINT, 0}) {
        ProgramRunner orvane = runner(base + "/writable");
        orvane.env["ORVANE_HOME"] = base + "/blocked/home";
        orvane.env.erase("ORVANE_NO_MESSAGE_BOXES");
        orvane.stderrPath = base + "/stderr-" + std::to_string(signal);
        const pid_t pid = orvane.start();
        ASSERT_GT(pid, 0);
        ASSERT_TRUE(orvane.waitUntilListening()) << "signal " << signal;
        if (signal)
            ::kill(pid, signal);
        else
            EXPECT_EQ(orvane.run({"--quit"}), 0);
        EXPECT_EQ(orvane.wait(std::chrono::seconds(5)), 0)
            << "signal " << signal << " left the program waiting";
        const std::string said = ProgramRunner::readFile(orvane.stderrPath);
        EXPECT_NE(said.find("cannot be saved in " + base + "/blocked/home/"), std::string::npos) << said;
        // One message to the user per file at the end, each naming the file with its folder.
        std::istringstream lines(said);
        std::string line;
        int iniMessages = 0;
        while (std::getline(lines, line))
            iniMessages += line.rfind("orvane: Orvane: Unable", 0) == 0 &&
                           line.find("murvelin.ini") != std::string::npos;
        EXPECT_LE(iniMessages, 1) << said;
    }
}

TEST(DisplaySettings, OnesTheClockCannotUseEndWithAClearMessageAndStatusOne)
{
    const std::string program = ProgramRunner::programPath();
    const std::string home = FreshHome("display");
    fs::create_directories(home);
    const std::string common =
        " ORVANE_HOME=" + home + " XDG_RUNTIME_DIR=" + home + " ORVANE_NO_MESSAGE_BOXES=1 ";
    struct Case {
        const char *what;
        std::string environment;
    };
    const Case cases[] = {
        {"an unreachable display", "DISPLAY=:4097 WAYLAND_DISPLAY="},
        {"an empty display on Wayland", "DISPLAY= WAYLAND_DISPLAY=wayland-0"},
        {"no display at all", "-u DISPLAY -u WAYLAND_DISPLAY"},
        {"the Wayland platform asked for, no X", "DISPLAY=:4097 QT_QPA_PLATFORM=wayland"},
    };
    for (const Case &c : cases) {
        const std::string out =
            ProgramRunner::capture("env " + c.environment + common + program + " 2>&1; echo status=$?");
        EXPECT_NE(out.find("status=1"), std::string::npos) << c.what << ": " << out;
        EXPECT_NE(out.find("needs X11"), std::string::npos) << c.what << ": " << out;
        EXPECT_EQ(out.find("Reinstalling"), std::string::npos) << c.what << ": " << out;
    }
}

TEST_F(Desktop, TheWaylandPlatformAskedForStillRunsOnX11)
{
    ProgramRunner orvane = runner(FreshHome("wayland"));
    orvane.env["QT_QPA_PLATFORM"] = "wayland";
    ASSERT_GT(orvane.start(), 0);
    ASSERT_TRUE(orvane.waitUntilListening());
    EXPECT_FALSE(m_desktop->findWindow(kMainTitle).empty());
    EXPECT_EQ(orvane.run({"--quit"}), 0);
    EXPECT_EQ(orvane.wait(), 0);
}
