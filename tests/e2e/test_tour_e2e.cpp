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
#include <iostream>
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
    void clickMain(int x, int y, int button = 1)
    {
        EXPECT_TRUE(desktop.activate(mainWindow)) << "the clock does not come to the front";
        clickAt(mainWindow, x, y, button);
    }
    // Clicks at a point of `window`. A click with the same button at the same place soon after
    // the last one would be a double click (a right double click on the tray icon opens no menu),
    // so it waits out the double-click time first.
    void clickAt(const std::string &window, int x, int y, int button)
    {
        const std::string place = window + " " + std::to_string(x) + " " + std::to_string(y);
        const auto since = std::chrono::steady_clock::now() - m_lastClickTime;
        if (place == m_lastClickPlace && button == m_lastClickButton && since < kDoubleClickTime)
            std::this_thread::sleep_for(kDoubleClickTime - since);
        run("xdotool mousemove --window " + place + " click " + std::to_string(button));
        m_lastClickPlace = place;
        m_lastClickButton = button;
        m_lastClickTime = std::chrono::steady_clock::now();
    }
    // Types `keys` the way a user does, once the window titled `titleRegex` is the active one, so
    // that no key goes to the window that was in front before it.
    void keyTo(const std::string &titleRegex, const std::string &keys) const
    {
        const std::string id = desktop.findWindow(titleRegex);
        if (!desktop.activate(id)) {
            ADD_FAILURE() << titleRegex << " is not open or does not come to the front";
            return;
        }
        run("xdotool key " + keys);
    }
    // Clicks item `index` of the open menu of `count` items of one height, from the menu's place on
    // the screen: a menu chosen with the mouse does not depend on who holds the keyboard.
    void chooseMenuItem(int index, int count) const
    {
        std::string geometry;
        if (!WaitUntil([&] { return !(geometry = desktop.menuGeometry("orvane")).empty(); })) {
            if (const char *dir = std::getenv("ORVANE_TEST_SHOTS"))
                desktop.screenshot(std::string(dir) + "/tour-no-menu.png");
            ADD_FAILURE() << "no menu opened; the pointer is at " << desktop.run("xdotool getmouselocation")
                          << "the active window is " << desktop.activeWindow() << ", the clock is "
                          << mainWindow;
            return;
        }
        std::istringstream in(geometry);
        int x = 0, y = 0, width = 0, height = 0;
        in >> x >> y >> width >> height;
        run("xdotool mousemove " + std::to_string(x + width / 2) + " " +
            std::to_string(y + height * (2 * index + 1) / (2 * count)) + " click 1");
        EXPECT_TRUE(WaitUntil([&] { return desktop.menuGeometry("orvane").empty(); }))
            << "the menu stays open";
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
        EXPECT_TRUE(desktop.activate(mainWindow)) << "the clock is not in front again";
    }
    std::string trayIcon() const { return desktop.trayIconOf("orvane"); }
    void clickTray(int button) { clickAt(trayIcon(), 4, 4, button); }

    // Longer than the desktop's double-click time (400 ms by default).
    static constexpr std::chrono::milliseconds kDoubleClickTime{600};
    std::string m_lastClickPlace;
    int m_lastClickButton = 0;
    std::chrono::steady_clock::time_point m_lastClickTime;
};

// The speed bar's buttons are 27 pixels wide, one pixel apart, from x = 3, in the order
// Preferences, Alarms, CD Player, Timers, About, Help, Exit.
enum SpeedButton { kPreferences, kAlarms, kCdPlayer, kTimers, kAbout, kHelp, kExit };
int SpeedButtonX(SpeedButton button) { return 16 + 28 * button; }
constexpr int kSpeedButtonY = 15;

