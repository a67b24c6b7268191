#include "core/shared_segment.h"

#include "core/private_object.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {

namespace {

int openOrCreate(const std::string &name)
{
    int fd = private_object::open(name, O_RDWR | O_CREAT | O_EXCL, 0600);
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
    return private_object::open(name, O_RDWR, 0);
}

void lockFd(int fd)
{
    while (flock(fd, LOCK_EX) != 0 && errno == EINTR) {}
}

// Gives a freshly created segment its size; the kernel zero-fills it. Done under the lock so
// that a second process opening the segment meanwhile waits instead of seeing it half made.
bool sizeSegment(int fd, size_t size, std::string &why)
{
    lockFd(fd);
    struct stat st {};
    bool ok = fstat(fd, &st) == 0;
    if (!ok)
        why = std::string("it cannot be examined (") + std::strerror(errno) + ")";
    else
        ok = private_object::isPrivate(st, why);
    if (ok && st.st_size == 0) {
        ok = ftruncate(fd, static_cast<off_t>(size)) == 0;
        if (!ok)
            why = std::string("it cannot be given its size (") + std::strerror(errno) + ")";
    } else if (ok && st.st_size != static_cast<off_t>(size)) {
        ok = false;
        why = "it holds " + std::to_string(st.st_size) + " bytes, not " + std::to_string(size);
    }
    flock(fd, LOCK_UN);
    return ok;
}

} // namespace

std::unique_ptr<SharedSegment> SharedSegment::open(const std::string &name, size_t size, Error &error)
{
    std::string why;
    return open(name, size, error, why);
}

std::unique_ptr<SharedSegment> SharedSegment::open(const std::string &name, size_t size, Error &error,
                                                   std::string &why)
{
    error = Error::CannotCreate;
    if (name.empty()) {
        why = "no place for it";
        return nullptr;
    }
    const int fd = openOrCreate(name);
    if (fd < 0) {
        why =
            private_object::describe(name, std::string("it cannot be opened (") + std::strerror(errno) + ")");
        return nullptr;
    }
    if (!sizeSegment(fd, size, why)) {
        why = private_object::describe(name, why);
        close(fd);
        return nullptr;
    }
    void *data = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (data == MAP_FAILED) {
        error = Error::CannotMap;
        why =
            private_object::describe(name, std::string("it cannot be mapped (") + std::strerror(errno) + ")");
        close(fd);
        return nullptr;
    }
    error = Error::Ok;
    return std::unique_ptr<SharedSegment>(new SharedSegment(fd, static_cast<uint8_t *>(data), size));
}

SharedSegment::SharedSegment(int fd, uint8_t *data, size_t size) : m_fd(fd), m_data(data), m_size(size) {}

SharedSegment::~SharedSegment()
{
    munmap(m_data, m_size);
    close(m_fd);
}

std::string SharedSegment::registryName()
{
    std::string why;
    return private_object::nameFor("Kyloom32SharedData", why);
}

std::string SharedSegment::registryProblem()
{
    std::string why;
    private_object::nameFor("Kyloom32SharedData", why);
    return why;
}

SharedSegment::Lock::Lock(const SharedSegment &segment) : m_fd(segment.m_fd) { lockFd(m_fd); }

SharedSegment::Lock::~Lock() { flock(m_fd, LOCK_UN); }

} // namespace orvane
