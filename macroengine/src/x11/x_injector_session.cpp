#include "x11/x_injector_session.h"

#include "key_strings/key_string_parser.h"
#include "key_strings/key_string_utf8.h"
#include "core/report.h"
#include "keys/vk_keysym_unicode.h"
#include "x11/x_injector.h"
#include "x11/x_injector_display.h"

#include <X11/extensions/XTest.h>

namespace orvane {

namespace {

bool hasXTest(Display *display)
{
    int event = 0, error = 0, major = 0, minor = 0;
    return XTestQueryExtension(display, &event, &error, &major, &minor);
}

Window focusWindow(Display *display)
{
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    return focus;
}

void sendCharacterEvent(Display *display, Window focus, const XInjectorKeymap::KeyLevel &key,
                        int type)
{
    XKeyEvent event{};
    event.type = type;
    event.display = display;
    event.window = focus;
    event.root = DefaultRootWindow(display);
    event.subwindow = None;
    event.time = CurrentTime;
    event.x = event.y = event.x_root = event.y_root = 1;
    event.state = key.level == 1 ? ShiftMask : 0;
    event.keycode = key.keycode;
    event.same_screen = True;
    const long mask = type == KeyPress ? KeyPressMask : KeyReleaseMask;
    XSendEvent(display, focus, True, mask, reinterpret_cast<XEvent *>(&event));
}

} // namespace

InjectStatus sendKeyString(std::string_view keys, InjectWait wait)
{
    XInjectorDisplay display;
    if (!display) {
        reportText("SendKeys", "Cannot open the X display");
        return InjectStatus::NoDisplay;
    }
    if (!hasXTest(display.get())) {
        reportText("SendKeys", "The X server has no XTEST extension");
        return InjectStatus::NoXTest;
    }
    XInjectorKeymap keymap(display.get());
    const std::vector<KeyAction> actions = KeyStringParser(keymap).parse(keys);
    XInjector(display.get(), keymap, wait).run(actions);
    return InjectStatus::Done;
}

InjectStatus sendTextString(std::string_view text)
{
    XInjectorDisplay display;
    if (!display) {
        reportText("SendText", "Cannot open the X display");
        return InjectStatus::NoDisplay;
    }
    const Window focus = focusWindow(display.get());
    if (focus == None || focus == PointerRoot)
        return InjectStatus::NoFocus;
    const XInjectorKeymap keymap(display.get());
    for (char32_t c : decodeKeyString(text)) {
        const auto key = keymap.find(keysymForCodePoint(c));
        if (!key)
            continue;
        sendCharacterEvent(display.get(), focus, *key, KeyPress);
        sendCharacterEvent(display.get(), focus, *key, KeyRelease);
    }
    XSync(display.get(), False);
    return InjectStatus::Done;
}

} // namespace orvane
