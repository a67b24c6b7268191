#include "program_runner.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

ProgramRunner::ProgramRunner(std::string home) : m_home(std::move(home))
{
    std::filesystem::create_directories(m_home);
    env["ORVANE_HOME"] = m_home;
    env["SDL_AUDIODRIVER"] = "dummy";
    env["ORVANE_NO_MESSAGE_BOXES"] = "1";
    env["XDG_RUNTIME_DIR"] = m_home + "/run";
    // The autostart entry lives under XDG_CONFIG_HOME, never in the tester's own session.
    env["XDG_CONFIG_HOME"] = m_home + "/xdg";
    std::filesystem::create_directories(m_home + "/run");
    std::filesystem::permissions(m_home + "/run", std::filesystem::perms::owner_all);
}

ProgramRunner::~ProgramRunner() { kill(); }

std::string ProgramRunner::programPath() { return std::string(ORVANE_TEST_BUILD_DIR) + "/bin/orvane"; }

pid_t ProgramRunner::spawn(const std::vector<std::string> &args)
{
    std::map<std::string, std::string> all;
    for (char **e = environ; *e; ++e) {
        const char *eq = std::strchr(*e, '=');
        if (eq)
            all[std::string(*e, static_cast<std::size_t>(eq - *e))] = eq + 1;
    }
    for (const auto &[k, v] : env)
        all[k] = v;
    std::vector<std::string> envStrings;
    for (const auto &[k, v] : all)
        envStrings.push_back(k + "=" + v);
    std::vector<char *> envp;
    for (auto &s : envStrings)
        envp.push_back(s.data());
    envp.push_back(nullptr);
    std::vector<std::string> argStrings{programPath()};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (auto &s : argStrings)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!stderrPath.empty())
        posix_spawn_file_actions_addopen(&actions, 2, stderrPath.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                         0644);
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return failed ? -1 : pid;
}

pid_t ProgramRunner::start(const std::vector<std::string> &args)
{
    m_pid = spawn(args);
    return m_pid;
}

static int WaitFor(pid_t pid, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (r < 0)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

int ProgramRunner::run(const std::vector<std::string> &args, std::chrono::milliseconds limit)
{
    const pid_t pid = spawn(args);
    if (pid < 0)
        return -1;
    const int status = WaitFor(pid, limit);
    if (status == -1) {
        ::kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    return status;
}

int ProgramRunner::wait(std::chrono::milliseconds limit)
{
    if (m_pid < 0)
        return -1;
    const int status = WaitFor(m_pid, limit);
    if (status != -1)
        m_pid = -1;
    return status;
}

bool ProgramRunner::running() const { return m_pid > 0 && ::kill(m_pid, 0) == 0; }

bool ProgramRunner::waitUntilListening(std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    // An unknown word is answered without effect, so asking costs the program nothing.
    while (std::chrono::steady_clock::now() < deadline) {
        if (run({"--ping"}, std::chrono::seconds(3)) == 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

void ProgramRunner::kill()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
}

bool ProgramRunner::hasLoaded(pid_t pid, const std::string &name)
{
    std::istringstream maps(readFile("/proc/" + std::to_string(pid) + "/maps"));
    std::string line;
    while (std::getline(maps, line))
        if (line.find("/" + name) != std::string::npos)
            return true;
    return false;
}

std::string ProgramRunner::readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string ProgramRunner::capture(const std::string &command)
{
    std::string out;
    FILE *p = popen(("timeout 10 " + command).c_str(), "r");
    if (!p)
        return out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    pclose(p);
    return out;
}
