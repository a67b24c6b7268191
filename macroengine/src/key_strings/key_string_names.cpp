#include "key_strings/key_string_names.h"

#include <algorithm>
#include <string_view>

namespace orvane {

namespace {

struct KeyName {
    std::string_view name;
    uint8_t vk;
};

constexpr KeyName kKeyNames[] = {
    {"BKSP", 0x08},  {"BS", 0x08},    {"BACKSPACE", 0x08}, {"BREAK", 0x03},      {"CAPSLOCK", 0x14},
    {"CLEAR", 0x0C}, {"DEL", 0x2E},   {"DELETE", 0x2E},    {"DOWN", 0x28},       {"END", 0x23},
    {"ENTER", 0x0D}, {"ESC", 0x1B},   {"ESCAPE", 0x1B},    {"F1", 0x70},         {"F2", 0x71},
    {"F3", 0x72},    {"F4", 0x73},    {"F5", 0x74},        {"F6", 0x75},         {"F7", 0x76},
    {"F8", 0x77},    {"F9", 0x78},    {"F10", 0x79},       {"F11", 0x7A},        {"F12", 0x7B},
    {"F13", 0x7C},   {"F14", 0x7D},   {"F15", 0x7E},       {"F16", 0x7F},        {"HELP", 0x2F},
    {"HOME", 0x24},  {"INS", 0x2D},   {"LEFT", 0x25},      {"NUMLOCK", 0x90},    {"PGDN", 0x22},
    {"PGUP", 0x21},  {"PRTSC", 0x2A}, {"RIGHT", 0x27},     {"SCROLLLOCK", 0x91}, {"TAB", 0x09},
    {"UP", 0x26},
};

static_assert(std::size(kKeyNames) == 41);

bool sameName(std::string_view known, std::u32string_view name)
{
    return std::equal(known.begin(), known.end(), name.begin(), name.end(),
                      [](char a, char32_t b) { return static_cast<char32_t>(a) == b; });
}

} // namespace

std::optional<uint8_t> vkForKeyName(std::u32string_view name)
{
    for (const KeyName &entry : kKeyNames)
        if (sameName(entry.name, name))
            return entry.vk;
    return std::nullopt;
}

} // namespace orvane
