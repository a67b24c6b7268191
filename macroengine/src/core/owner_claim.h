#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace orvane {

// Marks an owner of hot-key registry entries as alive for as long as this object lives: a
// shared lock on a small named object that the kernel releases when the process ends, however
// it ends. The registry itself outlives every process, so without this the entries of a
// process that crashed would hold their keys until the machine restarts.
class OwnerClaim {
public:
    // `prefix` names the registry ("/run/user/1000/Kyloom32SharedData" or
    // "/Kyloom32SharedData.1000"); nullptr when the claim cannot be made, with the reason in
    // `why` (an object of another user or with a wider mode in its place, say).
    static std::unique_ptr<OwnerClaim> claim(const std::string &prefix, uint32_t owner);
    static std::unique_ptr<OwnerClaim> claim(const std::string &prefix, uint32_t owner, std::string &why);
    ~OwnerClaim();
    OwnerClaim(const OwnerClaim &) = delete;
    OwnerClaim &operator=(const OwnerClaim &) = delete;

    // True while some process holds the claim for `owner`.
    static bool isAlive(const std::string &prefix, uint32_t owner);

private:
    OwnerClaim(int fd, std::string name) : m_fd(fd), m_name(std::move(name)) {}

    int m_fd;
    std::string m_name;
};

} // namespace orvane
