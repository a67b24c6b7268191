#include "x11/focus_client_ping.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <poll.h>

#include <atomic>

namespace orvane {

namespace {

bool speaksPing(Display *display, Window window, Atom ping)
{
    Atom *protocols = nullptr;
    int count = 0;
    if (!XGetWMProtocols(display, window, &protocols, &count))
        return false;
    bool found = false;
    for (int i = 0; i < count && !found; ++i)
        found = protocols[i] == ping;
    XFree(protocols);
    return found;
}

// The focus may rest on a child of the client's top-level window; the protocol is declared on
// the top-level one.
Window pingableFocus(Display *display, Atom ping)
{
    Window window = None;
    int revert = 0;
    XGetInputFocus(display, &window, &revert);
    const Window root = DefaultRootWindow(display);
    while (window != None && window != PointerRoot && window != root) {
        if (speaksPing(display, window, ping))
            return window;
        Window rootReturn = None, parent = None, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, window, &rootReturn, &parent, &children, &count))
            return None;
        if (children)
            XFree(children);
        window = parent;
    }
    return None;
}

struct Answer {
    Atom protocols;
    Atom ping;
    long token;
};

Bool isAnswer(Display *, XEvent *event, XPointer data)
{
    const Answer &a = *reinterpret_cast<const Answer *>(data);
    return event->type == ClientMessage && event->xclient.message_type == a.protocols &&
           event->xclient.format == 32 && static_cast<Atom>(event->xclient.data.l[0]) == a.ping &&
           event->xclient.data.l[1] == a.token;
}

// The token stands where the protocol puts a timestamp: the client hands it back unchanged, and
// a counter tells this ping's answer from any other.
long nextToken()
{
    static std::atomic<long> counter{0x4B590000};
    return ++counter;
}

} // namespace

PingResult pingFocusClient(Display *display, std::chrono::milliseconds limit)
{
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom ping = XInternAtom(display, "_NET_WM_PING", False);
    const Window client = pingableFocus(display, ping);
    if (client == None)
        return PingResult::NotSupported;
    const Window root = DefaultRootWindow(display);
    // Answers go to the root window with the substructure masks; selecting one of them is how
    // a client other than the window manager gets to see them.
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, root, &attributes);
    XSelectInput(display, root, attributes.your_event_mask | SubstructureNotifyMask);

    Answer answer{protocols, ping, nextToken()};
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = client;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(ping);
    event.xclient.data.l[1] = answer.token;
    event.xclient.data.l[2] = static_cast<long>(client);
    XSendEvent(display, client, False, NoEventMask, &event);
    XFlush(display);

    const auto deadline = std::chrono::steady_clock::now() + limit;
    bool answered = false;
    while (!answered) {
        XEvent received;
        if (XCheckIfEvent(display, &received, &isAnswer, reinterpret_cast<XPointer>(&answer))) {
            answered = true;
            break;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left.count()) + 1);
        XEventsQueued(display, QueuedAfterReading);
    }
    XSelectInput(display, root, attributes.your_event_mask);
    return answered ? PingResult::Answered : PingResult::TimedOut;
}

} // namespace orvane
