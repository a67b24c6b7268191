#include "tests/support/test_display.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace orvane::testing_x11 {

namespace {
int ignoreErrors(Display *, XErrorEvent *) { return 0; }
} // namespace

TestDisplay::TestDisplay(const char *displayName)
{
    // Xvfb resets itself when its last client leaves, as each test's do, and refuses
    // connections for a moment while it does.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!(m_display = XOpenDisplay(displayName)) && (displayName || std::getenv("DISPLAY")) &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!m_display)
        return;
    // Windows the code under test has already seen destroyed may be touched again here.
    XSetErrorHandler(&ignoreErrors);
    m_root = DefaultRootWindow(m_display);
}

TestDisplay::~TestDisplay()
{
    if (!m_display)
        return;
    for (const Atom property : m_rootProperties)
        XDeleteProperty(m_display, m_root, property);
    for (const Window w : m_windows)
        XDestroyWindow(m_display, w);
    XCloseDisplay(m_display);
}

Window TestDisplay::createWindow(const std::string &utf8Title, bool mapped)
{
    const Window w = XCreateSimpleWindow(m_display, m_root, 10, 10, 200, 100, 1, 0, 0xFFFFFF);
    m_windows.push_back(w);
    if (!utf8Title.empty())
        setTitles(w, utf8Title, utf8Title);
    if (mapped)
        XMapWindow(m_display, w);
    sync();
    return w;
}

void TestDisplay::destroyWindow(Window window)
{
    XDestroyWindow(m_display, window);
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), window), m_windows.end());
    sync();
}

void TestDisplay::setTitles(Window window, const std::string &utf8Title, const std::string &latin1Name)
{
    XChangeProperty(m_display, window, atom("_NET_WM_NAME"), atom("UTF8_STRING"), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(utf8Title.data()),
                    static_cast<int>(utf8Title.size()));
    setWmNameOnly(window, latin1Name);
}

void TestDisplay::setWmNameOnly(Window window, const std::string &latin1Name)
{
    XChangeProperty(m_display, window, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(latin1Name.data()),
                    static_cast<int>(latin1Name.size()));
    sync();
}

std::string TestDisplay::netWmName(Window window)
{
    return readString(window, atom("_NET_WM_NAME"), nullptr);
}

std::string TestDisplay::wmName(Window window, Atom *type) { return readString(window, XA_WM_NAME, type); }

std::string TestDisplay::readString(Window window, Atom property, Atom *type)
{
    Atom actual = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    std::string result;
    if (XGetWindowProperty(m_display, window, property, 0, 4096, False, AnyPropertyType, &actual, &format,
                           &count, &after, &data) == Success &&
        data)
        result.assign(reinterpret_cast<const char *>(data), count);
    if (data)
        XFree(data);
    if (type)
        *type = actual;
    return result;
}

void TestDisplay::setTransientFor(Window dialog, Window parent)
{
    XSetTransientForHint(m_display, dialog, parent);
    sync();
}

void TestDisplay::setAtomList(Window window, const char *property, const std::vector<const char *> &names)
{
    if (window == m_root)
        noteRootProperty(property);
    std::vector<Atom> atoms;
    for (const char *name : names)
        atoms.push_back(atom(name));
    XChangeProperty(m_display, window, atom(property), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(atoms.data()), static_cast<int>(atoms.size()));
    sync();
}

void TestDisplay::setCardinal(Window window, const char *property, Atom type, long value)
{
    if (window == m_root)
        noteRootProperty(property);
    XChangeProperty(m_display, window, atom(property), type, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(&value), 1);
    sync();
}

void TestDisplay::noteRootProperty(const char *name)
{
    const Atom property = atom(name);
    if (std::find(m_rootProperties.begin(), m_rootProperties.end(), property) == m_rootProperties.end())
        m_rootProperties.push_back(property);
}

void TestDisplay::setActiveWindow(Window window)
{
    noteRootProperty("_NET_ACTIVE_WINDOW");
    const long value = static_cast<long>(window);
    XChangeProperty(m_display, m_root, atom("_NET_ACTIVE_WINDOW"), XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(&value), 1);
    sync();
}

void TestDisplay::setClientList(const std::vector<Window> &clients)
{
    noteRootProperty("_NET_CLIENT_LIST");
    std::vector<long> values(clients.begin(), clients.end());
    XChangeProperty(m_display, m_root, atom("_NET_CLIENT_LIST"), XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(values.data()), static_cast<int>(values.size()));
    sync();
}

Atom TestDisplay::atom(const char *name) { return XInternAtom(m_display, name, False); }

} // namespace orvane::testing_x11
