#include "app/clock/run_line.h"

#include <algorithm>
#include <cctype>

namespace orvane {

std::vector<std::string> SplitRunLine(std::string_view line)
{
    std::vector<std::string> entries;
    std::size_t semi;
    while ((semi = line.find(';')) != std::string_view::npos) {
        entries.emplace_back(line.substr(0, semi));
        line.remove_prefix(semi + 1);
    }
    if (!line.empty())
        entries.emplace_back(line);
    return entries;
}

std::string JoinRunLine(const std::vector<std::string> &entries)
{
    std::string text;
    for (const std::string &e : entries)
        text = text.empty() ? e : text + ";" + e;
    return text;
}

bool IsOurRunEntry(std::string_view entry)
{
    std::string upper(entry);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper.find("ORVAN") != std::string::npos;
}

std::string RebuildRunLine(std::string_view line, bool autoRun, std::string_view ourPath)
{
    std::vector<std::string> entries = SplitRunLine(line);
    const auto ours =
        std::find_if(entries.begin(), entries.end(), [](const std::string &e) { return IsOurRunEntry(e); });
    if (ours != entries.end())
        entries.erase(ours);
    if (autoRun)
        entries.emplace_back(ourPath);
    return JoinRunLine(entries);
}

bool RunLineHoldsPath(std::string_view line, std::string_view ourPath)
{
    const std::vector<std::string> entries = SplitRunLine(line);
    return std::find(entries.begin(), entries.end(), ourPath) != entries.end();
}

} // namespace orvane
