#pragma once

#include <cstdint>

namespace orvane {

enum class LockKey { Caps, Num, Scroll };

// The lock bits of a macro's flag byte, as recording stores them and playback restores them.
enum : uint8_t { kLockFlagCaps = 0x08, kLockFlagNum = 0x10, kLockFlagScroll = 0x20 };

// The three locks as flag bits (kLockFlagCaps, kLockFlagNum, kLockFlagScroll); 0 without a
// display.
uint8_t currentLockFlags();

// Sets each lock whose bit is in `mask` to its state in `flags`; others stay as they are.
void setLockFlags(uint8_t flags, uint8_t mask);

// Whether the lock is on: the locked modifier bound to the key where the map binds one (Caps
// Lock always, Num Lock nearly always), else the keyboard indicator of that name (Scroll Lock
// on most maps). Off without a display.
bool lockKeyOn(LockKey key);

// Turns the lock on or off for the display, through the modifier or indicator lockKeyOn reads.
void setLockKey(LockKey key, bool on);

} // namespace orvane
