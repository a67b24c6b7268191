// The started program's window, found by its process id, and closed as its close button would.
#include "x11_fixture.h"

#include <chrono>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char **environ;

namespace orvane::testing_x11 {
namespace {

using namespace std::chrono_literals;

// A child process that is always ended and reaped, whatever the test's outcome.
class Child {
public:
    explicit Child(std::vector<std::string> args)
    {
        std::vector<char *> argv;
        for (auto &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
    }
    ~Child()
    {
        if (m_pid > 0 && !m_reaped) {
            ::kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }
    pid_t pid() const { return m_pid; }
    // The exit status once the process has ended within `limit`; nullopt otherwise.
    std::optional<int> waitForExit(std::chrono::milliseconds limit)
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_reaped = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(10ms);
        }
        return std::nullopt;
    }

private:
    pid_t m_pid = -1;
    bool m_reaped = false;
};

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
