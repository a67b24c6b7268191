#include "core/private_object.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace orvane::private_object {

namespace {

bool isFilePath(const std::string &name) { return name.find('/', 1) != std::string::npos; }

std::string octal(mode_t mode)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
    return text;
}

} // namespace

Folder runtimeFolder()
{
    Folder folder;
    const char *dir = std::getenv("XDG_RUNTIME_DIR");
    if (!dir || !dir[0])
        return folder;
    folder.path = dir;
    struct stat st {};
    std::string why;
    if (dir[0] != '/')
        why = "it is not an absolute path";
    else if (lstat(dir, &st) != 0)
        why = std::string("it cannot be read (") + std::strerror(errno) + ")";
    else if (!S_ISDIR(st.st_mode))
        why = "it is not a folder";
    else if (st.st_uid != geteuid())
        why =
            "it belongs to user " + std::to_string(st.st_uid) + ", not to user " + std::to_string(geteuid());
    else if ((st.st_mode & 077) != 0)
        why = "it has mode " + octal(st.st_mode) + ", not 0700";
    if (!why.empty()) {
        folder.ok = false;
        folder.why = describe("XDG_RUNTIME_DIR " + folder.path, why);
    }
    return folder;
}

std::string nameFor(const std::string &base, std::string &why)
{
    const Folder folder = runtimeFolder();
    if (!folder.ok) {
        why = folder.why;
        return {};
    }
    if (folder.path.empty())
        return "/" + base + "." + std::to_string(geteuid());
    std::string path = folder.path;
    if (path.back() != '/')
        path += '/';
    return path + base;
}

int open(const std::string &name, int flags, mode_t mode)
{
    if (isFilePath(name))
        return ::open(name.c_str(), flags | O_CLOEXEC | O_NOFOLLOW, mode);
    return shm_open(name.c_str(), flags | O_CLOEXEC, mode);
}

int unlink(const std::string &name)
{
    return isFilePath(name) ? ::unlink(name.c_str()) : shm_unlink(name.c_str());
}

bool isPrivate(const struct stat &st, std::string &why)
{
    if (!S_ISREG(st.st_mode))
        why = "it is not a regular file";
    else if (st.st_uid != geteuid())
        why =
            "it belongs to user " + std::to_string(st.st_uid) + ", not to user " + std::to_string(geteuid());
    else if ((st.st_mode & 077) != 0)
        why = "it has mode " + octal(st.st_mode) + ", not 0600";
    else
        return true;
    return false;
}

std::string describe(const std::string &name, const std::string &why)
{
    // Shared-memory names are shown where the user finds them.
    return (isFilePath(name) ? name : "/dev/shm" + name) + ": " + why;
}

} // namespace orvane::private_object
