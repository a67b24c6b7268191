#pragma once

#include <cstdint>
#include <optional>

namespace orvane {

// Modifier bits of a character's key in the key-string language (1 Shift, 2 Ctrl, 4 Alt).
enum : uint8_t { kCharShift = 1, kCharCtrl = 2, kCharAlt = 4 };

// The keyboard map as the key-string language sees it: for a character, the modifiers its key
// is pressed with. The X map answers from the server's keyboard mapping; tests use a fixed US
// map.
class KeyStringLayout {
public:
    virtual ~KeyStringLayout() = default;

    // The modifiers (kCharShift, kCharCtrl, kCharAlt) with which the character's key types it,
    // or nothing when no key can type it.
    virtual std::optional<uint8_t> modifiersForChar(char32_t c) const = 0;
};

} // namespace orvane
