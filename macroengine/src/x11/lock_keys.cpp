#include "x11/lock_keys.h"

#include "x11/x_injector_display.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace orvane {

namespace {

const char *indicatorName(LockKey key)
{
    switch (key) {
    case LockKey::Caps: return "Caps Lock";
    case LockKey::Num: return "Num Lock";
    case LockKey::Scroll: return "Scroll Lock";
    }
    return "";
}

unsigned int modifierMask(Display *display, LockKey key)
{
    switch (key) {
    case LockKey::Caps: return LockMask;
    case LockKey::Num: return XkbKeysymToModifiers(display, XK_Num_Lock);
    case LockKey::Scroll: return XkbKeysymToModifiers(display, XK_Scroll_Lock);
    }
    return 0;
}

bool useXkb(Display *display)
{
    int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    return XkbQueryExtension(display, &opcode, &event, &error, &major, &minor);
}

constexpr struct {
    LockKey key;
    uint8_t flag;
} kLockFlags[] = {
    {LockKey::Caps, kLockFlagCaps},
    {LockKey::Num, kLockFlagNum},
    {LockKey::Scroll, kLockFlagScroll},
};

bool lockKeyOn(Display *display, LockKey key)
{
    if (!useXkb(display))
        return false;
    if (const unsigned int mask = modifierMask(display, key)) {
        XkbStateRec state{};
        if (XkbGetState(display, XkbUseCoreKbd, &state) != Success)
            return false;
        return (state.locked_mods & mask) != 0;
    }
    Bool on = False;
    const Atom name = XInternAtom(display, indicatorName(key), False);
    if (!XkbGetNamedIndicator(display, name, nullptr, &on, nullptr, nullptr))
        return false;
    return on;
}

void setLockKey(Display *display, LockKey key, bool on)
{
    if (!useXkb(display))
        return;
    if (const unsigned int mask = modifierMask(display, key)) {
        XkbLockModifiers(display, XkbUseCoreKbd, mask, on ? mask : 0);
    } else {
        const Atom name = XInternAtom(display, indicatorName(key), False);
        XkbSetNamedIndicator(display, name, True, on ? True : False, False, nullptr);
    }
    XSync(display, False);
}

} // namespace

uint8_t currentLockFlags()
{
    XInjectorDisplay display;
    if (!display)
        return 0;
    uint8_t flags = 0;
    for (const auto &lock : kLockFlags)
        if (lockKeyOn(display.get(), lock.key))
            flags |= lock.flag;
    return flags;
}

void setLockFlags(uint8_t flags, uint8_t mask)
{
    XInjectorDisplay display;
    if (!display)
        return;
    for (const auto &lock : kLockFlags)
        if (mask & lock.flag)
            setLockKey(display.get(), lock.key, (flags & lock.flag) != 0);
}

bool lockKeyOn(LockKey key)
{
    XInjectorDisplay display;
    return display && lockKeyOn(display.get(), key);
}

void setLockKey(LockKey key, bool on)
{
    XInjectorDisplay display;
    if (display)
        setLockKey(display.get(), key, on);
}

} // namespace orvane
