// The X server going away while the clock runs: the program ends, and the settings and alarms
// it held are saved first, as at a normal close.
#include "program_runner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;
namespace fs = std::filesystem;

namespace {

// An X server of the test's own, so that it can be ended under the running program.
class OwnXServer {
public:
    OwnXServer()
    {
        std::mt19937 random(static_cast<unsigned>(::getpid()));
        for (int attempt = 0; attempt < 20 && m_pid <= 0; ++attempt) {
            const int number = std::uniform_int_distribution<int>(300, 899)(random);
            if (fs::exists("/tmp/.X11-unix/X" + std::to_string(number)) ||
                fs::exists("/tmp/.X" + std::to_string(number) + "-lock"))
                continue;
            m_display = ":" + std::to_string(number);
            std::vector<std::string> args{"Xvfb",       m_display,   "-screen", "0",
                                          "800x600x24", "-nolisten", "tcp"};
            std::vector<char *> argv;
            for (auto &a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            pid_t pid = 0;
            if (posix_spawnp(&pid, "Xvfb", nullptr, nullptr, argv.data(), environ) != 0)
                return;
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!fs::exists("/tmp/.X11-unix/X" + std::to_string(number)) &&
                   std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            m_pid = pid;
        }
    }
    ~OwnXServer() { stop(); }
    void stop()
    {
        if (m_pid <= 0)
            return;
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
    bool running() const { return m_pid > 0; }
    const std::string &display() const { return m_display; }

private:
    pid_t m_pid = -1;
    std::string m_display;
};

} // namespace

TEST(DisplayLoss, TheSettingsAndAlarmsAreSavedBeforeTheProgramEnds)
{
    OwnXServer server;
    ASSERT_TRUE(server.running()) << "Xvfb could not be started";
    const std::string home =
        (fs::temp_directory_path() / ("orvane-xloss-" + std::to_string(::getpid()))).string();
    fs::remove_all(home);
    fs::create_directories(home);
    std::ofstream(home + "/murvelin.ini", std::ios::binary) << "[Voice]\r\nHowOften=0x0F\r\n";
    ProgramRunner orvane(home);
    orvane.env["DISPLAY"] = server.display();
    ASSERT_GT(orvane.start(), 0);
    ASSERT_TRUE(orvane.waitUntilListening());
    server.stop();
    const int status = orvane.wait(std::chrono::seconds(15));
    EXPECT_NE(status, -1) << "the program must end when its display is gone";
    const std::string ini = ProgramRunner::readFile(home + "/murvelin.ini");
    EXPECT_NE(ini.find("HowOften=15"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Title Bar Res=0"), std::string::npos) << ini;
    EXPECT_EQ(fs::exists(home + "/alarms32.rec") ? fs::file_size(home + "/alarms32.rec") : 0u, 19200u);
    fs::remove_all(home);
}
