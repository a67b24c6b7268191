#include "app/clock/title_decorator.h"

namespace orvane {

namespace {

// The length of the UTF-8 sequence starting at `pos`, or 1 when none validly starts there.
std::size_t sequenceLength(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                                         : lead >= 0xF0 && lead < 0xF5 ? 4 : 1;
    if (pos + length > text.size())
        return 1;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80)
            return 1;
    return length;
}

} // namespace

std::string utf8Prefix(std::string_view text, std::size_t count)
{
    std::size_t pos = 0;
    for (std::size_t chars = 0; chars < count && pos < text.size(); ++chars)
        pos += sequenceLength(text, pos);
    return std::string(text.substr(0, pos));
}

TitleDecorator::TitleDecorator(WindowLayer &windows) : m_windows(windows) {}

void TitleDecorator::decorate(const std::string &suffix, WindowScope scope)
{
    const WindowId front = target(scope);
    const auto current = front == NoWindow ? std::nullopt : m_windows.title(front);
    if (!current) {
        // Nothing in front (or it vanished while we looked): no window should keep the clock.
        restore();
        return;
    }
    if (front != m_window)
        moveTo(front, *current, suffix);
    else if (*current != m_decoratedTitle)
        retitle(*current, suffix);
}

void TitleDecorator::redecorate(const std::string &suffix)
{
    // On the first tick the per-second step has just written this very title.
    if (m_window != NoWindow && utf8Prefix(m_baseTitle + suffix, kDecoratedMax) != m_decoratedTitle)
        retitle(m_baseTitle, suffix);
}

void TitleDecorator::restore()
{
    if (m_window == NoWindow)
        return;
    // A window whose owner has retitled it since the last tick already shows its own title;
    // writing the older one back would undo the owner's change. A destroyed window reads as
    // nullopt and is simply forgotten.
    if (m_windows.title(m_window) == m_decoratedTitle)
        m_windows.setTitle(m_window, m_baseTitle);
    forget();
}

WindowId TitleDecorator::target(WindowScope scope)
{
    const WindowId front = m_windows.foregroundWindow();
    if (scope == WindowScope::ParentOnly && front != NoWindow) {
        const WindowId parent = m_windows.parentOf(front);
        if (parent != NoWindow)
            return parent;
    }
    return front;
}

void TitleDecorator::moveTo(WindowId target, const std::string &currentTitle, const std::string &suffix)
{
    restore();
    m_window = target;
    retitle(currentTitle, suffix);
}

void TitleDecorator::retitle(const std::string &ownTitle, const std::string &suffix)
{
    m_baseTitle = utf8Prefix(ownTitle, kTitleReadMax);
    m_decoratedTitle = utf8Prefix(m_baseTitle + suffix, kDecoratedMax);
    if (!m_windows.setTitle(m_window, m_decoratedTitle))
        forget();
}

void TitleDecorator::forget()
{
    m_window = NoWindow;
    m_baseTitle.clear();
    m_decoratedTitle.clear();
}

} // namespace orvane
