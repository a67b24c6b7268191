#include "app/platform/x11/x11_display_check.h"

#include <X11/Xlib.h>

namespace orvane {

std::optional<std::string> X11DisplayProblem(const std::string &displayName)
{
    if (displayName.empty())
        return "DISPLAY is not set";
    Display *display = XOpenDisplay(displayName.c_str());
    if (!display)
        return "the X display \"" + displayName + "\" cannot be opened";
    XCloseDisplay(display);
    return std::nullopt;
}

} // namespace orvane
