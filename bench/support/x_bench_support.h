#pragma once
// What the X benchmarks share: waiting for a window manager to show a window, and one
// connection kept open for the whole run.
#include <X11/Xlib.h>

#include <chrono>
#include <thread>

namespace orvane::bench {

// Waits (at most five seconds) until a window manager has made `window` viewable: focusing a
// window that is not viewable yet fails with BadMatch, and Xlib's default handler then ends
// the program.
inline bool waitViewable(Display *display, Window window)
{
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    XWindowAttributes attributes{};
    while (std::chrono::steady_clock::now() < limit) {
        if (XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

// Xvfb resets itself, refusing connections for a moment, whenever its last client leaves; the
// benchmarks open and close theirs between runs, so one connection stays open throughout.
inline Display *KeepServerOpen()
{
    static Display *const connection = XOpenDisplay(nullptr);
    return connection;
}

} // namespace orvane::bench
