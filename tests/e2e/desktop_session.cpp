#include "desktop_session.h"

#include "program_runner.h"

#include <X11/Xlib.h>

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <sstream>
#include <thread>
#include <vector>

using orvane::testing_x11::ChildProcess;
using orvane::testing_x11::WindowManagerSession;

bool WaitUntil(const std::function<bool()> &done, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

std::unique_ptr<DesktopSession> DesktopSession::start()
{
    auto session = WindowManagerSession::start();
    if (!session)
        return nullptr;
    std::unique_ptr<DesktopSession> desktop(new DesktopSession);
    desktop->m_session = std::move(session);
    return desktop;
}

namespace {

bool TraySelectionOwned(const std::string &display)
{
    Display *d = XOpenDisplay(display.c_str());
    if (!d)
        return false;
    const Atom selection = XInternAtom(d, "_NET_SYSTEM_TRAY_S0", False);
    const bool owned = XGetSelectionOwner(d, selection) != None;
    XCloseDisplay(d);
    return owned;
}

} // namespace

bool DesktopSession::startTrayHost()
{
    m_tray = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/usr/bin/trayer", "--edge", "bottom", "--align", "right", "--widthtype",
                                 "request", "--height", "28", "--SetDockType", "true", "--transparent",
                                 "false"},
        std::vector<std::string>{"DISPLAY=" + display()});
    return WaitUntil([this] { return TraySelectionOwned(display()); });
}

void DesktopSession::stopTrayHost()
{
    if (m_tray)
        m_tray->stop();
    m_tray.reset();
    WaitUntil([this] { return !TraySelectionOwned(display()); }, std::chrono::seconds(5));
}

std::string DesktopSession::run(const std::string &command) const
{
    return ProgramRunner::capture("env DISPLAY=" + display() + " sh -c '" + command + "'");
}

namespace {

std::string Lower(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The class of a window's WM_CLASS, in lower case ("" when it has none).
std::string ClassOf(Display *d, Window w)
{
    XClassHint hint{};
    if (!XGetClassHint(d, w, &hint))
        return "";
    const std::string name = hint.res_class ? hint.res_class : "";
    XFree(hint.res_name);
    XFree(hint.res_class);
    return Lower(name);
}

// Every window below `w` whose class is `windowClass`.
void FindByClass(Display *d, Window w, const std::string &windowClass, std::vector<Window> &found)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &count))
        return;
    for (unsigned int i = 0; i < count; ++i) {
        if (ClassOf(d, children[i]) == windowClass)
            found.push_back(children[i]);
        FindByClass(d, children[i], windowClass, found);
    }
    if (children)
        XFree(children);
}

// Whether the window says it is a tool-tip. Qt marks its pop-up menus as normal windows, so a
// menu is told from the tool-tips (the other pop-ups) by that alone.
bool IsToolTip(Display *d, Window w)
{
    const Atom type = XInternAtom(d, "_NET_WM_WINDOW_TYPE", False);
    const Atom toolTip = XInternAtom(d, "_NET_WM_WINDOW_TYPE_TOOLTIP", False);
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(d, w, type, 0, 16, False, XA_ATOM, &actualType, &format, &count, &after, &data) !=
            Success ||
        !data)
        return false;
    bool tip = false;
    const auto *atoms = reinterpret_cast<const Atom *>(data);
    for (unsigned long i = 0; i < count && format == 32; ++i)
        tip = tip || atoms[i] == toolTip;
    XFree(data);
    return tip;
}

} // namespace

std::string DesktopSession::trayIconOf(const std::string &windowClass) const
{
    Display *d = XOpenDisplay(display().c_str());
    if (!d)
        return "";
    // A docked icon is a window of the program inside the tray host's window.
    std::vector<Window> hosts;
    FindByClass(d, DefaultRootWindow(d), "trayer", hosts);
    std::string id;
    for (Window host : hosts) {
        std::vector<Window> icons;
        FindByClass(d, host, Lower(windowClass), icons);
        if (!icons.empty()) {
            id = std::to_string(icons.front());
            break;
        }
    }
    XCloseDisplay(d);
    return id;
}

std::string DesktopSession::findWindow(const std::string &titleRegex, std::chrono::milliseconds limit) const
{
    std::string id;
    WaitUntil(
        [&] {
            const std::string ids =
                run("xdotool search --onlyvisible --name \"" + titleRegex + "\" 2>/dev/null");
            id = ids.substr(0, ids.find('\n'));
            return !id.empty();
        },
        limit);
    return id;
}

bool DesktopSession::waitUntilGone(const std::string &titleRegex, std::chrono::milliseconds limit) const
{
    return WaitUntil(
        [&] { return run("xdotool search --onlyvisible --name \"" + titleRegex + "\" 2>/dev/null").empty(); },
        limit);
}

std::string DesktopSession::activeWindow() const
{
    const std::string out = run("xdotool getactivewindow 2>/dev/null");
    return out.substr(0, out.find('\n'));
}

bool DesktopSession::activate(const std::string &window, std::chrono::milliseconds limit) const
{
    if (window.empty())
        return false;
    // The request is repeated now and then: a window manager may refuse it while the window is
    // still being mapped.
    auto asked = std::chrono::steady_clock::now() - std::chrono::seconds(1);
    return WaitUntil(
        [&] {
            if (activeWindow() == window)
                return true;
            if (std::chrono::steady_clock::now() - asked > std::chrono::milliseconds(700)) {
                run("xdotool windowactivate " + window + " 2>/dev/null");
                asked = std::chrono::steady_clock::now();
            }
            return false;
        },
        limit);
}

std::string DesktopSession::menuGeometry(const std::string &windowClass) const
{
    Display *d = XOpenDisplay(display().c_str());
    if (!d)
        return "";
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    XWindowAttributes best{};
    if (XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count; ++i) {
            XWindowAttributes a{};
            if (!XGetWindowAttributes(d, children[i], &a) || a.map_state != IsViewable ||
                !a.override_redirect)
                continue;
            if (!IsToolTip(d, children[i]) && ClassOf(d, children[i]) == Lower(windowClass) &&
                a.height > best.height)
                best = a;
        }
        if (children)
            XFree(children);
    }
    XCloseDisplay(d);
    if (best.height == 0)
        return "";
    std::ostringstream out;
    out << best.x << ' ' << best.y << ' ' << best.width << ' ' << best.height;
    return out.str();
}

std::string DesktopSession::outerGeometry(const std::string &window) const
{
    Display *d = XOpenDisplay(display().c_str());
    if (!d)
        return "";
    // The frame is the client's ancestor just below the root.
    Window w = std::stoul(window, nullptr, 0);
    for (;;) {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(d, w, &root, &parent, &children, &count))
            break;
        if (children)
            XFree(children);
        if (parent == root || parent == 0)
            break;
        w = parent;
    }
    XWindowAttributes a{};
    XGetWindowAttributes(d, w, &a);
    XCloseDisplay(d);
    std::ostringstream out;
    out << a.x << ' ' << a.y << ' ' << a.width + 2 * a.border_width << ' ' << a.height + 2 * a.border_width;
    return out.str();
}

bool DesktopSession::screenshot(const std::string &path) const
{
    run("import -window root " + path);
    return ProgramRunner::readFile(path).size() > 100;
}
