// Hot keys and the steering keys over a real X server: grabs, dispatch, requests between
// message windows and code hooks run on the installing thread.
#include "tests/macroengine/support/input_x11_fixture.h"

#include <X11/keysym.h>

#include <atomic>
#include <cstdlib>
#include <thread>

namespace orvane::test {
namespace {

std::atomic<int> g_hookRuns{0};
std::thread::id g_hookThread;

void countingHook()
{
    g_hookThread = std::this_thread::get_id();
    ++g_hookRuns;
}

class HotKeysX11 : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_hookRuns = 0;
        ASSERT_TRUE(session.ok());
    }

    Reports reports;
    EngineSession session;
    TargetWindow target;
    FakeUser user;
};

TEST_F(HotKeysX11, CodeHookRunsInTheOwnerWhenTheKeyIsPressedInAnotherWindow)
{
    ASSERT_EQ(InstallMacro(0x0120, GetScrapMacro(), "Announce Time", &countingHook), 0);
    EXPECT_TRUE(IsHotKeyWatched(0x0120));

    user.tap(XK_space, {XK_Control_L});
    ASSERT_TRUE(pumpUntil([] { return g_hookRuns > 0; }));
    EXPECT_EQ(g_hookRuns, 1);
    EXPECT_EQ(g_hookThread, std::this_thread::get_id()) << "hooks run on the installing thread";
    EXPECT_EQ(GetMacroState(), 0);

    // The keystroke itself never reached the application (only the bare Ctrl did); other
    // keys still do.
    user.tap(XK_b);
    pumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(target.pressedKeys(), (std::vector<KeySym>{XK_Control_L, XK_b}));
    EXPECT_TRUE(reports.take().empty());
}

TEST_F(HotKeysX11, HotKeyWorksWithEveryLockKeyOn)
{
    ASSERT_EQ(InstallMacro(0x0120, GetScrapMacro(), "x", &countingHook), 0);
    user.tap(XK_Num_Lock);
    user.tap(XK_Caps_Lock);
    user.tap(XK_space, {XK_Control_L});
    EXPECT_TRUE(pumpUntil([] { return g_hookRuns == 1; }));
    user.tap(XK_Num_Lock);
    user.tap(XK_Caps_Lock);
}

TEST_F(HotKeysX11, KeysOfDeletedMacrosGoBackToTheApplication)
{
    ASSERT_EQ(InstallMacro(0x0071, GetScrapMacro(), "F2", &countingHook), 0);
    EXPECT_TRUE(IsHotKeyWatched(0x0071));
    ASSERT_EQ(InstallMacro(0x0071, 0, nullptr, nullptr), 0);
    EXPECT_FALSE(IsHotKeyWatched(0x0071));
    user.tap(XK_F2);
    pumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(g_hookRuns, 0);
    EXPECT_EQ(target.pressedKeys(), std::vector<KeySym>{XK_F2});
}

TEST_F(HotKeysX11, PauseKeyPassesWhileIdle)
{
    user.tap(XK_Pause);
    pumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(target.pressedKeys(), std::vector<KeySym>{XK_Pause});
    EXPECT_EQ(GetMacroState(), 0);
}

TEST_F(HotKeysX11, AMouseButtonHotKeyTriggersOnRelease)
{
    ASSERT_EQ(InstallMacro(0x0102, GetScrapMacro(), "Ctrl+RButton", &countingHook), 0);
    user.moveTo(150, 150);
    user.press(XK_Control_L);
    user.click(Button3);
    user.release(XK_Control_L);
    EXPECT_TRUE(pumpUntil([] { return g_hookRuns == 1; }));
    EXPECT_TRUE(target.clicks().empty());
    // Without Ctrl the button is the application's.
    user.click(Button3);
    pumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(target.clicks().size(), 1u);
}

