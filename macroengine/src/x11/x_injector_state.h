#pragma once

#include "keys/key_names_shift.h"

namespace orvane {

// Which of Ctrl, Alt and Shift are down on the keyboard now, any key that reads back as one
// of them counting (both Shift keys, Alt and Meta, ...); none held without a display.
HeldModifiers heldModifiers();

} // namespace orvane
