// The receiving end of the typing benchmark.
//   kyloom_type_receiver text N      prints the N-character benchmark text (UTF-8)
//   kyloom_type_receiver keys N      prints it as a key string for kyloom type
//   kyloom_type_receiver hold        keeps a connection open so the server never resets
//   kyloom_type_receiver receive N LIMIT_MS OUT
//       opens a focused window, says "ready", takes key presses until N characters came or
//       nothing came for a second, writes them to OUT and prints what arrived and when.
#include "bench_text.h"
#include "keys/vk_keysym_unicode.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

using namespace orvane;
using namespace orvane::bench;

namespace {

long long wallNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// A window manager keeps the focus where it decides; it moves it when asked the way pagers ask.
void askWindowManagerToActivate(Display *display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2; // from a pager: honoured without focus-stealing checks
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureNotifyMask | SubstructureRedirectMask,
               &event);
}

bool hasFocus(Display *display, Window window)
{
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    return focus == window;
}

Window openFocusedWindow(Display *display)
{
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 400, 200, 0, 0, 0xFFFFFF);
    XStoreName(display, window, "kyloom type bench");
    XSelectInput(display, window, KeyPressMask | StructureNotifyMask);
    // Like the toolkits' windows, it answers the window manager's (and the typist's) pings.
    Atom ping = XInternAtom(display, "_NET_WM_PING", False);
    XSetWMProtocols(display, window, &ping, 1);
    XMapWindow(display, window);
    XEvent event;
    do
        XWindowEvent(display, window, StructureNotifyMask, &event);
    while (event.type != MapNotify);
    // Under a window manager the window is viewable only once its frame is mapped, and the
    // manager may still be moving the focus about when it is; so the focus is asked for until
    // the window has it, and a typist starts only then. A manager still busy with the keyboard
    // map changes of the last round (it grabs its keys anew after each) can take seconds.
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (!hasFocus(display, window) && std::chrono::steady_clock::now() < limit) {
        XWindowAttributes attributes{};
        XGetWindowAttributes(display, window, &attributes);
        if (attributes.map_state == IsViewable) {
            askWindowManagerToActivate(display, window);
            XSetInputFocus(display, window, RevertToParent, CurrentTime);
        }
        XSync(display, False);
        usleep(5000);
    }
    return window;
}

void answerPing(Display *display, XEvent &event)
{
    if (event.xclient.format != 32 ||
        static_cast<Atom>(event.xclient.data.l[0]) != XInternAtom(display, "_NET_WM_PING", False))
        return;
    const Window root = DefaultRootWindow(display);
    event.xclient.window = root;
    XSendEvent(display, root, False, SubstructureNotifyMask | SubstructureRedirectMask, &event);
    XFlush(display);
}

struct Arrival {
    std::u32string text;
    long long first = 0;
    long long last = 0;
};

// Waits for the next event for at most `ms`; false when none came.
bool nextEvent(Display *display, XEvent &event, int ms)
{
    if (XPending(display) == 0) {
        pollfd descriptor{ConnectionNumber(display), POLLIN, 0};
        if (poll(&descriptor, 1, ms) <= 0 || XPending(display) == 0)
            return false;
    }
    XNextEvent(display, &event);
    return true;
}

Arrival receive(Display *display, size_t count, int limitMs)
{
    Arrival arrival;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (arrival.text.size() < count && std::chrono::steady_clock::now() < deadline) {
        XEvent event;
        const int wait = arrival.text.empty() ? 100 : 1000;
        if (!nextEvent(display, event, wait)) {
            if (!arrival.text.empty())
                break;
            continue;
        }
        if (event.type == ClientMessage) {
            answerPing(display, event);
            continue;
        }
        if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
            continue;
        }
        if (event.type != KeyPress)
            continue;
        char bytes[16];
        KeySym keysym = NoSymbol;
        XLookupString(&event.xkey, bytes, sizeof bytes, &keysym, nullptr);
        if (IsModifierKey(keysym))
            continue;
        const char32_t c = codePointForKeysym(static_cast<uint32_t>(keysym));
        arrival.text += c ? c : U'\uFFFD';
        arrival.last = wallNanoseconds();
        if (arrival.first == 0)
            arrival.first = arrival.last;
    }
    return arrival;
}

// A typist may still ping the window after the last character; the window stays responsive
// until things have been quiet for `quietMs`.
void answerPingsUntilQuiet(Display *display, int quietMs)
{
    XEvent event;
    while (nextEvent(display, event, quietMs))
        if (event.type == ClientMessage)
            answerPing(display, event);
}

int runReceive(size_t count, int limitMs, const char *outFile)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::cerr << "kyloom_type_receiver: no display\n";
        return 1;
    }
    const Window window = openFocusedWindow(display);
    if (!hasFocus(display, window)) {
        std::cout << "nofocus" << std::endl;
        XCloseDisplay(display);
        return 1;
    }
    std::cout << "ready" << std::endl;
    const Arrival arrival = receive(display, count, limitMs);
    answerPingsUntilQuiet(display, 300);
    const std::u32string expected = benchText(count);
    std::ofstream(outFile) << toUtf8(arrival.text);
    std::printf("received=%zu correct=%zu exact=%d first_ns=%lld last_ns=%lld\n", arrival.text.size(),
                charactersInOrder(expected, arrival.text), arrival.text == expected ? 1 : 0, arrival.first,
                arrival.last);
    XCloseDisplay(display);
    return 0;
}

int runHold()
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    std::cout << "holding" << std::endl;
    pause();
    XCloseDisplay(display);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    const size_t count = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 0;
    if (mode == "text" && count > 0) {
        std::cout << toUtf8(benchText(count));
        return 0;
    }
    if (mode == "keys" && count > 0) {
        std::cout << asKeyString(benchText(count));
        return 0;
    }
    if (mode == "hold")
        return runHold();
    if (mode == "receive" && count > 0 && argc == 5)
        return runReceive(count, std::atoi(argv[3]), argv[4]);
    std::cerr << "usage: kyloom_type_receiver text N | keys N | hold | receive N LIMIT_MS OUT\n";
    return 2;
}
