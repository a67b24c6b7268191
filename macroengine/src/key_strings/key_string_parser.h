#pragma once

#include "key_strings/key_string_action.h"
#include "key_strings/key_string_layout.h"

#include <optional>
#include <string_view>
#include <vector>

namespace orvane {

// Turns a key string into the key actions that type it: "+" "^" "%" hold Shift, Ctrl, Alt for
// the next key or group, "(" ")" make a group, "~" is Enter, "{NAME}" and "{NAME n}" press a
// named key n times, "{c}" types a character that the language would otherwise read, "{{}" and
// "{}}" type braces. Problems become Message actions at the point where they arise, so the
// keys before them are typed first. However the string ends, every modifier it pressed comes
// up again.
class KeyStringParser {
public:
    // Longest braced text kept; what follows it up to the closing brace is dropped.
    static constexpr size_t kMaxBracedLength = 20;
    // Largest repeat count accepted; anything larger would hold the keyboard for minutes.
    static constexpr int32_t kMaxRepeat = 65535;

    explicit KeyStringParser(const KeyStringLayout &layout) : m_layout(layout) {}

    std::vector<KeyAction> parse(std::string_view keys);

private:
    enum class Step { Continue, Stop };

    Step readCharacter(const std::u32string &text, size_t &at);
    Step readBraces(const std::u32string &text, size_t &at);
    Step typeBracedText(const std::u32string &braced);
    void pressModifier(uint8_t vk, bool &pending);
    // False when no key types the character (it is then skipped).
    bool typeCharacter(char32_t c, int32_t repeat, bool reportMissingKey);
    void pressWithModifiers(uint8_t modifiers, const KeyAction &press);
    void releasePending();
    void releaseAll();

    const KeyStringLayout &m_layout;
    std::vector<KeyAction> m_actions;
    bool m_pendingShift = false;
    bool m_pendingCtrl = false;
    bool m_pendingAlt = false;
    bool m_inGroup = false;
};

// The repeat count of a braced key: an optional sign and decimal digits, nothing else, at most
// KeyStringParser::kMaxRepeat; nothing for any other text.
std::optional<int32_t> parseRepeatCount(std::u32string_view text);

} // namespace orvane
