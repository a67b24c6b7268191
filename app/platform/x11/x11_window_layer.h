#pragma once
// The window layer over one Xlib connection of its own, following the EWMH and ICCCM
// conventions window managers share; without a window manager it falls back to what plain X
// offers (the input focus, direct mapping, WM_DELETE_WINDOW).
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
    WindowId findByTitle(const std::string &title) override;
    WindowId findByPid(pid_t pid, std::chrono::milliseconds timeout) override;
    bool exists(WindowId window) override;
    bool activate(WindowId window) override;
    bool isMinimized(WindowId window) override;
    bool showNormal(WindowId window) override;
    bool iconify(WindowId window) override;
    bool close(WindowId window) override;

private:
    void discardEvents();
    WindowId focusedClient();
    WindowId scanForPid(pid_t pid);
    bool isShown(Window window);
    // True when a live EWMH window manager says it supports `feature`.
    bool windowManagerSupports(Atom feature);
    bool hasWindowManager();
    bool sendToRoot(Window window, Atom type, const std::vector<long> &data);
    bool sendMessage(Window destination, long eventMask, Window window, Atom type, const std::vector<long> &data);

    Display *m_display;
    Window m_root;
    X11Atoms m_atoms;
    X11WindowTree m_tree;
};

} // namespace orvane
