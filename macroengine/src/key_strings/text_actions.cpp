#include "key_strings/text_actions.h"

#include "keys/vk_keysym.h"

#include <algorithm>
#include <map>

namespace orvane {

namespace {

bool isModifier(uint8_t vk) { return vk == kVkShift || vk == kVkControl || vk == kVkMenu; }

bool isModifierMove(const KeyAction &action, KeyActionKind kind)
{
    return action.kind == kind && isModifier(action.vk);
}

// Removes a Shift release that a Shift press right after it takes back, with that press. Only
// Shift is kept down this way: some programs act on the release of Ctrl or Alt (menus,
// window switchers), never on Shift's.
std::vector<KeyAction> cancelReleasePressPairs(const std::vector<KeyAction> &actions)
{
    std::vector<KeyAction> out;
    out.reserve(actions.size());
    size_t i = 0;
    while (i < actions.size()) {
        size_t upEnd = i;
        while (upEnd < actions.size() && isModifierMove(actions[upEnd], KeyActionKind::Up))
            ++upEnd;
        if (upEnd == i) {
            out.push_back(actions[i++]);
            continue;
        }
        size_t downEnd = upEnd;
        while (downEnd < actions.size() && isModifierMove(actions[downEnd], KeyActionKind::Down))
            ++downEnd;
        std::vector<bool> dropped(downEnd - i, false);
        for (size_t u = i; u < upEnd; ++u)
            for (size_t d = upEnd; d < downEnd; ++d)
                if (!dropped[d - i] && actions[d].vk == actions[u].vk && actions[u].vk == kVkShift) {
                    dropped[u - i] = dropped[d - i] = true;
                    break;
                }
        for (size_t k = i; k < downEnd; ++k)
            if (!dropped[k - i])
                out.push_back(actions[k]);
        i = downEnd;
    }
    return out;
}

// Keeps only the outermost press and release of each modifier.
std::vector<KeyAction> dropNestedPresses(const std::vector<KeyAction> &actions)
{
    std::vector<KeyAction> out;
    out.reserve(actions.size());
    std::map<uint8_t, int> depth;
    for (const KeyAction &action : actions) {
        if (isModifierMove(action, KeyActionKind::Down)) {
            if (depth[action.vk]++ > 0)
                continue;
        } else if (isModifierMove(action, KeyActionKind::Up)) {
            int &d = depth[action.vk];
            if (d > 1) {
                --d;
                continue;
            }
            d = 0;
        }
        out.push_back(action);
    }
    return out;
}

} // namespace

TextActions textActions(std::u32string_view text, const KeyStringLayout &layout)
{
    TextActions result;
    const std::pair<uint8_t, uint8_t> order[] = {
        {kCharShift, kVkShift}, {kCharCtrl, kVkControl}, {kCharAlt, kVkMenu}};
    for (char32_t c : text) {
        const std::optional<uint8_t> modifiers = layout.modifiersForChar(c);
        if (!modifiers) {
            result.untypable += c;
            continue;
        }
        for (const auto &[bit, vk] : order)
            if (*modifiers & bit)
                result.actions.push_back(KeyAction::down(vk));
        result.actions.push_back(KeyAction::pressChar(c));
        for (const auto &[bit, vk] : order)
            if (*modifiers & bit)
                result.actions.push_back(KeyAction::up(vk));
    }
    return result;
}

std::vector<KeyAction> coalesceModifiers(const std::vector<KeyAction> &actions)
{
    return cancelReleasePressPairs(dropNestedPresses(actions));
}

} // namespace orvane
