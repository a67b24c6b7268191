#include "app/platform/fake/fake_process_launcher.h"

namespace orvane {

std::optional<LaunchedProgram> FakeProcessLauncher::launch(const std::vector<std::string> &argv, ShowState show)
{
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

void FakeProcessLauncher::clear()
{
    m_launches.clear();
    m_starts.clear();
    m_closed.clear();
}

} // namespace orvane
