// X errors are per process: a trap must catch its own display's errors and leave every other
// connection's errors, and any handler installed meanwhile, to their owners.
#include "tests/support/display_required.h"
#include <gtest/gtest.h>

#include "app/platform/x11/x11_error_trap.h"

#include <X11/Xlib.h>

#include <cstdlib>

namespace orvane {
namespace {

int g_foreignErrors = 0;
int countForeign(Display *, XErrorEvent *)
{
    ++g_foreignErrors;
    return 0;
}
int g_laterErrors = 0;
int countLater(Display *, XErrorEvent *)
{
    ++g_laterErrors;
    return 0;
}

// A request on a window that has just been destroyed; it fails with BadWindow.
void touchMissingWindow(Display *display)
{
    const Window gone = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XDestroyWindow(display, gone);
    XMapWindow(display, gone);
}

class ErrorTrapTest : public testing::Test {
protected:
    void SetUp() override
    {
        ORVANE_SKIP_WITHOUT_DISPLAY("no X display");
        ours = XOpenDisplay(nullptr);
        theirs = XOpenDisplay(nullptr);
        ASSERT_TRUE(ours && theirs);
        g_foreignErrors = g_laterErrors = 0;
        XSetErrorHandler(&countForeign);
    }
    void TearDown() override
    {
        for (Display *d : {ours, theirs})
            if (d)
                XCloseDisplay(d);
    }

    Display *ours = nullptr;
    Display *theirs = nullptr;
};

TEST_F(ErrorTrapTest, CatchesItsDisplaysErrorsAndPassesOthersOn)
{
    {
        X11ErrorTrap trap(ours);
        touchMissingWindow(ours);
        EXPECT_FALSE(trap.sync());
        touchMissingWindow(theirs);
        XSync(theirs, False);
        EXPECT_EQ(g_foreignErrors, 1);
    }
    // The handler from before is back.
    touchMissingWindow(ours);
    XSync(ours, False);
    EXPECT_EQ(g_foreignErrors, 2);
}

TEST_F(ErrorTrapTest, ErrorStillOnItsWayWhenTheTrapEndsIsCaught)
{
    {
        X11ErrorTrap trap(ours);
        touchMissingWindow(ours);
    }
    XSync(ours, False);
    EXPECT_EQ(g_foreignErrors, 0);
}

TEST_F(ErrorTrapTest, NestedTrapsEachSeeTheirOwnFailures)
{
    X11ErrorTrap outer(ours);
    {
        X11ErrorTrap inner(ours);
        touchMissingWindow(ours);
        EXPECT_FALSE(inner.sync());
    }
    EXPECT_TRUE(outer.sync());
}

TEST_F(ErrorTrapTest, HandlerInstalledWhileTrappedIsKeptAfterwards)
{
    {
        X11ErrorTrap trap(ours);
        XSetErrorHandler(&countLater);
    }
    touchMissingWindow(theirs);
    XSync(theirs, False);
    EXPECT_EQ(g_laterErrors, 1);
}

} // namespace
} // namespace orvane
