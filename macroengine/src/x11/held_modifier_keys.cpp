#include "x11/held_modifier_keys.h"

#include "keys/vk_keysym.h"

#include <X11/XKBlib.h>

namespace orvane {

HeldModifierKeys heldModifierKeys(Display *display)
{
    char keys[32] = {};
    XQueryKeymap(display, keys);
    HeldModifierKeys held;
    for (int keycode = 8; keycode < 256; ++keycode) {
        if (!(keys[keycode / 8] & (1 << (keycode % 8))))
            continue;
        const auto code = static_cast<KeyCode>(keycode);
        for (int level = 0; level < 2; ++level) {
            const KeySym keysym = XkbKeycodeToKeysym(display, code, 0, level);
            switch (vkForKeysym(static_cast<uint32_t>(keysym))) {
            case kVkControl: held.ctrl.insert(code); break;
            case kVkMenu: held.alt.insert(code); break;
            case kVkShift: held.shift.insert(code); break;
            default: break;
            }
        }
    }
    return held;
}

} // namespace orvane
