#include "app/platform/x11/x11_error_trap.h"

namespace orvane {

namespace {
// The innermost trap; Xlib's error handler is one per process, so traps nest through this.
X11ErrorTrap *g_activeTrap = nullptr;
// The handler that was in place before ours: it gets every error that is not a trap's.
XErrorHandler g_chained = nullptr;
} // namespace

X11ErrorTrap::X11ErrorTrap(Display *display) : m_display(display), m_outer(g_activeTrap)
{
    const XErrorHandler current = XSetErrorHandler(&X11ErrorTrap::handleError);
    if (current != &X11ErrorTrap::handleError)
        g_chained = current;
    g_activeTrap = this;
}

X11ErrorTrap::~X11ErrorTrap()
{
    // An error still on its way must reach this trap, not the handler restored below.
    finishPendingRequests();
    g_activeTrap = m_outer;
    if (g_activeTrap)
        return;
    // Another part of the program (the macro engine) may have put its own handler in meanwhile,
    // chained to ours; taking ours away from under it would drop that handler, so it stays.
    const XErrorHandler current = XSetErrorHandler(g_chained);
    if (current != &X11ErrorTrap::handleError)
        XSetErrorHandler(current);
}

bool X11ErrorTrap::sync()
{
    XSync(m_display, False);
    return !failed();
}

void X11ErrorTrap::finishPendingRequests()
{
    // Only requests without a reply can still have an error outstanding; skip the round trip
    // when the server has already processed everything (the case after any reading request).
    if (LastKnownRequestProcessed(m_display) + 1 < NextRequest(m_display))
        XSync(m_display, False);
}

int X11ErrorTrap::handleError(Display *display, XErrorEvent *event)
{
    for (X11ErrorTrap *trap = g_activeTrap; trap; trap = trap->m_outer) {
        if (trap->m_display == display) {
            if (trap->m_errorCode == 0)
                trap->m_errorCode = event->error_code;
            return 0;
        }
    }
    // Another connection in this process: the handler before ours decides.
    return g_chained ? g_chained(display, event) : 0;
}

} // namespace orvane
