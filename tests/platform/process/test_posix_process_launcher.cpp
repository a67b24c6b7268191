// Real processes: a small script started through posix_spawnp, without any shell in between.
#include "app/platform/fake/fake_window_layer.h"
#include "app/platform/process/posix_process_launcher.h"
#include "tests/support/env_guard.h"
#include "tests/support/temp_dir.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace orvane {
namespace {

using namespace std::chrono_literals;

// Polls `done` every 10 ms for at most `limit`.
template <class F>
bool WaitFor(F done, std::chrono::milliseconds limit = 5000ms)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

class PosixLauncherTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string script = dir.file("write marker.sh");

    void SetUp() override
    {
        // Writes its arguments, one a line, and its session and parent process to the marker.
        TempDir::write(script, "#!/bin/sh\nmarker=\"$1\"; shift\n"
                               "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$marker.tmp\"\n"
                               "ps -o sid= -p $$ >> \"$marker.tmp\" 2>/dev/null\n"
                               "mv \"$marker.tmp\" \"$marker\"\n");
        ::chmod(script.c_str(), 0755);
    }
};

TEST_F(PosixLauncherTest, StartsAScriptWhoseArgumentsReachItUntouched)
{
    PosixProcessLauncher launcher(nullptr);
    const std::string marker = dir.file("marker");
    ASSERT_TRUE(launcher.start({script, marker, "two words", "$HOME", "; touch " + dir.file("injected")}));
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(marker); }));
    const std::string text = TempDir::read(marker);
    EXPECT_EQ(text.substr(0, text.find('\n', text.find("injected") + 1) + 1),
              "two words\n$HOME\n; touch " + dir.file("injected") + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("injected")));
}

TEST_F(PosixLauncherTest, TheChildRunsInASessionOfItsOwnAndIsReaped)
{
    PosixProcessLauncher launcher(nullptr);
    const std::string marker = dir.file("marker");
    const std::optional<LaunchedProgram> program = launcher.launch({script, marker}, ShowState::Normal);
    ASSERT_TRUE(program);
    EXPECT_EQ(program->window, NoWindow) << "no display, no window looked for";
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(marker); }));
    const std::string text = TempDir::read(marker);
    if (!text.empty()) {
        EXPECT_EQ(std::stol(text), program->pid) << "the child leads its own session";
    }
    // Once it has ended, nothing of it is left to wait for: no zombie.
    EXPECT_TRUE(WaitFor([&] { return ::kill(program->pid, 0) != 0 && errno == ESRCH; }));
}

TEST_F(PosixLauncherTest, AProgramThatDoesNotExistIsAFailureNotACrash)
{
    PosixProcessLauncher launcher(nullptr);
    EXPECT_FALSE(launcher.launch({dir.file("no-such-program")}, ShowState::Normal));
    EXPECT_FALSE(launcher.start({"no-such-program-on-any-path-7f3a"}));
    EXPECT_FALSE(launcher.start({}));
    EXPECT_FALSE(launcher.start({""}));
}

TEST_F(PosixLauncherTest, WaitsForTheWindowAtMostItsLimitAndClosesWithALimit)
{
    FakeWindowLayer windows;
    PosixProcessLauncher launcher(&windows, 300ms, 200ms);
    const auto started = std::chrono::steady_clock::now();
    const std::optional<LaunchedProgram> program = launcher.launch({"sleep", "2"}, ShowState::Minimized);
    ASSERT_TRUE(program);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 1500ms);
    EXPECT_EQ(program->window, NoWindow);

    const WindowId stubborn = windows.addWindow("Unsaved work");
    const auto closing = std::chrono::steady_clock::now();
    EXPECT_FALSE(launcher.closeWindow(stubborn)) << "the window did not go";
    EXPECT_LT(std::chrono::steady_clock::now() - closing, 1500ms);
    EXPECT_TRUE(windows.window(stubborn)->closeRequested);
    EXPECT_FALSE(launcher.closeWindow(NoWindow));
}

TEST_F(PosixLauncherTest, AProgramThatCannotStartSaysWhyAtOnce)
{
    TempDir::write(dir.file("plain.txt"), "not a program\n");
    ::chmod(dir.file("plain.txt").c_str(), 0644);
    struct Case {
        const char *name;
        std::string program;
        const char *why;
    };
    const Case cases[] = {
        {"missing", dir.file("no-such-program"), "No such file or directory"},
        {"missing on PATH", "orvane-no-such-program", "No such file or directory"},
        {"a folder", dir.path().string(), "Permission denied"},
        {"not executable", dir.file("plain.txt"), "Permission denied"},
    };
    // A search path with a folder the user may not enter makes a missing program "Permission
    // denied" (as the shell says too); the path is fixed so the case tests the launcher alone.
    const EnvGuard path("PATH", "/usr/bin:/bin");
    PosixProcessLauncher launcher(nullptr);
    for (const Case &c : cases) {
        const ProcessLauncher::Started started = launcher.startNow({c.program});
        EXPECT_FALSE(started.pid) << c.name;
        EXPECT_EQ(started.error, c.why) << c.name;
    }
    const ProcessLauncher::Started sleeper = launcher.startNow({"sleep", "0.1"});
    ASSERT_TRUE(sleeper.pid);
    EXPECT_TRUE(sleeper.error.empty());
}

TEST_F(PosixLauncherTest, StartingAWindowlessProgramAsksForNoWait)
{
    FakeWindowLayer windows;
    PosixProcessLauncher launcher(&windows);
    ASSERT_TRUE(launcher.startNow({"sleep", "0.1"}).pid);
    EXPECT_EQ(launcher.findWindowNow(::getpid()), NoWindow);
    for (const auto wait : windows.pidWaits())
        EXPECT_EQ(wait, 0ms);
}

} // namespace
} // namespace orvane
