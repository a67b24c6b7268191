#include "app/alarms/program_watcher.h"

namespace orvane {

std::optional<std::string> TProgramWatcher::start(AlarmId id, const std::vector<std::string> &argv,
                                                  ShowState show)
{
    m_programs.erase(id);
    m_awaited.erase(id);
    const ProcessLauncher::Started started = m_launcher.startNow(argv);
    if (!started.pid)
        return started.error;
    m_programs[id] = LaunchedProgram{*started.pid, NoWindow};
    Awaited awaited{m_clock.now() + ProcessLauncher::kWindowWait, show};
    if (!lookForWindow(id, awaited))
        m_awaited[id] = awaited;
    return std::nullopt;
}

bool TProgramWatcher::lookForWindow(AlarmId id, Awaited &awaited)
{
    LaunchedProgram &program = m_programs[id];
    const WindowId window = m_launcher.findWindowNow(program.pid);
    if (window == NoWindow)
        return false;
    if (awaited.stopRequested) {
        m_launcher.askToClose(window);
        m_programs.erase(id);
        return true;
    }
    program.window = window;
    if (awaited.show == ShowState::Minimized)
        m_launcher.minimize(window);
    if (m_windowFound)
        m_windowFound(id, window);
    return true;
}

bool TProgramWatcher::stop(AlarmId id)
{
    const auto program = m_programs.find(id);
    if (program == m_programs.end())
        return false;
    if (const auto awaited = m_awaited.find(id); awaited != m_awaited.end()) {
        // The window may still show: it is closed then, within the usual wait.
        awaited->second.stopRequested = true;
        return true;
    }
    if (program->second.window != NoWindow)
        m_launcher.askToClose(program->second.window);
    m_programs.erase(program);
    return true;
}

void TProgramWatcher::poll()
{
    const TimePoint now = m_clock.now();
    for (auto it = m_awaited.begin(); it != m_awaited.end();) {
        const AlarmId id = it->first;
        if (lookForWindow(id, it->second)) {
            it = m_awaited.erase(it);
        } else if (now >= it->second.deadline) {
            if (it->second.stopRequested)
                m_programs.erase(id);
            it = m_awaited.erase(it);
        } else {
            ++it;
        }
    }
}

std::optional<LaunchedProgram> TProgramWatcher::program(AlarmId id) const
{
    const auto it = m_programs.find(id);
    if (it == m_programs.end())
        return std::nullopt;
    return it->second;
}

} // namespace orvane
