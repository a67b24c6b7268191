#pragma once
// A process launcher for tests: it starts nothing and records every request. Each launch
// "starts" a process with the next pid and, unless told otherwise, a window of its own.
#include "app/platform/process_launcher.h"

#include <set>
#include <string>
#include <vector>

namespace orvane {

class FakeProcessLauncher : public ProcessLauncher {
public:
    struct Launch {
        std::vector<std::string> argv;
        ShowState show;
        bool operator==(const Launch &) const = default;
    };

    std::optional<LaunchedProgram> launch(const std::vector<std::string> &argv, ShowState show) override;
    bool start(const std::vector<std::string> &argv) override;
    bool closeWindow(WindowId window) override;

    const std::vector<Launch> &launches() const { return m_launches; }
    const std::vector<std::vector<std::string>> &starts() const { return m_starts; }
    const std::vector<WindowId> &closed() const { return m_closed; }
    void clear();

    // Programs whose argv[0] is in this set cannot be started.
    void markMissing(const std::string &program) { m_missing.insert(program); }
    // Launched programs show no window (a console program, or one slower than the wait).
    void setShowsWindows(bool shows) { m_showsWindows = shows; }

private:
    std::vector<Launch> m_launches;
    std::vector<std::vector<std::string>> m_starts;
    std::vector<WindowId> m_closed;
    std::set<std::string> m_missing;
    bool m_showsWindows = true;
    pid_t m_nextPid = 1000;
    WindowId m_nextWindow = 0x2000040;
};

} // namespace orvane
