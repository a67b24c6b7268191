#include "tests/support/window_manager_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace orvane::testing_x11 {

namespace {

constexpr const char *kServer = "/usr/bin/Xvfb";
constexpr const char *kManager = "/usr/bin/openbox";

// True when `window` is in the manager's client list.
bool listed(Display *display, Window window)
{
    const Atom clients = XInternAtom(display, "_NET_CLIENT_LIST", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display, DefaultRootWindow(display), clients, 0, 1024, False, XA_WINDOW, &type,
                           &format, &count, &after, &data) == Success &&
        data) {
        const auto *windows = reinterpret_cast<const unsigned long *>(data);
        for (unsigned long i = 0; i < count; ++i)
            found = found || windows[i] == window;
    }
    if (data)
        XFree(data);
    return found;
}

// True once the manager takes on a window mapped now: its announcements on the root come
// before it listens for new windows, so they alone do not say it is ready.
bool managesNewWindows(Display *display, std::chrono::milliseconds limit)
{
    const Window probe = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    XMapWindow(display, probe);
    XSync(display, False);
    const auto deadline = std::chrono::steady_clock::now() + limit;
    bool managed = false;
    while (!(managed = listed(display, probe)) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    XDestroyWindow(display, probe);
    XSync(display, False);
    return managed;
}

} // namespace

std::string WindowManagerSession::s_why;

std::unique_ptr<WindowManagerSession> WindowManagerSession::start()
{
    if (access(kServer, X_OK) != 0 || access(kManager, X_OK) != 0) {
        s_why = "Xvfb or openbox is not installed";
        return nullptr;
    }
    std::unique_ptr<WindowManagerSession> session(new WindowManagerSession);
    if (!session->startServer() || !session->startManager())
        return nullptr;
    return session;
}

WindowManagerSession::~WindowManagerSession()
{
    if (m_manager)
        m_manager->stop();
    if (m_server)
        m_server->stop();
}

bool WindowManagerSession::startServer()
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        s_why = "no pipe";
        return false;
    }
    // Only the writing end goes to the server, which writes its display number there.
    const int writeEnd = fcntl(fds[1], F_DUPFD, 3);
    close(fds[1]);
    m_server = std::make_unique<ChildProcess>(std::vector<std::string>{
        kServer, "-displayfd", std::to_string(writeEnd), "-screen", "0", "800x600x24", "-nolisten", "tcp"});
    close(writeEnd);
    std::string number;
    pollfd reader{fds[0], POLLIN, 0};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (number.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
        if (poll(&reader, 1, 100) <= 0)
            continue;
        char buffer[16];
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        number.append(buffer, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    if (number.find('\n') == std::string::npos) {
        s_why = "Xvfb did not report a display";
        return false;
    }
    m_displayName = ":" + number.substr(0, number.find('\n'));
    return true;
}

bool WindowManagerSession::startManager()
{
    m_manager = std::make_unique<ChildProcess>(std::vector<std::string>{kManager, "--sm-disable"},
                                               std::vector<std::string>{"DISPLAY=" + m_displayName});
    Display *display = XOpenDisplay(m_displayName.c_str());
    if (!display) {
        s_why = "cannot open " + m_displayName;
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    bool running = false;
    while (!(running = managesNewWindows(display, std::chrono::milliseconds(500))) &&
           std::chrono::steady_clock::now() < deadline) {}
    XCloseDisplay(display);
    if (!running)
        s_why = "openbox did not start";
    return running;
}

} // namespace orvane::testing_x11
