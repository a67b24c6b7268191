#pragma once

// A fixed US keyboard layout and a short notation for key actions, shared by the tests of the
// key-string language.

#include "key_strings/key_string_action.h"
#include "key_strings/key_string_layout.h"
#include "keys/key_names.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// A US keyboard: the unshifted row characters plain, their shifted partners with Shift, and
// nothing else (no accented letters).
class UsLayout : public KeyStringLayout {
public:
    std::optional<uint8_t> modifiersForChar(char32_t c) const override
    {
        constexpr std::u32string_view plain = U"abcdefghijklmnopqrstuvwxyz0123456789`-=[]\\;',./ \t\n";
        constexpr std::u32string_view shifted = U"ABCDEFGHIJKLMNOPQRSTUVWXYZ~!@#$%^&*()_+{}|:\"<>?";
        if (plain.find(c) != std::u32string_view::npos)
            return uint8_t{0};
        if (shifted.find(c) != std::u32string_view::npos)
            return uint8_t{kCharShift};
        return std::nullopt;
    }
};

// The actions in a short notation: "<Shift" down, ">Shift" up, "a" a character, "[Left*5]" a
// named key pressed five times, "!text" a SendKeys message, "!34" a table message.
inline std::string render(const std::vector<KeyAction> &actions)
{
    std::string out;
    for (const KeyAction &a : actions) {
        if (!out.empty())
            out += ' ';
        const std::string times = a.repeat == 1 ? "" : "*" + std::to_string(a.repeat);
        switch (a.kind) {
        case KeyActionKind::Down: out += "<" + keyNameForVk(a.vk); break;
        case KeyActionKind::Up: out += ">" + keyNameForVk(a.vk); break;
        case KeyActionKind::PressVk: out += "[" + keyNameForVk(a.vk) + times + "]"; break;
        case KeyActionKind::PressChar:
            out += a.character < 0x80 ? std::string(1, static_cast<char>(a.character))
                                      : "U+" + std::to_string(a.character);
            out += times;
            break;
        case KeyActionKind::Message: out += "!" + (a.messageId ? std::to_string(a.messageId) : a.text); break;
        }
    }
    return out;
}

} // namespace orvane
