#include "key_strings/key_string_utf8.h"

#include <cstdint>

namespace orvane {

namespace {

struct Decoded {
    char32_t c;
    size_t length; // 0 when the bytes at this point are no valid UTF-8 sequence
};

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

Decoded decodeOne(std::string_view bytes, size_t at)
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    size_t length = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
        least = 0x10000;
    } else {
        return {0, 0};
    }
    if (at + length > bytes.size())
        return {0, 0};
    for (size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[at + i]);
        if (!isContinuation(byte))
            return {0, 0};
        c = (c << 6) | (byte & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    if (c < least || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
        return {0, 0};
    return {c, length};
}

} // namespace

std::u32string decodeKeyString(std::string_view bytes)
{
    std::u32string text;
    text.reserve(bytes.size());
    size_t at = 0;
    while (at < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte < 0x80) {
            text.push_back(byte);
            ++at;
            continue;
        }
        const Decoded decoded = decodeOne(bytes, at);
        if (decoded.length == 0) {
            text.push_back(byte);
            ++at;
        } else {
            text.push_back(decoded.c);
            at += decoded.length;
        }
    }
    return text;
}

} // namespace orvane
