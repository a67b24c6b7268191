#include "app/media/disc_database.h"

#include "app/common/atomic_file.h"
#include "app/common/paths.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace orvane {
namespace {

constexpr int64_t kRecordSize = sizeof(TDiscRecord);

std::string ioError(const std::string &what, int error)
{
    return "I/O error " + std::to_string(error) + " (" + what + ": " + std::strerror(error) + ")";
}

// Closes the descriptor however the function using it ends.
class FileHandle {
public:
    explicit FileHandle(int fd) : m_fd(fd) {}
    ~FileHandle()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

bool readWhole(int fd, void *buffer, std::size_t size, off_t at)
{
    auto *p = static_cast<char *>(buffer);
    while (size > 0) {
        const ssize_t n = ::pread(fd, p, size, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        at += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool writeWhole(int fd, const void *buffer, std::size_t size, off_t at)
{
    const auto *p = static_cast<const char *>(buffer);
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, p, size, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        at += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

TDiscDatabase::TDiscDatabase(std::string path) : m_path(std::move(path)) {}

std::string TDiscDatabase::defaultPath() { return ProgramDir() + "CDNAME32.REC"; }

DiscLookUp TDiscDatabase::LookUp(const DiscIdentity &disc)
{
    DiscLookUp result;
    const auto slash = m_path.rfind('/');
    if (slash != std::string::npos)
        EnsureDir(m_path.substr(0, slash + 1));
    FileHandle file(::open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
    if (file.get() < 0) {
        result.error = ioError(m_path, errno);
        return result;
    }
    if (m_recordNumber >= 0 && m_current.sameDisc(disc.NumTracks, disc.Track1Length, disc.DiscLength)) {
        result.alreadyCurrent = true;
        return result;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        result.error = ioError(m_path, errno);
        return result;
    }
    m_current = TDiscRecord::cleared();
    m_recordNumber = -1;
    const int64_t whole = info.st_size / kRecordSize;
    if (info.st_size % kRecordSize != 0 && !m_warned) {
        m_warned = true;
        result.warning = m_path + " ends in a partial record of " +
                         std::to_string(info.st_size % kRecordSize) +
                         " bytes. The whole records were read; the partial one is kept in " + m_path +
                         ".partial when a new disc needs its place.";
    }
    for (int64_t n = 0; n < whole; ++n) {
        TDiscRecord record;
        if (!readWhole(file.get(), &record, kRecordSize, static_cast<off_t>(n * kRecordSize))) {
            result.error = ioError(m_path, errno ? errno : EIO);
            return result;
        }
        if (record.sameDisc(disc.NumTracks, disc.Track1Length, disc.DiscLength)) {
            m_current = record;
            m_recordNumber = n;
            return result;
        }
    }
    if (info.st_size % kRecordSize != 0) {
        if (auto error = keepPartialTail(file.get(), whole, info.st_size)) {
            result.error = error;
            return result;
        }
    }
    const TDiscRecord fresh = TDiscRecord::newDisc(disc.NumTracks, disc.Track1Length, disc.DiscLength);
    if (auto error = writeRecord(file.get(), whole, fresh)) {
        result.error = error;
        return result;
    }
    m_current = fresh;
    m_recordNumber = whole;
    result.appended = true;
    return result;
}

std::optional<std::string> TDiscDatabase::WriteBack()
{
    if (m_recordNumber < 0)
        return std::nullopt; // No disc has been looked up: there is nothing to write.
    FileHandle file(::open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
    if (file.get() < 0)
        return ioError(m_path, errno);
    return writeRecord(file.get(), m_recordNumber, m_current);
}

std::optional<std::string> TDiscDatabase::writeRecord(int fd, int64_t number, const TDiscRecord &record)
{
    const off_t at = static_cast<off_t>(number * kRecordSize);
    if (!writeWhole(fd, &record, kRecordSize, at) || ::fsync(fd) != 0)
        return ioError(m_path, errno ? errno : EIO);
    // Read the bytes back: a record that did not land as written is reported, not trusted.
    TDiscRecord check;
    if (!readWhole(fd, &check, kRecordSize, at) || std::memcmp(&check, &record, kRecordSize) != 0)
        return ioError(m_path, EIO);
    return std::nullopt;
}

std::optional<std::string> TDiscDatabase::keepPartialTail(int fd, int64_t wholeRecords, int64_t size)
{
    const int64_t from = wholeRecords * kRecordSize;
    std::string tail(static_cast<std::size_t>(size - from), '\0');
    if (!readWhole(fd, tail.data(), tail.size(), static_cast<off_t>(from)))
        return ioError(m_path, errno ? errno : EIO);
    if (!WriteFileAtomically(m_path + ".partial", tail))
        return ioError(m_path + ".partial", errno ? errno : EIO);
    return std::nullopt;
}

} // namespace orvane
