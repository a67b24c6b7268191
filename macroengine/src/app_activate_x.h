#pragma once

// The window search and activation behind AppActivate, on a given connection.

#include <X11/Xlib.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// The top-level windows as the window manager lists them (_NET_CLIENT_LIST); without a
// manager that keeps the list, the root window's children, topmost first.
std::vector<Window> topLevelWindows(Display *display);

// A window's title: _NET_WM_NAME in UTF-8, else WM_NAME; nothing when it has neither.
std::optional<std::string> windowTitle(Display *display, Window window);

// The first top-level window whose title is exactly `title`.
std::optional<Window> findWindowByTitle(Display *display, std::string_view title);

// Brings `window` to the front and gives it the focus, restoring it when it is iconified:
// through the window manager's _NET_ACTIVE_WINDOW when one runs, by mapping, raising and
// focusing it directly otherwise.
void activateWindow(Display *display, Window window);

} // namespace orvane
