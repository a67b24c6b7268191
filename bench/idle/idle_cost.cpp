// Idle cost of the running clock: CPU milliseconds and resident memory of the real program over
// a stretch of wall time (60 s by default, ORVANE_IDLE_SECONDS to change). Run under Xvfb:
//   xvfb-run -a build/bin/bench_idle
#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

// utime + stime of a process, in clock ticks.
long CpuTicks(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string all;
    std::getline(in, all);
    const auto close = all.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream rest(all.substr(close + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; rest >> field; ++i) {
        if (i == 14)
            utime = std::stol(field);
        if (i == 15) {
            stime = std::stol(field);
            break;
        }
    }
    return utime + stime;
}

long RssKb(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

void BM_IdleClock(benchmark::State &state)
{
    const int seconds =
        std::getenv("ORVANE_IDLE_SECONDS") ? std::atoi(std::getenv("ORVANE_IDLE_SECONDS")) : 60;
    const std::string home =
        std::filesystem::temp_directory_path() / ("orvane-idle-" + std::to_string(::getpid()));
    std::filesystem::create_directories(home);
    setenv("ORVANE_HOME", home.c_str(), 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("ORVANE_NO_MESSAGE_BOXES", "1", 1);
    std::string program = std::string(ORVANE_BENCH_BUILD_DIR) + "/bin/orvane";
    char *argv[] = {program.data(), nullptr};
    for (auto _ : state) {
        pid_t pid = -1;
        if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0) {
            state.SkipWithError("cannot start orvane");
            return;
        }
        std::this_thread::sleep_for(std::chrono::seconds(3)); // start-up is not idle time
        const long before = CpuTicks(pid);
        const auto t0 = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        const long after = CpuTicks(pid);
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.SetIterationTime(wall);
        state.counters["cpu_ms"] = (after - before) * 1000.0 / sysconf(_SC_CLK_TCK);
        state.counters["cpu_ms_per_min"] = state.counters["cpu_ms"] * 60.0 / wall;
        state.counters["rss_kb"] = static_cast<double>(RssKb(pid));
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    std::filesystem::remove_all(home);
}

BENCHMARK(BM_IdleClock)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
