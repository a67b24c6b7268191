#include "tests/macroengine/support/private_xvfb.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace orvane::test {

namespace {

int waitStatus(pid_t pid, int seconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    while (std::chrono::steady_clock::now() < end) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

} // namespace

PrivateXvfb::PrivateXvfb()
{
    int ready[2];
    if (pipe(ready) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ready[1], 3);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> args{"Xvfb",     "-displayfd", "3", "-nolisten", "tcp",
                                  "-noreset", "-screen",    "0", "640x480x24"};
    std::vector<char *> argv;
    for (std::string &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawnp(&m_pid, "Xvfb", &actions, nullptr, argv.data(), environ) != 0)
        m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(ready[1]);
    std::string number;
    pollfd fd{ready[0], POLLIN, 0};
    while (m_pid > 0 && poll(&fd, 1, 10000) == 1) {
        char c = 0;
        if (read(ready[0], &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    close(ready[0]);
    if (!number.empty())
        m_display = ":" + number;
}

PrivateXvfb::~PrivateXvfb() { kill(); }

void PrivateXvfb::kill()
{
    if (m_pid <= 0)
        return;
    ::kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
}

KyloomProcess::KyloomProcess(const std::string &args0, const std::string &args1, const std::string &display,
                             const std::string &runtimeFolder)
{
    static int counter = 0;
    m_errFile = "/tmp/kyloom-process-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".err";
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e) {
        if (std::strncmp(*e, "DISPLAY=", 8) != 0 && std::strncmp(*e, "XDG_RUNTIME_DIR=", 16) != 0)
            env.push_back(*e);
    }
    env.push_back("DISPLAY=" + display);
    env.push_back("XDG_RUNTIME_DIR=" + runtimeFolder);
    std::vector<char *> envp;
    for (std::string &e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    // KYLOOM_UNDER_TEST lets the same test measure another build of the command.
    const char *other = std::getenv("KYLOOM_UNDER_TEST");
    std::string path = other ? other : std::string(ORVANE_TEST_BUILD_DIR) + "/bin/kyloom";
    std::string a0 = args0, a1 = args1;
    std::vector<char *> argv{path.data(), a0.data(), a1.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, m_errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (posix_spawn(&m_pid, path.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
        m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);
}

KyloomProcess::~KyloomProcess()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    std::remove(m_errFile.c_str());
}

void KyloomProcess::signal(int number)
{
    if (m_pid > 0)
        ::kill(m_pid, number);
}

int KyloomProcess::waitFor(int seconds)
{
    if (m_pid <= 0)
        return -1;
    const int status = waitStatus(m_pid, seconds);
    m_pid = -1;
    return status;
}

std::string KyloomProcess::errors() const
{
    std::ifstream in(m_errFile);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace orvane::test
