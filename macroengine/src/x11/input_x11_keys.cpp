#include "x11/input_x11_keys.h"

#include "input/input_dispatch.h"
#include "keys/vk_keysym.h"
#include "x11/x_connection_loss.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace orvane {

namespace {

unsigned int maskOf(Display *display, KeySym keysym) { return XkbKeysymToModifiers(display, keysym); }

unsigned int altMask(Display *display)
{
    const unsigned int mask = maskOf(display, XK_Alt_L);
    return mask ? mask : Mod1Mask;
}

} // namespace

KeyCode keycodeForVk(Display *display, uint8_t vk)
{
    const uint32_t keysym = keysymForVk(vk);
    return keysym ? XKeysymToKeycode(display, keysym) : 0;
}

uint8_t vkForKeyEvent(Display *display, KeyCode keycode, unsigned int state)
{
    const unsigned int selecting = state & (ControlMask | numLockMask(display));
    KeySym keysym = NoSymbol;
    unsigned int consumed = 0;
    if (XkbLookupKeySym(display, keycode, selecting, &consumed, &keysym) && keysym != NoSymbol) {
        if (const uint8_t vk = vkForKeysym(static_cast<uint32_t>(keysym)))
            return vk;
    }
    return vkForKeysym(static_cast<uint32_t>(XkbKeycodeToKeysym(display, keycode, 0, 0)));
}

uint8_t modifiersFromState(Display *display, unsigned int state)
{
    uint8_t modifiers = 0;
    if (state & ControlMask)
        modifiers |= kModCtrl;
    if (state & altMask(display))
        modifiers |= kModAlt;
    if (state & ShiftMask)
        modifiers |= kModShift;
    return modifiers;
}

unsigned int stateFromModifiers(Display *display, uint8_t modifiers)
{
    unsigned int state = 0;
    if (modifiers & kModCtrl)
        state |= ControlMask;
    if (modifiers & kModAlt)
        state |= altMask(display);
    if (modifiers & kModShift)
        state |= ShiftMask;
    return state;
}

unsigned int numLockMask(Display *display) { return maskOf(display, XK_Num_Lock); }

std::vector<unsigned int> lockVariants(Display *display)
{
    std::vector<unsigned int> locks{LockMask};
    for (KeySym keysym : {XK_Num_Lock, XK_Scroll_Lock}) {
        const unsigned int mask = maskOf(display, keysym);
        bool known = mask == 0;
        for (unsigned int other : locks)
            known |= other == mask;
        if (!known)
            locks.push_back(mask);
    }
    std::vector<unsigned int> variants;
    for (unsigned int subset = 0; subset < (1u << locks.size()); ++subset) {
        unsigned int variant = 0;
        for (size_t i = 0; i < locks.size(); ++i)
            if (subset & (1u << i))
                variant |= locks[i];
        variants.push_back(variant);
    }
    return variants;
}

unsigned int buttonForVk(uint8_t vk)
{
    switch (vk) {
    case 0x01: return Button1;
    case 0x02: return Button3;
    case 0x04: return Button2;
    default: return 0;
    }
}

void surviveConnectionLoss(Display *display) { watchConnectionLoss(display, ConnectionUse::Engine); }

} // namespace orvane
