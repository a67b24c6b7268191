#pragma once

#include "key_strings/key_string_layout.h"

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <set>
#include <vector>

namespace orvane {

class XInjectionLease;

// The server's keyboard mapping as the injector sees it: the keycode and shift level of a
// keysym, and spare keycodes (with no keysym at all) that are lent to keysyms the map lacks,
// as xdotool does. A lent keycode carries its keysym on both levels, so a held Shift does not
// change what it types. It keeps it until restore(), or until every spare keycode is out and
// they are all taken back at once, so that a client reading its events late still finds them
// in the map.
class XInjectorKeymap : public KeyStringLayout {
public:
    struct KeyLevel {
        KeyCode keycode;
        uint8_t level; // 0 plain, 1 with Shift
    };

    // How long a client is given to read the events of a lent keycode before its keysym is
    // taken away again, when it does not answer pings.
    static constexpr std::chrono::milliseconds kLendGrace{100};
    // The longest wait for a client that takes part in pings: its answer is a sure sign, so a
    // busy client is waited for longer than the blind grace.
    static constexpr std::chrono::milliseconds kPingLimit{1000};

    // A keysym to be typed: a character's may sit on the Shift level of its key (the typing
    // holds Shift for it), a virtual key's must be on the plain level.
    struct Wanted {
        uint32_t keysym;
        bool plainOnly;
    };

    explicit XInjectorKeymap(Display *display);
    ~XInjectorKeymap() override;
    XInjectorKeymap(const XInjectorKeymap &) = delete;
    XInjectorKeymap &operator=(const XInjectorKeymap &) = delete;

    std::optional<uint8_t> modifiersForChar(char32_t c) const override;

    // The first keycode (lowest first, plain level before Shift) carrying the keysym.
    std::optional<KeyLevel> find(KeySym keysym) const;

    // The keycode that types `keysym` without Shift: the map's own or a lent spare one;
    // nothing when the map has neither.
    std::optional<KeyCode> plainKeycode(KeySym keysym);

    // The keycode and level for a character (a lent keycode at level 0 when the map lacks it).
    std::optional<KeyLevel> keyForChar(char32_t c);

    // Lends spare keycodes to the wanted keysyms that the map lacks, all before any of them is
    // typed. A client (Xlib's own keymap cache among them) that is still fetching one change
    // when the next arrives can miss it for good, so the changes are made together and never
    // between the keys they serve.
    void lendAhead(const std::vector<Wanted> &wanted, size_t from = 0);

    // Whether the map (lent keycodes included) has no key for `w`.
    bool lacks(const Wanted &w) const;

    // Whether every spare keycode is lent out.
    bool allLent() const { return m_lent.size() == m_spare.size(); }

    // Takes every lent keycode back for lending anew, once the focused client has read the
    // events typed with them (waitForReaders).
    void takeBackAll();

    // Gives every lent keycode back its empty mapping.
    void restore();

    size_t spareCount() const { return m_spare.size(); }

    // Where keycodes are noted before they are lent and once they are restored, so that a
    // later injection can restore them after this process was killed.
    void setLendRecord(XInjectionLease *record) { m_record = record; }

private:
    KeySym symbolAt(KeyCode keycode, int column) const;
    std::optional<KeyCode> findPlain(KeySym keysym) const;
    std::optional<KeyCode> lend(KeySym keysym);
    // Returns once the focused client has read the keys typed so far (it answered a ping, at
    // most kPingLimit), or after kLendGrace for a client that does not answer pings.
    void waitForReaders();
    void forget(KeyCode keycode);
    // Lends the next spare keycode, `keycode`, to `keysym` in the copy only; sendMappings()
    // tells the server.
    void assign(KeyCode keycode, KeySym keysym);
    // Sends the copy's keysyms of `keycodes` to the server, one request per run of
    // neighbouring keycodes.
    void sendMappings(std::vector<KeyCode> keycodes);
    void sendRun(KeyCode first, int count);

    Display *m_display;
    int m_minKeycode = 0;
    int m_maxKeycode = -1;
    int m_perKeycode = 0;
    std::vector<KeySym> m_symbols;
    std::vector<KeyCode> m_spare;
    std::vector<KeyCode> m_lent;  // lent since the spare keycodes were last taken back
    std::set<KeyCode> m_everLent; // to be restored at the end
    XInjectionLease *m_record = nullptr;
};

} // namespace orvane
