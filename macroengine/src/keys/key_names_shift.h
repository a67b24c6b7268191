#pragma once

#include "kyloom32.h"

namespace orvane {

struct HeldModifiers {
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
};

// A key code with its modifier bits (1 Ctrl, 2 Alt, 4 Shift) set from the modifiers held; a
// bare Shift, Ctrl or Alt key keeps its code as it is, as it would otherwise name itself.
KyKey withShiftStates(KyKey key, HeldModifiers held);

} // namespace orvane
