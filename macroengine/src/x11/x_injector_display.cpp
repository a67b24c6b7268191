#include "x11/x_injector_display.h"

#include "x11/x_connection_loss.h"

#include <map>
#include <mutex>

namespace orvane {

namespace {

// Xlib has one error handler per process, so the connections open at a time share one trap.
struct ErrorTrap {
    std::mutex mutex;
    std::map<Display *, bool> errors; // our open connections and whether an error came
    XErrorHandler previous = nullptr;
};

ErrorTrap &trap()
{
    // Never destroyed: connections close in the destructors of other static objects (the input
    // runtime's, when the process exits with the engine installed, as Xlib's default error
    // handler makes it), which may run after this one would have been.
    static ErrorTrap *const instance = new ErrorTrap;
    return *instance;
}

int recordError(Display *display, XErrorEvent *event)
{
    ErrorTrap &t = trap();
    XErrorHandler previous;
    {
        std::lock_guard lock(t.mutex);
        const auto found = t.errors.find(display);
        if (found != t.errors.end()) {
            found->second = true;
            return 0;
        }
        previous = t.previous;
    }
    return previous ? previous(display, event) : 0;
}

} // namespace

XInjectorDisplay::XInjectorDisplay() : m_display(XOpenDisplay(nullptr))
{
    if (!m_display)
        return;
    watchConnectionLoss(m_display, ConnectionUse::OneCall);
    ErrorTrap &t = trap();
    std::lock_guard lock(t.mutex);
    if (t.errors.empty())
        t.previous = XSetErrorHandler(&recordError);
    t.errors[m_display] = false;
}

XInjectorDisplay::~XInjectorDisplay()
{
    if (!m_display)
        return;
    XSync(m_display, False);
    {
        ErrorTrap &t = trap();
        std::lock_guard lock(t.mutex);
        t.errors.erase(m_display);
        if (t.errors.empty())
            XSetErrorHandler(t.previous);
    }
    connectionLost(m_display, true);
    XCloseDisplay(m_display);
}

bool XInjectorDisplay::takeError()
{
    ErrorTrap &t = trap();
    std::lock_guard lock(t.mutex);
    const bool failed = t.errors[m_display];
    t.errors[m_display] = false;
    return failed;
}

} // namespace orvane