// The items of the main menu (the face's and the tray icon's), top to bottom.
enum MainMenuItem {
    kOptionsItem,
    kAlarmsItem,
    kCdPlayerItem,
    kTimersItem,
    kAboutItem,
    kHelpItem,
    kHideItem,
    kExitItem
};
constexpr int kMainMenuItems = 8;
// The Timers button's menu: Count up, Count Down.
constexpr int kTimerMenuItems = 2;

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
    // The menu is in the log as soon as it is shown, a moment before it is on the screen and
    // holds the keyboard.
    EXPECT_TRUE(WaitUntil([&] { return !t.desktop.menuGeometry("orvane").empty(); }))
        << "no menu on the screen";
    t.run("xdotool key Escape");
    EXPECT_TRUE(WaitUntil([&] { return t.desktop.menuGeometry("orvane").empty(); }))
        << "Esc leaves the menu open";
    t.backToMain();
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

void ClickSpeedButton(Tour &t, SpeedButton button) { t.clickMain(SpeedButtonX(button), kSpeedButtonY); }

void OpenTimer(Tour &t, int item)
{
    ClickSpeedButton(t, kTimers);
    t.chooseMenuItem(item, kTimerMenuItems);
}

// An item of the main menu, opened from a right click on the face.
void FaceMenuItem(Tour &t, MainMenuItem item)
{
    t.clickMain(100, 80, 3);
    t.chooseMenuItem(item, kMainMenuItems);
}

// An item of the tray icon's menu.
void TrayMenuItem(Tour &t, MainMenuItem item)
{
    t.clickTray(3);
    t.chooseMenuItem(item, kMainMenuItems);
}

} // namespace

