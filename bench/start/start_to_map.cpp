// Start to first mapped window: the real clock beside a bare Qt 6 window, in alternating rounds
// on a private X server with Openbox, timed from the spawn to the server's MapNotify of the
// program's first top-level window. Not run in CI (no timed assertions anywhere):
//   build/bin/bench_start            (10 rounds; ORVANE_START_ROUNDS to change)
// The same binary is the bare window when started with --bare-window.
#include "tests/support/window_manager_session.h"

#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

std::string g_self;
std::string g_display;
std::string g_home;

pid_t Spawn(const std::vector<std::string> &args)
{
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("DISPLAY=", 0) && entry.rfind("ORVANE_HOME=", 0) &&
            entry.rfind("XDG_RUNTIME_DIR=", 0))
            env.push_back(entry);
    }
    env.push_back("DISPLAY=" + g_display);
    env.push_back("ORVANE_HOME=" + g_home);
    env.push_back("XDG_RUNTIME_DIR=" + g_home + "/run");
    env.push_back("ORVANE_NO_MESSAGE_BOXES=1");
    env.push_back("SDL_AUDIODRIVER=dummy");
    std::vector<char *> envp, argv;
    for (auto &e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> copy = args;
    for (auto &a : copy)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data());
    return pid;
}

// Milliseconds from the spawn of `args` to the first MapNotify on the root (the manager's frame
// around the new window); the program is ended afterwards. -1 when nothing was mapped in 10 s.
double StartToMap(Display *display, const std::vector<std::string> &args)
{
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);
    const auto start = Clock::now();
    const pid_t pid = Spawn(args);
    double ms = -1;
    const auto deadline = start + std::chrono::seconds(10);
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    while (ms < 0 && Clock::now() < deadline) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && ms < 0)
                ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        }
        if (ms < 0)
            poll(&fd, 1, 5);
    }
    ::kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XSelectInput(display, DefaultRootWindow(display), NoEventMask);
    XSync(display, True);
    return ms;
}

void Summary(const char *name, std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    if (v.empty())
        return;
    std::printf("%-12s start to map over %zu rounds: min %.1f ms, median %.1f ms, max %.1f ms\n", name,
                v.size(), v.front(), v[v.size() / 2], v.back());
}

void BM_StartToMap(benchmark::State &state)
{
    auto session = orvane::testing_x11::WindowManagerSession::start();
    if (!session) {
        state.SkipWithError(orvane::testing_x11::WindowManagerSession::why().c_str());
        return;
    }
    g_display = session->displayName();
    g_home = (std::filesystem::temp_directory_path() / ("orvane-bench-start-" + std::to_string(getpid())))
                 .string();
    std::filesystem::create_directories(g_home + "/run");
    std::filesystem::permissions(g_home + "/run", std::filesystem::perms::owner_all);
    Display *display = XOpenDisplay(g_display.c_str());
    const std::string orvane = std::string(ORVANE_BENCH_BUILD_DIR) + "/bin/orvane";
    std::vector<double> clock, bare;
    for (auto _ : state) {
        bare.push_back(StartToMap(display, {g_self, "--bare-window"}));
        clock.push_back(StartToMap(display, {orvane}));
    }
    XCloseDisplay(display);
    std::filesystem::remove_all(g_home);
    Summary("orvane", clock);
    Summary("bare Qt 6", bare);
    std::sort(clock.begin(), clock.end());
    std::sort(bare.begin(), bare.end());
    state.counters["orvane_median_ms"] = clock[clock.size() / 2];
    state.counters["bare_qt_median_ms"] = bare[bare.size() / 2];
}

int Rounds()
{
    const char *rounds = std::getenv("ORVANE_START_ROUNDS");
    return rounds ? std::max(1, std::atoi(rounds)) : 10;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && std::string(argv[1]) == "--bare-window") {
        QApplication app(argc, argv);
        QWidget window;
        window.resize(212, 131);
        window.show();
        return app.exec();
    }
    g_self = std::filesystem::canonical("/proc/self/exe").string();
    benchmark::RegisterBenchmark("StartToMap", BM_StartToMap)
        ->Iterations(Rounds())
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
