#include "core/owner_claim.h"

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

std::string claimName(const std::string &prefix, uint32_t owner)
{
    return prefix + ".owner." + std::to_string(owner);
}

int lockRetrying(int fd, int operation)
{
    int result;
    while ((result = flock(fd, operation)) != 0 && errno == EINTR) {}
    return result;
}

// Whether `fd` is still the object that `name` names: a checker may have removed the name of
// a dead owner's object between our open and our lock.
bool isCurrent(int fd, const std::string &name)
{
    const int again = private_object::open(name, O_RDONLY, 0);
    if (again < 0)
        return false;
    struct stat a {
    }, b{};
    const bool same =
        fstat(fd, &a) == 0 && fstat(again, &b) == 0 && a.st_ino == b.st_ino && a.st_dev == b.st_dev;
    close(again);
    return same;
}

} // namespace

std::unique_ptr<OwnerClaim> OwnerClaim::claim(const std::string &prefix, uint32_t owner)
{
    std::string why;
    return claim(prefix, owner, why);
}

std::unique_ptr<OwnerClaim> OwnerClaim::claim(const std::string &prefix, uint32_t owner, std::string &why)
{
    if (prefix.empty()) {
        why = "no place for it";
        return nullptr;
    }
    const std::string name = claimName(prefix, owner);
    for (int attempt = 0; attempt < 8; ++attempt) {
        const int fd = private_object::open(name, O_RDWR | O_CREAT, 0600);
        if (fd < 0) {
            why = private_object::describe(name,
                                           std::string("it cannot be opened (") + std::strerror(errno) + ")");
            return nullptr;
        }
        struct stat st {};
        std::string problem;
        if (fstat(fd, &st) != 0 || !private_object::isPrivate(st, problem) ||
            lockRetrying(fd, LOCK_SH) != 0) {
            why = private_object::describe(name, problem.empty() ? "it cannot be locked" : problem);
            close(fd);
            return nullptr;
        }
        if (isCurrent(fd, name))
            return std::unique_ptr<OwnerClaim>(new OwnerClaim(fd, name));
        close(fd);
    }
    why = private_object::describe(name, "it keeps being removed");
    return nullptr;
}

OwnerClaim::~OwnerClaim()
{
    private_object::unlink(m_name);
    close(m_fd);
}

bool OwnerClaim::isAlive(const std::string &prefix, uint32_t owner)
{
    const std::string name = claimName(prefix, owner);
    const int fd = private_object::open(name, O_RDWR, 0);
    if (fd < 0)
        return errno != ENOENT;
    const bool held = lockRetrying(fd, LOCK_EX | LOCK_NB) != 0;
    // A dead owner's object is removed while it is locked, so a new owner of the same id
    // either finds it gone or notices it was removed under it (isCurrent) and makes a new one.
    if (!held)
        private_object::unlink(name);
    close(fd);
    return held;
}

} // namespace orvane
