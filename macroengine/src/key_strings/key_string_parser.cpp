#include "key_strings/key_string_parser.h"

#include "key_strings/key_string_names.h"
#include "key_strings/key_string_utf8.h"
#include "keys/vk_keysym.h"
#include "kyloom32.h"

namespace orvane {

namespace {

char32_t toUpperAscii(char32_t c) { return (c >= U'a' && c <= U'z') ? c - U'a' + U'A' : c; }

} // namespace

std::optional<int32_t> parseRepeatCount(std::u32string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == U'+' || text.front() == U'-')) {
        negative = text.front() == U'-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    int64_t value = 0;
    for (char32_t c : text) {
        if (c < U'0' || c > U'9')
            return std::nullopt;
        value = value * 10 + (c - U'0');
        if (value > KeyStringParser::kMaxRepeat)
            return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -value : value);
}

std::vector<KeyAction> KeyStringParser::parse(std::string_view keys)
{
    m_actions.clear();
    m_pendingShift = m_pendingCtrl = m_pendingAlt = m_inGroup = false;
    const std::u32string text = decodeKeyString(keys);
    size_t at = 0;
    while (at < text.size())
        if (readCharacter(text, at) == Step::Stop)
            break;
    releaseAll();
    return std::move(m_actions);
}

KeyStringParser::Step KeyStringParser::readCharacter(const std::u32string &text, size_t &at)
{
    const char32_t c = text[at];
    switch (c) {
    case U'+': pressModifier(kVkShift, m_pendingShift); break;
    case U'^': pressModifier(kVkControl, m_pendingCtrl); break;
    case U'%': pressModifier(kVkMenu, m_pendingAlt); break;
    case U'(': m_inGroup = true; break;
    case U')':
        m_inGroup = false;
        releasePending();
        break;
    case U'~':
        m_actions.push_back(KeyAction::pressVk(kVkReturn));
        releasePending();
        break;
    case U'{': return readBraces(text, at);
    default:
        // A character without a key is skipped: the modifiers wait for the next one.
        if (typeCharacter(c, 1, true))
            releasePending();
        break;
    }
    ++at;
    return Step::Continue;
}

KeyStringParser::Step KeyStringParser::readBraces(const std::u32string &text, size_t &at)
{
    if (at + 1 < text.size() && text[at + 1] == U'{') {
        // "{{}": the left brace; the character after the two braces is taken with them.
        if (typeCharacter(U'{', 1, false))
            releasePending();
        at = std::min(at + 3, text.size());
        return Step::Continue;
    }
    const size_t close = text.find(U'}', at + 1);
    if (close == std::u32string::npos) {
        m_actions.push_back(KeyAction::message("No Close"));
        return Step::Stop;
    }
    if (close == at + 1 && close + 1 < text.size() && text[close + 1] == U'}') {
        if (typeCharacter(U'}', 1, false))
            releasePending();
        at = close + 2;
        return Step::Continue;
    }
    std::u32string braced = text.substr(at + 1, std::min(close - at - 1, kMaxBracedLength));
    for (char32_t &c : braced)
        c = toUpperAscii(c);
    at = close + 1;
    return typeBracedText(braced);
}

KeyStringParser::Step KeyStringParser::typeBracedText(const std::u32string &braced)
{
    std::u32string_view name = braced;
    int32_t repeat = 1;
    const size_t blank = braced.find(U' ');
    if (blank != std::u32string::npos) {
        const std::optional<int32_t> count = parseRepeatCount(std::u32string_view(braced).substr(blank + 1));
        if (!count) {
            m_actions.push_back(KeyAction::tableMessage(KyMsgUnknownError));
            return Step::Stop;
        }
        repeat = *count;
        name = name.substr(0, blank);
    }
    if (name.size() == 1) {
        if (!typeCharacter(name.front(), repeat, false))
            return Step::Continue;
    } else {
        const std::optional<uint8_t> vk = vkForKeyName(name);
        if (!vk) {
            m_actions.push_back(KeyAction::message("Invalid Key Name"));
            return Step::Continue;
        }
        if (repeat > 0)
            m_actions.push_back(KeyAction::pressVk(*vk, repeat));
    }
    releasePending();
    return Step::Continue;
}

void KeyStringParser::pressModifier(uint8_t vk, bool &pending)
{
    // A modifier that is already waiting is already down, and is let go once: pressing it a
    // second time would leave one press without its release and keep the key down for the
    // rest of the string once repeated presses are folded into one.
    if (pending)
        return;
    m_actions.push_back(KeyAction::down(vk));
    pending = true;
}

bool KeyStringParser::typeCharacter(char32_t c, int32_t repeat, bool reportMissingKey)
{
    const std::optional<uint8_t> modifiers = m_layout.modifiersForChar(c);
    if (!modifiers) {
        if (reportMissingKey)
            m_actions.push_back(KeyAction::message("Invalid KeyName"));
        return false;
    }
    pressWithModifiers(*modifiers, KeyAction::pressChar(c, repeat));
    return true;
}

void KeyStringParser::pressWithModifiers(uint8_t modifiers, const KeyAction &press)
{
    const std::pair<uint8_t, uint8_t> order[] = {
        {kCharShift, kVkShift}, {kCharCtrl, kVkControl}, {kCharAlt, kVkMenu}};
    for (const auto &[bit, vk] : order)
        if (modifiers & bit)
            m_actions.push_back(KeyAction::down(vk));
    if (press.repeat > 0)
        m_actions.push_back(press);
    for (const auto &[bit, vk] : order)
        if (modifiers & bit)
            m_actions.push_back(KeyAction::up(vk));
}

void KeyStringParser::releasePending()
{
    if (m_inGroup)
        return;
    releaseAll();
}

void KeyStringParser::releaseAll()
{
    if (m_pendingShift)
        m_actions.push_back(KeyAction::up(kVkShift));
    if (m_pendingCtrl)
        m_actions.push_back(KeyAction::up(kVkControl));
    if (m_pendingAlt)
        m_actions.push_back(KeyAction::up(kVkMenu));
    m_pendingShift = m_pendingCtrl = m_pendingAlt = false;
}

} // namespace orvane
