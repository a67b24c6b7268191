#include "tests/macroengine/support/tool_runner.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace orvane::test {

namespace {

std::string kyloomPath() { return std::string(ORVANE_TEST_BUILD_DIR) + "/bin/kyloom"; }

// Reads both pipes until they close or the deadline passes.
bool collect(int outFd, int errFd, ToolResult &result, std::chrono::steady_clock::time_point deadline)
{
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    std::string *sinks[2] = {&result.out, &result.err};
    int open = 2;
    while (open > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        if (poll(fds, 2, static_cast<int>(left.count())) < 0 && errno != EINTR)
            return false;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP)))
                continue;
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<size_t>(n));
            } else {
                fds[i].fd = -1;
                --open;
            }
        }
    }
    return true;
}

} // namespace

ToolResult runKyloom(const std::vector<std::string> &args, int seconds)
{
    ToolResult result;
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    const std::string path = kyloomPath();
    std::vector<char *> argv{const_cast<char *>(path.c_str())};
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    if (spawned == 0) {
        const bool finished =
            collect(out[0], err[0], result, std::chrono::steady_clock::now() + std::chrono::seconds(seconds));
        if (!finished)
            kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        if (finished && WIFEXITED(status))
            result.status = WEXITSTATUS(status);
    }
    close(out[0]);
    close(err[0]);
    return result;
}

} // namespace orvane::test
