#pragma once

#include "kyloom32.h"

// GoogleTest first: Xlib's macros (None, Bool, ...) would otherwise rename its identifiers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace orvane::test {

// A small X client standing in for "another application": a mapped window with the input
// focus that logs the keys and buttons that reach it.
class TargetWindow {
public:
    TargetWindow(int x = 100, int y = 80);
    ~TargetWindow();
    Window id() const { return m_window; }
    Display *display() const { return m_display; }
    void focus();
    // The keysyms of the key presses received so far (reads what is waiting).
    std::vector<KeySym> pressedKeys();
    // Button presses received so far, with their window coordinates.
    struct Click {
        unsigned int button;
        int x, y;
    };
    std::vector<Click> clicks();

private:
    void drain();
    Display *m_display;
    Window m_window;
    std::vector<KeySym> m_keys;
    std::vector<Click> m_clicks;
};

// The user's keyboard and mouse, driven through XTest on a connection of its own.
class FakeUser {
public:
    FakeUser();
    ~FakeUser();
    Display *display() const { return m_display; }
    void press(KeySym keysym);
    void release(KeySym keysym);
    // Presses the modifiers, taps the key, releases the modifiers.
    void tap(KeySym keysym, std::vector<KeySym> modifiers = {});
    void moveTo(int x, int y);
    void click(unsigned int button);
    bool keyDown(KeySym keysym);
    bool anyButtonDown();

private:
    Display *m_display;
};

// Runs the host's side of the engine (taking notifications, which also handles requests)
// until `done` holds or the time is up; returns whether `done` held.
bool pumpUntil(const std::function<bool()> &done,
               std::chrono::milliseconds limit = std::chrono::milliseconds(3000));
// Pumps for a while and returns the notifications seen.
std::vector<KyNotification> pumpFor(std::chrono::milliseconds duration);

// One event of a macro, as the macro file stores it.
struct FileEvent {
    uint32_t message, paramL, paramH, time, window;
};

// Writes a macro file holding one macro with these events and returns its path.
std::string writeMacroFile(const std::vector<FileEvent> &events, KyKey key = 0x0075,
                           uint8_t origin = MBScreen, uint8_t flags = 0);

// Loads a file written by writeMacroFile and returns its macro.
KyMacro loadMacro(const std::string &path);

// Collects the library's messages for the test's duration.
class Reports {
public:
    Reports();
    ~Reports();
    std::vector<std::string> take();
};

// Installs the engine for a test and takes it down again.
class EngineSession {
public:
    explicit EngineSession(KyBool fast = 1, uint8_t mouse = RMIgnore, uint8_t origin = MBWindow,
                           KyBool cancelChecking = 1, KyWindow notify = 0x4242);
    ~EngineSession();
    bool ok() const { return m_ok; }

private:
    bool m_ok;
};

} // namespace orvane::test
