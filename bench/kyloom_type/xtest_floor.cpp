// The floor of any XTest typist: the fewest requests that type a text whose characters all sit
// on the keyboard map (one press and one release per character, Shift pressed once per run of
// shifted characters), sent in one stream with no keyboard-map change, no ping and no sync but
// the last. A character the map lacks is typed as "x", so the receiver still gets one key per
// character. run.sh times it beside kyloom and xdotool.
//   kyloom_type_floor TEXT
#include "key_strings/key_string_utf8.h"
#include "keys/vk_keysym_unicode.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdio>
#include <string>

namespace {

struct Key {
    KeyCode keycode = 0;
    bool shifted = false;
};

Key keyFor(Display *display, char32_t c)
{
    KeySym keysym = orvane::keysymForCodePoint(c);
    KeyCode keycode = keysym ? XKeysymToKeycode(display, keysym) : 0;
    if (keycode == 0) {
        keysym = XK_x;
        keycode = XKeysymToKeycode(display, keysym);
    }
    return {keycode, XkbKeycodeToKeysym(display, keycode, 0, 0) != keysym};
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kyloom_type_floor TEXT\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "kyloom_type_floor: no display\n");
        return 1;
    }
    const KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
    bool shiftDown = false;
    for (char32_t c : orvane::decodeKeyString(argv[1])) {
        const Key key = keyFor(display, c);
        if (key.shifted != shiftDown) {
            XTestFakeKeyEvent(display, shift, key.shifted, CurrentTime);
            shiftDown = key.shifted;
        }
        XTestFakeKeyEvent(display, key.keycode, True, CurrentTime);
        XTestFakeKeyEvent(display, key.keycode, False, CurrentTime);
    }
    if (shiftDown)
        XTestFakeKeyEvent(display, shift, False, CurrentTime);
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}
