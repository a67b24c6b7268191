#include "app/platform/fake/fake_window_layer.h"

namespace orvane {

WindowId FakeWindowLayer::addWindow(const std::string &title, WindowId parent, pid_t pid)
{
    const WindowId id = m_nextId++;
    m_windows[id] = Window{title, parent, pid};
    return id;
}

void FakeWindowLayer::destroyWindow(WindowId window)
{
    m_windows.erase(window);
    if (m_foreground == window)
        m_foreground = NoWindow;
}

void FakeWindowLayer::ownerSetsTitle(WindowId window, const std::string &title)
{
    if (Window *w = find(window))
        w->title = title;
}

const FakeWindowLayer::Window *FakeWindowLayer::window(WindowId window) const
{
    const auto it = m_windows.find(window);
    return it == m_windows.end() ? nullptr : &it->second;
}

FakeWindowLayer::Window *FakeWindowLayer::find(WindowId window)
{
    const auto it = m_windows.find(window);
    return it == m_windows.end() ? nullptr : &it->second;
}

WindowId FakeWindowLayer::parentOf(WindowId window)
{
    ++m_parentLookups;
    const Window *w = find(window);
    return w ? w->parent : NoWindow;
}

std::optional<std::string> FakeWindowLayer::title(WindowId window)
{
    const Window *w = find(window);
    return w ? std::optional<std::string>(w->title) : std::nullopt;
}

bool FakeWindowLayer::setTitle(WindowId window, const std::string &title)
{
    Window *w = find(window);
    if (!w)
        return false;
    w->title = title;
    m_writes.push_back({window, title});
    return true;
}

WindowId FakeWindowLayer::findByTitle(const std::string &title)
{
    for (const auto &[id, w] : m_windows)
        if (w.title == title)
            return id;
    return NoWindow;
}

WindowId FakeWindowLayer::findByPid(pid_t pid, std::chrono::milliseconds timeout)
{
    m_pidWaits.push_back(timeout);
    for (const auto &[id, w] : m_windows)
        if (pid > 0 && w.pid == pid)
            return id;
    return NoWindow;
}

bool FakeWindowLayer::activate(WindowId window)
{
    if (!find(window))
        return false;
    m_foreground = window;
    return true;
}

bool FakeWindowLayer::isMinimized(WindowId window)
{
    const Window *w = find(window);
    return w && w->minimized;
}

bool FakeWindowLayer::showNormal(WindowId window)
{
    Window *w = find(window);
    if (!w)
        return false;
    w->minimized = false;
    return true;
}

bool FakeWindowLayer::iconify(WindowId window)
{
    Window *w = find(window);
    if (!w)
        return false;
    w->minimized = true;
    return true;
}

bool FakeWindowLayer::close(WindowId window)
{
    Window *w = find(window);
    if (!w)
        return false;
    w->closeRequested = true;
    return true;
}

} // namespace orvane
