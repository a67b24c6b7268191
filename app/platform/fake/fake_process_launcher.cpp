#include "app/platform/fake/fake_process_launcher.h"

namespace orvane {

std::optional<LaunchedProgram> FakeProcessLauncher::launch(const std::vector<std::string> &argv,
                                                           ShowState show)
{
    ++m_blockingCalls;
    m_launches.push_back({argv, show});
    if (argv.empty() || m_missing.count(argv.front()))
        return std::nullopt;
    LaunchedProgram program{m_nextPid++, NoWindow};
    if (m_showsWindows) {
        program.window = m_nextWindow;
        m_nextWindow += 0x100000;
    }
    return program;
}

bool FakeProcessLauncher::start(const std::vector<std::string> &argv)
{
    m_starts.push_back(argv);
    return !argv.empty() && !m_missing.count(argv.front());
}

bool FakeProcessLauncher::closeWindow(WindowId window)
{
    m_closed.push_back(window);
    return true;
}

ProcessLauncher::Started FakeProcessLauncher::startNow(const std::vector<std::string> &argv)
{
    // Recorded as a launch in the normal state; the caller minimizes the window itself.
    m_launches.push_back({argv, ShowState::Normal});
    if (argv.empty() || m_missing.count(argv.front()))
        return {std::nullopt, "No such file or directory"};
    const pid_t pid = m_nextPid++;
    if (m_showsWindows) {
        m_windowOf[pid] = m_nextWindow;
        m_nextWindow += 0x100000;
        m_looksLeft[pid] = m_windowDelay;
    }
    return {pid, {}};
}

WindowId FakeProcessLauncher::findWindowNow(pid_t pid)
{
    const auto it = m_windowOf.find(pid);
    if (it == m_windowOf.end())
        return NoWindow;
    if (m_looksLeft[pid]-- > 0)
        return NoWindow;
    return it->second;
}

void FakeProcessLauncher::clear()
{
    m_launches.clear();
    m_starts.clear();
    m_closed.clear();
}

} // namespace orvane
