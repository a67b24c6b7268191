#pragma once
// Starting other programs for alarms, and closing the window of one that was started. Programs
// are started from an argument list (never through a shell) in a session of their own, so that
// they outlive the clock and never share its terminal. The posix backend lives in
// app/platform/process, a fake for tests in app/platform/fake.
#include "app/platform/window_layer.h"

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace orvane {

// A program the clock started: its process and the first top-level window it showed
// (NoWindow when it showed none in time).
struct LaunchedProgram {
    pid_t pid = 0;
    WindowId window = NoWindow;
    bool operator==(const LaunchedProgram &) const = default;
};

enum class ShowState { Normal, Minimized };

class ProcessLauncher {
public:
    // The longest the clock waits on another program: for a started program's window, and
    // for a window asked to close.
    static constexpr std::chrono::milliseconds kWindowWait{10000};
    static constexpr std::chrono::milliseconds kCloseWait{5000};

    virtual ~ProcessLauncher() = default;

    // Starts argv[0] (looked up on PATH when it holds no '/') with the remaining arguments and
    // waits at most kWindowWait for its first window, minimizing that for ShowState::Minimized.
    // nullopt when the program could not be started.
    virtual std::optional<LaunchedProgram> launch(const std::vector<std::string> &argv, ShowState show) = 0;
    // Starts a program without waiting for anything; false when it could not be started.
    virtual bool start(const std::vector<std::string> &argv) = 0;
    // Asks `window` to close, as its close button would, and waits at most kCloseWait for it
    // to go. True when it went.
    virtual bool closeWindow(WindowId window) = 0;

    // The same services without any wait, for callers that must never hold up the clock.
    // Starts a program and returns at once: its pid, or why it could not be started (a missing
    // program, a folder, a file without execute permission).
    struct Started {
        std::optional<pid_t> pid;
        std::string error;
    };
    virtual Started startNow(const std::vector<std::string> &argv) = 0;
    // One look for the first top-level window of `pid`; NoWindow when there is none yet.
    virtual WindowId findWindowNow(pid_t pid) = 0;
    virtual void minimize(WindowId window) = 0;
    // Asks the window to close and returns without waiting for it to go.
    virtual bool askToClose(WindowId window) = 0;
};

} // namespace orvane
