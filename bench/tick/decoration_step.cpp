// The title-bar clock's share of a tick that is not a new minute: find the front window, read
// its title, and (only when something changed) write one. Measured over the in-memory layer and
// over the X11 layer on the display in $DISPLAY (run it under xvfb-run). The X11 layer keeps the
// front window and the decorated title from the server's announcements, so a step without news
// sends no request at all; requests_per_step counts what it does send.
#include "app/clock/title_decorator.h"
#include "app/platform/fake/fake_window_layer.h"
#include "app/platform/x11/x11_window_layer.h"

#include <benchmark/benchmark.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <memory>

namespace orvane {
namespace {

const std::string kSuffix = " - 7:05 PM";

// Two windows of "another program" on their own connection, one of them named active the way a
// window manager would.
class BenchWindows {
public:
    BenchWindows() : m_display(XOpenDisplay(nullptr))
    {
        // A bare server resets itself whenever its last client leaves, refusing connections for
        // a moment; one connection held for the whole run keeps each benchmark's from failing.
        static Display *const keepServer = XOpenDisplay(nullptr);
        (void)keepServer;
        if (!m_display)
            return;
        for (Window &w : m_windows) {
            w = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 100, 50, 0, 0, 0);
            XStoreName(m_display, w, "Benchmark target window");
            XMapWindow(m_display, w);
        }
        XSetTransientForHint(m_display, m_windows[1], m_windows[0]);
        setActive(0);
    }
    ~BenchWindows()
    {
        if (!m_display)
            return;
        XDeleteProperty(m_display, DefaultRootWindow(m_display),
                        XInternAtom(m_display, "_NET_ACTIVE_WINDOW", False));
        for (const Window w : m_windows)
            XDestroyWindow(m_display, w);
        XCloseDisplay(m_display);
    }
    bool ok() const { return m_display != nullptr; }
    void setActive(int index)
    {
        const long value = static_cast<long>(m_windows[index]);
        XChangeProperty(m_display, DefaultRootWindow(m_display),
                        XInternAtom(m_display, "_NET_ACTIVE_WINDOW", False), XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(&value), 1);
        XSync(m_display, False);
    }

private:
    Display *m_display;
    Window m_windows[2] = {None, None};
};

void steadyStep(benchmark::State &state, WindowLayer &layer, WindowScope scope)
{
    TitleDecorator decorator(layer);
    decorator.decorate(kSuffix, scope);
    auto *x11 = dynamic_cast<X11WindowLayer *>(&layer);
    const unsigned long before = x11 ? x11->requestsSent() : 0;
    for (auto _ : state)
        decorator.decorate(kSuffix, scope);
    if (decorator.decoratedWindow() == NoWindow)
        state.SkipWithError("nothing was decorated");
    if (x11)
        state.counters["requests_per_step"] = benchmark::Counter(
            static_cast<double>(x11->requestsSent() - before), benchmark::Counter::kAvgIterations);
}

void BM_FakeSteadyStep(benchmark::State &state)
{
    FakeWindowLayer layer;
    const WindowId main = layer.addWindow("Benchmark target window");
    layer.setForeground(layer.addWindow("Dialog", main));
    steadyStep(state, layer, state.range(0) ? WindowScope::ParentOnly : WindowScope::AllWindows);
}
BENCHMARK(BM_FakeSteadyStep)->ArgName("parentOnly")->Arg(0)->Arg(1);

void BM_X11SteadyStep(benchmark::State &state)
{
    BenchWindows windows;
    auto layer = openX11WindowLayer();
    if (!windows.ok() || !layer) {
        state.SkipWithError("no X display");
        return;
    }
    windows.setActive(1);
    steadyStep(state, *layer, state.range(0) ? WindowScope::ParentOnly : WindowScope::AllWindows);
}
BENCHMARK(BM_X11SteadyStep)->ArgName("parentOnly")->Arg(0)->Arg(1);

// The rarer step: the user has switched windows, so one title is restored and one written.
void BM_X11SwitchStep(benchmark::State &state)
{
    BenchWindows windows;
    auto layer = openX11WindowLayer();
    if (!windows.ok() || !layer) {
        state.SkipWithError("no X display");
        return;
    }
    TitleDecorator decorator(*layer);
    int front = 0;
    for (auto _ : state) {
        state.PauseTiming();
        front = 1 - front;
        windows.setActive(front);
        state.ResumeTiming();
        decorator.decorate(kSuffix, WindowScope::AllWindows);
    }
}
BENCHMARK(BM_X11SwitchStep);

} // namespace
} // namespace orvane

BENCHMARK_MAIN();
