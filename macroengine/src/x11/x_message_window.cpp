#include "core/message_window.h"
#include "x11/x_connection_loss.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>

namespace orvane {

namespace {

// Xlib's error handler is process-wide; while this window is made it records errors of its
// own connection and hands everyone else's to the handler that was there before.
Display *g_display = nullptr;
bool g_failed = false;
XErrorHandler g_previous = nullptr;

int recordError(Display *display, XErrorEvent *event)
{
    if (display == g_display) {
        g_failed = true;
        return 0;
    }
    return g_previous ? g_previous(display, event) : 0;
}

class XMessageWindow : public MessageWindow {
public:
    XMessageWindow(Display *display, Window window) : m_display(display), m_window(window) {}
    ~XMessageWindow() override
    {
        XDestroyWindow(m_display, m_window);
        connectionLost(m_display, true);
        XCloseDisplay(m_display);
    }
    uint32_t id() const override { return static_cast<uint32_t>(m_window); }
    _XDisplay *connection() const override { return m_display; }

private:
    Display *m_display;
    Window m_window;
};

void setTitle(Display *display, Window window, const char *title)
{
    XStoreName(display, window, title);
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XChangeProperty(display, window, netName, utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(title), static_cast<int>(std::strlen(title)));
    XClassHint hint;
    hint.res_name = const_cast<char *>(title);
    hint.res_class = const_cast<char *>(title);
    XSetClassHint(display, window, &hint);
}

} // namespace

std::unique_ptr<MessageWindow> createXMessageWindow()
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return nullptr;
    // The engine lives on this connection: its loss takes the engine down, never the host.
    watchConnectionLoss(display, ConnectionUse::Engine);
    g_display = display;
    g_failed = false;
    g_previous = XSetErrorHandler(&recordError);
    // X has no zero-sized windows; the window is never mapped, so its size does not matter.
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    setTitle(display, window, "MacroWin");
    XSync(display, False);
    XSetErrorHandler(g_previous);
    g_display = nullptr;
    if (g_failed || window == 0) {
        XCloseDisplay(display);
        return nullptr;
    }
    return std::make_unique<XMessageWindow>(display, window);
}

} // namespace orvane
