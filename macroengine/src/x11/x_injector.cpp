#include "x11/x_injector.h"

#include "core/injection_stop.h"
#include "core/report.h"
#include "key_strings/text_actions.h"
#include "keys/vk_keysym.h"
#include "keys/vk_keysym_unicode.h"

#include <X11/extensions/XTest.h>

namespace orvane {

XInjector::XInjector(Display *display, XInjectorKeymap &keymap, InjectWait wait)
    : m_display(display), m_keymap(keymap), m_wait(wait)
{}

XInjector::~XInjector()
{
    releaseHeldKeys();
    XSync(m_display, False);
}

void XInjector::run(const std::vector<KeyAction> &requested)
{
    const std::vector<KeyAction> actions = coalesceModifiers(requested);
    const std::vector<XInjectorKeymap::Wanted> wanted = wantedKeysyms(actions);
    m_keymap.lendAhead(wanted);
    for (size_t i = 0; i < actions.size() && !injectionStopRequested(); ++i) {
        if (m_keymap.lacks(wanted[i]) && m_keymap.allLent()) {
            // More keysyms are missing than there are spare keycodes: lend the next batch,
            // again all at once.
            m_keymap.takeBackAll();
            m_keymap.lendAhead(wanted, i);
        }
        perform(actions[i]);
    }
    releaseHeldKeys();
    XSync(m_display, False);
}

std::vector<XInjectorKeymap::Wanted> XInjector::wantedKeysyms(const std::vector<KeyAction> &actions)
{
    std::vector<XInjectorKeymap::Wanted> wanted;
    wanted.reserve(actions.size());
    for (const KeyAction &action : actions) {
        if (action.kind == KeyActionKind::PressChar)
            wanted.push_back({keysymForCodePoint(action.character), false});
        else if (action.kind == KeyActionKind::Message)
            wanted.push_back({0, false});
        else
            wanted.push_back({keysymForVk(action.vk), true});
    }
    return wanted;
}

void XInjector::perform(const KeyAction &action)
{
    switch (action.kind) {
    case KeyActionKind::Down:
    case KeyActionKind::Up: pressVk(action.vk, action.kind == KeyActionKind::Down); break;
    case KeyActionKind::PressVk:
        if (const auto keycode = m_keymap.plainKeycode(keysymForVk(action.vk)))
            press(*keycode, action.repeat);
        break;
    case KeyActionKind::PressChar:
        if (const auto key = m_keymap.keyForChar(action.character))
            press(key->keycode, action.repeat);
        break;
    case KeyActionKind::Message:
        // What was typed before the problem reaches its window before the message shows.
        XSync(m_display, False);
        // Every problem of a key string is shown under the language's own caption, the
        // table's message for a bad repeat count included, so that the user can tell which
        // call went wrong.
        reportText("SendKeys", action.messageId ? messageText(action.messageId) : action.text);
        break;
    }
}

void XInjector::pressVk(uint8_t vk, bool down)
{
    if (const auto keycode = m_keymap.plainKeycode(keysymForVk(vk)))
        sendKey(*keycode, down);
}

void XInjector::press(KeyCode keycode, int32_t repeat)
{
    for (int32_t i = 0; i < repeat; ++i) {
        sendKey(keycode, true);
        sendKey(keycode, false);
    }
}

void XInjector::sendKey(KeyCode keycode, bool down)
{
    // Asked to stop (a signal): nothing more is pressed, but what is held is still let go.
    if (down && injectionStopRequested())
        return;
    XTestFakeKeyEvent(m_display, keycode, down ? True : False, CurrentTime);
    if (down)
        m_held.insert(keycode);
    else
        m_held.erase(keycode);
    if (m_wait == InjectWait::AfterEachEvent)
        XSync(m_display, False);
}

void XInjector::releaseHeldKeys()
{
    while (!m_held.empty())
        sendKey(*m_held.begin(), false);
}

} // namespace orvane
