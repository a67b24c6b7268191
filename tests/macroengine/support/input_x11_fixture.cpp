#include "tests/macroengine/support/input_x11_fixture.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <poll.h>

#include <fstream>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <unistd.h>

namespace orvane::test {

namespace {

std::vector<std::string> &reported()
{
    static std::vector<std::string> all;
    return all;
}

std::mutex &reportedMutex()
{
    static std::mutex mutex;
    return mutex;
}

void record(const char *caption, const char *text)
{
    std::lock_guard lock(reportedMutex());
    reported().push_back(std::string(caption) + (caption[0] ? "|" : "") + text);
}

// Xvfb resets itself whenever its last client leaves, and refuses connections meanwhile; one
// connection held for the whole run keeps the server as the tests left it.
Display *connect()
{
    Display *display = nullptr;
    for (int attempt = 0; attempt < 50 && !display; ++attempt) {
        display = XOpenDisplay(nullptr);
        if (!display)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return display;
}

Display *openDisplay()
{
    static Display *keepAlive = connect();
    Display *display = keepAlive ? connect() : nullptr;
    if (!display)
        throw std::runtime_error("no X display");
    return display;
}

} // namespace

TargetWindow::TargetWindow(int x, int y) : m_display(openDisplay())
{
    m_window = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), x, y, 300, 200, 0, 0, 0xFFFFFF);
    XStoreName(m_display, m_window, "input test target");
    XSelectInput(m_display, m_window, KeyPressMask | ButtonPressMask | ExposureMask);
    XMapRaised(m_display, m_window);
    XSync(m_display, False);
    // Without a window manager the window is viewable as soon as the server has mapped it.
    XWindowAttributes attributes;
    for (int i = 0; i < 100; ++i) {
        XGetWindowAttributes(m_display, m_window, &attributes);
        if (attributes.map_state == IsViewable)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    focus();
}

TargetWindow::~TargetWindow()
{
    XDestroyWindow(m_display, m_window);
    XCloseDisplay(m_display);
}

void TargetWindow::focus()
{
    XSetInputFocus(m_display, m_window, RevertToPointerRoot, CurrentTime);
    XSync(m_display, False);
}

void TargetWindow::drain()
{
    XSync(m_display, False);
    while (XPending(m_display)) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type == KeyPress)
            m_keys.push_back(XLookupKeysym(&event.xkey, 0));
        else if (event.type == ButtonPress)
            m_clicks.push_back({event.xbutton.button, event.xbutton.x, event.xbutton.y});
    }
}

std::vector<KeySym> TargetWindow::pressedKeys()
{
    drain();
    return m_keys;
}

std::vector<TargetWindow::Click> TargetWindow::clicks()
{
    drain();
    return m_clicks;
}

FakeUser::FakeUser() : m_display(openDisplay()) {}

FakeUser::~FakeUser() { XCloseDisplay(m_display); }

void FakeUser::press(KeySym keysym)
{
    XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, keysym), True, 0);
    XSync(m_display, False);
}

void FakeUser::release(KeySym keysym)
{
    XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, keysym), False, 0);
    XSync(m_display, False);
}

void FakeUser::tap(KeySym keysym, std::vector<KeySym> modifiers)
{
    for (KeySym m : modifiers)
        press(m);
    press(keysym);
    release(keysym);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it)
        release(*it);
}

void FakeUser::moveTo(int x, int y)
{
    XTestFakeMotionEvent(m_display, -1, x, y, 0);
    XSync(m_display, False);
}

void FakeUser::click(unsigned int button)
{
    XTestFakeButtonEvent(m_display, button, True, 0);
    XTestFakeButtonEvent(m_display, button, False, 0);
    XSync(m_display, False);
}

bool FakeUser::keyDown(KeySym keysym)
{
    char keys[32] = {};
    XQueryKeymap(m_display, keys);
    const KeyCode code = XKeysymToKeycode(m_display, keysym);
    return keys[code / 8] & (1 << (code % 8));
}

bool FakeUser::anyButtonDown()
{
    Window root, child;
    int x, y, wx, wy;
    unsigned int mask = 0;
    XQueryPointer(m_display, DefaultRootWindow(m_display), &root, &child, &x, &y, &wx, &wy, &mask);
    return mask & (Button1Mask | Button2Mask | Button3Mask);
}

namespace {

void put(std::string &out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>(value >> (8 * i)));
}

} // namespace

std::string writeMacroFile(const std::vector<FileEvent> &events, KyKey key, uint8_t origin, uint8_t flags)
{
    std::string bytes = "\x08KYLOOM32";
    put(bytes, 0x0200, 2);
    put(bytes, flags, 1);
    put(bytes, 0, 1);
    put(bytes, key, 2);
    put(bytes, static_cast<uint32_t>(static_cast<int32_t>(events.size()) - 1), 4);
    put(bytes, origin, 1);
    put(bytes, 0, 3);
    put(bytes, 0, 4);
    put(bytes, 0, 1);
    for (const FileEvent &e : events) {
        for (uint32_t v : {e.message, e.paramL, e.paramH, e.time, e.window})
            put(bytes, v, 4);
    }
    static int counter = 0;
    const std::string path =
        "/tmp/kyloom-input-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".mac";
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

KyMacro loadMacro(const std::string &path)
{
    EXPECT_EQ(ReadMacros(path.c_str(), 0), 0);
    unlink(path.c_str());
    return GetMacroByIndex(0);
}

bool pumpUntil(const std::function<bool()> &done, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd fd{GetNotifyDescriptor(), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(std::min<long>(left.count(), 20)));
        KyNotification n;
        while (TakeNotification(&n)) {}
    }
    return true;
}

std::vector<KyNotification> pumpFor(std::chrono::milliseconds duration)
{
    std::vector<KyNotification> seen;
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
        pollfd fd{GetNotifyDescriptor(), POLLIN, 0};
        poll(&fd, 1, 10);
        KyNotification n;
        while (TakeNotification(&n))
            seen.push_back(n);
    }
    return seen;
}

Reports::Reports()
{
    take();
    SetReportFunction(&record);
}

Reports::~Reports() { SetReportFunction(nullptr); }

std::vector<std::string> Reports::take()
{
    std::lock_guard lock(reportedMutex());
    std::vector<std::string> out;
    out.swap(reported());
    return out;
}

EngineSession::EngineSession(KyBool fast, uint8_t mouse, uint8_t origin, KyBool cancelChecking,
                             KyWindow notify)
{
    // A server still resetting after the previous test process left would refuse the engine.
    XCloseDisplay(openDisplay());
    m_ok = InstallHook(notify, fast, 1, mouse, origin, cancelChecking);
}

EngineSession::~EngineSession()
{
    if (GetMacroState() == 1 || GetMacroState() == 3)
        RecordingOff();
    pumpUntil([] { return GetMacroState() == 0; }, std::chrono::milliseconds(10000));
    UninstallHook();
}

} // namespace orvane::test
