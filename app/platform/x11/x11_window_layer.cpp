#include "app/platform/x11/x11_window_layer.h"

#include "app/platform/x11/x11_error_trap.h"
#include "app/platform/x11/x11_property.h"
#include "app/platform/x11/x11_title_text.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fstream>
#include <thread>

namespace orvane {

namespace {

// EWMH source indication: the request comes on the user's behalf, as a pager's would, so window
// managers do not treat it as focus stealing.
constexpr long kSourceUser = 2;
constexpr auto kPollInterval = std::chrono::milliseconds(20);

// A process that has ended, including one that has ended but not yet been reaped.
bool processGone(pid_t pid)
{
    if (::kill(pid, 0) == -1 && errno == ESRCH)
        return true;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return false;
    const auto paren = line.rfind(')');
    return paren != std::string::npos && paren + 2 < line.size() && line[paren + 2] == 'Z';
}

} // namespace

std::unique_ptr<WindowLayer> openX11WindowLayer(const char *displayName)
{
    Display *display = XOpenDisplay(displayName);
    if (!display)
        return nullptr;
    return std::make_unique<X11WindowLayer>(display);
}

X11WindowLayer::X11WindowLayer(Display *display)
    : m_display(display), m_root(DefaultRootWindow(display)), m_atoms(display), m_tree(display, m_atoms)
{
    // The window manager names the front window in a root property; its changes are announced.
    XSelectInput(m_display, m_root, PropertyChangeMask);
    XFlush(m_display);
}

X11WindowLayer::~X11WindowLayer() { XCloseDisplay(m_display); }

int X11WindowLayer::eventDescriptor() const { return ConnectionNumber(m_display); }

bool X11WindowLayer::processEvents()
{
    // Reads what has already arrived and never waits. Besides the announcements asked for, a
    // server without XKB sends MappingNotify to every client, unasked, whenever the macro engine
    // remaps a key to type it; unread, those would pile up for as long as the program runs.
    bool changed = false;
    while (XEventsQueued(m_display, QueuedAfterReading) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        changed = handleEvent(event) || changed;
    }
    return changed;
}

bool X11WindowLayer::handleEvent(const XEvent &event)
{
    if (event.type == PropertyNotify) {
        const XPropertyEvent &property = event.xproperty;
        if (property.window == m_root && property.atom == m_atoms.netActiveWindow) {
            m_activeKnown = false;
            return true;
        }
        if (property.window == m_followed.window &&
            (property.atom == m_atoms.netWmName || property.atom == XA_WM_NAME))
            return handleFollowedTitleChange(property.atom);
        return false;
    }
    if (event.type == DestroyNotify && event.xdestroywindow.window == m_followed.window) {
        m_followed.known = true;
        m_followed.title.reset();
        return true;
    }
    return false;
}

bool X11WindowLayer::handleFollowedTitleChange(Atom property)
{
    int &own = property == m_atoms.netWmName ? m_followed.ownNetWmNameChanges : m_followed.ownWmNameChanges;
    if (own > 0) {
        --own;
        return false;
    }
    m_followed.known = false;
    return true;
}

void X11WindowLayer::roundTrip()
{
    XSync(m_display, False);
    processEvents();
}

WindowId X11WindowLayer::foregroundWindow()
{
    processEvents();
    if (!m_activeKnown) {
        const auto active = X11Property::read(m_display, m_root, m_atoms.netActiveWindow, 4);
        m_activeKnown = true;
        m_active.reset();
        if (active && active->present() && active->type() == XA_WINDOW)
            m_active = active->firstValue().value_or(NoWindow);
    }
    if (m_active)
        return *m_active;
    return focusedClient();
}

WindowId X11WindowLayer::focusedClient()
{
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(m_display, &focus, &revertTo);
    if (focus == None || focus == PointerRoot)
        return NoWindow;
    return m_tree.clientOf(focus);
}

WindowId X11WindowLayer::parentOf(WindowId window)
{
    const auto owner = X11Property::read(m_display, window, XA_WM_TRANSIENT_FOR, 4);
    if (!owner || owner->type() != XA_WINDOW)
        return NoWindow;
    const WindowId parent = owner->firstValue().value_or(NoWindow);
    // A dialog without an owner is marked transient for the root, or (Qt) for the program's
    // never-shown group leader, to mean "the whole program": it has no parent window to show.
    if (parent == NoWindow || parent == m_root || parent == window)
        return NoWindow;
    return isShown(parent) || isMinimized(parent) ? parent : NoWindow;
}

std::optional<std::string> X11WindowLayer::title(WindowId window)
{
    processEvents();
    if (window == None || window != m_followed.window)
        return readTitle(window);
    if (!m_followed.known) {
        m_followed.title = readTitle(window);
        m_followed.known = true;
    }
    return m_followed.title;
}

std::optional<std::string> X11WindowLayer::readTitle(Window window)
{
    const auto netName = X11Property::read(m_display, window, m_atoms.netWmName);
    if (!netName)
        return std::nullopt;
    if (netName->present() && netName->type() == m_atoms.utf8String)
        return netName->bytes();
    const auto name = X11Property::read(m_display, window, XA_WM_NAME);
    if (!name)
        return std::nullopt;
    return name->present() ? X11TitleText::decodeWmName(m_display, m_atoms, *name) : std::string();
}

bool X11WindowLayer::setTitle(WindowId window, const std::string &title)
{
    if (window == NoWindow)
        return false;
    const bool followed = window == m_followed.window;
    // Older news first, so that only the announcements of the writes below count as ours.
    if (followed)
        processEvents();
    bool written = false;
    {
        X11ErrorTrap trap(m_display);
        const auto *utf8 = reinterpret_cast<const unsigned char *>(title.data());
        XChangeProperty(m_display, window, m_atoms.netWmName, m_atoms.utf8String, 8, PropModeReplace, utf8,
                        static_cast<int>(title.size()));
        const auto legacy = X11TitleText::encodeWmName(m_atoms, title);
        XChangeProperty(m_display, window, XA_WM_NAME, legacy.type, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(legacy.bytes.data()),
                        static_cast<int>(legacy.bytes.size()));
        written = trap.sync();
    }
    if (followed)
        noteOwnTitle(written ? std::optional<std::string>(title) : std::nullopt);
    return written;
}

void X11WindowLayer::noteOwnTitle(const std::optional<std::string> &title)
{
    if (!title) {
        m_followed.known = false;
        return;
    }
    m_followed.known = true;
    m_followed.title = *title;
    // The server answered the sync after sending the announcements of both writes, so they are
    // all queued now; any after them are the owner's.
    m_followed.ownNetWmNameChanges = 1;
    m_followed.ownWmNameChanges = 1;
    processEvents();
    m_followed.ownNetWmNameChanges = 0;
    m_followed.ownWmNameChanges = 0;
}

void X11WindowLayer::watchTitle(WindowId window)
{
    if (window == m_followed.window)
        return;
    {
        X11ErrorTrap trap(m_display);
        if (m_followed.window != None)
            XSelectInput(m_display, m_followed.window, NoEventMask);
        // Selected before the first read, so that no change can fall between the read and the
        // news of it.
        if (window != NoWindow)
            XSelectInput(m_display, window, PropertyChangeMask | StructureNotifyMask);
    }
    m_followed = FollowedTitle{};
    m_followed.window = window;
}

WindowId X11WindowLayer::findByTitle(const std::string &wanted)
{
    for (const Window window : m_tree.clients())
        if (title(window) == wanted)
            return window;
    return NoWindow;
}

WindowId X11WindowLayer::findByPid(pid_t pid, std::chrono::milliseconds timeout)
{
    if (pid <= 0)
        return NoWindow;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (const WindowId found = scanForPid(pid); found != NoWindow)
            return found;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline || processGone(pid))
            return NoWindow;
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(kPollInterval, deadline - now));
    }
}

