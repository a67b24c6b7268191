// A real X program started for an alarm: its window is found through its _NET_WM_PID, and the
// stop closes it the way its close button would.
#include "app/platform/process/posix_process_launcher.h"
#include "tests/support/display_required.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <thread>

namespace orvane {
namespace {

using namespace std::chrono_literals;

bool Gone(pid_t pid)
{
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!(::kill(pid, 0) != 0 && errno == ESRCH)) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

TEST(LauncherOverX, FindsTheStartedProgramsWindowAndClosesIt)
{
    std::unique_ptr<WindowLayer> windows = openX11WindowLayer();
    ORVANE_NEEDS_DISPLAY(windows, "no X display");
    PosixProcessLauncher launcher(windows.get());
    const auto started = std::chrono::steady_clock::now();
    // The client waits a moment before it shows its window, as a real program does.
    const std::optional<LaunchedProgram> program =
        launcher.launch({ORVANE_PID_WINDOW_CLIENT, "Orvane alarm test", "300"}, ShowState::Normal);
    ASSERT_TRUE(program);
    ASSERT_NE(program->window, NoWindow) << "the window showed within the wait";
    EXPECT_LT(std::chrono::steady_clock::now() - started, ProcessLauncher::kWindowWait);
    EXPECT_EQ(windows->title(program->window), "Orvane alarm test");

    EXPECT_TRUE(launcher.closeWindow(program->window));
    EXPECT_FALSE(windows->exists(program->window));
    EXPECT_TRUE(Gone(program->pid)) << "the program ended and was reaped";
}

TEST(LauncherOverX, AProgramWithoutAWindowCostsAtMostTheWait)
{
    std::unique_ptr<WindowLayer> windows = openX11WindowLayer();
    ORVANE_NEEDS_DISPLAY(windows, "no X display");
    PosixProcessLauncher launcher(windows.get(), 500ms);
    const auto started = std::chrono::steady_clock::now();
    const std::optional<LaunchedProgram> program = launcher.launch({"sleep", "3"}, ShowState::Minimized);
    ASSERT_TRUE(program);
    EXPECT_EQ(program->window, NoWindow);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);

    const auto quick = std::chrono::steady_clock::now();
    const std::optional<LaunchedProgram> ended = launcher.launch({"true"}, ShowState::Normal);
    ASSERT_TRUE(ended);
    EXPECT_EQ(ended->window, NoWindow);
    EXPECT_LT(std::chrono::steady_clock::now() - quick, 450ms) << "a program that ended is not waited for";
}

} // namespace
} // namespace orvane
