#pragma once

// The window helpers of the X11 backend, shared by AppActivate and by playback: top-level
// window lists, titles, the active window and bringing a window forward, with one rule for
// whether a window manager is running.

#include "input/input_platform.h"

#include <X11/Xlib.h>

#include <optional>
#include <string>
#include <vector>

namespace orvane {

// The top-level windows as the window manager lists them (_NET_CLIENT_LIST); without a
// manager that keeps the list, the root window's children, topmost first.
std::vector<Window> topLevelWindows(Display *display);

// A window's title: _NET_WM_NAME in UTF-8, else WM_NAME; nothing when it has neither.
std::optional<std::string> windowTitle(Display *display, Window window);

// Whether a window manager that serves _NET_ACTIVE_WINDOW runs (it names itself through
// _NET_SUPPORTING_WM_CHECK and lists the atom in _NET_SUPPORTED).
bool managerActivates(Display *display);

// The active window as the window manager names it (_NET_ACTIVE_WINDOW), or the focus window
// where no manager keeps that property; 0 when no window is active.
Window activeWindow(Display *display);

// The window's top-left corner in screen coordinates; false when the window is gone.
bool windowCorner(Display *display, Window window, ScreenPoint &corner);

bool windowExists(Display *display, Window window);

// Brings `window` to the front and gives it the focus, restoring it when it is iconified:
// through the window manager's _NET_ACTIVE_WINDOW when one runs, by mapping, raising and
// focusing it directly otherwise.
void activateWindow(Display *display, Window window);

// The application window below the active one in stacking order: the first visible top-level
// window, going down from the active window, that belongs to another process than this one;
// 0 when there is none. Where the window manager keeps _NET_CLIENT_LIST_STACKING its clients
// are walked, else the root's children.
Window nextApplicationWindow(Display *display, Window active);

// The pointer position in screen coordinates.
ScreenPoint pointerPosition(Display *display);

} // namespace orvane
