// Hot-key latency: from an XTest press of Ctrl+Space to the code hook running in the process
// that installed the macro, beside `xdotool key` delivering a key to a window in the same run.
// Median and worst of 100 presses each, in microseconds. Run under Xvfb:
//   xvfb-run -a build/bin/bench_hotkey
#include "../support/x_bench_support.h"

#include <benchmark/benchmark.h>

#include "kyloom32.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPresses = 100;

using orvane::bench::waitViewable;

// Opened before the first benchmark and kept to the end.
Display *const g_keepServer = orvane::bench::KeepServerOpen();

Clock::time_point g_hookRan;
bool g_ran = false;

void announceHook()
{
    g_hookRan = Clock::now();
    g_ran = true;
}

void report(benchmark::State &state, std::vector<double> micros)
{
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros.empty() ? 0 : micros[micros.size() / 2];
    state.counters["worst_us"] = micros.empty() ? 0 : micros.back();
    state.counters["presses"] = static_cast<double>(micros.size());
}

void pumpUntilHook(Clock::time_point limit)
{
    while (!g_ran && Clock::now() < limit) {
        pollfd fd{GetNotifyDescriptor(), POLLIN, 0};
        poll(&fd, 1, 5);
        KyNotification n;
        while (TakeNotification(&n)) {}
    }
}

void BM_HotKeyToCodeHook(benchmark::State &state)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display || !InstallHook(1, 1, 1, RMIgnore, MBWindow, 0)) {
        state.SkipWithError("no X display or no engine");
        return;
    }
    InstallMacro(0x0120, GetScrapMacro(), "Announce Time", &announceHook);
    const KeyCode ctrl = XKeysymToKeycode(display, XK_Control_L);
    const KeyCode space = XKeysymToKeycode(display, XK_space);
    std::vector<double> micros;
    for (auto _ : state) {
        micros.clear();
        for (int i = 0; i < kPresses; ++i) {
            g_ran = false;
            XTestFakeKeyEvent(display, ctrl, True, 0);
            const auto pressed = Clock::now();
            XTestFakeKeyEvent(display, space, True, 0);
            XFlush(display);
            pumpUntilHook(pressed + std::chrono::seconds(2));
            XTestFakeKeyEvent(display, space, False, 0);
            XTestFakeKeyEvent(display, ctrl, False, 0);
            XSync(display, False);
            if (g_ran)
                micros.push_back(std::chrono::duration<double, std::micro>(g_hookRan - pressed).count());
        }
    }
    report(state, micros);
    UninstallHook();
    XCloseDisplay(display);
}
BENCHMARK(BM_HotKeyToCodeHook)->Iterations(1)->Unit(benchmark::kMillisecond);

// The same road for a key that no hot key takes: `xdotool key` (a process of its own, as a
// user's script would run it) until the key reaches a window.
void BM_XdotoolKeyToWindow(benchmark::State &state)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        state.SkipWithError("no X display");
        return;
    }
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 200, 100, 0, 0, 0);
    XSelectInput(display, window, KeyPressMask);
    XMapRaised(display, window);
    XSync(display, False);
    if (!waitViewable(display, window)) {
        state.SkipWithError("the window never became viewable");
        XCloseDisplay(display);
        return;
    }
    XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    XSync(display, False);
    std::vector<double> micros;
    for (auto _ : state) {
        micros.clear();
        for (int i = 0; i < kPresses; ++i) {
            char program[] = "xdotool", verb[] = "key", key[] = "space";
            char *argv[] = {program, verb, key, nullptr};
            const auto started = Clock::now();
            pid_t pid = 0;
            if (posix_spawnp(&pid, "xdotool", nullptr, nullptr, argv, environ) != 0) {
                state.SkipWithError("xdotool cannot be started");
                return;
            }
            bool received = false;
            Clock::time_point arrived;
            const auto limit = started + std::chrono::seconds(2);
            while (!received && Clock::now() < limit) {
                pollfd fd{ConnectionNumber(display), POLLIN, 0};
                poll(&fd, 1, 5);
                while (XPending(display)) {
                    XEvent event;
                    XNextEvent(display, &event);
                    if (event.type == KeyPress && !received) {
                        received = true;
                        arrived = Clock::now();
                    }
                }
            }
            int status = 0;
            waitpid(pid, &status, 0);
            if (received)
                micros.push_back(std::chrono::duration<double, std::micro>(arrived - started).count());
        }
    }
    report(state, micros);
    XDestroyWindow(display, window);
    XCloseDisplay(display);
}
BENCHMARK(BM_XdotoolKeyToWindow)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
