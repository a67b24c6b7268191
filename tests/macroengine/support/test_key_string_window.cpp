#include "tests/macroengine/support/test_key_string_window.h"

#include "keys/vk_keysym_unicode.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <poll.h>

#include <cstring>

namespace orvane::test {

namespace {

void waitForMap(Display *display, Window window)
{
    XEvent event;
    do
        XWindowEvent(display, window, StructureNotifyMask, &event);
    while (event.type != MapNotify);
}

} // namespace

KeyStringWindow::KeyStringWindow(const std::string &title, bool takeFocus)
{
    m_display = XOpenDisplay(nullptr);
    if (!m_display)
        return;
    m_window = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 10, 10, 200, 100, 0, 0, 0xFFFFFF);
    XStoreName(m_display, m_window, title.c_str());
    XChangeProperty(m_display, m_window, XInternAtom(m_display, "_NET_WM_NAME", False),
                    XInternAtom(m_display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(title.data()), static_cast<int>(title.size()));
    XSelectInput(m_display, m_window, KeyPressMask | KeyReleaseMask | StructureNotifyMask | FocusChangeMask);
    XMapWindow(m_display, m_window);
    waitForMap(m_display, m_window);
    if (takeFocus)
        XSetInputFocus(m_display, m_window, RevertToParent, CurrentTime);
    XSync(m_display, False);
    m_reader = std::thread([this] { readEvents(); });
}

KeyStringWindow::~KeyStringWindow()
{
    m_stop = true;
    if (m_reader.joinable())
        m_reader.join();
    if (m_display) {
        XDestroyWindow(m_display, m_window);
        XCloseDisplay(m_display);
    }
}

void KeyStringWindow::readEvents()
{
    pollfd descriptor{ConnectionNumber(m_display), POLLIN, 0};
    while (!m_stop) {
        if (XPending(m_display) == 0) {
            poll(&descriptor, 1, 20);
            continue;
        }
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
            continue;
        }
        if (event.type != KeyPress)
            continue;
        char text[16];
        KeySym keysym = NoSymbol;
        XLookupString(&event.xkey, text, sizeof text, &keysym, nullptr);
        std::lock_guard lock(m_mutex);
        m_keys.push_back({keysym, event.xkey.state, event.xkey.send_event != 0});
        if (!IsModifierKey(keysym))
            ++m_typed;
        m_arrived.notify_all();
    }
}

std::vector<ReceivedKey> KeyStringWindow::waitForKeys(size_t count, std::chrono::milliseconds limit)
{
    std::unique_lock lock(m_mutex);
    m_arrived.wait_for(lock, limit, [&] { return m_typed >= count; });
    m_arrived.wait_for(lock, std::chrono::milliseconds(100), [&] { return m_typed > count; });
    return m_keys;
}

std::u32string KeyStringWindow::typedText(size_t count, std::chrono::milliseconds limit)
{
    std::u32string text;
    for (const ReceivedKey &key : waitForKeys(count, limit)) {
        if (IsModifierKey(key.keysym))
            continue;
        if (const char32_t c = codePointForKeysym(static_cast<uint32_t>(key.keysym))) {
            text += c;
        } else {
            const char *name = XKeysymToString(key.keysym);
            text += U'\u27E8';
            for (const char *p = name ? name : "?"; *p; ++p)
                text += static_cast<char32_t>(*p);
            text += U'\u27E9';
        }
    }
    return text;
}

void KeyStringWindow::clear()
{
    std::lock_guard lock(m_mutex);
    m_keys.clear();
    m_typed = 0;
}

bool focusIs(Window window)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    XCloseDisplay(display);
    return focus == window;
}

} // namespace orvane::test
