#pragma once

#include <Qt>

#include <cstdint>

namespace orvane {

// The Windows virtual key of a Qt key (0 when it has none); keypad keys are told apart by the
// keypad modifier, as Windows gives them codes of their own.
uint8_t VirtualKeyForQtKey(int key, Qt::KeyboardModifiers modifiers);

// The modifier values of a key code's high byte (1 Ctrl, 2 Alt, 4 Shift).
uint8_t ModifierBitsForQt(Qt::KeyboardModifiers modifiers);

} // namespace orvane
