// The started program's window, found by its process id, and closed as its close button would.
#include "x11_fixture.h"

#include "tests/support/child_process.h"

#include <chrono>

namespace orvane::testing_x11 {
namespace {

using namespace std::chrono_literals;

using Child = ChildProcess;

using FindByPidX11 = X11Test;

template <typename F>
std::chrono::milliseconds timed(F &&f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
}

TEST_F(FindByPidX11, FindsTheShownWindowOfAStartedProgram)
{
    Child program({ORVANE_TEST_WINDOW_PROGRAM, "Started by pid", "300"});
    ASSERT_GT(program.pid(), 0);
    const WindowId found = layer->findByPid(program.pid(), 5000ms);
    ASSERT_NE(found, NoWindow);
    EXPECT_EQ(layer->title(found), "Started by pid");
}

TEST_F(FindByPidX11, ProgramWithoutWindowTimesOutWithinTheLimit)
{
    Child quiet({"/bin/sleep", "5"});
    WindowId found = 1;
    const auto took = timed([&] { found = layer->findByPid(quiet.pid(), 300ms); });
    EXPECT_EQ(found, NoWindow);
    EXPECT_GE(took, 300ms);
    EXPECT_LT(took, 1000ms);
}

TEST_F(FindByPidX11, ProgramThatEndsStopsTheWaitEarly)
{
    Child brief({"/bin/true"});
    WindowId found = 1;
    const auto took = timed([&] { found = layer->findByPid(brief.pid(), 5000ms); });
    EXPECT_EQ(found, NoWindow);
    EXPECT_LT(took, 2000ms);
}

TEST_F(FindByPidX11, WindowWithoutPidIsNotTaken)
{
    Child program({ORVANE_TEST_WINDOW_PROGRAM, "No pid mark", "0", "--no-pid"});
    EXPECT_EQ(layer->findByPid(program.pid(), 500ms), NoWindow);
    EXPECT_EQ(layer->findByPid(0, 100ms), NoWindow);
    EXPECT_EQ(layer->findByPid(-1, 100ms), NoWindow);
}

TEST_F(FindByPidX11, CloseAsksTheProgramToEndThroughDeleteWindow)
{
    Child program({ORVANE_TEST_WINDOW_PROGRAM, "Close me"});
    const WindowId window = layer->findByPid(program.pid(), 5000ms);
    ASSERT_NE(window, NoWindow);
    ASSERT_TRUE(layer->close(window));
    EXPECT_EQ(program.waitForExit(5000ms), 0);
}

} // namespace
} // namespace orvane::testing_x11
