#pragma once
// Runs the real orvane program for end-to-end tests: its own home folder, a set clock, silent
// sound, and a sound log; every wait has a time limit.
#include <chrono>
#include <map>
#include <string>
#include <vector>

#include <sys/types.h>

class ProgramRunner {
public:
    explicit ProgramRunner(std::string home);
    ~ProgramRunner();

    std::map<std::string, std::string> env;
    // When set, the program's standard error goes to this file.
    std::string stderrPath;

    // Starts `orvane` with `args`; returns the child's pid.
    pid_t start(const std::vector<std::string> &args = {});
    // Runs `orvane args` to its end (at most `limit`) and returns its exit status, -1 on time-out.
    int run(const std::vector<std::string> &args, std::chrono::milliseconds limit = std::chrono::seconds(10));
    // Waits for the started program to end; its exit status, or -1 on time-out.
    int wait(std::chrono::milliseconds limit = std::chrono::seconds(10));
    // Waits until the running program answers on its channel.
    bool waitUntilListening(std::chrono::milliseconds limit = std::chrono::seconds(15));
    bool running() const;
    void kill();

    const std::string &home() const { return m_home; }
    std::string file(const std::string &name) const { return m_home + "/" + name; }
    static std::string programPath();
    static std::string readFile(const std::string &path);
    // Whether process `pid` has a shared library whose file name starts with `name` mapped.
    static bool hasLoaded(pid_t pid, const std::string &name);
    // Runs a shell command with a time limit and returns its standard output.
    static std::string capture(const std::string &command);

private:
    pid_t spawn(const std::vector<std::string> &args);
    std::string m_home;
    pid_t m_pid = -1;
};
