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
    WindowLogReader &log;

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
    // Waits until a menu is on the screen, so that the key meant for it does not reach the window
    // under it instead.
    void waitForMenu(const std::string &item) const
    {
        EXPECT_FALSE(log.waitFor("QMenu", "", {item}).empty()) << "no menu with " << item << " opened";
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }
    // Puts a window away with `keys`, waits until it is gone and the clock is in front again, so
    // the next row starts from the same place.
    void closeWith(const std::string &titleRegex, const std::string &keys) const
    {
        keyTo(titleRegex, keys);
        EXPECT_TRUE(desktop.waitUntilGone(titleRegex)) << titleRegex << " is still open";
        backToMain();
    }
    void backToMain() const
    {
        run("xdotool windowactivate --sync " + mainWindow + " 2>/dev/null");
        EXPECT_TRUE(WaitUntil([&] { return desktop.run("xdotool getactivewindow").find(mainWindow) == 0; }))
            << "the clock is not in front again";
    }
    std::string trayIcon() const { return desktop.trayIconOf("orvane"); }
    void clickTray(int button) const
    {
        run("xdotool mousemove --window " + trayIcon() + " 4 4 click " + std::to_string(button));
    }
};

// The speed bar's buttons are 27 pixels wide, one pixel apart, from x = 3, in the order
// Preferences, Alarms, CD Player, Timers, About, Help, Exit.
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

void CloseHelp(Tour &t) { t.closeWith(kHelpTitle, "Escape"); }

void CloseMenu(Tour &t)
{
    t.key("Escape");
    t.backToMain();
}

// Opens a window with `open`, waits for it, and presses F1 in it.
std::function<void(Tour &)> F1In(std::function<void(Tour &)> open, std::string titleRegex)
{
    return [open = std::move(open), titleRegex = std::move(titleRegex)](Tour &t) {
        open(t);
        t.keyTo(titleRegex, "F1");
    };
}

// Closes the help opened from a window, then the window itself.
std::function<void(Tour &)> CloseHelpThen(std::string titleRegex, std::string keys)
{
    return [titleRegex = std::move(titleRegex), keys = std::move(keys)](Tour &t) {
        t.keyTo(kHelpTitle, "Escape");
        EXPECT_TRUE(t.desktop.waitUntilGone(kHelpTitle)) << "Esc closes the help window";
        t.closeWith(titleRegex, keys);
    };
}

void ClickSpeedButton(Tour &t, int index) { t.clickMain(SpeedButtonX(index), kSpeedButtonY); }

void OpenOptions(Tour &t)
{
    ClickSpeedButton(t, 0);
    t.desktop.findWindow("^Program Options");
}

void OpenAlarms(Tour &t)
{
    ClickSpeedButton(t, 1);
    t.desktop.findWindow("^Alarm Setup");
}

void OpenTimer(Tour &t, const std::string &keys, const std::string &title)
{
    ClickSpeedButton(t, 3);
    t.waitForMenu("Count Down");
    t.key(keys);
    t.desktop.findWindow(title);
}

// An item of the main menu, opened from a right click on the face.
void MainMenuItem(Tour &t, const std::string &key)
{
    t.clickMain(100, 80, 3);
    t.waitForMenu("Hide");
    t.key(key);
}

// An item of the tray icon's menu.
void TrayMenuItem(Tour &t, const std::string &key)
{
    t.clickTray(3);
    t.waitForMenu("Hide");
    t.key(key);
}

} // namespace