TEST(Tour, EveryWindowFromTheSpeedBarTheMenusAndTheTrayShowsWhatItShould)
{
    const auto began = std::chrono::steady_clock::now();
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
    Tour tour{*desktop, desktop->findWindow(kMainTitle), log, {}, 0, {}};
    ASSERT_FALSE(tour.mainWindow.empty());
    EXPECT_FALSE(log.waitFor("orvane::TMain", "Orvane", {"Preferences", "Help", "Exit", "07:05"}).empty())
        << log.sinceMark();
    // The notification area starts after the clock, as it often does at login.
    ASSERT_TRUE(desktop->startTrayHost());
    ASSERT_TRUE(WaitUntil([&] { return !tour.trayIcon().empty(); })) << "the icon docks in the late tray";

    const Stop stops[] = {
        {"Preferences on the speed bar",
         [](Tour &t) { ClickSpeedButton(t, kPreferences); },
         "orvane::TOption",
         "Program Options",
         {"Voice / Wav", "Display", "Control", "OK", "Cancel"},
         [](Tour &t) { t.closeWith("^Program Options", "Escape"); }},
        {"F1 in the options dialog",
         [](Tour &t) {
             ClickSpeedButton(t, kPreferences);
             t.keyTo("^Program Options", "F1");
         },
         "orvane::THelpWindow",
         "Orvane Help",
         {"Options: the Voice / Wav page"},
         CloseHelpThen("^Program Options", "Escape")},
        {"Alarms on the speed bar",
         [](Tour &t) { ClickSpeedButton(t, kAlarms); },
         "orvane::TAlarmSet",
         "Alarm Setup",
         {"Message", "Program", "Wave File", "Command", "Quaydeck", "New", "Save"},
         [](Tour &t) { t.closeWith("^Alarm Setup", "Escape"); }},
        {"CD Player on the speed bar",
         [](Tour &t) { ClickSpeedButton(t, kCdPlayer); },
         "orvane::TCDPlayer",
         "CD Player",
         {"Play", "Stop", "Eject", "Done"},
         [](Tour &t) { t.closeWith("^CD Player", "alt+d"); }},
        {"Count Down from the Timers button's menu",
         [](Tour &t) { OpenTimer(t, 1); },
         "orvane::TTimerDown",
         "Down",
         {"Finished", "Help"},
         [](Tour &t) { t.closeWith("^Down", "alt+f"); }},
        {"Count up from the Timers button's menu",
         [](Tour &t) { OpenTimer(t, 0); },
         "orvane::TTimerUp",
         "Up",
         {"Finished", "Help"},
         [](Tour &t) { t.closeWith("^Up", "alt+f"); }},
        {"About on the speed bar",
         [](Tour &t) { ClickSpeedButton(t, kAbout); },
         "orvane::TAboutForm",
         "About Orvane",
         {"Orvane 32", "Version 1.1", "OK"},
         [](Tour &t) { t.closeWith("^About Orvane", "Return"); }},
        {"Help button on the speed bar",
         [](Tour &t) { ClickSpeedButton(t, kHelp); },
         "orvane::THelpWindow",
         "Orvane Help",
         {"Orvane is a talking clock", "The main window"},
         CloseHelp},
        {"F1 on the main window",
         [](Tour &t) { t.keyTo(kMainTitle, "F1"); },
         "orvane::THelpWindow",
         "Orvane Help",
         {"The main window", "Click the clock face once"},
         CloseHelp},
        {"the main menu from a right click on the face",
         [](Tour &t) { t.clickMain(100, 80, 3); },
         "QMenu",
         "",
         {"Options", "Alarms", "CD Player", "Timers", "About", "Help", "Hide", "Exit"},
         CloseMenu},
        {"About in the main menu",
         [](Tour &t) { FaceMenuItem(t, kAboutItem); },
         "orvane::TAboutForm",
         "About Orvane",
         {"Orvane 32", "OK"},
         [](Tour &t) { t.closeWith("^About Orvane", "Return"); }},
        {"Help in the main menu",
         [](Tour &t) { FaceMenuItem(t, kHelpItem); },
         "orvane::THelpWindow",
         "Orvane Help",
         {"Orvane is a talking clock"},
         CloseHelp},
        {"the tray icon's menu",
         [](Tour &t) { t.clickTray(3); },
         "QMenu",
         "",
         {"Options", "Hide", "Exit"},
         CloseMenu},
        {"Options in the tray menu",
         [](Tour &t) { TrayMenuItem(t, kOptionsItem); },
         "orvane::TOption",
         "Program Options",
         {"Voice / Wav", "OK"},
         [](Tour &t) { t.closeWith("^Program Options", "Escape"); }},
        {"Alarms in the tray menu",
         [](Tour &t) { TrayMenuItem(t, kAlarmsItem); },
         "orvane::TAlarmSet",
         "Alarm Setup",
         {"Message", "Save"},
         [](Tour &t) { t.closeWith("^Alarm Setup", "Escape"); }},
        {"CD Player in the tray menu",
         [](Tour &t) { TrayMenuItem(t, kCdPlayerItem); },
         "orvane::TCDPlayer",
         "CD Player",
         {"Play", "Done"},
         [](Tour &t) { t.closeWith("^CD Player", "alt+d"); }},
        {"Help in the tray menu",
         [](Tour &t) { TrayMenuItem(t, kHelpItem); },
         "orvane::THelpWindow",
         "Orvane Help",
         {"Orvane is a talking clock"},
         CloseHelp},
        {"a left click on the tray icon brings the clock hidden from its menu back",
         [](Tour &t) {
             FaceMenuItem(t, kHideItem);
             EXPECT_TRUE(t.desktop.waitUntilGone(kMainTitle)) << "Hide puts the clock in the tray";
             t.clickTray(1);
         },
         "orvane::TMain",
         "Orvane",
         {"07:0"},
         [](Tour &t) { t.backToMain(); }},
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
    }
    if (const char *dir = std::getenv("ORVANE_TEST_SHOTS"))
        desktop->screenshot(std::string(dir) + "/tour-end.png");
    // The last button of the speed bar ends the program.
    ClickSpeedButton(tour, kExit);
    EXPECT_EQ(orvane.wait(), 0);
    std::cerr
        << "tour took "
        << std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - began).count()
        << " s\n";
}
