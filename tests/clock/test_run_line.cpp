#include "app/clock/autostart_entry.h"
#include "app/clock/run_line.h"
#include "app/clock/update_run_line.h"
#include "app/common/ini_file.h"
#include "tests/support/env_guard.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <ostream>

#include <filesystem>

using namespace orvane;

namespace {

const std::string kOurs = "/opt/orvane/bin/orvane";

struct RunLineCase {
    const char *name;
    const char *before;
    bool autoRun;
    const char *after;
};

// The case's name stands for it in the test output.
void PrintTo(const RunLineCase &c, std::ostream *os) { *os << c.name; }

const RunLineCase kCases[] = {
    {"switch on beside one other program", "C:\\TOOLS\\NOTE.EXE", true,
     "C:\\TOOLS\\NOTE.EXE;/opt/orvane/bin/orvane"},
    {"switch on with an empty line", "", true, "/opt/orvane/bin/orvane"},
    {"switch off in the middle of three", "a.exe;C:\\ORVAN32\\ORVAN32.EXE;b.exe", false, "a.exe;b.exe"},
    {"only the first of two entries goes", "x\\orvan.exe;y;z\\Orvane2.exe", false, "y;z\\Orvane2.exe"},
    {"switch on keeps the second old entry", "x\\orvan.exe;y;z\\Orvane2.exe", true,
     "y;z\\Orvane2.exe;/opt/orvane/bin/orvane"},
    {"leading empty entries vanish", ";;a.exe;b.exe", false, "a.exe;b.exe"},
    {"empty entries after the first are kept", "a.exe;;b.exe", false, "a.exe;;b.exe"},
    {"a trailing separator is dropped", "a.exe;", false, "a.exe"},
    {"our entry alone becomes empty", "/opt/orvane/bin/orvane", false, ""},
    {"blanks are neither added nor removed", " a.exe ; b.exe", false, " a.exe ; b.exe"},
    {"switching on twice leaves one entry", "a.exe;/opt/orvane/bin/orvane", true,
     "a.exe;/opt/orvane/bin/orvane"},
};

class RunLineTable : public ::testing::TestWithParam<RunLineCase> {};

} // namespace

TEST_P(RunLineTable, RebuildsAsDescribed)
{
    const RunLineCase &c = GetParam();
    EXPECT_EQ(RebuildRunLine(c.before, c.autoRun, kOurs), c.after) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, RunLineTable, ::testing::ValuesIn(kCases));

TEST(RunLine, HoldsPathOnlyForTheExactEntry)
{
    EXPECT_TRUE(RunLineHoldsPath("a;/opt/orvane/bin/orvane", kOurs));
    EXPECT_FALSE(RunLineHoldsPath("a;/opt/orvane/bin/orvane2", kOurs));
    EXPECT_FALSE(RunLineHoldsPath("", kOurs));
}

TEST(AutostartEntry, QuotesAPathWithBlanksAndEscapes)
{
    EXPECT_NE(AutostartEntryText("/usr/bin/orvane").find("\nExec=/usr/bin/orvane\n"), std::string::npos);
    EXPECT_NE(AutostartEntryText("/home/a b/100%/orv\"ane").find("\nExec=\"/home/a b/100%%/orv\\\\\"ane\"\n"),
              std::string::npos);
}

TEST(UpdateRunLine, WritesTheLineAndTheAutostartEntryTogether)
{
    TempDir dir;
    EnvGuard xdg("XDG_CONFIG_HOME", dir.file("config"));
    TIniFile win(dir.file("Win.ini"));
    win.WriteString("windows", "run", "other.exe");
    win.WriteString("windows", "load", "kept");

    ASSERT_EQ(UpdateRunLine(win, true, kOurs), std::nullopt);
    EXPECT_EQ(win.ReadString("windows", "run", "?"), "other.exe;" + kOurs);
    EXPECT_EQ(win.ReadString("windows", "load", "?"), "kept");
    const std::string entry = dir.file("config/autostart/orvane.desktop");
    EXPECT_EQ(AutostartEntryPath(), entry);
    ASSERT_TRUE(std::filesystem::exists(entry));
    EXPECT_NE(TempDir::read(entry).find("Exec=" + kOurs), std::string::npos);

    ASSERT_EQ(UpdateRunLine(win, false, kOurs), std::nullopt);
    EXPECT_EQ(win.ReadString("windows", "run", "?"), "other.exe");
    EXPECT_FALSE(std::filesystem::exists(entry));
}

TEST(UpdateRunLine, AnotherOrvanEntryLeftBehindIsNotOurs)
{
    TempDir dir;
    EnvGuard xdg("XDG_CONFIG_HOME", dir.file("config"));
    TIniFile win(dir.file("Win.ini"));
    win.WriteString("windows", "run", kOurs + ";/old/orvan32");
    ASSERT_EQ(UpdateRunLine(win, false, kOurs), std::nullopt);
    EXPECT_EQ(win.ReadString("windows", "run", "?"), "/old/orvan32");
    EXPECT_FALSE(std::filesystem::exists(dir.file("config/autostart/orvane.desktop")));
}

TEST(UpdateRunLine, AFailedWinIniWriteLeavesTheAutostartEntryAlone)
{
    TempDir dir;
    EnvGuard xdg("XDG_CONFIG_HOME", dir.file("config"));
    // A folder where the file should be cannot be written, even by root.
    std::filesystem::create_directories(dir.file("Win.ini"));
    TIniFile win(dir.file("Win.ini"));
    const auto failure = UpdateRunLine(win, true, kOurs);
    ASSERT_TRUE(failure);
    EXPECT_EQ(*failure, "Unable to write to " + dir.file("Win.ini"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("config/autostart")));
}

TEST(UpdateRunLine, AnAutostartFolderThatCannotBeMadeIsReported)
{
    TempDir dir;
    EnvGuard xdg("XDG_CONFIG_HOME", dir.file("config"));
    std::filesystem::create_directories(dir.file("config"));
    TempDir::write(dir.file("config/autostart"), "a file, not a folder");
    TIniFile win(dir.file("Win.ini"));
    const auto failure = UpdateRunLine(win, true, kOurs);
    ASSERT_TRUE(failure);
    EXPECT_EQ(*failure, "Unable to write to " + dir.file("config/autostart/orvane.desktop"));
    EXPECT_EQ(win.ReadString("windows", "run", "?"), kOurs);
}
