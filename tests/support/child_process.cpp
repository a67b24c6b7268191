#include "tests/support/child_process.h"

#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char **environ;

namespace orvane::testing_x11 {

ChildProcess::ChildProcess(std::vector<std::string> args, std::vector<std::string> extraEnvironment)
{
    std::vector<char *> argv;
    for (auto &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<char *> envp;
    for (auto &e : extraEnvironment)
        envp.push_back(e.data());
    for (char **e = environ; *e; ++e) {
        const char *eq = std::strchr(*e, '=');
        const std::string name(*e, eq ? static_cast<std::size_t>(eq - *e) : std::strlen(*e));
        bool overridden = false;
        for (const auto &extra : extraEnvironment)
            overridden = overridden || extra.rfind(name + "=", 0) == 0;
        if (!overridden)
            envp.push_back(*e);
    }
    envp.push_back(nullptr);
    if (posix_spawn(&m_pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0)
        m_pid = -1;
}

ChildProcess::~ChildProcess()
{
    if (m_pid > 0 && !m_reaped) {
        ::kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds limit)
{
    if (m_pid <= 0 || m_reaped)
        return std::nullopt;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_reaped = true;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void ChildProcess::stop()
{
    if (m_pid <= 0 || m_reaped)
        return;
    ::kill(m_pid, SIGTERM);
    if (!waitForExit(std::chrono::seconds(1))) {
        ::kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        m_reaped = true;
    }
}

} // namespace orvane::testing_x11
