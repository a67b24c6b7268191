#include "app_activate.h"
#include "app_activate_x.h"

#include "report.h"
#include "x_injector_display.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>

namespace orvane {

namespace {

struct PropertyData {
    Atom type = None;
    int format = 0;
    std::vector<unsigned char> bytes;
    unsigned long items = 0;
};

std::optional<PropertyData> readProperty(Display *display, Window window, Atom property,
                                         Atom wantedType)
{
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char *data = nullptr;
    const int status = XGetWindowProperty(display, window, property, 0, 65536, False,
                                          wantedType, &type, &format, &items, &after, &data);
    if (status != Success || type == None || !data) {
        if (data)
            XFree(data);
        return std::nullopt;
    }
    const size_t unit = format == 32 ? sizeof(long) : static_cast<size_t>(format / 8);
    PropertyData result{type, format, std::vector<unsigned char>(data, data + items * unit),
                        items};
    XFree(data);
    return result;
}

std::optional<std::vector<Window>> clientList(Display *display)
{
    const Atom list = XInternAtom(display, "_NET_CLIENT_LIST", False);
    const auto data = readProperty(display, DefaultRootWindow(display), list, XA_WINDOW);
    if (!data || data->format != 32)
        return std::nullopt;
    const auto *ids = reinterpret_cast<const long *>(data->bytes.data());
    return std::vector<Window>(ids, ids + data->items);
}

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
    // The tree lists the children bottom to top.
    std::reverse(windows.begin(), windows.end());
    return windows;
}

// Whether a window manager that serves _NET_ACTIVE_WINDOW is running.
bool managerActivates(Display *display)
{
    const Window root = DefaultRootWindow(display);
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    const auto owner = readProperty(display, root, check, XA_WINDOW);
    if (!owner || owner->format != 32 || owner->items == 0)
        return false;
    const Atom supported = XInternAtom(display, "_NET_SUPPORTED", False);
    const Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    const auto atoms = readProperty(display, root, supported, XA_ATOM);
    if (!atoms || atoms->format != 32)
        return false;
    const auto *list = reinterpret_cast<const long *>(atoms->bytes.data());
    return std::find(list, list + atoms->items, static_cast<long>(active)) != list + atoms->items;
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
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

bool isViewable(Display *display, Window window)
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) &&
           attributes.map_state == IsViewable;
}

} // namespace

std::vector<Window> topLevelWindows(Display *display)
{
    if (auto clients = clientList(display))
        return *clients;
    return rootChildren(display);
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

std::optional<Window> findWindowByTitle(Display *display, std::string_view title)
{
    for (Window window : topLevelWindows(display)) {
        const auto name = windowTitle(display, window);
        if (name && *name == title)
            return window;
    }
    return std::nullopt;
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
