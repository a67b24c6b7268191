#include "app/media/stored_text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace orvane {
namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the five unassigned bytes, kept as the C1 control.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t fromCp1252(unsigned char c)
{
    if (c >= 0x80 && c < 0xA0 && kHigh[c - 0x80] != 0)
        return kHigh[c - 0x80];
    return c;
}

std::optional<unsigned char> toCp1252(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<unsigned char>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == cp && cp != 0)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

void appendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The code points of valid UTF-8 with the byte length of each, or none.
std::optional<std::vector<std::pair<char32_t, std::size_t>>> decodeUtf8(std::string_view s)
{
    std::vector<std::pair<char32_t, std::size_t>> out;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size())
            return std::nullopt;
        char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
        for (std::size_t k = 1; k < n; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80)
                return std::nullopt;
            cp = (cp << 6) | (d & 0x3F);
        }
        const char32_t minimum = n == 1 ? 0 : n == 2 ? 0x80 : n == 3 ? 0x800 : 0x10000;
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return std::nullopt;
        out.emplace_back(cp, n);
        i += n;
    }
    return out;
}

} // namespace

std::string StoredToUtf8(std::string_view stored)
{
    if (decodeUtf8(stored))
        return std::string(stored);
    std::string out;
    for (char c : stored)
        appendUtf8(out, fromCp1252(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToStored(std::string_view utf8, std::size_t maxBytes)
{
    const auto points = decodeUtf8(utf8);
    if (!points) // Not UTF-8 at all: keep the bytes as they are.
        return std::string(utf8.substr(0, maxBytes));
    std::string single;
    bool fits = true;
    for (const auto &[cp, n] : *points) {
        const auto b = toCp1252(cp);
        if (!b) {
            fits = false;
            break;
        }
        single += static_cast<char>(*b);
    }
    if (fits)
        return single.substr(0, maxBytes);
    std::string out;
    std::size_t at = 0;
    for (const auto &[cp, n] : *points) {
        if (out.size() + n > maxBytes)
            break;
        out.append(utf8.substr(at, n));
        at += n;
    }
    return out;
}

} // namespace orvane
