#pragma once

#include "key_strings/key_string_action.h"
#include "x11/inject_wait.h"
#include "x11/x_injector_keymap.h"

#include <X11/Xlib.h>

#include <set>
#include <vector>

namespace orvane {

// Carries out key actions with XTest on one display: virtual keys through the keysym table,
// characters through the keyboard map, messages through the reporting function. Whatever
// happens, no key it pressed is left down when it is done.
class XInjector {
public:
    XInjector(Display *display, XInjectorKeymap &keymap, InjectWait wait);
    ~XInjector();
    XInjector(const XInjector &) = delete;
    XInjector &operator=(const XInjector &) = delete;

    void run(const std::vector<KeyAction> &actions);

private:
    static std::vector<XInjectorKeymap::Wanted> wantedKeysyms(const std::vector<KeyAction> &actions);
    void perform(const KeyAction &action);
    void pressVk(uint8_t vk, bool down);
    void press(KeyCode keycode, int32_t repeat);
    void sendKey(KeyCode keycode, bool down);
    void releaseHeldKeys();

    Display *m_display;
    XInjectorKeymap &m_keymap;
    InjectWait m_wait;
    std::set<KeyCode> m_held;
};

} // namespace orvane
