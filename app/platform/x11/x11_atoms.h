#pragma once
// The atoms the window layer uses, interned once per connection in one round trip.
#include <X11/Xlib.h>

namespace orvane {

struct X11Atoms {
    explicit X11Atoms(Display *display);

    Atom netActiveWindow = None;
    Atom netClientList = None;
    Atom netCloseWindow = None;
    Atom netSupported = None;
    Atom netSupportingWmCheck = None;
    Atom netWmName = None;
    Atom netWmPid = None;
    Atom netWmState = None;
    Atom netWmStateHidden = None;
    Atom utf8String = None;
    Atom compoundText = None;
    Atom wmState = None;
    Atom wmProtocols = None;
    Atom wmDeleteWindow = None;
};

} // namespace orvane
