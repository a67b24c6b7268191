#include "core/shared_segment.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {

namespace {

int openOrCreate(const std::string &name)
{
    int fd = shm_open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        // The umask may only narrow the mode; make sure it is exactly owner read-write.
        if (fchmod(fd, 0600) != 0) {
            close(fd);
            return -1;
        }
        return fd;
    }
    if (errno != EEXIST)
        return -1;
    return shm_open(name.c_str(), O_RDWR | O_CLOEXEC, 0);
}

bool isTrustworthy(const struct stat &st)
{
    return S_ISREG(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & 077) == 0;
}

void lockFd(int fd)
{
    while (flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
}

// Gives a freshly created segment its size; the kernel zero-fills it. Done under the lock so
// that a second process opening the segment meanwhile waits instead of seeing it half made.
bool sizeSegment(int fd, size_t size)
{
    lockFd(fd);
    struct stat st {};
    bool ok = fstat(fd, &st) == 0 && isTrustworthy(st);
    if (ok && st.st_size == 0)
        ok = ftruncate(fd, static_cast<off_t>(size)) == 0;
    else if (ok)
        ok = st.st_size == static_cast<off_t>(size);
    flock(fd, LOCK_UN);
    return ok;
}

} // namespace

std::unique_ptr<SharedSegment> SharedSegment::open(const std::string &name, size_t size,
                                                   Error &error)
{
    error = Error::CannotCreate;
    const int fd = openOrCreate(name);
    if (fd < 0)
        return nullptr;
    if (!sizeSegment(fd, size)) {
        close(fd);
        return nullptr;
    }
    void *data = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (data == MAP_FAILED) {
        error = Error::CannotMap;
        close(fd);
        return nullptr;
    }
    error = Error::Ok;
    return std::unique_ptr<SharedSegment>(
        new SharedSegment(fd, static_cast<uint8_t *>(data), size));
}

SharedSegment::SharedSegment(int fd, uint8_t *data, size_t size)
    : m_fd(fd), m_data(data), m_size(size)
{
}

SharedSegment::~SharedSegment()
{
    munmap(m_data, m_size);
    close(m_fd);
}

std::string SharedSegment::registryName()
{
    return "/Kyloom32SharedData." + std::to_string(geteuid());
}

SharedSegment::Lock::Lock(const SharedSegment &segment) : m_fd(segment.m_fd)
{
    lockFd(m_fd);
}

SharedSegment::Lock::~Lock()
{
    flock(m_fd, LOCK_UN);
}

} // namespace orvane
