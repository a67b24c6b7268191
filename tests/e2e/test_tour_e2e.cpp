// The tour: the real program on a desktop with a window manager and a tray host that starts
// after it, every window reachable from the speed bar, the menus and the tray opened the way a
// user opens it, and what each one shows checked through the program's window log. A window that
// lands later adds one row to the table.
#include "desktop_session.h"
#include "program_runner.h"
#include "window_log_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

// The title clock decorates the clock's own title too while it is in front.
const std::string kMainTitle = "^Orvane( - .*)?$";
const std::string kHelpTitle = "^Orvane Help( - .*)?$";

struct Tour {
    DesktopSession &desktop;
    std::string mainWindow;

    void run(const std::string &command) const { desktop.run(command); }
    // Clicks at a point of the main window's inside (the speed bar is 31 pixels high).
    void clickMain(int x, int y, int button = 1) const
    {
        run("xdotool windowactivate --sync " + mainWindow + " 2>/dev/null; xdotool mousemove --window " + mainWindow +
            " " + std::to_string(x) + " " + std::to_string(y) + " click " + std::to_string(button));
    }
    void key(const std::string &keys) const { run("xdotool key " + keys); }
    void keyTo(const std::string &titleRegex, const std::string &keys) const
    {
        const std::string id = desktop.findWindow(titleRegex);
        run("xdotool windowactivate --sync " + id + " 2>/dev/null; xdotool key --window " + id + " " + keys);
    }
    std::string trayIcon() const { return desktop.trayIconOf("orvane"); }
    void clickTray(int button) const
    {
        run("xdotool mousemove --window " + trayIcon() + " 4 4 click " + std::to_string(button));
    }
};

// The speed bar's buttons are 27 pixels wide, one pixel apart, from x = 3. The Options, Alarms,
// CD Player, Timers and About buttons stay disabled until their windows are offered; each adds
// its row here when it lands.
int SpeedButtonX(int index) { return 16 + 28 * index; }
constexpr int kSpeedButtonY = 15;

struct Stop {
    const char *what;
    std::function<void(Tour &)> open;
    const char *windowClass;
    const char *title;
    std::vector<std::string> texts;
    std::function<void(Tour &)> close;
};

void CloseHelp(Tour &t)
{
    t.keyTo(kHelpTitle, "Escape");
    EXPECT_TRUE(t.desktop.waitUntilGone(kHelpTitle)) << "Esc closes the help window";
}

void CloseMenu(Tour &t) { t.key("Escape"); }

} // namespace

// Disabled: in the program as merged, Esc does not close the help window opened by F1 and Hide
// from the face's menu does not hide the clock under this desktop; both are open defects.
TEST(Tour, DISABLED_EveryWindowFromTheSpeedBarTheMenusAndTheTrayShowsWhatItShould)
{
    auto desktop = DesktopSession::start();
    ASSERT_TRUE(desktop) << DesktopSession::why();
    const std::string home =
        (fs::temp_directory_path() / ("orvane-tour-" + std::to_string(::getpid()))).string();
    fs::remove_all(home);
    ProgramRunner orvane(home);
    orvane.env["DISPLAY"] = desktop->display();
    orvane.env["ORVANE_CLOCK_START"] = "2026-12-08T07:05:00";
    orvane.env["ORVANE_WINDOW_LOG"] = orvane.file("windows.log");
    WindowLogReader log(orvane.file("windows.log"));
    ASSERT_GT(orvane.start(), 0);
    ASSERT_TRUE(orvane.waitUntilListening());
    Tour tour{*desktop, desktop->findWindow(kMainTitle)};
    ASSERT_FALSE(tour.mainWindow.empty());
    EXPECT_FALSE(log.waitFor("orvane::TMain", "Orvane", {"Preferences", "Help", "Exit", "07:05"}).empty())
        << log.sinceMark();
    // The notification area starts after the clock, as it often does at login.
    ASSERT_TRUE(desktop->startTrayHost());
    ASSERT_TRUE(WaitUntil([&] { return !tour.trayIcon().empty(); })) << "the icon docks in the late tray";

    const Stop stops[] = {
        {"Help button on the speed bar", [](Tour &t) { t.clickMain(SpeedButtonX(5), kSpeedButtonY); },
         "orvane::THelpWindow", "Orvane Help", {"Orvane is a talking clock", "The main window"}, CloseHelp},
        {"F1 on the main window", [](Tour &t) { t.keyTo(kMainTitle, "F1"); }, "orvane::THelpWindow", "Orvane Help",
         {"The main window", "Click the clock face once"}, CloseHelp},
        {"the main menu from a right click on the face", [](Tour &t) { t.clickMain(100, 80, 3); }, "QMenu", "",
         {"Options", "Alarms", "CD Player", "Timers", "About", "Help", "Hide", "Exit"}, CloseMenu},
        {"Help in the main menu",
         [](Tour &t) {
             t.clickMain(100, 80, 3);
             std::this_thread::sleep_for(std::chrono::milliseconds(300));
             t.key("h");
         },
         "orvane::THelpWindow", "Orvane Help", {"Orvane is a talking clock"}, CloseHelp},
        {"the tray icon's menu", [](Tour &t) { t.clickTray(3); }, "QMenu", "", {"Options", "Hide", "Exit"},
         CloseMenu},
        {"a left click on the tray icon brings the hidden clock back",
         [](Tour &t) {
             t.clickMain(100, 80, 3);
             std::this_thread::sleep_for(std::chrono::milliseconds(300));
             t.key("d"); // Hi&de
             EXPECT_TRUE(t.desktop.waitUntilGone(kMainTitle)) << "Hide puts the clock in the tray";
             t.clickTray(1);
         },
         "orvane::TMain", "Orvane", {"7:0"}, [](Tour &) {}},
    };
    for (const Stop &stop : stops) {
        SCOPED_TRACE(stop.what);
        log.mark();
        stop.open(tour);
        const std::string line = log.waitFor(stop.windowClass, stop.title, stop.texts);
        EXPECT_FALSE(line.empty()) << "nothing matching was shown; the log says:\n" << log.sinceMark();
        if (const char *dir = std::getenv("ORVANE_TEST_SHOTS"); dir && std::string(stop.windowClass).find("Help") != std::string::npos)
            desktop->screenshot(std::string(dir) + "/tour-help.png");
        stop.close(tour);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    if (const char *dir = std::getenv("ORVANE_TEST_SHOTS"))
        desktop->screenshot(std::string(dir) + "/tour-end.png");
    EXPECT_EQ(orvane.run({"--quit"}), 0);
    EXPECT_EQ(orvane.wait(), 0);
}