WindowId X11WindowLayer::scanForPid(pid_t pid)
{
    processEvents();
    for (const Window window : m_tree.clients()) {
        const auto owner = X11Property::read(m_display, window, m_atoms.netWmPid, 4);
        if (!owner || owner->type() != XA_CARDINAL || owner->firstValue() != static_cast<unsigned long>(pid))
            continue;
        // Toolkits keep unmapped helper windows with the same pid; the program's window is one
        // the user can see or has minimized.
        if (isShown(window) || isMinimized(window))
            return window;
    }
    return NoWindow;
}

bool X11WindowLayer::isShown(Window window)
{
    X11ErrorTrap trap(m_display);
    XWindowAttributes attributes{};
    return XGetWindowAttributes(m_display, window, &attributes) && !trap.failed() &&
           attributes.map_state == IsViewable;
}

bool X11WindowLayer::exists(WindowId window)
{
    if (window == NoWindow)
        return false;
    X11ErrorTrap trap(m_display);
    XWindowAttributes attributes{};
    return XGetWindowAttributes(m_display, window, &attributes) && !trap.failed();
}

bool X11WindowLayer::activate(WindowId window)
{
    if (!exists(window))
        return false;
    if (windowManagerSupports(m_atoms.netActiveWindow))
        return sendToRoot(window, m_atoms.netActiveWindow, {kSourceUser, CurrentTime, 0});
    // Without a window manager the window takes the focus itself.
    X11ErrorTrap trap(m_display);
    XMapRaised(m_display, window);
    XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
    return trap.sync();
}

