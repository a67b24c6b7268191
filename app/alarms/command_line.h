#pragma once
// Command lines of Program and launcher alarms turned into argument lists. They are handed to
// the process launcher as they are and never pass through a shell, so nothing in an alarm's
// text, a page name or a launcher path is ever interpreted as shell syntax.
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// Splits at blanks and tabs; text in double quotes stays one argument (the quotes go; "" gives
// an empty argument). Backslashes are ordinary characters. An unclosed quote runs to the end.
std::vector<std::string> SplitCommandLine(std::string_view line);

// A path written the Windows way: every backslash becomes '/'.
std::string ToLinuxPath(std::string_view path);

// The arguments of a Program alarm's command line: the first word is the program, written
// with '/' for any backslash. Empty when the line holds no program.
std::vector<std::string> ProgramArguments(std::string_view commandLine);

// The launcher's command line for a page and an action ("-LAUNCH" or "-CLOSE"), as it has
// always been written: path + "\QDECKER.EXE -" + page + " " + action.
std::string LauncherCommandLine(std::string_view launcherPath, std::string_view page,
                                std::string_view action);
// The same as arguments: the program QDECKER.EXE in the launcher's folder, "-" + page (one
// argument, blanks and all) and the action.
std::vector<std::string> LauncherArguments(std::string_view launcherPath, std::string_view page,
                                           std::string_view action);

} // namespace orvane
