#include "keys/key_names.h"

#include "core/report.h"

#include <algorithm>
#include <cstring>

namespace orvane {

namespace {

struct VkName {
    uint8_t vk;
    const char *name;
};

// The US keyboard's names. The keypad's operators and the navigation block are named as the
// keys they are, which is what Windows gives for the extended codes.
constexpr VkName kNames[] = {
    {0x08, "Backspace"},
    {0x09, "Tab"},
    {0x0C, "Num 5"},
    {0x0D, "Enter"},
    {0x10, "Shift"},
    {0x11, "Ctrl"},
    {0x12, "Alt"},
    {0x14, "Caps Lock"},
    {0x1B, "Esc"},
    {0x20, "Space"},
    {0x21, "Page Up"},
    {0x22, "Page Down"},
    {0x23, "End"},
    {0x24, "Home"},
    {0x25, "Left"},
    {0x26, "Up"},
    {0x27, "Right"},
    {0x28, "Down"},
    {0x2C, "Prnt Scrn"},
    {0x2D, "Insert"},
    {0x2E, "Delete"},
    {0x5B, "Left Windows"},
    {0x5C, "Right Windows"},
    {0x5D, "Application"},
    {0x60, "Num 0"},
    {0x61, "Num 1"},
    {0x62, "Num 2"},
    {0x63, "Num 3"},
    {0x64, "Num 4"},
    {0x65, "Num 5"},
    {0x66, "Num 6"},
    {0x67, "Num 7"},
    {0x68, "Num 8"},
    {0x69, "Num 9"},
    {0x6A, "Num *"},
    {0x6B, "Num +"},
    {0x6D, "Num -"},
    {0x90, "Num Lock"},
    {0x91, "Scroll Lock"},
    {0xA0, "Shift"},
    {0xA1, "Right Shift"},
    {0xA2, "Ctrl"},
    {0xA3, "Right Ctrl"},
    {0xA4, "Alt"},
    {0xA5, "Right Alt"},
    {0xBA, ";"},
    {0xBB, "="},
    {0xBC, ","},
    {0xBD, "-"},
    {0xBE, "."},
    {0xBF, "/"},
    {0xC0, "`"},
    {0xDB, "["},
    {0xDC, "\\"},
    {0xDD, "]"},
    {0xDE, "'"},
};

bool isDigitOrLetter(uint8_t vk) { return (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'); }

bool isFunctionKey(uint8_t vk) { return vk >= 0x70 && vk <= 0x87; }

// Codes whose name the engine keeps in its own table rather than asking the keyboard.
uint16_t ownNameMessage(uint8_t vk)
{
    switch (vk) {
    case 0: return KyMsgNoName;
    case 1:
    case 2:
    case 4: return KyMsgNoName + vk;
    case 3: return KyMsgCancel;
    case 0x13: return KyMsgPause;
    case 0x6E: return KyMsgNumDecimal;
    case 0x6F: return KyMsgNumDivide;
    default: return 0;
    }
}

} // namespace

std::string keyNameForVk(uint8_t vk)
{
    if (isDigitOrLetter(vk))
        return std::string(1, static_cast<char>(vk));
    if (isFunctionKey(vk)) {
        std::string name = "F";
        name += std::to_string(vk - 0x70 + 1);
        return name;
    }
    const auto *found = std::find_if(std::begin(kNames), std::end(kNames),
                                     [vk](const VkName &entry) { return entry.vk == vk; });
    return found != std::end(kNames) ? found->name : messageText(KyMsgNoName);
}

std::string keyNameText(KyKey key)
{
    const uint8_t modifiers = static_cast<uint8_t>(key >> 8);
    const uint8_t vk = static_cast<uint8_t>(key & 0xFF);
    std::string text;
    if (modifiers & 1)
        text += "Ctrl+";
    if (modifiers & 2)
        text += "Alt+";
    if (modifiers & 4)
        text += "Shift+";
    const uint16_t own = ownNameMessage(vk);
    text += own ? messageText(own) : keyNameForVk(vk);
    return text;
}

char *copyKeyName(const std::string &text, char *buffer, int32_t size)
{
    if (!buffer || size < 1)
        return buffer;
    const size_t length = std::min(text.size(), static_cast<size_t>(size) - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return buffer;
}

} // namespace orvane
