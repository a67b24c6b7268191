#pragma once
// A length-prefixed string as stored in the program's record files: one length byte followed by
// a fixed character area of which only the first `len` bytes count.
#include "app/common/stored_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace orvane {

#pragma pack(push, 1)
template <std::size_t N>
struct ShortString {
    static_assert(N <= 255, "a length byte cannot count past 255");
    uint8_t len = 0;
    char data[N] = {};

    // The text; a length byte above the area's size (a damaged file) is read as the whole area.
    std::string str() const { return std::string(data, std::min<std::size_t>(len, N)); }
    // Stores the text cut to the area's size; the rest of the area is zeroed.
    void assign(std::string_view s)
    {
        const std::size_t n = std::min(s.size(), N);
        std::memset(data, 0, N);
        std::memcpy(data, s.data(), n);
        len = static_cast<uint8_t>(n);
    }
    bool empty() const { return len == 0; }

    // The text as UTF-8, whether it is stored as Windows-1252 (older files) or as UTF-8.
    std::string text() const { return DecodeStoredText(str()); }
    // Stores a UTF-8 text as Windows-1252 when every character fits, else as UTF-8, cut to the
    // area's size between characters.
    void setText(std::string_view utf8) { assign(EncodeStoredText(utf8, N)); }
};
#pragma pack(pop)

} // namespace orvane
