// A process that ends with the engine still installed, as Xlib's default error handler ends it
// after an X error, exits with its own status instead of aborting in the engine's teardown.
#include "tests/support/display_required.h"
#include <gtest/gtest.h>

#include "kyloom32.h"

#include <X11/Xlib.h>

#include <cstdlib>

namespace {

// Focusing a window that is not mapped fails with BadMatch; the default handler prints the
// error and calls exit(1) while the engine's objects are still alive.
void failAnXRequestWithTheEngineInstalled()
{
    if (!InstallHook(1, 0, 1, RMIgnore, MBScreen, 0))
        std::_Exit(3);
    Display *display = XOpenDisplay(nullptr);
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    XSync(display, False);
    std::_Exit(4); // not reached
}

void exitWithTheEngineInstalled()
{
    if (!InstallHook(1, 0, 1, RMIgnore, MBScreen, 0))
        std::_Exit(3);
    SendKeys("", 0); // the typing's connection has come and gone too
    std::exit(7);
}

} // namespace

TEST(ExitWithEngineX11, AnXErrorEndsTheProcessWithStatusOne)
{
    ORVANE_SKIP_WITHOUT_DISPLAY("needs an X display");
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(failAnXRequestWithTheEngineInstalled(), testing::ExitedWithCode(1), "BadMatch");
}

TEST(ExitWithEngineX11, ExitWithoutUninstallingKeepsTheStatus)
{
    ORVANE_SKIP_WITHOUT_DISPLAY("needs an X display");
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(exitWithTheEngineInstalled(), testing::ExitedWithCode(7), "");
}
