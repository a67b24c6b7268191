#include "x11/x_injector_state.h"

#include "x11/held_modifier_keys.h"
#include "x11/x_injector_display.h"

namespace orvane {

HeldModifiers heldModifiers()
{
    XInjectorDisplay display;
    if (!display)
        return {};
    const HeldModifierKeys keys = heldModifierKeys(display.get());
    HeldModifiers held;
    held.ctrl = !keys.ctrl.empty();
    held.alt = !keys.alt.empty();
    held.shift = !keys.shift.empty();
    return held;
}

} // namespace orvane
