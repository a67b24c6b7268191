#include "macro_files/macro_file_writer.h"

#include "core/report.h"
#include "macro_files/macro_file_format.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {

namespace {

// The new file gets the permissions of the one it replaces, or the usual ones for a new file.
void copyMode(int fd, const std::string &target)
{
    struct stat st {};
    const mode_t mode = stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
    if (fchmod(fd, mode) != 0) {
        // The file stays private (mkstemp's 0600), which is the safe side.
    }
}

} // namespace

uint8_t MacroFileWriter::write(const char *fileName)
{
    if (m_engine.refuseWhenBusy())
        return kFailed;
    const std::string target = macro_file::limitFileName(fileName);
    std::string temp = target + ".XXXXXX";
    const int fd = target.empty() ? -1 : mkstemp(temp.data());
    if (fd < 0 || !(m_file = fdopen(fd, "wb"))) {
        if (fd >= 0) {
            close(fd);
            unlink(temp.c_str());
        }
        reportMessage(KyMsgCreate);
        return kFailed;
    }
    copyMode(fd, target);
    const bool written = writeAll();
    if (!written)
        reportMessage(KyMsgWrite);
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    if (!closed)
        reportMessage(KyMsgClose);
    if (!written || !closed || std::rename(temp.c_str(), target.c_str()) != 0) {
        if (written && closed)
            reportMessage(KyMsgClose);
        unlink(temp.c_str());
        return kFailed;
    }
    return kOk;
}

bool MacroFileWriter::writeAll()
{
    std::vector<uint8_t> start(macro_file::kSignature.begin(), macro_file::kSignature.end());
    start.push_back(static_cast<uint8_t>(macro_file::kVersion));
    start.push_back(static_cast<uint8_t>(macro_file::kVersion >> 8));
    if (!put(start))
        return false;
    for (KyMacro macro : m_engine.slots()) {
        MacroRecord *record = m_engine.record(macro);
        if (!record || record->codeHook)
            continue;
        if (!put(encodeEntry(*record)))
            return false;
    }
    return std::fflush(m_file) == 0 && fsync(fileno(m_file)) == 0;
}

std::vector<uint8_t> MacroFileWriter::encodeEntry(MacroRecord &record) const
{
    // Saving trims the macro's own name too, as the file is what the name will read back as.
    if (record.name) {
        record.name = trimmedTrailingBlanks(*record.name);
        if (record.name->empty())
            record.name.reset();
    }
    const auto header = macro_file::encodeHeader(record);
    std::vector<uint8_t> bytes(header.begin(), header.end());
    const std::string name = record.name ? macro_file::storedName(*record.name) : std::string();
    bytes.push_back(static_cast<uint8_t>(name.size()));
    bytes.insert(bytes.end(), name.begin(), name.end());
    const size_t count = static_cast<size_t>(std::max(record.eventCount(), 0));
    bytes.resize(bytes.size() + count * macro_file::kEventBytes, 0);
    uint8_t *out = bytes.data() + bytes.size() - count * macro_file::kEventBytes;
    for (size_t i = 0; i < count && i < record.events.size(); ++i)
        macro_file::encodeEvent(record.events[i], out + i * macro_file::kEventBytes);
    return bytes;
}

bool MacroFileWriter::put(const std::vector<uint8_t> &bytes)
{
    return std::fwrite(bytes.data(), 1, bytes.size(), m_file) == bytes.size();
}

} // namespace orvane
