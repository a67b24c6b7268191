#pragma once

#include <cstdint>
#include <span>

namespace orvane {

// Which way a pairing of the table may be read. A virtual key such as VK_SHIFT has one keysym
// to inject (Shift_L) while several keysyms (Shift_L, Shift_R) read back as that key.
enum class VkKeysymUse : uint8_t {
    Both = 3,     // the key's keysym, and the key of that keysym
    ToKeysym = 1, // only: the keysym injected for the key
    ToVk = 2,     // only: the key a keysym reads back as
};

struct VkKeysymPair {
    uint8_t vk;
    uint32_t keysym;
    VkKeysymUse use;
};

// The one table between Windows virtual-key codes and X keysyms; recording, playback and the
// key-string language all translate through it so that a key read back is the key injected.
std::span<const VkKeysymPair> vkKeysymTable();

// The keysym injected for `vk`, 0 when the key has none (the mouse buttons, unassigned codes).
uint32_t keysymForVk(uint8_t vk);

// The virtual key a keysym reads back as, 0 when it has none.
uint8_t vkForKeysym(uint32_t keysym);

// Windows virtual keys that the engine names in code.
enum : uint8_t {
    kVkCancel = 0x03,
    kVkBack = 0x08,
    kVkTab = 0x09,
    kVkReturn = 0x0D,
    kVkShift = 0x10,
    kVkControl = 0x11,
    kVkMenu = 0x12,
    kVkPause = 0x13,
    kVkCapital = 0x14,
    kVkEscape = 0x1B,
    kVkNumLock = 0x90,
    kVkScroll = 0x91,
};

} // namespace orvane
