#include "bench_text.h"

#include <algorithm>
#include <random>
#include <string_view>
#include <vector>

namespace orvane::bench {

namespace {

constexpr std::u32string_view kLetters = U"etaoinshrdlucmfwypvbgkjqxz";
constexpr std::u32string_view kPunctuation = U".,;:!?'\"-_/\\|@#$&*=<>[]`+^%()~{}";
constexpr std::u32string_view kForeign = U"\u00E9\u00FC\u00DF\u00F1\u20AC\u00E7\u00F8\u00E5";

} // namespace

std::u32string benchText(size_t length)
{
    std::mt19937 random(20261208);
    auto pick = [&](std::u32string_view from) {
        return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(random)];
    };
    std::uniform_int_distribution<int> percent(0, 99);
    std::u32string text;
    while (text.size() < length) {
        const int wordLength = std::uniform_int_distribution<int>(1, 8)(random);
        for (int i = 0; i < wordLength; ++i) {
            const int kind = percent(random);
            char32_t c;
            if (kind < 3)
                c = pick(kForeign);
            else if (kind < 10)
                c = U'0' + std::uniform_int_distribution<int>(0, 9)(random);
            else if (kind < 22)
                c = pick(kLetters) - U'a' + U'A';
            else
                c = pick(kLetters);
            text += c;
        }
        text += percent(random) < 30 ? pick(kPunctuation) : U' ';
    }
    text.resize(length);
    return text;
}

std::string asKeyString(const std::u32string &text)
{
    std::u32string keys;
    for (char32_t c : text) {
        if (c == U'{')
            keys += U"{{}";
        else if (c == U'}')
            keys += U"{}}";
        else if (std::u32string_view(U"+^%()~").find(c) != std::u32string_view::npos)
            keys += std::u32string(U"{") + c + U"}";
        else
            keys += c;
    }
    return toUtf8(keys);
}

std::string toUtf8(const std::u32string &text)
{
    std::string out;
    for (char32_t c : text) {
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
    return out;
}

size_t charactersInOrder(const std::u32string &expected, const std::u32string &received)
{
    std::vector<size_t> previous(received.size() + 1, 0), current(received.size() + 1, 0);
    for (char32_t e : expected) {
        for (size_t j = 0; j < received.size(); ++j)
            current[j + 1] = e == received[j] ? previous[j] + 1 : std::max(previous[j + 1], current[j]);
        std::swap(previous, current);
    }
    return previous[received.size()];
}

} // namespace orvane::bench