// Disabled: the rows pass one by one but not yet in one run: a key pressed on the tray icon's
// menu does not always reach the menu (the tray host keeps the keyboard), and the help rows
// after it then find the help window still open.
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
    Tour tour{*desktop, desktop->findWindow(kMainTitle), log};
    ASSERT_FALSE(tour.mainWindow.empty());
    EXPECT_FALSE(log.waitFor("orvane::TMain", "Orvane", {"Preferences", "Help", "Exit", "07:05"}).empty())
        << log.sinceMark();
    // The notification area starts after the clock, as it often does at login.
    ASSERT_TRUE(desktop->startTrayHost());
    ASSERT_TRUE(WaitUntil([&] { return !tour.trayIcon().empty(); })) << "the icon docks in the late tray";

    const Stop stops[] = {
        {"Preferences on the speed bar", OpenOptions, "orvane::TOption", "Program Options",
         {"Voice / Wav", "Display", "Control", "OK", "Cancel"},
         [](Tour &t) { t.closeWith("^Program Options", "Escape"); }},
        {"Alarms on the speed bar", OpenAlarms, "orvane::TAlarmSet", "Alarm Setup",
         {"Message", "Program", "Wave File", "Command", "Quaydeck", "New", "Save"},
         [](Tour &t) { t.closeWith("^Alarm Setup", "Escape"); }},
        {"CD Player on the speed bar", [](Tour &t) { ClickSpeedButton(t, 2); }, "orvane::TCDPlayer", "CD Player",
         {"Play", "Stop", "Eject", "Done"}, [](Tour &t) { t.closeWith("^CD Player", "alt+d"); }},
        {"Count Down from the Timers button's menu", [](Tour &t) { OpenTimer(t, "Down Down Return", "^Down"); },
         "orvane::TTimerDown", "Down", {"Finished", "Help"}, [](Tour &t) { t.closeWith("^Down", "alt+f"); }},
        {"Count up from the Timers button's menu", [](Tour &t) { OpenTimer(t, "Down Return", "^Up"); },
         "orvane::TTimerUp", "Up", {"Finished", "Help"}, [](Tour &t) { t.closeWith("^Up", "alt+f"); }},
        {"About on the speed bar", [](Tour &t) { ClickSpeedButton(t, 4); }, "orvane::TAboutForm", "About Orvane",
         {"Orvane 32", "Version 1.1", "OK"}, [](Tour &t) { t.closeWith("^About Orvane", "Return"); }},
        {"Options in the tray menu", [](Tour &t) { TrayMenuItem(t, "o"); }, "orvane::TOption", "Program Options",
         {"Voice / Wav", "OK"}, [](Tour &t) { t.closeWith("^Program Options", "Escape"); }},
        {"Alarms in the tray menu", [](Tour &t) { TrayMenuItem(t, "a"); }, "orvane::TAlarmSet", "Alarm Setup",
         {"Message", "Save"}, [](Tour &t) { t.closeWith("^Alarm Setup", "Escape"); }},
        {"Help in the tray menu", [](Tour &t) { TrayMenuItem(t, "h"); }, "orvane::THelpWindow", "Orvane Help",
         {"Orvane is a talking clock"}, CloseHelp},
        {"Help button on the speed bar", [](Tour &t) { t.clickMain(SpeedButtonX(5), kSpeedButtonY); },
         "orvane::THelpWindow", "Orvane Help", {"Orvane is a talking clock", "The main window"}, CloseHelp},
        {"F1 on the main window", [](Tour &t) { t.keyTo(kMainTitle, "F1"); }, "orvane::THelpWindow", "Orvane Help",
         {"The main window", "Click the clock face once"}, CloseHelp},
        {"the main menu from a right click on the face", [](Tour &t) { t.clickMain(100, 80, 3); }, "QMenu", "",
         {"Options", "Alarms", "CD Player", "Timers", "About", "Help", "Hide", "Exit"}, CloseMenu},
        {"Help in the main menu", [](Tour &t) { MainMenuItem(t, "h"); },
         "orvane::THelpWindow", "Orvane Help", {"Orvane is a talking clock"}, CloseHelp},
        {"the tray icon's menu", [](Tour &t) { t.clickTray(3); }, "QMenu", "", {"Options", "Hide", "Exit"},
         CloseMenu},
        {"a left click on the tray icon brings the hidden clock back",
         [](Tour &t) {
             MainMenuItem(t, "d"); // Hi&de
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
        if (const char *dir = std::getenv("ORVANE_TEST_SHOTS"))
            desktop->screenshot(std::string(dir) + "/tour-" + std::to_string(&stop - stops + 1) + ".png");
        stop.close(tour);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    if (const char *dir = std::getenv("ORVANE_TEST_SHOTS"))
        desktop->screenshot(std::string(dir) + "/tour-end.png");
    EXPECT_EQ(orvane.run({"--quit"}), 0);
    EXPECT_EQ(orvane.wait(), 0);
}
