#pragma once

#include "kyloom32.h"

#include <cstdint>
#include <string>

namespace orvane {

// The name Windows gives the key on a US keyboard ("Space", "F11", "A", "Num 5", "Left",
// "Page Up", ...), or "No name" for codes no key carries.
std::string keyNameForVk(uint8_t vk);

// The full text of a key code: "Ctrl+", "Alt+", "Shift+" for its modifiers, in that order,
// then the key's name; the engine's own names (mouse buttons, Cancel, Pause and the two keypad
// keys Windows names ambiguously) come from the message table.
std::string keyNameText(KyKey key);

// Copies `text` into `buffer` of `size` bytes, cut so that the terminating zero fits; returns
// the buffer. A null buffer or a size below 1 leaves it alone.
char *copyKeyName(const std::string &text, char *buffer, int32_t size);

} // namespace orvane
