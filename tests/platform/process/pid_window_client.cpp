// A small X client for the launcher tests: after an optional delay (argv[2], milliseconds) it
// shows one window titled argv[1] that carries its _NET_WM_PID, and ends when asked to close
// through WM_DELETE_WINDOW, as a well-behaved application does.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <unistd.h>

int main(int argc, char **argv)
{
    const char *title = argc > 1 ? argv[1] : "pid window";
    if (argc > 2)
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[2])));
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return 2;
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 10, 10, 120, 60, 0, 0, 0);
    XStoreName(display, window, title);
    const long pid = static_cast<long>(getpid());
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char *>(&pid), 1);
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &deleteWindow, 1);
    XMapWindow(display, window);
    XFlush(display);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow)
            break;
    }
    XDestroyWindow(display, window);
    XCloseDisplay(display);
    return 0;
}
