#pragma once

#include <X11/Xlib.h>

namespace orvane {

// A connection of its own to the default display for one call of the key functions, so that
// they never share Xlib state with the host's or the engine's connections and may run on any
// thread. While it is open, X errors on it (a window that vanished while it was being looked
// at, a refused mapping change) are recorded instead of reaching Xlib's default handler, which
// would end the process; errors on every other connection go on to the handler that was
// installed before. A lost connection never ends the process either (x_connection_loss.h).
class XInjectorDisplay {
public:
    XInjectorDisplay();
    ~XInjectorDisplay();
    XInjectorDisplay(const XInjectorDisplay &) = delete;
    XInjectorDisplay &operator=(const XInjectorDisplay &) = delete;

    Display *get() const { return m_display; }
    explicit operator bool() const { return m_display != nullptr; }

    // Whether an X error arrived on this connection since the last call; clears the record.
    // Call after XSync so that the replies are in.
    bool takeError();

private:
    Display *m_display;
};

} // namespace orvane
