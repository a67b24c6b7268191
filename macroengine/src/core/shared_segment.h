#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace orvane {

// A named POSIX shared-memory segment of this user, mapped read-write, with an exclusive lock
// on its descriptor to serialise updates between processes. A segment that exists with another
// owner or with access for anyone but the owner is refused, so other users' processes can
// neither read nor change what lives in it.
class SharedSegment
{
public:
    enum class Error { Ok, CannotCreate, CannotMap };

    static std::unique_ptr<SharedSegment> open(const std::string &name, size_t size,
                                               Error &error);
    ~SharedSegment();
    SharedSegment(const SharedSegment &) = delete;
    SharedSegment &operator=(const SharedSegment &) = delete;

    uint8_t *data() const { return m_data; }
    size_t size() const { return m_size; }

    // Holds the segment's lock for its lifetime (blocking: every holder keeps it for a few
    // hundred instructions only).
    class Lock
    {
    public:
        explicit Lock(const SharedSegment &segment);
        ~Lock();
        Lock(const Lock &) = delete;
        Lock &operator=(const Lock &) = delete;

    private:
        int m_fd;
    };

    // The segment name of the hot-key registry for the current user.
    static std::string registryName();

private:
    SharedSegment(int fd, uint8_t *data, size_t size);

    int m_fd;
    uint8_t *m_data;
    size_t m_size;
};

} // namespace orvane
