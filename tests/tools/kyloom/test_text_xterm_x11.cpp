// kyloom text into a real terminal: xterm, like every real client, ignores key events that
// another client sends it, so only typing through XTest reaches it.
#include <gtest/gtest.h>

#include "tests/macroengine/support/tool_runner.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

extern char **environ;

using namespace orvane::test;
namespace fs = std::filesystem;

namespace {

constexpr auto kWaitLimit = std::chrono::seconds(15);

bool hasTitle(Display *display, Window window, const std::string &title)
{
    char *name = nullptr;
    const bool same = XFetchName(display, window, &name) && name && title == name;
    if (name)
        XFree(name);
    return same;
}

// The window titled `title` among the root's children and their children (a window manager
// may have reparented it); 0 when there is none.
Window findTitled(Display *display, const std::string &title)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        if (hasTitle(display, children[i], title)) {
            found = children[i];
            break;
        }
        Window r = 0, p = 0, *inner = nullptr;
        unsigned int n = 0;
        if (XQueryTree(display, children[i], &r, &p, &inner, &n)) {
            for (unsigned int j = 0; j < n && !found; ++j)
                if (hasTitle(display, inner[j], title))
                    found = inner[j];
            if (inner)
                XFree(inner);
        }
    }
    if (children)
        XFree(children);
    return found;
}

// An xterm whose shell reads one line and writes it to a file, so that the test sees exactly
// the characters the terminal received.
class LineTerminal {
public:
    LineTerminal(const std::string &title, const fs::path &output)
        : m_output(output), m_ready(output.string() + ".ready")
    {
        // The shell says when it runs: keys typed while xterm is still setting up its terminal
        // can be flushed with the terminal's settings and never reach the shell.
        const std::string script = "printf ok > '" + m_ready.string() +
                                   "'; IFS= read -r line; printf '%s' \"$line\" > '" + output.string() + "'";
        std::vector<std::string> args = {"xterm",    "-u8", "-T", title, "-geometry",
                                         "60x5+0+0", "-e",  "sh", "-c",  script};
        std::vector<char *> argv;
        for (std::string &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        setenv("LC_ALL", "C.UTF-8", 1);
        if (posix_spawnp(&m_pid, "xterm", nullptr, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        unsetenv("LC_ALL");
    }

    ~LineTerminal()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }

    bool started() const { return m_pid > 0; }

    // True once the shell runs and reads from the terminal, within the time limit.
    bool ready() const
    {
        const auto limit = std::chrono::steady_clock::now() + kWaitLimit;
        while (std::chrono::steady_clock::now() < limit) {
            if (fs::exists(m_ready))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    // The line the shell read, once it has written it; nothing before the time limit.
    std::optional<std::string> line() const
    {
        const auto limit = std::chrono::steady_clock::now() + kWaitLimit;
        while (std::chrono::steady_clock::now() < limit) {
            int status = 0;
            if (m_pid > 0 && waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        std::ifstream in(m_output, std::ios::binary);
        if (!in)
            return std::nullopt;
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    fs::path m_output;
    fs::path m_ready;
    mutable pid_t m_pid = -1;
};

class KyloomTextXterm : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "runs under an X server (xvfb-run)";
        m_display = XOpenDisplay(nullptr);
        ASSERT_NE(m_display, nullptr);
        m_dir = fs::temp_directory_path() / ("kyloom_text_" + std::to_string(getpid()) + "_" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }

    void TearDown() override
    {
        if (m_display)
            XCloseDisplay(m_display);
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }

    // Waits for the terminal's window and gives it the focus with the command itself.
    void activate(const std::string &title)
    {
        const auto limit = std::chrono::steady_clock::now() + kWaitLimit;
        while (std::chrono::steady_clock::now() < limit && !findTitled(m_display, title))
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ASSERT_NE(findTitled(m_display, title), 0u) << "xterm did not open";
        const ToolResult activated = runKyloom({"activate", title});
        ASSERT_EQ(activated.status, 0) << activated.err;
    }

    Display *m_display = nullptr;
    fs::path m_dir;
};

} // namespace

TEST_F(KyloomTextXterm, EveryCharacterArrivesLiterally)
{
    const std::string title = "kyloom text target " + std::to_string(getpid());
    LineTerminal terminal(title, m_dir / "line");
    ASSERT_TRUE(terminal.started()) << "xterm is not installed";
    ASSERT_TRUE(terminal.ready()) << "the terminal's shell did not start";
    activate(title);
    // The key-string language's characters, both cases, digits, and letters a US keyboard map
    // lacks, which are typed on borrowed keycodes.
    const std::string text = "Hello, World! +^%~{x}(y) ABC def 42 caf\u00e9 \u20ac5 \u00fcber";
    const ToolResult sent = runKyloom({"text", text + "\n"});
    EXPECT_EQ(sent.status, 0) << sent.err;
    EXPECT_EQ(sent.err, "");
    EXPECT_EQ(terminal.line(), text);
}

TEST_F(KyloomTextXterm, ACharacterNoKeyTypesIsAFailure)
{
    const std::string title = "kyloom text failure " + std::to_string(getpid());
    LineTerminal terminal(title, m_dir / "line");
    ASSERT_TRUE(terminal.started()) << "xterm is not installed";
    ASSERT_TRUE(terminal.ready()) << "the terminal's shell did not start";
    activate(title);
    const ToolResult sent = runKyloom({"text", "a\x07z\n"});
    EXPECT_EQ(sent.status, 1);
    EXPECT_EQ(sent.err, "kyloom: SendText: No key can type the character U+0007\n");
    // What could be typed still arrives.
    EXPECT_EQ(terminal.line(), "az");
}
