#include "app/common/atomic_file.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace {

constexpr std::size_t kSuffixLength = 6; // mkstemp's "XXXXXX"

std::string FolderOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseNameOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsAlnum(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

bool IsTemporaryOf(std::string_view candidate, std::string_view name)
{
    if (candidate.size() != name.size() + 1 + kSuffixLength || candidate.substr(0, name.size()) != name ||
        candidate[name.size()] != '.')
        return false;
    for (char c : candidate.substr(name.size() + 1))
        if (!IsAlnum(c))
            return false;
    return true;
}

// The rename is a change of the folder: flushing it makes the new name as durable as the data.
void SyncFolder(const std::string &dir)
{
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

bool WriteFileAtomically(const std::string &path, std::string_view data, ExistingFile existing)
{
    // A file the user marked read-only stays as it is, even though the folder would allow the
    // rename (and even for root, who passes every access check).
    struct stat old {};
    const bool hadFile = existing == ExistingFile::Respect && ::stat(path.c_str(), &old) == 0;
    if (hadFile && (old.st_mode & S_IWUSR) == 0)
        return false;
    std::string tmp = path + ".XXXXXX";
    const int fd = mkstemp(tmp.data());
    if (fd < 0)
        return false;
    // Keep the permissions of the file being replaced; a new file gets the usual 0644.
    ::fchmod(fd, hadFile ? (old.st_mode & 07777) : 0644);
    const char *p = data.data();
    std::size_t left = data.size();
    bool ok = true;
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (ok && ::fsync(fd) != 0)
        ok = false;
    if (::close(fd) != 0)
        ok = false;
    if (ok && ::rename(tmp.c_str(), path.c_str()) != 0)
        ok = false;
    if (!ok) {
        ::unlink(tmp.c_str());
        return false;
    }
    SyncFolder(FolderOf(path));
    return true;
}

int RemoveStaleTemporaries(const std::string &path)
{
    const std::string dir = FolderOf(path);
    const std::string name = BaseNameOf(path);
    DIR *d = ::opendir(dir.c_str());
    if (!d)
        return 0;
    int removed = 0;
    const int dirFd = ::dirfd(d);
    while (const dirent *e = ::readdir(d)) {
        if (!IsTemporaryOf(e->d_name, name))
            continue;
        // Never follow a link, and leave files of other users alone.
        struct stat st {};
        if (::fstatat(dirFd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid())
            continue;
        if (::unlinkat(dirFd, e->d_name, 0) == 0)
            ++removed;
    }
    ::closedir(d);
    return removed;
}

} // namespace orvane
