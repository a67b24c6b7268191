#include "macro_key_capture.h"

namespace orvane {

namespace {

constexpr uint8_t kVkLButton = 0x01;

KyKey withModifiers(uint8_t vk, uint8_t modifiers) { return static_cast<KyKey>(vk | (modifiers & 7) << 8); }

bool isNavigationKey(KyKey key)
{
    switch (key) {
    case 0x0009:
    case 0x000D:
    case 0x0026:
    case 0x0028:
    case 0x0226:
    case 0x0228:
    case 0x0409: return true;
    default: return false;
    }
}

} // namespace

std::optional<KyKey> CapturedMacroKey(uint8_t vk, uint8_t modifiers, bool mousePresent)
{
    if (vk == 0 || vk == 0x10 || vk == 0x11 || vk == 0x12)
        return std::nullopt;
    const KyKey key = withModifiers(vk, modifiers);
    if (!mousePresent && isNavigationKey(key))
        return std::nullopt;
    return key;
}

std::optional<KyKey> CapturedMouseKey(uint8_t buttonVk, uint8_t modifiers, TMouseAction action)
{
    if (action == TMouseAction::Release)
        return std::nullopt;
    if (buttonVk == kVkLButton && action == TMouseAction::Press && (modifiers & 7) == 0)
        return std::nullopt;
    return withModifiers(buttonVk, modifiers);
}

bool ConsumesMouseRelease(uint8_t buttonVk, uint8_t modifiers)
{
    return buttonVk != kVkLButton || (modifiers & 7) != 0;
}

} // namespace orvane
