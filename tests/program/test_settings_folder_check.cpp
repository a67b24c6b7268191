#include "app/program/settings_folder_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace orvane;
namespace fs = std::filesystem;

namespace {

fs::path FreshDir(const std::string &name)
{
    const fs::path dir =
        fs::temp_directory_path() / ("orvane-folders-" + std::to_string(::getpid()) + "-" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

// Runs the check in a child that is never root, since root may write anywhere; the reason found
// comes back through a pipe ("" when the folder was writable).
std::string ReasonAsUnprivilegedUser(const std::string &folder)
{
    int fds[2];
    if (pipe(fds) != 0)
        return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        const auto found = FindUnwritableFolder({folder});
        const std::string reason = found ? found->folder + "|" + found->reason : "";
        [[maybe_unused]] auto n = write(fds[1], reason.data(), reason.size());
        _exit(0);
    }
    close(fds[1]);
    std::string reason;
    char buffer[256];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0)
        reason.append(buffer, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? reason : "child failed";
}

} // namespace

TEST(SettingsFolderCheck, NamesTheFolderAndTheReason)
{
    const fs::path dir = FreshDir("cases");
    std::ofstream(dir / "file") << "x";
    fs::create_directories(dir / "locked");
    fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                        fs::perms::group_exec | fs::perms::others_read |
                                        fs::perms::others_exec);
    fs::permissions(dir, fs::perms::all);
    const std::string base = dir.string();
    struct Case {
        const char *what;
        std::string folder;
        std::string expected; // folder|reason, "" when writable
    };
    const Case cases[] = {
        {"a writable folder", base + "/", ""},
        {"a folder to be created below a writable one", base + "/new/deeper/", ""},
        {"a file in the way", base + "/file/home/", base + "/file/home/|" + base + "/file is not a folder"},
        {"a read-only folder", base + "/locked/", base + "/locked/|Permission denied"},
        {"below a read-only folder", base + "/locked/sub/", base + "/locked/sub/|Permission denied"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ReasonAsUnprivilegedUser(c.folder), c.expected) << c.what;
    fs::permissions(dir / "locked", fs::perms::owner_all);
    fs::remove_all(dir);
}

TEST(SettingsFolderCheck, TheMessageSaysWhatIsLost)
{
    EXPECT_EQ(UnwritableFolderMessage({"/home/ann/.config/orvane/", "Read-only file system"}),
              "Settings and alarms cannot be saved in /home/ann/.config/orvane/ (Read-only file system). "
              "Changes made now will be lost when Orvane ends.");
}
