// The window layer under a real reparenting window manager: frames, the active window,
// minimizing and restoring, closing through the manager, and the title clock following the
// active window.
#include "tests/support/display_required.h"
#include <gtest/gtest.h>

#include "app/clock/title_decorator.h"
#include "app/platform/window_layer.h"
#include "tests/support/child_process.h"
#include "tests/support/test_display.h"
#include "tests/support/window_manager_session.h"

#include <functional>
#include <thread>

namespace orvane::testing_x11 {
namespace {

using namespace std::chrono_literals;

bool waitUntil(const std::function<bool()> &condition, std::chrono::milliseconds limit = 3000ms)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

class WithWindowManager : public testing::Test {
protected:
    static void SetUpTestSuite() { s_session = WindowManagerSession::start(); }
    static void TearDownTestSuite() { s_session.reset(); }

    void SetUp() override
    {
        ORVANE_NEEDS_DISPLAY(s_session, WindowManagerSession::why());
        x = std::make_unique<TestDisplay>(s_session->displayName().c_str());
        ASSERT_TRUE(x->ok());
        layer = openX11WindowLayer(s_session->displayName().c_str());
        ASSERT_NE(layer, nullptr);
    }

    // A window the manager has taken on: listed, framed, and given the focus as new windows are;
    // waiting for all three keeps the manager's own later moves out of the test.
    Window managedWindow(const std::string &title)
    {
        const Window w = x->createWindow(title);
        EXPECT_TRUE(waitUntil([&] {
            return layer->findByTitle(title) == w && parentOfWindow(w) != x->root() &&
                   layer->foregroundWindow() == w;
        })) << title
            << " was not managed";
        return w;
    }
    Window parentOfWindow(Window w)
    {
        Window root = None, parent = None, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(x->display(), w, &root, &parent, &children, &count);
        if (children)
            XFree(children);
        return parent;
    }

    static std::unique_ptr<WindowManagerSession> s_session;
    std::unique_ptr<TestDisplay> x;
    std::unique_ptr<WindowLayer> layer;
};

std::unique_ptr<WindowManagerSession> WithWindowManager::s_session;

TEST_F(WithWindowManager, FramedClientIsFoundByTitleAndIsTheForegroundWindow)
{
    // The focus sits on the frame's descendants, not on the client; the layer still names it.
    const Window w = managedWindow("Framed by the manager");
    EXPECT_EQ(layer->findByTitle("Framed by the manager"), w);
    EXPECT_EQ(layer->foregroundWindow(), w);
}

TEST_F(WithWindowManager, ActivateBringsAWindowToTheFront)
{
    const Window a = managedWindow("First");
    const Window b = managedWindow("Second");
    ASSERT_TRUE(layer->activate(a));
    EXPECT_TRUE(waitUntil([&] { return layer->foregroundWindow() == a; }));
    ASSERT_TRUE(layer->activate(b));
    EXPECT_TRUE(waitUntil([&] { return layer->foregroundWindow() == b; }));
}

TEST_F(WithWindowManager, IconifyMinimizesAndShowNormalRestores)
{
    const Window w = managedWindow("Minimize me");
    ASSERT_TRUE(layer->iconify(w));
    EXPECT_TRUE(waitUntil([&] { return layer->isMinimized(w); }));
    ASSERT_TRUE(layer->showNormal(w));
    EXPECT_TRUE(waitUntil([&] { return !layer->isMinimized(w); }));
}

TEST_F(WithWindowManager, StartedProgramIsFoundByPidAndClosedThroughTheManager)
{
    ChildProcess program({ORVANE_TEST_WINDOW_PROGRAM, "Managed program"},
                         {"DISPLAY=" + s_session->displayName()});
    const WindowId w = layer->findByPid(program.pid(), 5000ms);
    ASSERT_NE(w, NoWindow);
    EXPECT_EQ(layer->title(w), "Managed program");
    ASSERT_TRUE(layer->iconify(w));
    EXPECT_TRUE(waitUntil([&] { return layer->isMinimized(w); }));
    ASSERT_TRUE(layer->close(w));
    EXPECT_EQ(program.waitForExit(5000ms), 0);
}

TEST_F(WithWindowManager, TitleClockFollowsTheActiveWindow)
{
    TitleDecorator decorator(*layer);
    const Window a = managedWindow("Left");
    const Window b = managedWindow("Right");
    ASSERT_TRUE(layer->activate(a));
    ASSERT_TRUE(waitUntil([&] { return layer->foregroundWindow() == a; }));
    decorator.decorate(" - 7:05 PM", WindowScope::AllWindows);
    EXPECT_EQ(x->netWmName(a), "Left - 7:05 PM");
    ASSERT_TRUE(layer->activate(b));
    ASSERT_TRUE(waitUntil([&] { return layer->foregroundWindow() == b; }));
    decorator.decorate(" - 7:05 PM", WindowScope::AllWindows);
    EXPECT_EQ(x->netWmName(a), "Left");
    EXPECT_EQ(x->netWmName(b), "Right - 7:05 PM");
}

} // namespace
} // namespace orvane::testing_x11
