#pragma once
// A window layer over an in-memory set of windows, for tests: windows are created, retitled,
// focused and destroyed by the test, and every title written through the layer is recorded.
#include "app/platform/window_layer.h"

#include <map>
#include <string>
#include <vector>

namespace orvane {

class FakeWindowLayer : public WindowLayer {
public:
    struct Window {
        std::string title;
        WindowId parent = NoWindow;
        pid_t pid = 0;
        bool minimized = false;
        bool closeRequested = false;
    };
    struct TitleWrite {
        WindowId window;
        std::string title;
        bool operator==(const TitleWrite &) const = default;
    };

    // Test side: the windows' owners and the user.
    WindowId addWindow(const std::string &title, WindowId parent = NoWindow, pid_t pid = 0);
    void destroyWindow(WindowId window);
    void setForeground(WindowId window) { m_foreground = window; }
    // The window's owner rewrites its title (not recorded as a write through the layer).
    void ownerSetsTitle(WindowId window, const std::string &title);
    const Window *window(WindowId window) const;
    const std::vector<TitleWrite> &titleWrites() const { return m_writes; }
    void clearTitleWrites() { m_writes.clear(); }
    // How often a window's parent was asked for.
    int parentLookups() const { return m_parentLookups; }
    // The window whose title the caller follows (watchTitle).
    WindowId watchedWindow() const { return m_watched; }

    WindowId foregroundWindow() override { return m_foreground; }
    WindowId parentOf(WindowId window) override;
    std::optional<std::string> title(WindowId window) override;
    bool setTitle(WindowId window, const std::string &title) override;
    void watchTitle(WindowId window) override { m_watched = window; }
    WindowId findByTitle(const std::string &title) override;
    WindowId findByPid(pid_t pid, std::chrono::milliseconds timeout) override;
    // The time limit of every findByPid call: a real layer would wait that long for a program
    // that shows no window.
    const std::vector<std::chrono::milliseconds> &pidWaits() const { return m_pidWaits; }
    bool exists(WindowId window) override { return m_windows.count(window) != 0; }
    bool activate(WindowId window) override;
    bool isMinimized(WindowId window) override;
    bool showNormal(WindowId window) override;
    bool iconify(WindowId window) override;
    bool close(WindowId window) override;

private:
    std::vector<std::chrono::milliseconds> m_pidWaits;
    Window *find(WindowId window);

    std::map<WindowId, Window> m_windows;
    std::vector<TitleWrite> m_writes;
    WindowId m_foreground = NoWindow;
    WindowId m_watched = NoWindow;
    int m_parentLookups = 0;
    WindowId m_nextId = 0x400001;
};

} // namespace orvane
