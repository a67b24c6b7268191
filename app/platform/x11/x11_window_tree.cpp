#include "app/platform/x11/x11_window_tree.h"

#include "app/platform/x11/x11_error_trap.h"
#include "app/platform/x11/x11_property.h"

#include <X11/Xatom.h>

namespace orvane {

namespace {
// Frames nest clients a level or two deep; anything deeper is a program's own child windows.
constexpr int kFrameDepth = 3;
} // namespace

X11WindowTree::X11WindowTree(Display *display, const X11Atoms &atoms)
    : m_display(display), m_atoms(atoms), m_root(DefaultRootWindow(display))
{}

std::vector<Window> X11WindowTree::clients() const
{
    const auto list = X11Property::read(m_display, m_root, m_atoms.netClientList, 1024 * 1024);
    if (list && list->present() && list->type() == XA_WINDOW)
        return list->values();
    std::vector<Window> result;
    for (const Window child : children(m_root)) {
        const Window client = clientInside(child);
        if (client != None)
            result.push_back(client);
    }
    return result;
}

Window X11WindowTree::clientOf(Window window) const
{
    const Window top = topLevelOf(window);
    return top == None ? None : clientInside(top);
}

std::vector<Window> X11WindowTree::children(Window window) const
{
    X11ErrorTrap trap(m_display);
    Window root = None, parentWindow = None;
    Window *list = nullptr;
    unsigned int count = 0;
    std::vector<Window> result;
    if (XQueryTree(m_display, window, &root, &parentWindow, &list, &count) && !trap.failed() && list)
        result.assign(list, list + count);
    if (list)
        XFree(list);
    return result;
}

Window X11WindowTree::parent(Window window) const
{
    X11ErrorTrap trap(m_display);
    Window root = None, parentWindow = None;
    Window *list = nullptr;
    unsigned int count = 0;
    const Status ok = XQueryTree(m_display, window, &root, &parentWindow, &list, &count);
    if (list)
        XFree(list);
    return ok && !trap.failed() ? parentWindow : None;
}

Window X11WindowTree::topLevelOf(Window window) const
{
    // Bounded: a window tree is shallow, and a window destroyed mid-walk ends it.
    for (int depth = 0; window != None && window != m_root && depth < 64; ++depth) {
        const Window up = parent(window);
        if (up == m_root)
            return window;
        window = up;
    }
    return None;
}

Window X11WindowTree::clientInside(Window topLevel) const
{
    std::vector<Window> level{topLevel};
    for (int depth = 0; depth < kFrameDepth && !level.empty(); ++depth) {
        std::vector<Window> next;
        for (const Window w : level) {
            if (hasWmState(w))
                return w;
            for (const Window child : children(w))
                next.push_back(child);
        }
        level = std::move(next);
    }
    // No window manager has marked a client: the top-level window is the client.
    return topLevel;
}

bool X11WindowTree::hasWmState(Window window) const
{
    const auto state = X11Property::read(m_display, window, m_atoms.wmState, 8);
    return state && state->present();
}

} // namespace orvane
