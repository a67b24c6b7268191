#pragma once
// A process launcher for tests: it starts nothing and records every request. Each launch
// "starts" a process with the next pid and, unless told otherwise, a window of its own.
#include "app/platform/process_launcher.h"

#include <map>
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
    Started startNow(const std::vector<std::string> &argv) override;
    WindowId findWindowNow(pid_t pid) override;
    void minimize(WindowId window) override { m_minimized.push_back(window); }
    bool askToClose(WindowId window) override { return closeWindow(window); }

    const std::vector<Launch> &launches() const { return m_launches; }
    const std::vector<std::vector<std::string>> &starts() const { return m_starts; }
    const std::vector<WindowId> &closed() const { return m_closed; }
    const std::vector<WindowId> &minimized() const { return m_minimized; }
    // Every blocking call (launch, closeWindow with a wait) counts here; the clock's tick must
    // make none.
    int blockingCalls() const { return m_blockingCalls; }
    void clear();

    // Programs whose argv[0] is in this set cannot be started.
    void markMissing(const std::string &program) { m_missing.insert(program); }
    // Launched programs show no window (a console program, or one slower than the wait).
    void setShowsWindows(bool shows) { m_showsWindows = shows; }
    // Programs started by startNow show their window only after this many looks.
    void setWindowDelay(int looks) { m_windowDelay = looks; }

private:
    std::vector<Launch> m_launches;
    std::vector<std::vector<std::string>> m_starts;
    std::vector<WindowId> m_closed;
    std::vector<WindowId> m_minimized;
    std::map<pid_t, int> m_looksLeft;
    std::map<pid_t, WindowId> m_windowOf;
    int m_windowDelay = 0;
    int m_blockingCalls = 0;
    std::set<std::string> m_missing;
    bool m_showsWindows = true;
    pid_t m_nextPid = 1000;
    WindowId m_nextWindow = 0x2000040;
};

} // namespace orvane
