#include "keys/key_names_shift.h"

#include "keys/vk_keysym.h"

namespace orvane {

KyKey withShiftStates(KyKey key, HeldModifiers held)
{
    const uint8_t vk = static_cast<uint8_t>(key & 0xFF);
    if (vk == kVkShift || vk == kVkControl || vk == kVkMenu)
        return key;
    const uint8_t modifiers =
        static_cast<uint8_t>((held.ctrl ? 1 : 0) | (held.alt ? 2 : 0) | (held.shift ? 4 : 0));
    return static_cast<KyKey>((key & 0x00FF) | (key & 0xF800) | (modifiers << 8));
}

} // namespace orvane
