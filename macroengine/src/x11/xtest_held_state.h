#pragma once

#include <X11/Xlib.h>

#include <set>

namespace orvane {

// The keys and buttons that the XTest devices hold down. XTest presses go through devices of
// their own, apart from the physical keyboard and mouse, so what these hold was pressed by a
// client such as ours and never released, whatever the user holds at the same time.
struct XTestHeldState {
    std::set<KeyCode> keys;
    std::set<unsigned int> buttons;
    bool known = false; // false: the server has no input extension to ask
};

XTestHeldState xtestHeldState(Display *display);

// Releases everything the XTest devices hold; true when anything was held.
bool releaseXTestHeld(Display *display);

} // namespace orvane