bool X11WindowLayer::isMinimized(WindowId window)
{
    const auto state = X11Property::read(m_display, window, m_atoms.wmState, 8);
    if (state && state->present() && state->firstValue() == static_cast<unsigned long>(IconicState))
        return true;
    const auto netState = X11Property::read(m_display, window, m_atoms.netWmState);
    if (!netState || netState->type() != XA_ATOM)
        return false;
    const auto atoms = netState->values();
    return std::find(atoms.begin(), atoms.end(), m_atoms.netWmStateHidden) != atoms.end();
}

bool X11WindowLayer::showNormal(WindowId window)
{
    if (!exists(window))
        return false;
    // Mapping an iconic window is the ICCCM request to return it to the normal state; but a
    // manager may keep minimized windows mapped, or not have unmapped it yet, and then a map
    // request never reaches it. Activation deiconifies in EWMH, as restoring does on the desktop.
    {
        X11ErrorTrap trap(m_display);
        XMapRaised(m_display, window);
        if (!trap.sync())
            return false;
    }
    if (windowManagerSupports(m_atoms.netActiveWindow))
        return sendToRoot(window, m_atoms.netActiveWindow, {kSourceUser, CurrentTime, 0});
    return true;
}

bool X11WindowLayer::iconify(WindowId window)
{
    // Only a window manager can minimize; without one there is no minimized state to enter.
    if (!exists(window) || !hasWindowManager())
        return false;
    X11ErrorTrap trap(m_display);
    XIconifyWindow(m_display, window, DefaultScreen(m_display));
    return trap.sync();
}

bool X11WindowLayer::close(WindowId window)
{
    if (!exists(window))
        return false;
    if (windowManagerSupports(m_atoms.netCloseWindow))
        return sendToRoot(window, m_atoms.netCloseWindow, {CurrentTime, kSourceUser});
    const auto protocols = X11Property::read(m_display, window, m_atoms.wmProtocols);
    if (!protocols || protocols->type() != XA_ATOM)
        return false;
    const auto atoms = protocols->values();
    if (std::find(atoms.begin(), atoms.end(), m_atoms.wmDeleteWindow) == atoms.end())
        return false;
    return sendMessage(window, NoEventMask, window, m_atoms.wmProtocols,
                       {static_cast<long>(m_atoms.wmDeleteWindow), CurrentTime});
}

bool X11WindowLayer::hasWindowManager()
{
    // The check window must exist and point at itself, so a crashed manager's stale property
    // on the root does not count.
    const auto check = X11Property::read(m_display, m_root, m_atoms.netSupportingWmCheck, 4);
    if (!check || check->type() != XA_WINDOW || !check->firstValue())
        return false;
    const Window child = *check->firstValue();
    const auto self = X11Property::read(m_display, child, m_atoms.netSupportingWmCheck, 4);
    return self && self->type() == XA_WINDOW && self->firstValue() == child;
}

bool X11WindowLayer::windowManagerSupports(Atom feature)
{
    if (!hasWindowManager())
        return false;
    const auto supported = X11Property::read(m_display, m_root, m_atoms.netSupported, 64 * 1024);
    if (!supported || supported->type() != XA_ATOM)
        return false;
    const auto atoms = supported->values();
    return std::find(atoms.begin(), atoms.end(), feature) != atoms.end();
}

bool X11WindowLayer::sendMessage(Window destination, long eventMask, Window window, Atom type,
                                 const std::vector<long> &data)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    std::copy_n(data.begin(), std::min<std::size_t>(data.size(), 5), event.xclient.data.l);
    X11ErrorTrap trap(m_display);
    XSendEvent(m_display, destination, False, eventMask, &event);
    return trap.sync();
}

bool X11WindowLayer::sendToRoot(Window window, Atom type, const std::vector<long> &data)
{
    // Requests to the window manager go to the root, where the manager listens for them.
    return sendMessage(m_root, SubstructureRedirectMask | SubstructureNotifyMask, window, type, data);
}

} // namespace orvane
