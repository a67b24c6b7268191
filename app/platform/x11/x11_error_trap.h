#pragma once
// Catches the X errors of requests made on one display while it lives, instead of letting
// Xlib's default handler end the program: other programs' windows can be destroyed between any
// two of our requests, and a BadWindow then is an ordinary answer, not a fault.
// Traps are set and cleared on one thread; errors of other connections go on to the handler
// that was in place before.
#include <X11/Xlib.h>

namespace orvane {

class X11ErrorTrap {
public:
    explicit X11ErrorTrap(Display *display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap &) = delete;
    X11ErrorTrap &operator=(const X11ErrorTrap &) = delete;

    // Waits until the server has answered every request sent so far; true when none failed.
    bool sync();
    // True when a request made on the display since the trap was set has failed so far.
    bool failed() const { return m_errorCode != 0; }

private:
    static int handleError(Display *display, XErrorEvent *event);
    void finishPendingRequests();

    Display *m_display;
    X11ErrorTrap *m_outer;
    unsigned char m_errorCode = 0;
};

} // namespace orvane
