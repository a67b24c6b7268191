#pragma once
// Starts programs with posix_spawnp in a session of their own, finds the first window a started
// program shows through its _NET_WM_PID, and closes windows through the window layer. Every
// child is reaped as soon as it ends, so none lingers as a zombie.
#include "app/platform/process_launcher.h"

#include <chrono>
#include <optional>

namespace orvane {

class PosixProcessLauncher : public ProcessLauncher {
public:
    // `windows` may be null (no display): programs are started, no window is looked for.
    explicit PosixProcessLauncher(WindowLayer *windows, std::chrono::milliseconds windowWait = kWindowWait,
                                  std::chrono::milliseconds closeWait = kCloseWait);

    std::optional<LaunchedProgram> launch(const std::vector<std::string> &argv, ShowState show) override;
    bool start(const std::vector<std::string> &argv) override;
    bool closeWindow(WindowId window) override;
    Started startNow(const std::vector<std::string> &argv) override;
    WindowId findWindowNow(pid_t pid) override;
    void minimize(WindowId window) override;
    bool askToClose(WindowId window) override;

    // Spawns argv without waiting for a window; the child's pid, or nullopt with errno set.
    static std::optional<pid_t> spawn(const std::vector<std::string> &argv);

private:
    WindowLayer *m_windows;
    std::chrono::milliseconds m_windowWait;
    std::chrono::milliseconds m_closeWait;
};

} // namespace orvane
