#pragma once

#include <string>
#include <sys/types.h>

namespace orvane::test {

// An Xvfb server of the test's own, on a display number the server picks, so that a test can
// end it or run two at once without touching the display other tests use.
class PrivateXvfb {
public:
    PrivateXvfb();
    ~PrivateXvfb();
    PrivateXvfb(const PrivateXvfb &) = delete;
    PrivateXvfb &operator=(const PrivateXvfb &) = delete;

    explicit operator bool() const { return !m_display.empty(); }
    // ":N", empty when the server did not start within its time limit.
    const std::string &display() const { return m_display; }
    // Ends the server at once, as a crash or a lost connection would.
    void kill();

private:
    pid_t m_pid = -1;
    std::string m_display;
};

// A kyloom process started with extra environment variables; killed and reaped when it is
// still running at the end of its object's life, so no test leaves it behind.
class KyloomProcess {
public:
    KyloomProcess(const std::string &args0, const std::string &args1, const std::string &display,
                  const std::string &runtimeFolder);
    ~KyloomProcess();
    KyloomProcess(const KyloomProcess &) = delete;
    KyloomProcess &operator=(const KyloomProcess &) = delete;

    explicit operator bool() const { return m_pid > 0; }
    void signal(int number);
    // The wait status once it ended within `seconds`; -1 when it had to be killed.
    int waitFor(int seconds);
    // What it wrote to standard error (complete once it ended).
    std::string errors() const;

private:
    pid_t m_pid = -1;
    std::string m_errFile;
};

} // namespace orvane::test
