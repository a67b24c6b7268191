#include "app/media/folder_ops.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace orvane {

bool FolderExists(const std::string &path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

namespace {

std::string WithoutTrailingSlash(const std::string &path)
{
    if (path.size() > 1 && path.back() == '/')
        return path.substr(0, path.size() - 1);
    return path;
}

std::string ParentOf(const std::string &path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return {};
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

} // namespace

std::optional<std::string> MakeFolderPath(const std::string &path)
{
    const std::string folder = WithoutTrailingSlash(path);
    if (folder.empty())
        return std::string("No folder name was given.");
    if (folder == "/" || FolderExists(folder))
        return std::nullopt;
    // Parents first, so that the error names the first folder that could not be made.
    const std::string parent = ParentOf(folder);
    if (!parent.empty())
        if (auto error = MakeFolderPath(parent))
            return error;
    if (::mkdir(folder.c_str(), 0777) == 0)
        return std::nullopt;
    const int err = errno;
    // Another process may have made it in the meantime; that is success too.
    if (err == EEXIST && FolderExists(folder))
        return std::nullopt;
    if (err == EEXIST)
        return "Cannot create the folder " + folder + ": a file of that name is in the way.";
    return "Cannot create the folder " + folder + ": " + std::strerror(err) + ".";
}

} // namespace orvane
