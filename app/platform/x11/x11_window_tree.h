#pragma once
// Finding the client windows among the root window's children. Under a reparenting window
// manager a program's window sits inside a frame the manager made; the client is the window
// that carries WM_STATE. Without a window manager the root's children are the clients.
#include "app/platform/x11/x11_atoms.h"

#include <vector>

namespace orvane {

class X11WindowTree {
public:
    X11WindowTree(Display *display, const X11Atoms &atoms);

    // The top-level client windows: _NET_CLIENT_LIST when a window manager keeps one, else the
    // clients found among the root's children, bottom of the stack first.
    std::vector<Window> clients() const;
    // The client window that `window` (a client, its frame or any window inside them) belongs
    // to; None when the window no longer exists or is the root.
    Window clientOf(Window window) const;

private:
    std::vector<Window> children(Window window) const;
    Window parent(Window window) const;
    Window topLevelOf(Window window) const;
    Window clientInside(Window topLevel) const;
    bool hasWmState(Window window) const;

    Display *m_display;
    const X11Atoms &m_atoms;
    Window m_root;
};

} // namespace orvane
