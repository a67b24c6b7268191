#include "app/alarms/command_line.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using Args = std::vector<std::string>;

struct SplitCase {
    const char *line;
    Args expected;
};

TEST(SplitCommandLine, SplitsAtBlanksAndKeepsQuotedTextTogether)
{
    const SplitCase cases[] = {
        {"xterm", {"xterm"}},
        {"  gedit   notes.txt  ", {"gedit", "notes.txt"}},
        {"\tprog\targ", {"prog", "arg"}},
        {"\"/opt/My App/run\" -x \"two words\"", {"/opt/My App/run", "-x", "two words"}},
        {"prog \"\" last", {"prog", "", "last"}},
        {"prog a\"b c\"d", {"prog", "ab cd"}},
        {"prog \"unclosed quote runs on", {"prog", "unclosed quote runs on"}},
        {"sh -c 'rm -rf ~'; echo $HOME `id` | cat > x",
         {"sh", "-c", "'rm", "-rf", "~';", "echo", "$HOME", "`id`", "|", "cat", ">", "x"}},
        {"C:\\WIN\\notepad.exe C:\\a.txt", {"C:\\WIN\\notepad.exe", "C:\\a.txt"}},
        {"", {}},
        {"   ", {}},
    };
    for (const SplitCase &c : cases)
        EXPECT_EQ(SplitCommandLine(c.line), c.expected) << c.line;
}

TEST(ProgramArguments, TurnsTheProgramPathIntoALinuxPathOnly)
{
    EXPECT_EQ(ProgramArguments("C:\\WIN\\notepad.exe C:\\a.txt"), (Args{"C:/WIN/notepad.exe", "C:\\a.txt"}));
    EXPECT_EQ(ProgramArguments("\\usr\\bin\\xclock -digital"), (Args{"/usr/bin/xclock", "-digital"}));
    EXPECT_EQ(ProgramArguments("\"\" x"), Args{});
    EXPECT_EQ(ProgramArguments(""), Args{});
}

TEST(LauncherCommand, KeepsItsFormAndItsArgumentsWhole)
{
    EXPECT_EQ(LauncherCommandLine("C:\\QD", "Morning", "-LAUNCH"), "C:\\QD\\QDECKER.EXE -Morning -LAUNCH");
    EXPECT_EQ(LauncherCommandLine("C:\\QD", "Morning", "-CLOSE"), "C:\\QD\\QDECKER.EXE -Morning -CLOSE");
    EXPECT_EQ(LauncherArguments("C:\\QD", "Morning", "-LAUNCH"),
              (Args{"C:/QD/QDECKER.EXE", "-Morning", "-LAUNCH"}));
    EXPECT_EQ(LauncherArguments("/home/me/Quay Deck", "My Page; rm x", "-CLOSE"),
              (Args{"/home/me/Quay Deck/QDECKER.EXE", "-My Page; rm x", "-CLOSE"}));
    EXPECT_EQ(LauncherArguments("", "P", "-LAUNCH").front(), "/QDECKER.EXE");
}

} // namespace
} // namespace orvane
