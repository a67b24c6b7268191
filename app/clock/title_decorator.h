#pragma once
// The clock in the title bar of the window in front: the window the user works in carries
// " - 7:05 PM" after its own title, the suffix follows the user from window to window, and each
// window left behind gets its own title back.
#include "app/clock/settings_record.h"
#include "app/platform/window_layer.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace orvane {

// The first `count` characters of UTF-8 text, never splitting a character's bytes (a byte that
// starts no valid sequence counts as one character).
std::string utf8Prefix(std::string_view text, std::size_t count);

class TitleDecorator {
public:
    // How much of a window's own title is kept, and how long a decorated title may grow.
    static constexpr std::size_t kTitleReadMax = 99;
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

private:
    WindowId target(WindowScope scope);
    void moveTo(WindowId target, const std::string &currentTitle, const std::string &suffix);
    void retitle(const std::string &ownTitle, const std::string &suffix);
    void forget();

    WindowLayer &m_windows;
    WindowId m_window = NoWindow;
    std::string m_baseTitle;
    std::string m_decoratedTitle;
};

} // namespace orvane
