#include "app/alarms/command_line.h"

namespace orvane {

std::vector<std::string> SplitCommandLine(std::string_view line)
{
    std::vector<std::string> args;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inArgument = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (inArgument)
                args.push_back(std::move(current));
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        args.push_back(std::move(current));
    return args;
}

std::string ToLinuxPath(std::string_view path)
{
    std::string result(path);
    for (char &c : result)
        if (c == '\\')
            c = '/';
    return result;
}

std::vector<std::string> ProgramArguments(std::string_view commandLine)
{
    std::vector<std::string> args = SplitCommandLine(commandLine);
    if (!args.empty())
        args.front() = ToLinuxPath(args.front());
    if (!args.empty() && args.front().empty())
        args.clear();
    return args;
}

std::string LauncherCommandLine(std::string_view launcherPath, std::string_view page, std::string_view action)
{
    return std::string(launcherPath) + "\\QDECKER.EXE -" + std::string(page) + " " + std::string(action);
}

std::vector<std::string> LauncherArguments(std::string_view launcherPath, std::string_view page,
                                           std::string_view action)
{
    std::string pageArgument = "-";
    pageArgument.append(page);
    return {ToLinuxPath(std::string(launcherPath) + "\\QDECKER.EXE"), pageArgument, std::string(action)};
}

} // namespace orvane
