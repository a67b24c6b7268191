#include "x_injector_state.h"

#include "vk_keysym.h"
#include "x_injector_display.h"

#include <X11/XKBlib.h>

namespace orvane {

namespace {

HeldModifiers heldOn(Display *display)
{
    char keys[32] = {};
    XQueryKeymap(display, keys);
    HeldModifiers held;
    for (int keycode = 8; keycode < 256; ++keycode) {
        if (!(keys[keycode / 8] & (1 << (keycode % 8))))
            continue;
        // A modifier may sit on the second level only (Meta on some Alt keys).
        for (int level = 0; level < 2; ++level) {
            const KeySym keysym =
                XkbKeycodeToKeysym(display, static_cast<KeyCode>(keycode), 0, level);
            switch (vkForKeysym(static_cast<uint32_t>(keysym))) {
            case kVkControl: held.ctrl = true; break;
            case kVkMenu: held.alt = true; break;
            case kVkShift: held.shift = true; break;
            default: break;
            }
        }
    }
    return held;
}

} // namespace

HeldModifiers heldModifiers()
{
    XInjectorDisplay display;
    return display ? heldOn(display.get()) : HeldModifiers{};
}

} // namespace orvane
