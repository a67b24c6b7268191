// The C interface over a real X display: the MacroWin window and the user's registry segment.
#include "core/engine_instance.h"
#include "core/hot_key_registry.h"
#include "core/shared_segment.h"
#include "kyloom32.h"
#include "tests/macroengine/support/engine_fixture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <poll.h>

namespace orvane {
namespace {

using test::ReportCapture;

// Whether `window` is a top-level window of the display; other tests' processes may have
// MacroWin windows of their own on the same display, so windows are looked at by id.
bool isTopLevel(Display *display, Window window)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    bool found = false;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return false;
    for (unsigned int i = 0; i < count; ++i)
        found |= children[i] == window;
    if (children)
        XFree(children);
    return found;
}

std::string title(Display *display, Window window)
{
    char *name = nullptr;
    std::string text;
    if (XFetchName(display, window, &name) && name) {
        text = name;
        XFree(name);
    }
    return text;
}

uint32_t ownWindow()
{
    std::lock_guard lock(engineMutex());
    return theEngine().windowId();
}

uint32_t ownOwnerId()
{
    std::lock_guard lock(engineMutex());
    return theEngine().ownerId();
}

TEST(InstallHookX11, MessageWindowOwnsTheScrapHotKey)
{
    ReportCapture reports;
    ASSERT_TRUE(InstallHook(0x1234, 1, 1, RMIgnore, MBWindow, 0));
    Display *display = XOpenDisplay(nullptr);
    ASSERT_TRUE(display);
    const Window window = ownWindow();
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(isTopLevel(display, window));
    EXPECT_EQ(title(display, window), "MacroWin");
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(display, window, &attributes));
    EXPECT_EQ(attributes.map_state, IsUnmapped);

    SharedSegment::Error error;
    auto segment = SharedSegment::open(SharedSegment::registryName(), 3072, error);
    ASSERT_TRUE(segment);
    HotKeyRegistry registry(*segment);
    // Entries are kept under the process id: window ids repeat on other displays.
    const uint32_t owner = ownOwnerId();
    EXPECT_EQ(owner, static_cast<uint32_t>(getpid()));
    bool ownsScrapKey = false;
    for (size_t i = 0; i < HotKeyRegistry::kEntries; ++i) {
        const HotKeyEntry e = registry.entry(i);
        ownsScrapKey |= e.key == 0x077B && e.owner == owner && e.macro == GetScrapMacro();
    }
    EXPECT_TRUE(ownsScrapKey);
    EXPECT_EQ(GetMaxMacroNum(), 8);

    // An install reaches the host through the notify descriptor.
    ASSERT_EQ(InstallMacro(0x0641, GetScrapMacro(), "x11 test", nullptr), 0);
    pollfd pfd{GetNotifyDescriptor(), POLLIN, 0};
    ASSERT_EQ(poll(&pfd, 1, 1000), 1);
    KyNotification n{};
    ASSERT_TRUE(TakeNotification(&n));
    EXPECT_EQ(n.message, 1540u);
    EXPECT_EQ(n.window, 0x1234u);
    EXPECT_EQ(n.lParam, GetMacroByKey(0x0641));
    EXPECT_FALSE(TakeNotification(&n));
    EXPECT_EQ(poll(&pfd, 1, 0), 0) << "the descriptor is quiet once drained";

    UninstallHook();
    EXPECT_TRUE(reports.take().empty());
    EXPECT_FALSE(isTopLevel(display, window));
    for (size_t i = 0; i < HotKeyRegistry::kEntries; ++i)
        EXPECT_NE(registry.entry(i).owner, owner);
    EXPECT_EQ(GetScrapMacro(), 0u);
    XCloseDisplay(display);
}

TEST(InstallHookX11, NoDisplayIsReportedAndTheProcessGoesOn)
{
    ReportCapture reports;
    const std::string saved = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    setenv("DISPLAY", ":9999", 1);
    EXPECT_FALSE(InstallHook(0, 1, 1, RMIgnore, MBWindow, 0));
    setenv("DISPLAY", saved.c_str(), 1);
    EXPECT_EQ(reports.take(), std::vector<std::string>{"Error creating macro message processing window"});
    EXPECT_EQ(GetScrapMacro(), 0u);
    EXPECT_TRUE(InstallHook(0, 1, 1, RMIgnore, MBWindow, 0));
    UninstallHook();
}

} // namespace
} // namespace orvane
