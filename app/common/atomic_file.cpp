#include "app/common/atomic_file.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {

bool WriteFileAtomically(const std::string &path, std::string_view data)
{
    // A file the user marked read-only stays as it is, even though the folder would allow the
    // rename (and even for root, who passes every access check).
    struct stat existing{};
    if (::stat(path.c_str(), &existing) == 0 && (existing.st_mode & S_IWUSR) == 0)
        return false;
    std::string tmp = path + ".XXXXXX";
    const int fd = mkstemp(tmp.data());
    if (fd < 0)
        return false;
    // Keep the permissions of the file being replaced; a new file gets the usual 0644.
    struct stat st{};
    fchmod(fd, ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644);
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
    if (!ok)
        ::unlink(tmp.c_str());
    return ok;
}

} // namespace orvane
