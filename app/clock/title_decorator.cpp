#include "app/clock/title_decorator.h"

#include <vector>

namespace orvane {

namespace {

// The length of the UTF-8 sequence starting at `pos`, or 1 when none validly starts there.
std::size_t sequenceLength(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = lead < 0x80                   ? 1
                         : lead >= 0xC2 && lead < 0xE0 ? 2
                         : lead >= 0xE0 && lead < 0xF0 ? 3
                         : lead >= 0xF0 && lead < 0xF5 ? 4
                                                       : 1;
    if (pos + length > text.size())
        return 1;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80)
            return 1;
    return length;
}

// The shape of a written time: runs of digits, runs of letters (an AM/PM word in any language)
// and the marks between them, each mark kept as it is.
enum class PieceKind { Digits, Letters, Mark };

struct Piece {
    PieceKind kind;
    char mark;
    std::size_t length;
};

PieceKind kindOf(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= '0' && byte <= '9')
        return PieceKind::Digits;
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || byte >= 0x80)
        return PieceKind::Letters;
    return PieceKind::Mark;
}

std::vector<Piece> shapeOf(std::string_view text)
{
    std::vector<Piece> pieces;
    for (const char c : text) {
        const PieceKind kind = kindOf(c);
        if (kind != PieceKind::Mark && !pieces.empty() && pieces.back().kind == kind)
            ++pieces.back().length;
        else
            pieces.push_back({kind, kind == PieceKind::Mark ? c : '\0', 1});
    }
    return pieces;
}

// Whether `tail` is a time written the way `suffix` is: the same marks in the same places,
// hours and minutes of one or two digits, any word where the suffix has one.
bool sameShape(std::string_view tail, std::string_view suffix)
{
    const std::vector<Piece> a = shapeOf(tail);
    const std::vector<Piece> b = shapeOf(suffix);
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].kind != b[i].kind || a[i].mark != b[i].mark)
            return false;
        if (a[i].kind == PieceKind::Digits && a[i].length > 2)
            return false;
    }
    return true;
}

constexpr std::string_view kSuffixLead = " - ";

} // namespace

std::string utf8Prefix(std::string_view text, std::size_t count)
{
    std::size_t pos = 0;
    for (std::size_t chars = 0; chars < count && pos < text.size(); ++chars)
        pos += sequenceLength(text, pos);
    return std::string(text.substr(0, pos));
}

std::size_t utf8Length(std::string_view text)
{
    std::size_t chars = 0;
    for (std::size_t pos = 0; pos < text.size(); ++chars)
        pos += sequenceLength(text, pos);
    return chars;
}

std::string withoutClockSuffix(const std::string &title, std::string_view suffix)
{
    if (suffix.substr(0, kSuffixLead.size()) != kSuffixLead)
        return title;
    // Runs that ended without giving titles back may each have left one suffix behind.
    std::string_view rest = title;
    for (;;) {
        const std::size_t lead = rest.rfind(kSuffixLead);
        if (lead == std::string_view::npos || !sameShape(rest.substr(lead), suffix))
            return std::string(rest);
        rest = rest.substr(0, lead);
    }
}

TitleDecorator::TitleDecorator(WindowLayer &windows) : m_windows(windows) {}

std::string TitleDecorator::compose(const std::string &ownTitle, const std::string &suffix)
{
    const std::size_t suffixLength = utf8Length(suffix);
    const std::size_t room = suffixLength < kDecoratedMax ? kDecoratedMax - suffixLength : 0;
    return utf8Prefix(ownTitle, room) + suffix;
}

void TitleDecorator::decorate(const std::string &suffix, WindowScope scope)
{
    const WindowId front = target(scope);
    const auto current = front == NoWindow ? std::nullopt : m_windows.title(front);
    if (!current) {
        // Nothing in front (or it vanished while we looked): no window should keep the clock.
        restore();
        m_front = NoWindow;
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
    if (m_window != NoWindow && compose(withoutClockSuffix(m_baseTitle, suffix), suffix) != m_decoratedTitle)
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
    if (scope == WindowScope::AllWindows || front == NoWindow)
        return front;
    // A dialog's owner rarely changes while the dialog is in front; asking again every second
    // would cost several round trips to the server for nothing.
    if (front != m_front || scope != m_frontScope) {
        const WindowId parent = m_windows.parentOf(front);
        m_front = front;
        m_frontScope = scope;
        m_frontTarget = parent != NoWindow ? parent : front;
    }
    return m_frontTarget;
}

void TitleDecorator::moveTo(WindowId target, const std::string &currentTitle, const std::string &suffix)
{
    restore();
    m_window = target;
    m_windows.watchTitle(target);
    retitle(currentTitle, suffix);
}

void TitleDecorator::retitle(const std::string &currentTitle, const std::string &suffix)
{
    // The title is kept whole to be given back as it was found; only what is shown drops a
    // suffix of ours left by an earlier run, so that one clock shows, never two.
    m_baseTitle = currentTitle;
    m_decoratedTitle = compose(withoutClockSuffix(currentTitle, suffix), suffix);
    if (!m_windows.setTitle(m_window, m_decoratedTitle))
        forget();
}

void TitleDecorator::forget()
{
    if (m_window != NoWindow)
        m_windows.watchTitle(NoWindow);
    m_window = NoWindow;
    m_baseTitle.clear();
    m_decoratedTitle.clear();
}

} // namespace orvane
