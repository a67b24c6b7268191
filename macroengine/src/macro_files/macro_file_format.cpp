#include "macro_files/macro_file_format.h"

namespace orvane::macro_file {

namespace {

void put16(uint8_t *p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void put32(uint8_t *p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint16_t get16(const uint8_t *p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

uint32_t get32(const uint8_t *p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

} // namespace

std::array<uint8_t, kHeaderBytes> encodeHeader(const MacroRecord &record)
{
    std::array<uint8_t, kHeaderBytes> bytes{};
    bytes[0] = record.flags;
    put16(&bytes[2], record.key);
    put32(&bytes[4], static_cast<uint32_t>(record.lastIndex));
    bytes[8] = record.mouseOrigin;
    return bytes;
}

void decodeHeader(const uint8_t *bytes, MacroRecord &record)
{
    record.flags = bytes[0];
    record.key = get16(bytes + 2);
    record.lastIndex = static_cast<int32_t>(get32(bytes + 4));
    record.mouseOrigin = bytes[8];
    record.codeHook = nullptr;
}

void encodeEvent(const MacroEvent &event, uint8_t *bytes)
{
    put32(bytes, event.message);
    put32(bytes + 4, event.paramL);
    put32(bytes + 8, event.paramH);
    put32(bytes + 12, event.time);
    put32(bytes + 16, event.window);
}

MacroEvent decodeEvent(const uint8_t *bytes)
{
    return {get32(bytes), get32(bytes + 4), get32(bytes + 8), get32(bytes + 12), get32(bytes + 16)};
}

std::string storedName(const std::string &name)
{
    std::string stored = trimmedTrailingBlanks(name);
    if (stored.size() > kMaxNameLength)
        stored.resize(kMaxNameLength);
    return stored;
}

std::string limitFileName(const char *fileName)
{
    std::string name = fileName ? fileName : "";
    if (name.size() > kMaxFileNameLength)
        name.resize(kMaxFileNameLength);
    return name;
}

} // namespace orvane::macro_file
