#include "window_manager_session.h"

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

// True once a manager has announced itself and published its (maybe empty) client list, which
// Openbox does only when it has finished starting.
bool managerRunning(Display *display)
{
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    const Atom clients = XInternAtom(display, "_NET_CLIENT_LIST", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    bool running = false;
    if (XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type, &format,
                           &count, &after, &data) == Success && data && count == 1)
        running = *reinterpret_cast<unsigned long *>(data) != 0;
    if (data)
        XFree(data);
    data = nullptr;
    if (running && XGetWindowProperty(display, DefaultRootWindow(display), clients, 0, 1, False, XA_WINDOW, &type,
                                      &format, &count, &after, &data) == Success)
        running = type == XA_WINDOW;
    if (data)
        XFree(data);
    return running;
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
    while (!(running = managerRunning(display)) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    XCloseDisplay(display);
    if (!running)
        s_why = "openbox did not start";
    return running;
}

} // namespace orvane::testing_x11
