#include "input_x11_windows.h"

#include <X11/Xatom.h>

namespace orvane {

namespace {

bool managerNamesActiveWindow(Display *display, Window &active)
{
    const Atom property = XInternAtom(display, "_NET_ACTIVE_WINDOW", True);
    if (property == None)
        return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    const int status = XGetWindowProperty(display, DefaultRootWindow(display), property, 0, 1,
                                          False, XA_WINDOW, &type, &format, &count, &after, &data);
    const bool found = status == Success && type == XA_WINDOW && format == 32 && count == 1;
    if (found)
        active = static_cast<Window>(reinterpret_cast<unsigned long *>(data)[0]);
    if (data)
        XFree(data);
    return found;
}

} // namespace

Window activeWindow(Display *display)
{
    Window active = 0;
    if (managerNamesActiveWindow(display, active))
        return active;
    int revert = 0;
    XGetInputFocus(display, &active, &revert);
    return active == PointerRoot ? 0 : active;
}

bool windowCorner(Display *display, Window window, ScreenPoint &corner)
{
    if (window == 0)
        return false;
    int x = 0, y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child))
        return false;
    corner = {x, y};
    return true;
}

bool windowExists(Display *display, Window window)
{
    XWindowAttributes attributes;
    return window != 0 && XGetWindowAttributes(display, window, &attributes) != 0;
}

void bringWindowForward(Display *display, Window window)
{
    Window ignored = 0;
    if (managerNamesActiveWindow(display, ignored)) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = 2; // a pager-like source: the user asked for it
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, DefaultRootWindow(display), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
    } else {
        XRaiseWindow(display, window);
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
    }
    XFlush(display);
}

ScreenPoint pointerPosition(Display *display)
{
    Window root = 0, child = 0;
    int x = 0, y = 0, wx = 0, wy = 0;
    unsigned int mask = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &wx, &wy, &mask);
    return {x, y};
}

} // namespace orvane
