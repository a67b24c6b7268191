#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace orvane {

// A named segment of this user (a file in the runtime folder, or a POSIX shared-memory object
// without one; see private_object.h), mapped read-write, with an exclusive lock on its
// descriptor to serialise updates between processes. A segment that exists with another owner,
// with access for anyone but the owner or with another size is refused, so other users'
// processes can neither read nor change what lives in it.
class SharedSegment {
public:
    enum class Error { Ok, CannotCreate, CannotMap };

    static std::unique_ptr<SharedSegment> open(const std::string &name, size_t size, Error &error);
    // The same, saying in `why` what is wrong when the segment is refused ("<name>: it
    // belongs to user 1001, not to user 1000").
    static std::unique_ptr<SharedSegment> open(const std::string &name, size_t size, Error &error,
                                               std::string &why);
    ~SharedSegment();
    SharedSegment(const SharedSegment &) = delete;
    SharedSegment &operator=(const SharedSegment &) = delete;

    uint8_t *data() const { return m_data; }
    size_t size() const { return m_size; }

    // Holds the segment's lock for its lifetime (blocking: every holder keeps it for a few
    // hundred instructions only).
    class Lock {
    public:
        explicit Lock(const SharedSegment &segment);
        ~Lock();
        Lock(const Lock &) = delete;
        Lock &operator=(const Lock &) = delete;

    private:
        int m_fd;
    };

    // The name of the hot-key registry for the current user; empty when the runtime folder
    // cannot be used (registryProblem says why).
    static std::string registryName();
    static std::string registryProblem();

private:
    SharedSegment(int fd, uint8_t *data, size_t size);

    int m_fd;
    uint8_t *m_data;
    size_t m_size;
};

} // namespace orvane
