#include "x11/x_injector_keymap.h"

#include "keys/vk_keysym_unicode.h"
#include "x11/focus_client_ping.h"
#include "x11/x_injection_lease.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <thread>

namespace orvane {

XInjectorKeymap::XInjectorKeymap(Display *display) : m_display(display)
{
    XDisplayKeycodes(m_display, &m_minKeycode, &m_maxKeycode);
    const int count = m_maxKeycode - m_minKeycode + 1;
    if (count <= 0)
        return;
    KeySym *symbols =
        XGetKeyboardMapping(m_display, static_cast<KeyCode>(m_minKeycode), count, &m_perKeycode);
    if (!symbols) {
        m_perKeycode = 0;
        return;
    }
    m_symbols.assign(symbols, symbols + static_cast<size_t>(count) * m_perKeycode);
    XFree(symbols);
    for (int keycode = m_minKeycode; keycode <= m_maxKeycode; ++keycode) {
        const auto first = m_symbols.begin() + (keycode - m_minKeycode) * m_perKeycode;
        if (std::all_of(first, first + m_perKeycode, [](KeySym s) { return s == NoSymbol; }))
            m_spare.push_back(static_cast<KeyCode>(keycode));
    }
}

XInjectorKeymap::~XInjectorKeymap() { restore(); }

KeySym XInjectorKeymap::symbolAt(KeyCode keycode, int column) const
{
    if (keycode < m_minKeycode || keycode > m_maxKeycode || column >= m_perKeycode)
        return NoSymbol;
    const size_t base = static_cast<size_t>(keycode - m_minKeycode) * m_perKeycode;
    const KeySym symbol = m_symbols[base + column];
    if (column != 1 || symbol != NoSymbol)
        return symbol;
    // A letter listed once stands for both cases, its capital on the Shift level.
    KeySym lower = NoSymbol, upper = NoSymbol;
    XConvertCase(m_symbols[base], &lower, &upper);
    return upper != lower ? upper : NoSymbol;
}

std::optional<XInjectorKeymap::KeyLevel> XInjectorKeymap::find(KeySym keysym) const
{
    if (keysym == NoSymbol)
        return std::nullopt;
    for (int keycode = m_minKeycode; keycode <= m_maxKeycode; ++keycode)
        for (uint8_t level = 0; level < 2; ++level)
            if (symbolAt(static_cast<KeyCode>(keycode), level) == keysym)
                return KeyLevel{static_cast<KeyCode>(keycode), level};
    return std::nullopt;
}

std::optional<uint8_t> XInjectorKeymap::modifiersForChar(char32_t c) const
{
    const KeySym keysym = keysymForCodePoint(c);
    if (keysym == NoSymbol)
        return std::nullopt;
    if (const auto found = find(keysym))
        return static_cast<uint8_t>(found->level == 1 ? kCharShift : 0);
    if (m_spare.empty())
        return std::nullopt;
    return uint8_t{0};
}

std::optional<XInjectorKeymap::KeyLevel> XInjectorKeymap::keyForChar(char32_t c)
{
    const KeySym keysym = keysymForCodePoint(c);
    if (keysym == NoSymbol)
        return std::nullopt;
    if (const auto found = find(keysym))
        return found;
    if (const auto lent = lend(keysym))
        return KeyLevel{*lent, 0};
    return std::nullopt;
}

std::optional<KeyCode> XInjectorKeymap::findPlain(KeySym keysym) const
{
    if (keysym == NoSymbol)
        return std::nullopt;
    for (int keycode = m_minKeycode; keycode <= m_maxKeycode; ++keycode)
        if (symbolAt(static_cast<KeyCode>(keycode), 0) == keysym)
            return static_cast<KeyCode>(keycode);
    return std::nullopt;
}

std::optional<KeyCode> XInjectorKeymap::plainKeycode(KeySym keysym)
{
    if (keysym == NoSymbol)
        return std::nullopt;
    if (const auto keycode = findPlain(keysym))
        return keycode;
    return lend(keysym);
}

bool XInjectorKeymap::lacks(const Wanted &w) const
{
    if (w.keysym == NoSymbol)
        return false;
    return w.plainOnly ? !findPlain(w.keysym) : !find(w.keysym);
}

void XInjectorKeymap::lendAhead(const std::vector<Wanted> &wanted, size_t from)
{
    // The keycodes are given their keysyms in the copy first and sent afterwards, a run of
    // neighbouring keycodes in one request: every change makes each client fetch the map
    // again, so a string with twenty missing characters costs one fetch, not twenty.
    const size_t firstNew = m_lent.size();
    for (size_t i = from; i < wanted.size() && !allLent(); ++i)
        if (lacks(wanted[i]))
            assign(m_spare[m_lent.size()], wanted[i].keysym);
    sendMappings(std::vector<KeyCode>(m_lent.begin() + static_cast<std::ptrdiff_t>(firstNew), m_lent.end()));
}

void XInjectorKeymap::assign(KeyCode keycode, KeySym keysym)
{
    if (m_record)
        m_record->noteLent(keycode, keysym);
    forget(keycode);
    const size_t base = static_cast<size_t>(keycode - m_minKeycode) * m_perKeycode;
    m_symbols[base] = keysym;
    if (m_perKeycode > 1)
        m_symbols[base + 1] = keysym;
    m_lent.push_back(keycode);
    m_everLent.insert(keycode);
}

void XInjectorKeymap::sendMappings(std::vector<KeyCode> keycodes)
{
    std::sort(keycodes.begin(), keycodes.end());
    size_t runStart = 0;
    for (size_t i = 1; i <= keycodes.size(); ++i) {
        if (i < keycodes.size() && keycodes[i] == keycodes[i - 1] + 1)
            continue;
        if (i > runStart)
            sendRun(keycodes[runStart], static_cast<int>(i - runStart));
        runStart = i;
    }
}

void XInjectorKeymap::sendRun(KeyCode first, int count)
{
    // Two levels per keycode, as the copy keeps a lent keysym on both.
    std::vector<KeySym> symbols;
    symbols.reserve(static_cast<size_t>(count) * 2);
    for (int k = 0; k < count; ++k) {
        const KeySym keysym = symbolAt(static_cast<KeyCode>(first + k), 0);
        symbols.push_back(keysym);
        symbols.push_back(keysym);
    }
    XChangeKeyboardMapping(m_display, first, 2, symbols.data(), count);
}

std::optional<KeyCode> XInjectorKeymap::lend(KeySym keysym)
{
    if (m_spare.empty())
        return std::nullopt;
    if (m_lent.size() == m_spare.size())
        takeBackAll();
    const KeyCode keycode = m_spare[m_lent.size()];
    assign(keycode, keysym);
    sendRun(keycode, 1);
    return keycode;
}

void XInjectorKeymap::takeBackAll()
{
    // Once the clients have had time to read the events typed with them, the keycodes may
    // carry other keysyms. Forgetting them here keeps later characters from being typed on a
    // keycode that is about to change; the server keeps the old keysyms until each is lent
    // again or restored.
    waitForReaders();
    for (KeyCode keycode : m_lent)
        forget(keycode);
    m_lent.clear();
}

void XInjectorKeymap::waitForReaders()
{
    XSync(m_display, False);
    // A client that answers a ping has read every key before it; one that does not take part
    // is given the whole grace.
    if (pingFocusClient(m_display, kPingLimit) == PingResult::NotSupported)
        std::this_thread::sleep_for(kLendGrace);
}

void XInjectorKeymap::forget(KeyCode keycode)
{
    const size_t base = static_cast<size_t>(keycode - m_minKeycode) * m_perKeycode;
    std::fill_n(m_symbols.begin() + base, m_perKeycode, NoSymbol);
}

void XInjectorKeymap::restore()
{
    if (m_everLent.empty())
        return;
    waitForReaders();
    for (KeyCode keycode : m_everLent)
        forget(keycode);
    sendMappings(std::vector<KeyCode>(m_everLent.begin(), m_everLent.end()));
    m_lent.clear();
    m_everLent.clear();
    XSync(m_display, False);
    if (m_record)
        m_record->noteRestored();
}

} // namespace orvane
