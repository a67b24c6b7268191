#include "keys/possible_keys.h"

#include <algorithm>

namespace orvane {

namespace {

constexpr uint8_t kVkCancel = 0x03;
constexpr uint8_t kVkPause = 0x13;
constexpr uint8_t kVkDelete = 0x2E;

constexpr uint8_t kCtrl = 1, kAlt = 2, kShift = 4;

// Modifier combinations in the order the pickers have always shown them.
constexpr uint8_t kModifierOrder[] = {
    0, kCtrl, kAlt, kShift, kCtrl | kShift, kCtrl | kAlt, kAlt | kShift, kCtrl | kAlt | kShift,
};

bool isAssignable(int vk)
{
    auto in = [vk](int lo, int hi) { return vk >= lo && vk <= hi; };
    return in(0x01, 0x04) || vk == 0x08 || vk == 0x09 || vk == 0x0C || vk == 0x0D || vk == 0x13 ||
           vk == 0x1B || in(0x20, 0x28) || vk == 0x2D || vk == 0x2E || in(0x30, 0x39) || in(0x41, 0x5A) ||
           in(0x60, 0x6B) || in(0x6D, 0x7B) || in(0xBA, 0xC0) || in(0xDB, 0xDE);
}

// Ctrl+Pause is the system's Break, the Cancel key only arrives in a few combinations, and
// Ctrl+Alt+Del belongs to the system.
bool isExcluded(uint8_t vk, uint8_t mods)
{
    if (vk == kVkPause && (mods & kCtrl))
        return true;
    if (vk == kVkCancel)
        return !(mods == 0 || mods == (kCtrl | kShift) || mods == (kCtrl | kAlt) ||
                 mods == (kCtrl | kAlt | kShift));
    if (vk == kVkDelete)
        return mods == (kCtrl | kAlt) || mods == (kCtrl | kAlt | kShift);
    return false;
}

std::vector<KyKey> buildList()
{
    std::vector<KyKey> keys;
    for (int vk = 1; vk <= 222; ++vk) {
        if (!isAssignable(vk))
            continue;
        for (uint8_t mods : kModifierOrder) {
            if (!isExcluded(static_cast<uint8_t>(vk), mods))
                keys.push_back(static_cast<KyKey>(mods << 8 | vk));
        }
    }
    return keys;
}

} // namespace

const std::vector<KyKey> &possibleMacroKeys()
{
    static const std::vector<KyKey> keys = buildList();
    return keys;
}

int32_t possibleMacroKeyIndex(KyKey key)
{
    const auto &keys = possibleMacroKeys();
    auto it = std::find(keys.begin(), keys.end(), key);
    return it == keys.end() ? -1 : static_cast<int32_t>(it - keys.begin());
}

} // namespace orvane
