#pragma once
// Runs a check as a user without privileges, so that tests of permission handling mean the same
// as root (CI) and as a normal user. As root the check runs in a forked child that has become
// `nobody`; the folders it needs are handed to that user first. The child is always waited for
// (and killed after a time limit), so no test leaves a process behind.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace orvane::test {

inline constexpr uid_t kNobody = 65534;

// Returns the check's failure text, empty when it passed. `ownedDirs` are given to the user the
// check runs as (with everything in them).
inline std::string RunUnprivileged(const std::function<std::string()> &check,
                                   const std::vector<std::filesystem::path> &ownedDirs = {})
{
    if (::geteuid() != 0)
        return check();
    for (const auto &dir : ownedDirs) {
        if (::chown(dir.c_str(), kNobody, kNobody) != 0)
            return "cannot hand " + dir.string() + " to nobody";
        for (const auto &entry : std::filesystem::recursive_directory_iterator(dir))
            if (::lchown(entry.path().c_str(), kNobody, kNobody) != 0)
                return "cannot hand " + entry.path().string() + " to nobody";
    }
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return "pipe failed";
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0)
        return "fork failed";
    if (pid == 0) {
        ::close(pipeFds[0]);
        std::string result;
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            result = "cannot become nobody";
        else
            result = check();
        [[maybe_unused]] auto n = ::write(pipeFds[1], result.data(), result.size());
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            ::close(pipeFds[0]);
            return "the unprivileged check did not end within 60 s";
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::string result;
    char buf[512];
    ssize_t n;
    while ((n = ::read(pipeFds[0], buf, sizeof buf)) > 0)
        result.append(buf, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "the unprivileged check ended abnormally" + (result.empty() ? "" : ": " + result);
    return result;
}

} // namespace orvane::test
