// Playback timing error: macros whose two key presses were recorded 0, 50, 100 and 500 ms apart
// are played back with their recorded timing; a window of another connection notes when each
// press arrives, and the error is how far the gap it sees is from the recorded one. Median
// and worst of 20 playbacks per gap, in milliseconds. Run under Xvfb:
//   xvfb-run -a build/bin/bench_playback
#include "../support/x_bench_support.h"

#include <benchmark/benchmark.h>

#include "kyloom32.h"

#include <X11/Xlib.h>

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPlaybacks = 20;

using orvane::bench::waitViewable;

// Opened before the first benchmark and kept to the end.
Display *const g_keepServer = orvane::bench::KeepServerOpen();

void put(std::string &out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>(value >> (8 * i)));
}

// A macro file with one macro: 'a' typed, then 'b' typed `gap` ms later.
std::string writeMacro(uint32_t gap)
{
    const uint32_t events[4][2] = {{0x100, 1000}, {0x101, 1000}, {0x100, 1000 + gap}, {0x101, 1000 + gap}};
    std::string bytes = "\x08KYLOOM32";
    put(bytes, 0x0200, 2);
    put(bytes, 0, 2);
    put(bytes, 0x0079, 2);
    put(bytes, 3, 4);
    put(bytes, 0, 8);
    put(bytes, 0, 1);
    for (int i = 0; i < 4; ++i) {
        put(bytes, events[i][0], 4);
        put(bytes, i < 2 ? 0x41 : 0x42, 4);
        put(bytes, 1, 4);
        put(bytes, events[i][1], 4);
        put(bytes, 0, 4);
    }
    const std::string path = "/tmp/bench-playback-" + std::to_string(getpid()) + ".mac";
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// A focused window on a connection of its own that notes the arrival of every key press.
class Witness {
public:
    Witness() : m_display(XOpenDisplay(nullptr))
    {
        m_window = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 200, 100, 0, 0, 0);
        XSelectInput(m_display, m_window, KeyPressMask);
        XMapRaised(m_display, m_window);
        XSync(m_display, False);
        if (waitViewable(m_display, m_window))
            XSetInputFocus(m_display, m_window, RevertToPointerRoot, CurrentTime);
        XSync(m_display, False);
        m_thread = std::thread([this] { run(); });
    }
    ~Witness()
    {
        m_stop = true;
        m_thread.join();
        XCloseDisplay(m_display);
    }
    std::vector<Clock::time_point> take()
    {
        std::lock_guard lock(m_mutex);
        std::vector<Clock::time_point> out;
        out.swap(m_presses);
        return out;
    }

private:
    void run()
    {
        while (!m_stop) {
            pollfd fd{ConnectionNumber(m_display), POLLIN, 0};
            poll(&fd, 1, 10);
            while (XPending(m_display)) {
                XEvent event;
                XNextEvent(m_display, &event);
                if (event.type == KeyPress) {
                    std::lock_guard lock(m_mutex);
                    m_presses.push_back(Clock::now());
                }
            }
        }
    }

    Display *m_display;
    Window m_window;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::vector<Clock::time_point> m_presses;
};

void BM_PlaybackGapError(benchmark::State &state)
{
    const auto gap = static_cast<uint32_t>(state.range(0));
    if (!InstallHook(1, 0, 1, RMIgnore, MBScreen, 0)) {
        state.SkipWithError("no X display or no engine");
        return;
    }
    const std::string path = writeMacro(gap);
    ReadMacros(path.c_str(), 0);
    unlink(path.c_str());
    const KyMacro macro = GetMacroByIndex(0);
    Witness witness;
    std::vector<double> errors;
    for (auto _ : state) {
        for (int i = 0; i < kPlaybacks; ++i) {
            witness.take();
            PlaybackMacro(macro);
            const auto limit = Clock::now() + std::chrono::seconds(5);
            while (GetMacroState() != 0 && Clock::now() < limit) {
                pollfd fd{GetNotifyDescriptor(), POLLIN, 0};
                poll(&fd, 1, 5);
                KyNotification n;
                while (TakeNotification(&n)) {}
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            const auto presses = witness.take();
            if (presses.size() != 2)
                continue;
            const double seen = std::chrono::duration<double, std::milli>(presses[1] - presses[0]).count();
            errors.push_back(std::fabs(seen - gap));
        }
    }
    std::sort(errors.begin(), errors.end());
    state.counters["median_error_ms"] = errors.empty() ? -1 : errors[errors.size() / 2];
    state.counters["worst_error_ms"] = errors.empty() ? -1 : errors.back();
    state.counters["playbacks"] = static_cast<double>(errors.size());
    UninstallHook();
}
BENCHMARK(BM_PlaybackGapError)
    ->Arg(0)
    ->Arg(50)
    ->Arg(100)
    ->Arg(500)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
