#include "x11/x_windows.h"

#include <X11/Xatom.h>

#include <unistd.h>

#include <algorithm>

namespace orvane {

namespace {

struct PropertyData {
    Atom type = None;
    int format = 0;
    std::vector<unsigned char> bytes;
    unsigned long items = 0;

    // The items of a format-32 property, which Xlib hands out as longs.
    const unsigned long *longs() const { return reinterpret_cast<const unsigned long *>(bytes.data()); }
};

std::optional<PropertyData> readProperty(Display *display, Window window, Atom property, Atom wantedType)
{
    if (property == None)
        return std::nullopt;
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char *data = nullptr;
    const int status = XGetWindowProperty(display, window, property, 0, 65536, False, wantedType, &type,
                                          &format, &items, &after, &data);
    if (status != Success || type == None || !data) {
        if (data)
            XFree(data);
        return std::nullopt;
    }
    const size_t unit = format == 32 ? sizeof(long) : static_cast<size_t>(format / 8);
    PropertyData result{type, format, std::vector<unsigned char>(data, data + items * unit), items};
    XFree(data);
    return result;
}

// A list of windows the window manager keeps on the root; nothing when it keeps none.
std::optional<std::vector<Window>> rootWindowList(Display *display, const char *name)
{
    const Atom property = XInternAtom(display, name, True);
    const auto data = readProperty(display, DefaultRootWindow(display), property, XA_WINDOW);
    if (!data || data->type != XA_WINDOW || data->format != 32)
        return std::nullopt;
    return std::vector<Window>(data->longs(), data->longs() + data->items);
}

// The root's children, bottom to top as X stacks them.
std::vector<Window> rootChildren(Display *display)
{
    Window root = None, parent = None;
    Window *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return {};
    std::vector<Window> windows(children, children + count);
    if (children)
        XFree(children);
    return windows;
}

// Bottom to top, as X stacks them.
std::vector<Window> stackedWindows(Display *display)
{
    auto windows = rootWindowList(display, "_NET_CLIENT_LIST_STACKING");
    if (windows && !windows->empty())
        return *windows;
    return rootChildren(display);
}

bool managerNamesActiveWindow(Display *display, Window &active)
{
    const Atom property = XInternAtom(display, "_NET_ACTIVE_WINDOW", True);
    const auto data = readProperty(display, DefaultRootWindow(display), property, XA_WINDOW);
    if (!data || data->type != XA_WINDOW || data->format != 32 || data->items != 1)
        return false;
    active = static_cast<Window>(data->longs()[0]);
    return true;
}

Window topLevelOf(Display *display, Window window, const std::vector<Window> &stack)
{
    for (int depth = 0; window != 0 && depth < 64; ++depth) {
        if (std::find(stack.begin(), stack.end(), window) != stack.end())
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
    const auto data = readProperty(display, window, property, XA_CARDINAL);
    return data && data->type == XA_CARDINAL && data->format == 32 && data->items == 1 &&
           static_cast<pid_t>(data->longs()[0]) == getpid();
}

bool isViewable(Display *display, Window window)
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable &&
           attributes.c_class == InputOutput;
}

void askManagerToActivate(Display *display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    // Source 2: a tool acting for the user, which managers let through focus-stealing rules.
    event.xclient.data.l[0] = 2;
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
}

} // namespace

std::vector<Window> topLevelWindows(Display *display)
{
    if (auto clients = rootWindowList(display, "_NET_CLIENT_LIST"))
        return *clients;
    std::vector<Window> windows = rootChildren(display);
    std::reverse(windows.begin(), windows.end());
    return windows;
}

std::optional<std::string> windowTitle(Display *display, Window window)
{
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    if (const auto name = readProperty(display, window, netName, utf8); name && name->format == 8)
        return std::string(name->bytes.begin(), name->bytes.end());
    if (const auto name = readProperty(display, window, XA_WM_NAME, AnyPropertyType);
        name && name->format == 8)
        return std::string(name->bytes.begin(), name->bytes.end());
    return std::nullopt;
}

bool managerActivates(Display *display)
{
    const Window root = DefaultRootWindow(display);
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    const auto owner = readProperty(display, root, check, XA_WINDOW);
    if (!owner || owner->format != 32 || owner->items == 0)
        return false;
    const Atom supported = XInternAtom(display, "_NET_SUPPORTED", False);
    const auto active = static_cast<unsigned long>(XInternAtom(display, "_NET_ACTIVE_WINDOW", False));
    const auto atoms = readProperty(display, root, supported, XA_ATOM);
    if (!atoms || atoms->format != 32)
        return false;
    const unsigned long *list = atoms->longs();
    return std::find(list, list + atoms->items, active) != list + atoms->items;
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

void activateWindow(Display *display, Window window)
{
    if (managerActivates(display)) {
        askManagerToActivate(display, window);
    } else {
        XMapRaised(display, window);
        XSync(display, False);
        // Focus can only go to a viewable window; a window that is still being mapped gets
        // it once its map is done, which the sync above has waited for on a bare server.
        if (isViewable(display, window))
            XSetInputFocus(display, window, RevertToParent, CurrentTime);
    }
    XSync(display, False);
}

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

ScreenPoint pointerPosition(Display *display)
{
    Window root = 0, child = 0;
    int x = 0, y = 0, wx = 0, wy = 0;
    unsigned int mask = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &wx, &wy, &mask);
    return {x, y};
}

} // namespace orvane
