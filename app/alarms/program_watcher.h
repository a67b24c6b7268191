#pragma once
// The programs that alarms started, and the waits on them that must never hold up the clock.
// A start returns as soon as the program runs; looking for its first window (to minimize it and
// to close it at the alarm's stop) is done by poll(), which a timer of the program calls a few
// times a second and which never waits. A stop asks the window to close and returns; a stop
// that comes before the window was found closes it when it shows.
#include "app/alarms/alarm_table.h"
#include "app/common/clock.h"
#include "app/platform/process_launcher.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

class TProgramWatcher {
public:
    // How often the program should call poll() while busy().
    static constexpr std::chrono::milliseconds kPollInterval{100};

    TProgramWatcher(ProcessLauncher &launcher, const Clock &clock) : m_launcher(launcher), m_clock(clock) {}

    // Starts the program of alarm `id` and looks once for its window. The error text when it
    // could not be started.
    std::optional<std::string> start(AlarmId id, const std::vector<std::string> &argv, ShowState show);
    // The alarm's stop: asks the program's window to close, now or as soon as it is found.
    // False when the alarm has no started program.
    bool stop(AlarmId id);
    // Looks once for the windows still awaited; gives up on each after
    // ProcessLauncher::kWindowWait (the program then simply has no window to close).
    void poll();
    // True while a window is still awaited.
    bool busy() const { return !m_awaited.empty(); }

    std::optional<LaunchedProgram> program(AlarmId id) const;
    // Called when a started program's window is found.
    void setWindowFound(std::function<void(AlarmId, WindowId)> hook) { m_windowFound = std::move(hook); }

private:
    struct Awaited {
        TimePoint deadline;
        ShowState show;
        bool stopRequested = false;
    };
    bool lookForWindow(AlarmId id, Awaited &awaited);

    ProcessLauncher &m_launcher;
    const Clock &m_clock;
    std::map<AlarmId, LaunchedProgram> m_programs;
    std::map<AlarmId, Awaited> m_awaited;
    std::function<void(AlarmId, WindowId)> m_windowFound;
};

} // namespace orvane
