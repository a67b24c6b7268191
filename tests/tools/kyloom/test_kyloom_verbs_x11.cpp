// The kyloom verbs record, play and bind, run as the user would run them.
#include "tests/macroengine/support/input_x11_fixture.h"
#include "tests/macroengine/support/tool_runner.h"

#include <X11/keysym.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <future>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace orvane::test {
namespace {

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::string tempFile(const char *name)
{
    return "/tmp/kyloom-verbs-" + std::to_string(getpid()) + "-" + name + ".mac";
}

TEST(KyloomVerbsX11, RecordAddsToTheFileAndPlayTypesItBack)
{
    const std::string file = tempFile("record");
    std::remove(file.c_str());
    TargetWindow target;
    for (const char *name : {"First", "Second"}) {
        const std::string key = std::string(name) == "First" ? "F6" : "F7";
        auto recording = std::async(std::launch::async, [&] {
            return runKyloom({"record", file, "--key", key, "--name", name});
        });
        pause(700);
        ASSERT_EQ(std::system("xdotool key ctrl+alt+shift+F11"), 0);
        pause(200);
        ASSERT_EQ(std::system("xdotool type hi"), 0);
        ASSERT_EQ(std::system("xdotool key ctrl+alt+shift+F11"), 0);
        const ToolResult result = recording.get();
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_NE(result.out.find("Recorded " + key), std::string::npos);
    }
    const ToolResult list = runKyloom({"list", file});
    EXPECT_EQ(list.out, "0x0075\tF6\tFirst\t4\tMBWindow\n0x0076\tF7\tSecond\t4\tMBWindow\n");

    target.pressedKeys(); // what the recording typed
    const size_t before = target.pressedKeys().size();
    const ToolResult play = runKyloom({"play", file, "--name", "second", "--fast"});
    EXPECT_EQ(play.status, 0) << play.err;
    const std::vector<KeySym> keys = target.pressedKeys();
    ASSERT_EQ(keys.size(), before + 2);
    EXPECT_EQ(keys[before], XK_h);
    EXPECT_EQ(keys[before + 1], XK_i);
    std::remove(file.c_str());
}

TEST(KyloomVerbsX11, RecordRefusesAKeyThatHoldsAMacro)
{
    const std::string file = tempFile("replace");
    const std::vector<FileEvent> events{{0x100, 0x5A, 1, 0, 0}, {0x101, 0x5A, 1, 5, 0}};
    std::rename(writeMacroFile(events, 0x0078).c_str(), file.c_str()); // F9 types z
    TargetWindow target;

    const ToolResult refused = runKyloom({"record", file, "--key", "F9", "--name", "New"}, 5);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "kyloom: F9 already holds the macro \"<NO MACRO NAME>\" in " + file +
                               "; give --replace to record over it\n");
    // Refused before asking for a recording, and the file is as it was.
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(runKyloom({"list", file}).out, "0x0078\tF9\t<NO MACRO NAME>\t2\tMBScreen\n");

    std::remove(file.c_str());
}

TEST(KyloomVerbsX11, BindServesTheFileUntilTerminated)
{
    const std::string file = tempFile("bind");
    const std::vector<FileEvent> events{{0x100, 0x5A, 1, 0, 0}, {0x101, 0x5A, 1, 5, 0}};
    const std::string written = writeMacroFile(events, 0x0078); // F9 types z
    std::rename(written.c_str(), file.c_str());
    TargetWindow target;

    const std::string kyloom = std::string(ORVANE_TEST_BUILD_DIR) + "/bin/kyloom";
    std::vector<char *> argv{const_cast<char *>(kyloom.c_str()), const_cast<char *>("bind"),
                             const_cast<char *>(file.c_str()), nullptr};
    int output[2];
    ASSERT_EQ(pipe2(output, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], 1);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, kyloom.c_str(), &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    pause(700);
    ASSERT_EQ(std::system("xdotool key F9"), 0);
    pause(300);
    EXPECT_EQ(target.pressedKeys(), std::vector<KeySym>{XK_z});

    kill(pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 100 && waitpid(pid, &status, WNOHANG) == 0; ++i)
        pause(20);
    ASSERT_TRUE(WIFEXITED(status)) << "ends cleanly on SIGTERM";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    // It told the user how to stop it.
    std::string shown(4096, '\0');
    shown.resize(static_cast<size_t>(std::max<ssize_t>(0, read(output[0], shown.data(), 4096))));
    close(output[0]);
    EXPECT_EQ(shown, "0x0078\tF9\t<NO MACRO NAME>\n"
                     "Serving these keys; press Ctrl+C or run \"kill " +
                         std::to_string(pid) + "\" to stop.\n");
    // Its keys are free again.
    ASSERT_EQ(std::system("xdotool key F9"), 0);
    pause(100);
    EXPECT_EQ(target.pressedKeys(), (std::vector<KeySym>{XK_z, XK_F9}));
    std::remove(file.c_str());
}

TEST(KyloomVerbsX11, NoDisplayEndsWithStatusOne)
{
    const std::string saved = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    setenv("DISPLAY", ":9996", 1);
    const ToolResult result = runKyloom({"bind", "/nonexistent.mac"});
    setenv("DISPLAY", saved.c_str(), 1);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Error creating macro message processing window"), std::string::npos);
}

} // namespace
} // namespace orvane::test
