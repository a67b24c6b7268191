#pragma once

#include "input_platform.h"

#include <X11/Xlib.h>

namespace orvane {

// The active window as the window manager names it (_NET_ACTIVE_WINDOW), or the focus window
// where no manager keeps that property; 0 when no window is active.
Window activeWindow(Display *display);

// The window's top-left corner in screen coordinates; false when the window is gone.
bool windowCorner(Display *display, Window window, ScreenPoint &corner);

bool windowExists(Display *display, Window window);

// Asks the window manager to activate the window, or raises and focuses it where none runs.
void bringWindowForward(Display *display, Window window);

// The application window below the active one in stacking order: the first visible top-level
// window, going down from the active window, that belongs to another process than this one;
// 0 when there is none. Where the window manager keeps _NET_CLIENT_LIST_STACKING its clients
// are walked, else the root's children.
Window nextApplicationWindow(Display *display, Window active);

// The pointer position in screen coordinates.
ScreenPoint pointerPosition(Display *display);

} // namespace orvane
