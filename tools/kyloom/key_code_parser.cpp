#include "key_code_parser.h"

#include "key_text.h"

#include <cctype>
#include <cstring>
#include <strings.h>

namespace orvane {

namespace {

std::optional<KyKey> parseNumber(const std::string &digits, int base)
{
    if (digits.empty() || digits.size() > 5)
        return std::nullopt;
    unsigned long value = 0;
    for (char c : digits) {
        const int digit = std::isdigit(static_cast<unsigned char>(c))
                              ? c - '0'
                              : (base == 16 && std::isxdigit(static_cast<unsigned char>(c))
                                     ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                                     : -1);
        if (digit < 0)
            return std::nullopt;
        value = value * static_cast<unsigned long>(base) + static_cast<unsigned long>(digit);
    }
    if (value > 0xFFFF)
        return std::nullopt;
    return static_cast<KyKey>(value);
}

std::optional<KyKey> findPossibleKey(const std::string &name)
{
    for (uint16_t i = 0; i < GetMaxPossibleMKeys(); ++i) {
        const KyKey key = GetPossibleMKey(i);
        if (strcasecmp(keyText(key).c_str(), name.c_str()) == 0)
            return key;
    }
    return std::nullopt;
}

// Keys no macro may have (Scroll Lock, Ctrl+Pause) still have names: the modifiers are taken
// off in the order GetKeyName writes them and the rest is matched against every key code.
std::optional<KyKey> findAnyKey(std::string name)
{
    static const struct {
        const char *prefix;
        uint16_t bit;
    } kModifiers[] = {{"Ctrl+", 0x0100}, {"Alt+", 0x0200}, {"Shift+", 0x0400}};
    uint16_t modifiers = 0;
    for (const auto &m : kModifiers) {
        const size_t n = std::strlen(m.prefix);
        if (name.size() > n && strncasecmp(name.c_str(), m.prefix, n) == 0) {
            modifiers |= m.bit;
            name.erase(0, n);
        }
    }
    for (uint16_t vk = 1; vk <= 0xFF; ++vk) {
        if (strcasecmp(keyText(vk).c_str(), name.c_str()) == 0)
            return static_cast<KyKey>(modifiers | vk);
    }
    return std::nullopt;
}

std::optional<KyKey> parseName(const std::string &name)
{
    if (auto key = findPossibleKey(name))
        return key;
    return findAnyKey(name);
}

} // namespace

std::optional<KyKey> parseKeyCode(const std::string &text)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return parseNumber(text.substr(2), 16);
    if (!text.empty() && std::isdigit(static_cast<unsigned char>(text[0])))
        return parseNumber(text, 10);
    return parseName(text);
}

} // namespace orvane
