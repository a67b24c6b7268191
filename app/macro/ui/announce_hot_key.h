#pragma once

#include "app/macro/macro_set.h"
#include "macro_set_notifier.h"

#include <cstdint>
#include <functional>
#include <string>

namespace orvane {

// The clock's "Announce Time" hot key: a macro with a code hook under the chosen key, served
// by the macro engine in every application. The clock never depends on it: when the key
// cannot be bound (no X display, a Wayland-only session, the key taken by another program)
// bind() returns false, and the first such failure leaves a message for the user.
class AnnounceHotKey {
public:
    AnnounceHotKey();
    ~AnnounceHotKey();
    AnnounceHotKey(const AnnounceHotKey &) = delete;
    AnnounceHotKey &operator=(const AnnounceHotKey &) = delete;

    // Installs the engine if needed (after removing an earlier binding) and, for a key that is
    // not 0, puts a macro named "Announce Time" under it whose code hook calls onPress on the
    // program's thread.
    bool bind(uint16_t key, std::function<void()> onPress);

    // Removes the engine's hooks (at the main window's end, or before binding anew).
    void unbind();

    // What to tell the user about the first failed binding; empty afterwards and when nothing
    // failed.
    std::string takeMessage();

    TMacroSet &macroSet() { return m_set; }

private:
    bool fail(const std::string &message);

    TMacroSet m_set;
    TMacroSetNotifier m_notifier;
    bool m_installed = false;
    bool m_told = false;
    std::string m_message;
};

} // namespace orvane
