// A small X program for the tests to start as a child process: it shows one window titled by
// its first argument, marks it with its process id, and ends when the window is asked to close.
// A second argument delays the window's appearance by that many milliseconds; "--no-pid" as the
// third leaves the process id off. It ends by itself after 20 seconds in any case.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <unistd.h>

int main(int argc, char **argv)
{
    const std::string title = argc > 1 ? argv[1] : "window program";
    const int delayMs = argc > 2 ? std::atoi(argv[2]) : 0;
    const bool markPid = !(argc > 3 && std::strcmp(argv[3], "--no-pid") == 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));

    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return 2;
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 160, 60, 1, 0, 0xFFFFFF);
    // An unmapped helper window with the same pid, as toolkits make, must not be taken for it.
    const Window helper = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    const Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
    const long pid = getpid();
    if (markPid)
        for (const Window w : {helper, window})
            XChangeProperty(display, w, netWmPid, XA_CARDINAL, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char *>(&pid), 1);
    XStoreName(display, window, title.c_str());
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &deleteWindow, 1);
    XMapWindow(display, window);
    XFlush(display);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow) {
                XCloseDisplay(display);
                return 0;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    XCloseDisplay(display);
    return 1;
}
