#pragma once
// The clock in the title bar of the window in front: the window the user works in carries
// " - 7:05 PM" after its own title, the suffix follows the user from window to window, and each
// window left behind gets its own whole title back.
#include "app/clock/settings_record.h"
#include "app/platform/window_layer.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace orvane {

// The first `count` characters of UTF-8 text, never splitting a character's bytes (a byte that
// starts no valid sequence counts as one character).
std::string utf8Prefix(std::string_view text, std::size_t count);
// The number of characters utf8Prefix counts in `text`.
std::size_t utf8Length(std::string_view text);
// `title` without a trailing clock suffix of the same shape as `suffix` (" - " and a time written
// in the same format, whatever its digits and its AM/PM word), as an earlier run that ended
// without restoring the title may have left it; `title` itself when it ends in none.
std::string withoutClockSuffix(const std::string &title, std::string_view suffix);

class TitleDecorator {
public:
    // How long a decorated title may grow: the window's own part is cut to make room for the
    // suffix, so the time always shows. The title given back is never cut.
    static constexpr std::size_t kDecoratedMax = 103;

    explicit TitleDecorator(WindowLayer &windows);

    // The step of every tick: the front window (or, for ParentOnly, the window a front dialog
    // belongs to) carries `suffix` after its own title, taken afresh when its owner rewrites it.
    void decorate(const std::string &suffix, WindowScope scope);
    // The step of a new minute: the decorated window shows the new suffix at once.
    void redecorate(const std::string &suffix);
    // Gives the decorated window its own title back and forgets it (the title clock switched
    // off, or the program ending).
    void restore();

    WindowId decoratedWindow() const { return m_window; }
    const std::string &baseTitle() const { return m_baseTitle; }
    const std::string &decoratedTitle() const { return m_decoratedTitle; }

    // The title shown while decorated: as much of `ownTitle` as fits beside the whole suffix.
    static std::string compose(const std::string &ownTitle, const std::string &suffix);

private:
    WindowId target(WindowScope scope);
    void moveTo(WindowId target, const std::string &currentTitle, const std::string &suffix);
    void retitle(const std::string &currentTitle, const std::string &suffix);
    void forget();

    WindowLayer &m_windows;
    WindowId m_window = NoWindow;
    std::string m_baseTitle;
    std::string m_decoratedTitle;
    // The front window of the last step and the window it led to: the parent of a dialog is
    // looked up again only when the front window changes.
    WindowId m_front = NoWindow;
    WindowScope m_frontScope = WindowScope::AllWindows;
    WindowId m_frontTarget = NoWindow;
};

} // namespace orvane
