#pragma once
// A program the test starts, always ended and reaped when the test is done with it.
#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace orvane::testing_x11 {

class ChildProcess {
public:
    // Starts args[0] (a path) with the test's environment plus `extraEnvironment` ("NAME=value").
    // Descriptors without close-on-exec are inherited.
    explicit ChildProcess(std::vector<std::string> args, std::vector<std::string> extraEnvironment = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    pid_t pid() const { return m_pid; }
    // The exit status once the process has ended within `limit`; nullopt otherwise.
    std::optional<int> waitForExit(std::chrono::milliseconds limit);
    // Asks the process to end, and kills it when it does not within a second.
    void stop();

private:
    pid_t m_pid = -1;
    bool m_reaped = false;
};

} // namespace orvane::testing_x11
