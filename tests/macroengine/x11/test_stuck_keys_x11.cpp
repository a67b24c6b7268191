// kyloom type and kyloom play stopped by signals leave no key down and no keycode borrowed.
#include <gtest/gtest.h>
// Xlib's macros (None, Bool, ...) would break the test framework's headers before them.
#include <X11/Xlib.h>

#include <cctype>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace orvane::test {
namespace {

namespace fs = std::filesystem;

// KYLOOM_UNDER_TEST lets the same test measure another build of the command.
std::string kyloomPath()
{
    if (const char *other = std::getenv("KYLOOM_UNDER_TEST"))
        return other;
    return std::string(ORVANE_TEST_BUILD_DIR) + "/bin/kyloom";
}

pid_t spawnKyloom(const std::vector<std::string> &args)
{
    std::vector<std::string> all{kyloomPath()};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (std::string &a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Waits for the child for at most `limit`; a child still running then is killed, so no test
// leaves one behind. The wait status, or -1 after a kill for overrunning.
int waitWithLimit(pid_t pid, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (std::chrono::steady_clock::now() < end) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

int keysDown(Display *display)
{
    char keys[32] = {};
    XQueryKeymap(display, keys);
    int down = 0;
    for (int keycode = 8; keycode < 256; ++keycode)
        down += (keys[keycode / 8] >> (keycode % 8)) & 1;
    return down;
}

// Keycodes without any keysym: the spare ones that typing lends and must give back.
int emptyKeycodes(Display *display)
{
    int min = 0, max = 0, per = 0;
    XDisplayKeycodes(display, &min, &max);
    KeySym *symbols = XGetKeyboardMapping(display, static_cast<KeyCode>(min), max - min + 1, &per);
    int empty = 0;
    for (int k = 0; k <= max - min; ++k) {
        bool none = true;
        for (int c = 0; c < per; ++c)
            none &= symbols[k * per + c] == NoSymbol;
        empty += none;
    }
    XFree(symbols);
    return empty;
}

// One connection for the whole suite: a server left without clients between two tests resets,
// and a reset puts the keyboard right by itself, hiding what a stop left behind.
Display *suiteDisplay()
{
    static Display *display = [] {
        Display *d = nullptr;
        for (int i = 0; i < 100 && !d; ++i) {
            d = XOpenDisplay(nullptr);
            if (!d)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return d;
    }();
    return display;
}

class StuckKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        display = suiteDisplay();
        ASSERT_TRUE(display);
        // A runtime folder of the test's own keeps the record of borrowed keycodes apart.
        char pattern[] = "/tmp/kyloom-stuck-XXXXXX";
        runtime = mkdtemp(pattern);
        chmod(runtime.c_str(), 0700);
        if (const char *old = std::getenv("XDG_RUNTIME_DIR"))
            savedRuntime = old;
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        spareBefore = emptyKeycodes(display);
    }
    void TearDown() override
    {
        if (savedRuntime.empty())
            unsetenv("XDG_RUNTIME_DIR");
        else
            setenv("XDG_RUNTIME_DIR", savedRuntime.c_str(), 1);
        std::error_code ignored;
        fs::remove_all(runtime, ignored);
    }

    // A long string of Shift-held groups, Ctrl and Alt chords and characters the US map
    // lacks (typed on borrowed keycodes), typed one event at a time so that it takes a while.
    static std::string longShiftedString()
    {
        std::string keys;
        for (int i = 0; i < 1000; ++i)
            keys += "+(abcdefghij)^%{F5}+{TAB}\xD0\xB6\xE5\xAD\x97\xC4\xB3"; // ж字ĳ
        return keys;
    }

    Display *display = nullptr;
    std::string runtime;
    std::string savedRuntime;
    int spareBefore = 0;
};

struct Stop {
    const char *what;
    int signal;
    int afterMs;
};

class StuckKeysAfterStop : public StuckKeys, public ::testing::WithParamInterface<Stop> {};

TEST_P(StuckKeysAfterStop, NothingIsLeftDownOrBorrowed)
{
    const Stop stop = GetParam();
    ASSERT_EQ(keysDown(display), 0) << "keys down before the test";
    const pid_t pid = spawnKyloom({"type", "--wait", longShiftedString()});
    ASSERT_GT(pid, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(stop.afterMs));
    kill(pid, stop.signal);
    const int status = waitWithLimit(pid, std::chrono::seconds(10));
    ASSERT_NE(status, -1) << "kyloom went on after " << stop.what;
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == stop.signal)
        << "it ends by the signal that stopped it: " << status;
    if (stop.signal == SIGKILL) {
        // Nothing can run on SIGKILL: the next injection puts things right.
        const pid_t next = spawnKyloom({"type", ""});
        ASSERT_GT(next, 0);
        EXPECT_EQ(waitWithLimit(next, std::chrono::seconds(10)), 0);
    }
    XSync(display, False);
    EXPECT_EQ(keysDown(display), 0) << "keys left down after " << stop.what;
    EXPECT_EQ(emptyKeycodes(display), spareBefore) << "keycodes left borrowed after " << stop.what;
}

INSTANTIATE_TEST_SUITE_P(Signals, StuckKeysAfterStop,
                         ::testing::Values(Stop{"SIGTERM early", SIGTERM, 300},
                                           Stop{"SIGTERM late", SIGTERM, 800}, Stop{"SIGINT", SIGINT, 500},
                                           Stop{"SIGHUP", SIGHUP, 600}, Stop{"SIGKILL early", SIGKILL, 300},
                                           Stop{"SIGKILL late", SIGKILL, 800}),
                         [](const ::testing::TestParamInfo<Stop> &info) {
                             std::string name = info.param.what;
                             for (char &c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

} // namespace
} // namespace orvane::test
