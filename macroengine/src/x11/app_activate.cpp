#include "x11/app_activate.h"

#include "core/report.h"
#include "x11/x_injector_display.h"
#include "x11/x_windows.h"

namespace orvane {

namespace {

// The first top-level window whose title is exactly `title`.
std::optional<Window> findWindowByTitle(Display *display, std::string_view title)
{
    for (Window window : topLevelWindows(display)) {
        const auto name = windowTitle(display, window);
        if (name && *name == title)
            return window;
    }
    return std::nullopt;
}

} // namespace

bool activateWindowByTitle(std::string_view title)
{
    XInjectorDisplay display;
    if (!display) {
        reportText("AppActivate", "Cannot open the X display");
        return false;
    }
    const auto window = findWindowByTitle(display.get(), title);
    if (!window)
        return false;
    activateWindow(display.get(), *window);
    // A window that went away between the search and the activation was not brought forward.
    return !display.takeError();
}

} // namespace orvane
