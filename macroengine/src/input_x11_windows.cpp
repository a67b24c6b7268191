#include "input_x11_windows.h"

#include <X11/Xatom.h>

#include <unistd.h>

#include <vector>

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

std::vector<Window> windowList(Display *display, const char *propertyName)
{
    std::vector<Window> windows;
    const Atom property = XInternAtom(display, propertyName, True);
    if (property == None)
        return windows;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), property, 0, 65536, False,
                           XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
        type == XA_WINDOW && format == 32) {
        const auto *ids = reinterpret_cast<unsigned long *>(data);
        windows.assign(ids, ids + count);
    }
    if (data)
        XFree(data);
    return windows;
}

// Bottom to top, as X stacks them.
std::vector<Window> stackedWindows(Display *display)
{
    std::vector<Window> windows = windowList(display, "_NET_CLIENT_LIST_STACKING");
    if (!windows.empty())
        return windows;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
        windows.assign(children, children + count);
        if (children)
            XFree(children);
    }
    return windows;
}

Window topLevelOf(Display *display, Window window, const std::vector<Window> &stack)
{
    for (int depth = 0; window != 0 && depth < 64; ++depth) {
        for (Window w : stack)
            if (w == window)
                return window;
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &count))
            return 0;
        if (children)
            XFree(children);
        if (parent == root)
            return window;
        window = parent;
    }
    return 0;
}

bool belongsToThisProcess(Display *display, Window window)
{
    const Atom property = XInternAtom(display, "_NET_WM_PID", True);
    if (property == None)
        return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    bool ours = false;
    if (XGetWindowProperty(display, window, property, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        type == XA_CARDINAL && format == 32 && count == 1)
        ours = static_cast<pid_t>(reinterpret_cast<unsigned long *>(data)[0]) == getpid();
    if (data)
        XFree(data);
    return ours;
}

bool isViewable(Display *display, Window window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) &&
           attributes.map_state == IsViewable && attributes.c_class == InputOutput;
}

} // namespace

Window nextApplicationWindow(Display *display, Window active)
{
    const std::vector<Window> stack = stackedWindows(display);
    const Window top = topLevelOf(display, active, stack);
    size_t below = stack.size();
    for (size_t i = 0; i < stack.size(); ++i)
        if (stack[i] == top)
            below = i;
    for (size_t i = below; i-- > 0;) {
        if (isViewable(display, stack[i]) && !belongsToThisProcess(display, stack[i]))
            return stack[i];
    }
    return 0;
}

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
