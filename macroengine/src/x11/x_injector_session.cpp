#include "x11/x_injector_session.h"

#include "core/injection_stop.h"
#include "core/report.h"
#include "key_strings/key_string_parser.h"
#include "key_strings/key_string_utf8.h"
#include "key_strings/text_actions.h"
#include "keys/vk_keysym_unicode.h"
#include "x11/x_injection_lease.h"
#include "x11/x_injector.h"
#include "x11/x_injector_display.h"

#include <X11/extensions/XTest.h>

#include <cstdio>
#include <string>

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

std::string codePointName(char32_t c)
{
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
    return name;
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
    XInjectionLease lease(display.get());
    XInjectorKeymap keymap(display.get());
    keymap.setLendRecord(&lease);
    const std::vector<KeyAction> actions = KeyStringParser(keymap).parse(keys);
    XInjector(display.get(), keymap, wait).run(actions);
    keymap.restore();
    clearInjectionStop();
    return InjectStatus::Done;
}

InjectStatus sendTextString(std::string_view text)
{
    XInjectorDisplay display;
    if (!display) {
        reportText("SendText", "Cannot open the X display");
        return InjectStatus::NoDisplay;
    }
    if (!hasXTest(display.get())) {
        reportText("SendText", "The X server has no XTEST extension");
        return InjectStatus::NoXTest;
    }
    const Window focus = focusWindow(display.get());
    if (focus == None) {
        reportText("SendText", "No window has the keyboard focus");
        return InjectStatus::NoFocus;
    }
    // The characters are typed as real key events (XTest), as SendKeys types them: clients
    // ignore key events that another client sends them, so a text sent that way never
    // arrives. Characters the keyboard map lacks are typed on borrowed keycodes.
    XInjectionLease lease(display.get());
    XInjectorKeymap keymap(display.get());
    keymap.setLendRecord(&lease);
    const TextActions typed = textActions(decodeKeyString(text), keymap);
    XInjector(display.get(), keymap, InjectWait::No).run(typed.actions);
    keymap.restore();
    clearInjectionStop();
    for (char32_t c : typed.untypable)
        reportText("SendText", "No key can type the character " + codePointName(c));
    return typed.untypable.empty() ? InjectStatus::Done : InjectStatus::Untypable;
}

} // namespace orvane
