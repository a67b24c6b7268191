#pragma once
// Other programs' top-level windows: the front window, titles, finding, activating, minimizing
// and closing. Logic takes a WindowLayer; the X11 backend lives in app/platform/x11 and a fake
// for tests in app/platform/fake.
//
// Every call tolerates windows that vanish at any moment: a window destroyed by its owner gives
// nullopt, false or NoWindow, never an error or a crash. Calls are made from one thread (the
// user-interface thread); an implementation is not thread-safe.
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>

namespace orvane {

// A top-level window's identity (an X window id); NoWindow is none.
using WindowId = unsigned long;
inline constexpr WindowId NoWindow = 0;

class WindowLayer {
public:
    virtual ~WindowLayer() = default;

    // The window the user is working in, as its top-level client window; NoWindow when none.
    virtual WindowId foregroundWindow() = 0;
    // The window a dialog belongs to (its transient-for window); NoWindow when it has none.
    virtual WindowId parentOf(WindowId window) = 0;

    // The title in UTF-8 ("" for an untitled window); nullopt when the window no longer exists.
    virtual std::optional<std::string> title(WindowId window) = 0;
    // Sets the title (UTF-8); false when the window no longer exists.
    virtual bool setTitle(WindowId window, const std::string &title) = 0;
    // Keeps following `window`'s title (one window at a time; NoWindow follows none), so that
    // title(window) answers from what is known until its owner changes it.
    virtual void watchTitle(WindowId window) { (void)window; }

    // A descriptor that becomes readable when the window system has news for this layer (the
    // front window or the followed title changed); -1 when there is none to watch. The caller's
    // event loop watches it and calls processEvents().
    virtual int eventDescriptor() const { return -1; }
    // Takes in whatever news has arrived, without waiting; true when the front window or the
    // followed title may have changed. foregroundWindow() and title() do this first themselves,
    // so nothing is missed when nobody watches the descriptor; news then only arrives later.
    virtual bool processEvents() { return false; }

    // The first top-level window whose title is exactly `title`; NoWindow when none. Under a
    // window manager only the windows it manages are searched (not never-shown ones).
    virtual WindowId findByTitle(const std::string &title) = 0;
    // The first top-level window the process `pid` shows (mapped or minimized), waiting for it
    // to appear at most `timeout`; NoWindow when none appeared in time or the process ended.
    virtual WindowId findByPid(pid_t pid, std::chrono::milliseconds timeout) = 0;
    virtual bool exists(WindowId window) = 0;

    // Asks the window manager to bring the window to the front and give it the focus.
    virtual bool activate(WindowId window) = 0;
    virtual bool isMinimized(WindowId window) = 0;
    // Restores a minimized window to its normal state (which, as on any desktop, also brings it
    // to the front).
    virtual bool showNormal(WindowId window) = 0;
    // Minimizes the window.
    virtual bool iconify(WindowId window) = 0;
    // Asks the window to close, as its close button would; false when it cannot be asked (it no
    // longer exists, or nothing would pass the request on and it does not accept one itself).
    // Returns once the request is sent; it does not wait for the window to go.
    virtual bool close(WindowId window) = 0;
};

// Opens the X display named by `displayName` (nullptr: $DISPLAY) and returns its window layer;
// nullptr when there is no display to open, so that the program can run on without it.
// Defined by the X11 backend in orvane_platform.
std::unique_ptr<WindowLayer> openX11WindowLayer(const char *displayName = nullptr);

} // namespace orvane
