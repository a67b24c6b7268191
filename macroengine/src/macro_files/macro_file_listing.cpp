#include "macro_files/macro_file_listing.h"

#include "macro_files/macro_file_format.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace orvane {

namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE *)>;

bool readExactly(std::FILE *file, void *buffer, size_t size)
{
    return size == 0 || std::fread(buffer, 1, size, file) == size;
}

uint16_t readStart(std::FILE *file, uint16_t &version)
{
    uint8_t signature[macro_file::kSignature.size()];
    uint8_t versionBytes[2];
    if (!readExactly(file, signature, sizeof signature))
        return KyMsgRead;
    if (std::memcmp(signature, macro_file::kSignature.data(), sizeof signature) != 0)
        return KyMsgFormat;
    if (!readExactly(file, versionBytes, sizeof versionBytes))
        return KyMsgRead;
    version = static_cast<uint16_t>(versionBytes[0] | versionBytes[1] << 8);
    return version > macro_file::kVersion ? KyMsgVersion : 0;
}

// Reads one entry; the events are skipped, not loaded. Returns a message id, or 0 with
// `atEnd` telling whether the file ended cleanly before the entry.
uint16_t readEntry(std::FILE *file, MacroFileEntry &entry, bool &atEnd)
{
    uint8_t header[macro_file::kHeaderBytes];
    const size_t got = std::fread(header, 1, sizeof header, file);
    atEnd = got == 0 && std::feof(file);
    if (atEnd)
        return 0;
    uint8_t nameLength = 0;
    if (got != sizeof header || !readExactly(file, &nameLength, 1))
        return KyMsgRead;
    entry.name.assign(nameLength, '\0');
    if (!readExactly(file, entry.name.data(), nameLength))
        return KyMsgRead;
    MacroRecord record;
    macro_file::decodeHeader(header, record);
    entry.key = record.key;
    entry.mouseOrigin = record.mouseOrigin;
    entry.eventCount = int64_t{record.lastIndex} + 1;
    if (entry.eventCount < 0 || entry.eventCount > macro_file::kMaxEvents)
        return KyMsgFormat;
    const long skip = static_cast<long>(entry.eventCount) * macro_file::kEventBytes;
    const long here = std::ftell(file);
    if (std::fseek(file, 0, SEEK_END) != 0)
        return KyMsgRead;
    const long end = std::ftell(file);
    if (here < 0 || end - here < skip || std::fseek(file, here + skip, SEEK_SET) != 0)
        return KyMsgRead;
    return 0;
}

} // namespace

MacroFileListing listMacroFile(const std::string &path)
{
    MacroFileListing listing;
    File file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        listing.failure = KyMsgOpen;
        return listing;
    }
    listing.failure = readStart(file.get(), listing.version);
    while (listing.failure == 0) {
        MacroFileEntry entry;
        bool atEnd = false;
        listing.failure = readEntry(file.get(), entry, atEnd);
        if (listing.failure != 0 || atEnd)
            break;
        listing.entries.push_back(std::move(entry));
    }
    return listing;
}

} // namespace orvane
