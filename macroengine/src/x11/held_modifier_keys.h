#pragma once

#include <X11/Xlib.h>

#include <set>

namespace orvane {

// The Ctrl, Alt and Shift keys held down on the keyboard now, by keycode.
struct HeldModifierKeys {
    std::set<KeyCode> ctrl;
    std::set<KeyCode> alt;
    std::set<KeyCode> shift;
};

// Scans the keyboard (XQueryKeymap) for held modifier keys. A key counts as a modifier when
// its plain or Shift level reads back as one (both Shift keys, Alt and Meta, a Meta that sits
// on the second level of an Alt key).
HeldModifierKeys heldModifierKeys(Display *display);

} // namespace orvane
