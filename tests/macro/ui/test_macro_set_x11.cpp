// TMacroSet and the announce hot key over a real X server, with Qt's event loop.
#include "app/macro/ui/announce_hot_key.h"
#include "app/macro/ui/macro_set_notifier.h"
#include "kyloom32.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <thread>

namespace orvane {
namespace {

class MacroSetX11 : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Xvfb refuses connections for a moment while it resets after the last client left.
        for (int attempt = 0; attempt < 50 && !m_display; ++attempt) {
            m_display = XOpenDisplay(nullptr);
            if (!m_display)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ASSERT_TRUE(m_display);
    }
    void TearDown() override { XCloseDisplay(m_display); }

    void tap(KeySym key, KeySym modifier)
    {
        const KeyCode m = XKeysymToKeycode(m_display, modifier);
        const KeyCode k = XKeysymToKeycode(m_display, key);
        XTestFakeKeyEvent(m_display, m, True, 0);
        XTestFakeKeyEvent(m_display, k, True, 0);
        XTestFakeKeyEvent(m_display, k, False, 0);
        XTestFakeKeyEvent(m_display, m, False, 0);
        XSync(m_display, False);
    }

    Display *m_display = nullptr;
};

TEST_F(MacroSetX11, HandleInstallsOnceAndEventsArriveThroughTheEventLoop)
{
    TMacroSet set;
    TMacroSetNotifier notifier;
    KyMacro assigned = 0;
    set.OnAssigned = [&](TMacroSet &, KyMacro macro) { assigned = macro; };
    EXPECT_EQ(set.Handle(), 1);
    EXPECT_EQ(set.Handle(), 1);
    EXPECT_NE(set.ScrapMacro(), 0u);
    notifier.Watch(set);
    set.InstallMacro(0x0641, set.ScrapMacro(), "Ctrl+Shift+A", nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return assigned != 0; }, 2000));
    EXPECT_EQ(assigned, GetMacroByKey(0x0641));
    set.Uninstall();
    EXPECT_EQ(set.ScrapMacro(), 0u);
}

TEST_F(MacroSetX11, AnnounceHotKeyCallsBackOnTheProgramsThread)
{
    AnnounceHotKey hotKey;
    int presses = 0;
    std::thread::id thread;
    ASSERT_TRUE(hotKey.bind(0x0120, [&] {
        ++presses;
        thread = std::this_thread::get_id();
    }));
    EXPECT_EQ(hotKey.takeMessage(), "");
    EXPECT_NE(GetMacroByName("Announce Time"), 0u);
    tap(XK_space, XK_Control_L);
    EXPECT_TRUE(QTest::qWaitFor([&] { return presses == 1; }, 3000));
    EXPECT_EQ(thread, std::this_thread::get_id());

    // Binding anew moves the key; the old one goes back to the applications.
    ASSERT_TRUE(hotKey.bind(0x0174, [&] { presses += 10; }));
    EXPECT_FALSE(IsHotKeyWatched(0x0120));
    tap(XK_F5, XK_Control_L);
    EXPECT_TRUE(QTest::qWaitFor([&] { return presses == 11; }, 3000));
    hotKey.unbind();
    EXPECT_EQ(GetScrapMacro(), 0u);
}

TEST_F(MacroSetX11, AKeyAnotherProgramHoldsFailsAndIsToldOnce)
{
    const KeyCode f12 = XKeysymToKeycode(m_display, XK_F12);
    XGrabKey(m_display, f12, ControlMask, DefaultRootWindow(m_display), False, GrabModeAsync, GrabModeAsync);
    XSync(m_display, False);
    AnnounceHotKey hotKey;
    EXPECT_FALSE(hotKey.bind(0x017B, [] {}));
    EXPECT_EQ(hotKey.takeMessage(), "Ctrl+F12 is already taken by another program. Choose another key in the "
                                    "options, or free it in that program.");
    EXPECT_EQ(GetScrapMacro(), 0u) << "the engine is taken down again";
    EXPECT_FALSE(hotKey.bind(0x017B, [] {}));
    EXPECT_EQ(hotKey.takeMessage(), "") << "said once only";
    // Another key still binds.
    EXPECT_TRUE(hotKey.bind(0x017A, [] {}));
    hotKey.unbind();
    XUngrabKey(m_display, f12, ControlMask, DefaultRootWindow(m_display));
}

TEST_F(MacroSetX11, NoDisplayFailsWithTheLibrarysMessage)
{
    const QByteArray saved = qgetenv("DISPLAY");
    qputenv("DISPLAY", ":9997");
    AnnounceHotKey hotKey;
    EXPECT_FALSE(hotKey.bind(0x0120, [] {}));
    qputenv("DISPLAY", saved);
    EXPECT_EQ(hotKey.takeMessage(), "Error creating macro message processing window");
}

} // namespace
} // namespace orvane
