// Playback through XTest: timing, cancelling, lock keys, the recorded window and hot keys
// pressed meanwhile.
#include "tests/macroengine/support/input_x11_fixture.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <atomic>
#include <thread>

namespace orvane::test {
namespace {

constexpr uint32_t kDown = 0x100, kUp = 0x101;
constexpr uint32_t kA = 0x41, kB = 0x42, kShift = 0x10;

std::atomic<int> g_hookRuns{0};
void hook() { ++g_hookRuns; }

bool stateIs(uint8_t state, int ms = 5000)
{
    return pumpUntil([state] { return GetMacroState() == state; }, std::chrono::milliseconds(ms));
}

// Server times of the key presses that reach a window.
std::vector<Time> pressTimes(TargetWindow &window)
{
    std::vector<Time> times;
    XSync(window.display(), False);
    while (XPending(window.display())) {
        XEvent event;
        XNextEvent(window.display(), &event);
        if (event.type == KeyPress)
            times.push_back(event.xkey.time);
    }
    return times;
}

bool capsLockOn(Display *display)
{
    XkbStateRec state{};
    XkbGetState(display, XkbUseCoreKbd, &state);
    return state.locked_mods & LockMask;
}

TEST(PlaybackX11, TimedPlaybackKeepsTheRecordedGapAndFastPlaybackDropsIt)
{
    const std::vector<FileEvent> events{
        {kDown, kA, 1, 1000, 0}, {kUp, kA, 1, 1010, 0}, {kDown, kB, 1, 1510, 0}, {kUp, kB, 1, 1520, 0}};
    for (KyBool fast : {KyBool{0}, KyBool{1}}) {
        EngineSession session(fast);
        ASSERT_TRUE(session.ok());
        TargetWindow target;
        PlaybackMacro(loadMacro(writeMacroFile(events)));
        EXPECT_EQ(GetMacroState(), 2);
        ASSERT_TRUE(stateIs(0));
        const std::vector<Time> times = pressTimes(target);
        ASSERT_EQ(times.size(), 2u);
        const long gap = static_cast<long>(times[1] - times[0]);
        if (fast) {
            EXPECT_LT(gap, 100);
        } else {
            EXPECT_GE(gap, 495);
            EXPECT_LT(gap, 600);
        }
    }
}

TEST(PlaybackX11, CancellingPartWayLeavesNoKeyOrButtonDown)
{
    EngineSession session(0, RMIgnore, MBScreen, 1);
    ASSERT_TRUE(session.ok());
    TargetWindow target;
    FakeUser user;
    const std::vector<FileEvent> events{{kDown, kShift, 1, 0, 0},   {kDown, kA, 1, 10, 0},
                                        {0x201, 150, 120, 20, 0},   {kUp, kA, 1, 5010, 0},
                                        {0x202, 150, 120, 5015, 0}, {kUp, kShift, 1, 5020, 0}};
    PlaybackMacro(loadMacro(writeMacroFile(events)));
    pumpFor(std::chrono::milliseconds(200));
    ASSERT_EQ(GetMacroState(), 2);
    EXPECT_TRUE(user.keyDown(XK_a));
    EXPECT_TRUE(user.anyButtonDown());
    user.tap(XK_Pause, {XK_Control_L}); // Ctrl+Break, with the playback's Shift still down
    ASSERT_TRUE(stateIs(0, 1000));
    EXPECT_FALSE(user.keyDown(XK_a));
    EXPECT_FALSE(user.keyDown(XK_Shift_L));
    EXPECT_FALSE(user.anyButtonDown());
}

TEST(PlaybackX11, HotKeyPressedDuringPlaybackGoesToTheApplication)
{
    EngineSession session(0);
    ASSERT_TRUE(session.ok());
    TargetWindow target;
    FakeUser user;
    g_hookRuns = 0;
    const KyMacro macro = loadMacro(writeMacroFile(
        {{kDown, kA, 1, 0, 0}, {kUp, kA, 1, 10, 0}, {kDown, kB, 1, 600, 0}, {kUp, kB, 1, 610, 0}}, 0x0079));
    ASSERT_EQ(InstallMacro(0x0075, GetScrapMacro(), "F6", &hook), 0);
    PlaybackMacro(macro);
    pumpFor(std::chrono::milliseconds(150));
    user.tap(XK_F6);
    ASSERT_TRUE(stateIs(0));
    EXPECT_EQ(g_hookRuns, 0);
    EXPECT_EQ(target.pressedKeys(), (std::vector<KeySym>{XK_a, XK_F6, XK_b}));
    user.tap(XK_F6);
    EXPECT_TRUE(pumpUntil([] { return g_hookRuns == 1; }));
}

TEST(PlaybackX11, AMacroTypesIntoTheApplicationWhileItsHotKeyIsStillHeld)
{
    EngineSession session(1);
    ASSERT_TRUE(session.ok());
    TargetWindow target;
    FakeUser user;
    loadMacro(writeMacroFile({{kDown, kA, 1, 0, 0}, {kUp, kA, 1, 5, 0}}, 0x0079)); // F10
    user.press(XK_F10);
    pumpFor(std::chrono::milliseconds(200));
    EXPECT_EQ(target.pressedKeys(), std::vector<KeySym>{XK_a});
    user.release(XK_F10);
    EXPECT_TRUE(stateIs(0));
}

TEST(PlaybackX11, ATaskSwitchMarkerBringsTheNextApplicationForward)
{
    EngineSession session(1);
    ASSERT_TRUE(session.ok());
    TargetWindow lower(50, 50);
    TargetWindow upper(120, 120); // mapped later, so stacked above
    upper.focus();
    PlaybackMacro(loadMacro(writeMacroFile({{0x5FF, 0, 0, 0, 0}, {kDown, kA, 1, 1, 0}, {kUp, kA, 1, 2, 0}})));
    ASSERT_TRUE(stateIs(0));
    EXPECT_EQ(lower.pressedKeys(), std::vector<KeySym>{XK_a});
    EXPECT_TRUE(upper.pressedKeys().empty());
}

TEST(PlaybackX11, RecordedLockStatesHoldDuringPlaybackOnly)
{
    EngineSession session(0);
    ASSERT_TRUE(session.ok());
    TargetWindow target;
    ASSERT_FALSE(capsLockOn(target.display()));
    PlaybackMacro(
        loadMacro(writeMacroFile({{kDown, kA, 1, 0, 0}, {kUp, kA, 1, 400, 0}}, 0x0075, MBScreen, 0x08)));
    pumpFor(std::chrono::milliseconds(150));
    EXPECT_TRUE(capsLockOn(target.display()));
    ASSERT_TRUE(stateIs(0));
    EXPECT_FALSE(capsLockOn(target.display()));
}

TEST(PlaybackX11, TheRecordedWindowIsBroughtForwardWithABeep)
{
    EngineSession session(1);
    ASSERT_TRUE(session.ok());
    TargetWindow recorded(50, 50);
    TargetWindow other(400, 300);
    other.focus();
    FakeUser user;
    int xkbEvent = 0, xkbError = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    ASSERT_TRUE(XkbQueryExtension(user.display(), nullptr, &xkbEvent, &xkbError, &major, &minor));
    XkbSelectEvents(user.display(), XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
    XSync(user.display(), False);

    const auto window = static_cast<uint32_t>(recorded.id());
    PlaybackMacro(loadMacro(
        writeMacroFile({{kDown, kA, 1, 0, window}, {kUp, kA, 1, 5, window}, {kDown, kB, 1, 9, 0x7FFFFF}})));
    ASSERT_TRUE(stateIs(0));
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(user.display(), &focus, &revert);
    EXPECT_EQ(focus, recorded.id());
    EXPECT_EQ(recorded.pressedKeys(), (std::vector<KeySym>{XK_a, XK_b}))
        << "a window that no longer exists takes nothing away";
    EXPECT_TRUE(other.pressedKeys().empty());
    int bells = 0;
    XSync(user.display(), False);
    while (XPending(user.display())) {
        XEvent event;
        XNextEvent(user.display(), &event);
        bells += event.type == xkbEvent;
    }
    EXPECT_EQ(bells, 1);
}

} // namespace
} // namespace orvane::test