// A second client that already holds the key: the grab is refused, that is said once, and
// the other keys go on working.
TEST_F(HotKeysX11, KeyHeldByAnotherClientIsReportedOnce)
{
    Display *other = XOpenDisplay(nullptr);
    const Window root = DefaultRootWindow(other);
    const KeyCode f7 = XKeysymToKeycode(other, XK_F7);
    const KeyCode f8 = XKeysymToKeycode(other, XK_F8);
    XGrabKey(other, f7, 0, root, False, GrabModeAsync, GrabModeAsync);
    XGrabKey(other, f8, 0, root, False, GrabModeAsync, GrabModeAsync);
    XSync(other, False);

    ASSERT_EQ(InstallMacro(0x0076, GetScrapMacro(), "F7", &countingHook), 0);
    ASSERT_EQ(InstallMacro(0x0077, GetScrapMacro(), "F8", &countingHook), 0);
    ASSERT_EQ(InstallMacro(0x0078, GetScrapMacro(), "F9", &countingHook), 0);
    EXPECT_EQ(reports.take(), std::vector<std::string>{"Error activating keyboard hook"});
    EXPECT_FALSE(IsHotKeyWatched(0x0076));
    EXPECT_TRUE(IsHotKeyWatched(0x0078));
    user.tap(XK_F9);
    EXPECT_TRUE(pumpUntil([] { return g_hookRuns == 1; }));
    XCloseDisplay(other);
}

TEST_F(HotKeysX11, XdotoolInAnotherWindowRunsTheOwnersHook)
{
    ASSERT_EQ(InstallMacro(0x0120, GetScrapMacro(), "Announce Time", &countingHook), 0);
    ASSERT_EQ(std::system("xdotool key ctrl+space"), 0);
    EXPECT_TRUE(pumpUntil([] { return g_hookRuns == 1; }));
    for (KeySym k : target.pressedKeys())
        EXPECT_NE(k, XK_space);
}

// Finds this process's "MacroWin" window: the owner of the scrap macro's hot key.
Window macroWindow(Display *display)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
    for (unsigned int i = 0; i < count; ++i) {
        char *name = nullptr;
        if (XFetchName(display, children[i], &name) && name) {
            if (std::string(name) == "MacroWin")
                found = children[i];
            XFree(name);
        }
    }
    if (children)
        XFree(children);
    return found;
}

void sendRequest(Display *display, Window window, long message, long wParam, long lParam)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_KYLOOM32_REQUEST", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = message;
    event.xclient.data.l[1] = wParam;
    event.xclient.data.l[2] = lParam;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
}

// Requests reach the message window from any client as client messages; those of another
// process act only with their flag set, and a macro this process never gave out is ignored.
TEST_F(HotKeysX11, RequestsFromOtherClientsArriveAtTheMessageWindow)
{
    ASSERT_EQ(InstallMacro(0x0120, GetScrapMacro(), "x", &countingHook), 0);
    Display *other = XOpenDisplay(nullptr);
    const Window window = macroWindow(other);
    ASSERT_NE(window, 0u);

    sendRequest(other, window, 1528, 0, GetMacroByKey(0x0120));
    EXPECT_TRUE(pumpUntil([] { return g_hookRuns == 1; }));
    sendRequest(other, window, 1528, 0, 0x7777);
    sendRequest(other, window, 1532, 0, 0);
    pumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(GetMacroState(), 0);
    EXPECT_EQ(g_hookRuns, 1);

    sendRequest(other, window, 1532, 0, 1); // toggle from another process: start
    EXPECT_TRUE(pumpUntil([] { return GetMacroState() == 1; }));
    sendRequest(other, window, 1534, 0, 0); // cancel without its flag: nothing
    pumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(GetMacroState(), 1);
    sendRequest(other, window, 1534, 0, 1);
    EXPECT_TRUE(pumpUntil([] { return GetMacroState() == 0; }));
    EXPECT_TRUE(reports.take().empty());
    XCloseDisplay(other);
}

} // namespace
} // namespace orvane::test
