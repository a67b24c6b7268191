#pragma once
// The window layer over one Xlib connection of its own, following the EWMH and ICCCM
// conventions window managers share; without a window manager it falls back to what plain X
// offers (the input focus, direct mapping, WM_DELETE_WINDOW).
//
// The front window and the followed title are kept from the server's PropertyNotify events
// (on the root for _NET_ACTIVE_WINDOW, on the followed window for its names), so asking for
// them again while nothing has changed costs no round trip to the server.
#include "app/platform/window_layer.h"
#include "app/platform/x11/x11_atoms.h"
#include "app/platform/x11/x11_window_tree.h"

#include <X11/Xlib.h>

#include <vector>

namespace orvane {

class X11WindowLayer : public WindowLayer {
public:
    // Takes ownership of an open display and closes it when destroyed.
    explicit X11WindowLayer(Display *display);
    ~X11WindowLayer() override;
    X11WindowLayer(const X11WindowLayer &) = delete;
    X11WindowLayer &operator=(const X11WindowLayer &) = delete;

    WindowId foregroundWindow() override;
    WindowId parentOf(WindowId window) override;
    std::optional<std::string> title(WindowId window) override;
    bool setTitle(WindowId window, const std::string &title) override;
    void watchTitle(WindowId window) override;
    int eventDescriptor() const override;
    bool processEvents() override;
    WindowId findByTitle(const std::string &title) override;
    WindowId findByPid(pid_t pid, std::chrono::milliseconds timeout) override;
    bool exists(WindowId window) override;
    bool activate(WindowId window) override;
    bool isMinimized(WindowId window) override;
    bool showNormal(WindowId window) override;
    bool iconify(WindowId window) override;
    bool close(WindowId window) override;

    // One round trip: every change other clients made before this call has then been taken
    // in. For callers (tests) that cannot wait for the news to arrive on its own.
    void roundTrip();
    // How many requests this connection has sent the server so far (for measuring that a step
    // without news sends none).
    unsigned long requestsSent() const { return NextRequest(m_display) - 1; }

private:
    // What the server last said about a followed title: nothing yet (read it), the title, or
    // that the window is gone.
    struct FollowedTitle {
        Window window = None;
        bool known = false;
        std::optional<std::string> title;
        // PropertyNotify events our own writes will bring, per name property, so that they are
        // not mistaken for the owner's changes.
        int ownNetWmNameChanges = 0;
        int ownWmNameChanges = 0;
    };

    bool handleEvent(const XEvent &event);
    bool handleFollowedTitleChange(Atom property);
    std::optional<std::string> readTitle(Window window);
    // Takes note of our own write to the followed title (none: the write failed).
    void noteOwnTitle(const std::optional<std::string> &title);
    WindowId focusedClient();
    WindowId scanForPid(pid_t pid);
    bool isShown(Window window);
    // True when a live EWMH window manager says it supports `feature`.
    bool windowManagerSupports(Atom feature);
    bool hasWindowManager();
    bool sendToRoot(Window window, Atom type, const std::vector<long> &data);
    bool sendMessage(Window destination, long eventMask, Window window, Atom type,
                     const std::vector<long> &data);

    Display *m_display;
    Window m_root;
    X11Atoms m_atoms;
    X11WindowTree m_tree;
    // The front window as _NET_ACTIVE_WINDOW last said; read again after the root's property
    // changes. Without a window manager there is no such property and the focus is asked for.
    bool m_activeKnown = false;
    std::optional<WindowId> m_active;
    FollowedTitle m_followed;
};

} // namespace orvane
