#pragma once
// A private desktop for end-to-end tests: an X server of its own with Openbox on it, and a tray
// host (trayer) that can be started late and restarted, as at a real login. Windows are found
// by title with xdotool, driven with it, and the screen can be photographed.
#include "tests/support/child_process.h"
#include "tests/support/window_manager_session.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

class DesktopSession {
public:
    // Empty when the server or the manager does not come up; why() says what failed.
    static std::unique_ptr<DesktopSession> start();
    static std::string why() { return orvane::testing_x11::WindowManagerSession::why(); }

    const std::string &display() const { return m_session->displayName(); }

    // Starts the tray host and waits until it owns the notification-area selection.
    bool startTrayHost();
    void stopTrayHost();
    // The id of the icon window of the program of class `windowClass` docked in the tray host,
    // "" when none is.
    std::string trayIconOf(const std::string &windowClass) const;

    // Runs a shell command on this display (DISPLAY set) with a time limit; its standard output.
    std::string run(const std::string &command) const;
    // The id of the first visible window whose title matches `titleRegex`, waiting up to `limit`.
    std::string findWindow(const std::string &titleRegex,
                           std::chrono::milliseconds limit = std::chrono::seconds(10)) const;
    bool waitUntilGone(const std::string &titleRegex,
                       std::chrono::milliseconds limit = std::chrono::seconds(10)) const;
    // The id of the window the window manager has made active, "" when none is.
    std::string activeWindow() const;
    // Asks the window manager to make `window` active and waits until it is.
    bool activate(const std::string &window, std::chrono::milliseconds limit = std::chrono::seconds(5)) const;
    // The rectangle "x y width height" of the open pop-up menu (a mapped override-redirect window
    // that is not a tool-tip) of the program of class `windowClass`, the tallest when a sub-menu is
    // open too; "" when none is open.
    std::string menuGeometry(const std::string &windowClass) const;
    // The window's outer rectangle (frame included) as "x y width height".
    std::string outerGeometry(const std::string &window) const;
    // Saves a picture of the whole screen; false when that failed.
    bool screenshot(const std::string &path) const;

private:
    std::unique_ptr<orvane::testing_x11::WindowManagerSession> m_session;
    std::unique_ptr<orvane::testing_x11::ChildProcess> m_tray;
};

// Polls `done` every 50 ms until it holds or `limit` passes.
bool WaitUntil(const std::function<bool()> &done, std::chrono::milliseconds limit = std::chrono::seconds(10));
