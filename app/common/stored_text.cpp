#include "app/common/stored_text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace orvane {
namespace {

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves free map to the C1
// controls of the same number, as Windows itself reads them, so every byte survives a round trip.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t FromCp1252(unsigned char b) { return b >= 0x80 && b <= 0x9F ? kHigh[b - 0x80] : b; }

std::optional<unsigned char> ToCp1252(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

void AppendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one character at text[i]; its length in `len`, nullopt for a malformed sequence.
std::optional<char32_t> NextUtf8(std::string_view text, std::size_t i, std::size_t &len)
{
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 < 0x80) {
        len = 1;
        return b0;
    }
    char32_t c;
    char32_t min;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2, c = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, c = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, c = b0 & 0x07, min = 0x10000;
    } else {
        return std::nullopt;
    }
    if (i + len > text.size())
        return std::nullopt;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(text[i + k]);
        if ((b & 0xC0) != 0x80)
            return std::nullopt;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return std::nullopt;
    return c;
}

// The characters of a valid UTF-8 text.
std::optional<std::vector<char32_t>> Characters(std::string_view text)
{
    std::vector<char32_t> chars;
    for (std::size_t i = 0, len = 0; i < text.size(); i += len) {
        const auto c = NextUtf8(text, i, len);
        if (!c)
            return std::nullopt;
        chars.push_back(*c);
    }
    return chars;
}

// The longest start of a UTF-8 text of at most `maxBytes` bytes that ends between characters.
std::string CutUtf8(std::string_view utf8, std::size_t maxBytes)
{
    std::size_t end = 0;
    for (std::size_t i = 0, len = 0; i < utf8.size(); i += len) {
        if (!NextUtf8(utf8, i, len) || i + len > maxBytes)
            break;
        end = i + len;
    }
    return std::string(utf8.substr(0, end));
}

} // namespace

bool IsValidUtf8(std::string_view text) { return Characters(text).has_value(); }

std::string DecodeStoredText(std::string_view stored)
{
    if (IsValidUtf8(stored))
        return std::string(stored);
    std::string out;
    for (char b : stored)
        AppendUtf8(out, FromCp1252(static_cast<unsigned char>(b)));
    return out;
}

std::string EncodeStoredText(std::string_view utf8, std::size_t maxBytes)
{
    const auto chars = Characters(utf8);
    if (!chars)
        return std::string(utf8.substr(0, maxBytes));
    std::string ansi;
    bool fits = true;
    for (std::size_t i = 0; i < chars->size() && ansi.size() < maxBytes; ++i) {
        const auto b = ToCp1252((*chars)[i]);
        if (!b) {
            fits = false;
            break;
        }
        ansi += static_cast<char>(*b);
    }
    // Bytes that happen to form valid UTF-8 would read back as other characters.
    if (fits && (ansi == CutUtf8(utf8, ansi.size()) || !IsValidUtf8(ansi)))
        return ansi;
    return CutUtf8(utf8, maxBytes);
}

} // namespace orvane
