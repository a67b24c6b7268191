#include "app/program/settings_folder_check.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace orvane {
namespace {

// The folder itself, or the nearest existing folder above it.
std::string ExistingFolder(std::string folder)
{
    std::error_code ec;
    while (!folder.empty() && !std::filesystem::exists(folder, ec)) {
        const std::filesystem::path parent = std::filesystem::path(folder).parent_path();
        if (parent.string() == folder || parent.empty())
            break;
        folder = parent.string();
    }
    return folder.empty() ? std::string("/") : folder;
}

std::optional<std::string> WhyNotWritable(const std::string &folder)
{
    const std::string existing = ExistingFolder(folder);
    std::error_code ec;
    if (!std::filesystem::is_directory(existing, ec))
        return existing + " is not a folder";
    // Writing a file means creating a temporary one beside it and renaming it.
    if (::access(existing.c_str(), W_OK | X_OK) != 0)
        return std::string(std::strerror(errno));
    return std::nullopt;
}

} // namespace

std::optional<UnwritableFolder> FindUnwritableFolder(const std::vector<std::string> &folders)
{
    for (const std::string &folder : folders) {
        if (auto reason = WhyNotWritable(folder))
            return UnwritableFolder{folder, *reason};
    }
    return std::nullopt;
}

std::string UnwritableFolderMessage(const UnwritableFolder &folder)
{
    return "Settings and alarms cannot be saved in " + folder.folder + " (" + folder.reason +
           "). Changes made now will be lost when Orvane ends.";
}

} // namespace orvane
