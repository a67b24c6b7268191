#include "macro_files/macro_file_reader.h"

#include "core/report.h"
#include "macro_files/macro_file_format.h"

#include <algorithm>
#include <cstring>
#include <sys/stat.h>
#include <vector>

namespace orvane {

namespace {} // namespace

uint8_t MacroFileReader::read(const char *fileName, bool append)
{
    if (m_engine.refuseWhenBusy())
        return kFailed;
    const std::string path = macro_file::limitFileName(fileName);
    m_file = path.empty() ? nullptr : std::fopen(path.c_str(), "rb");
    if (!m_file) {
        reportMessage(KyMsgOpen);
        return kFailed;
    }
    MacroRecord *staging = m_engine.record(m_engine.scrap());
    if (!staging) {
        // Without InstallHook there is neither a table nor a scrap macro to stage entries in.
        reportMessage(KyMsgInvalidHandle);
    } else if (readStart()) {
        const KyKey scrapKey = staging->key;
        const std::optional<std::string> scrapName = staging->name;
        if (!append)
            m_engine.deleteAllMacros();
        readEntries(*staging);
        staging->key = scrapKey;
        staging->name = scrapName;
    }
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    if (!closed) {
        reportMessage(KyMsgClose);
        return kFailed;
    }
    return kOk;
}

bool MacroFileReader::readStart()
{
    uint8_t signature[macro_file::kSignature.size()];
    if (!readExactly(signature, sizeof signature)) {
        reportMessage(KyMsgRead);
        return false;
    }
    if (std::memcmp(signature, macro_file::kSignature.data(), sizeof signature) != 0) {
        reportMessage(KyMsgFormat);
        return false;
    }
    uint8_t version[2];
    if (!readExactly(version, sizeof version)) {
        reportMessage(KyMsgRead);
        return false;
    }
    if ((version[0] | version[1] << 8) > macro_file::kVersion) {
        reportMessage(KyMsgVersion);
        return false;
    }
    return true;
}

void MacroFileReader::readEntries(MacroRecord &staging)
{
    bool atEnd = false;
    while (!atEnd) {
        if (readEntry(staging, atEnd) == Outcome::Stop)
            return;
        if (atEnd)
            return;
        const KyKey key = staging.key;
        if (m_engine.installMacro(key, m_engine.scrap(), m_name.c_str(), nullptr) != kInstallOk) {
            reportMessage(KyMsgAllocate);
            return;
        }
    }
}

MacroFileReader::Outcome MacroFileReader::readEntry(MacroRecord &staging, bool &atEnd)
{
    uint8_t header[macro_file::kHeaderBytes];
    const size_t got = std::fread(header, 1, sizeof header, m_file);
    if (got == 0 && std::feof(m_file)) {
        atEnd = true;
        return Outcome::Done;
    }
    uint8_t nameLength = 0;
    if (got != sizeof header || !readExactly(&nameLength, 1)) {
        reportMessage(KyMsgRead);
        return Outcome::Stop;
    }
    m_name.assign(nameLength, '\0');
    if (!readExactly(m_name.data(), nameLength)) {
        reportMessage(KyMsgRead);
        return Outcome::Stop;
    }
    // The entry goes into the staging record only once all of it has been read, so the record
    // never claims more events than it holds.
    MacroRecord entry;
    macro_file::decodeHeader(header, entry);
    std::vector<MacroEvent> events;
    if (!readEvents(entry.lastIndex, events))
        return Outcome::Stop;
    staging.ensureCapacity(events.size());
    std::copy(events.begin(), events.end(), staging.events.begin());
    staging.flags = entry.flags;
    staging.key = entry.key;
    staging.lastIndex = entry.lastIndex;
    staging.mouseOrigin = entry.mouseOrigin;
    staging.codeHook = nullptr;
    return Outcome::Done;
}

bool MacroFileReader::readEvents(int32_t lastIndex, std::vector<MacroEvent> &events)
{
    const int64_t count = int64_t{lastIndex} + 1;
    if (count < 0 || count > macro_file::kMaxEvents) {
        reportMessage(KyMsgFormat);
        return false;
    }
    const size_t bytes = static_cast<size_t>(count) * macro_file::kEventBytes;
    // A file that ends inside the entry is a read error; it is found before room is made for
    // events that are not there.
    std::vector<uint8_t> raw;
    if (bytesLeft() >= static_cast<int64_t>(bytes)) {
        raw.resize(bytes);
        if (readExactly(raw.data(), bytes)) {
            events.resize(static_cast<size_t>(count));
            for (size_t i = 0; i < events.size(); ++i)
                events[i] = macro_file::decodeEvent(raw.data() + i * macro_file::kEventBytes);
            return true;
        }
    }
    reportMessage(KyMsgRead);
    return false;
}

bool MacroFileReader::readExactly(void *buffer, size_t size)
{
    return size == 0 || std::fread(buffer, 1, size, m_file) == size;
}

int64_t MacroFileReader::bytesLeft() const
{
    struct stat st {};
    const long position = std::ftell(m_file);
    if (fstat(fileno(m_file), &st) != 0 || position < 0)
        return -1;
    return static_cast<int64_t>(st.st_size) - position;
}

} // namespace orvane
