#include "desktop_session.h"

#include "program_runner.h"

#include <X11/Xlib.h>

#include <sstream>
#include <vector>
#include <X11/Xutil.h>
#include <thread>

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
        std::vector<std::string>{"/usr/bin/trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request",
                                 "--height", "28", "--SetDockType", "true", "--transparent", "false"},
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
            const std::string ids = run("xdotool search --onlyvisible --name \"" + titleRegex + "\" 2>/dev/null");
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
