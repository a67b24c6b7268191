#include "app/platform/process/posix_process_launcher.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace orvane {
namespace {

// Frees the spawn attributes and file actions however spawn() leaves.
struct SpawnSetup {
    posix_spawnattr_t attr;
    posix_spawn_file_actions_t actions;
    SpawnSetup()
    {
        posix_spawnattr_init(&attr);
        posix_spawn_file_actions_init(&actions);
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attr);
    }
    SpawnSetup(const SpawnSetup &) = delete;
    SpawnSetup &operator=(const SpawnSetup &) = delete;
};

bool Prepare(SpawnSetup &s)
{
    // A session of its own (no terminal of ours, no signals meant for us), signals as a fresh
    // program expects them, no input from our terminal, and none of our open files.
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    short flags = POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    return posix_spawnattr_setflags(&s.attr, flags) == 0 && posix_spawnattr_setsigmask(&s.attr, &none) == 0 &&
           posix_spawnattr_setsigdefault(&s.attr, &all) == 0 &&
           posix_spawn_file_actions_addopen(&s.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0) == 0 &&
           posix_spawn_file_actions_addclosefrom_np(&s.actions, STDERR_FILENO + 1) == 0;
}

// Children no thread could be started for; they are reaped without waiting at the next spawn.
std::mutex g_leftMutex;
std::vector<pid_t> g_leftChildren;

void ReapLeftChildren()
{
    std::lock_guard<std::mutex> lock(g_leftMutex);
    std::erase_if(g_leftChildren, [](pid_t pid) {
        int status = 0;
        return ::waitpid(pid, &status, WNOHANG) != 0;
    });
}

// Waits for the child on a thread of its own, so that it is reaped the moment it ends
// whatever the rest of the program is doing.
void ReapWhenDone(pid_t pid)
{
    try {
        std::thread([pid] {
            int status = 0;
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
        }).detach();
    } catch (const std::system_error &) {
        std::lock_guard<std::mutex> lock(g_leftMutex);
        g_leftChildren.push_back(pid);
    }
}

} // namespace

PosixProcessLauncher::PosixProcessLauncher(WindowLayer *windows, std::chrono::milliseconds windowWait,
                                           std::chrono::milliseconds closeWait)
    : m_windows(windows), m_windowWait(windowWait), m_closeWait(closeWait)
{}

std::optional<pid_t> PosixProcessLauncher::spawn(const std::vector<std::string> &argv)
{
    if (argv.empty() || argv.front().empty()) {
        errno = ENOENT;
        return std::nullopt;
    }
    std::vector<char *> args;
    args.reserve(argv.size() + 1);
    for (const std::string &a : argv)
        args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);

    ReapLeftChildren();
    SpawnSetup setup;
    if (!Prepare(setup))
        return std::nullopt;
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, args[0], &setup.actions, &setup.attr, args.data(), environ);
    if (rc != 0) {
        errno = rc;
        return std::nullopt;
    }
    ReapWhenDone(pid);
    return pid;
}

std::optional<LaunchedProgram> PosixProcessLauncher::launch(const std::vector<std::string> &argv,
                                                            ShowState show)
{
    const std::optional<pid_t> pid = spawn(argv);
    if (!pid)
        return std::nullopt;
    LaunchedProgram program{*pid, NoWindow};
    if (!m_windows)
        return program;
    program.window = m_windows->findByPid(*pid, m_windowWait);
    if (program.window != NoWindow && show == ShowState::Minimized)
        m_windows->iconify(program.window);
    return program;
}

bool PosixProcessLauncher::start(const std::vector<std::string> &argv) { return spawn(argv).has_value(); }

ProcessLauncher::Started PosixProcessLauncher::startNow(const std::vector<std::string> &argv)
{
    if (const std::optional<pid_t> pid = spawn(argv))
        return {pid, {}};
    // posix_spawnp reports the exec's own failure: ENOENT for a missing program, EACCES for a
    // folder or a file without execute permission, ENOEXEC for a file that is no program.
    return {std::nullopt, std::strerror(errno)};
}

WindowId PosixProcessLauncher::findWindowNow(pid_t pid)
{
    return m_windows ? m_windows->findByPid(pid, std::chrono::milliseconds(0)) : NoWindow;
}

void PosixProcessLauncher::minimize(WindowId window)
{
    if (m_windows && window != NoWindow)
        m_windows->iconify(window);
}

bool PosixProcessLauncher::askToClose(WindowId window)
{
    return m_windows && window != NoWindow && m_windows->close(window);
}

bool PosixProcessLauncher::closeWindow(WindowId window)
{
    if (!m_windows || window == NoWindow || !m_windows->close(window))
        return false;
    const auto deadline = std::chrono::steady_clock::now() + m_closeWait;
    while (m_windows->exists(window)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

} // namespace orvane
