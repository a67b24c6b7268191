#pragma once
// A private X server with a real window manager (Openbox) on it, for the tests that need what
// only a manager does: frames, the active window, minimizing, closing on request. Private, so
// that the manager never touches the windows of other tests on the shared display.
#include "tests/support/child_process.h"

#include <memory>
#include <string>

namespace orvane::testing_x11 {

class WindowManagerSession {
public:
    // Empty when the server or the manager is missing or does not come up in time; why() says.
    static std::unique_ptr<WindowManagerSession> start();
    ~WindowManagerSession();

    const std::string &displayName() const { return m_displayName; }
    static const std::string &why() { return s_why; }

private:
    WindowManagerSession() = default;
    bool startServer();
    bool startManager();

    std::string m_displayName;
    std::unique_ptr<ChildProcess> m_server;
    std::unique_ptr<ChildProcess> m_manager;
    static std::string s_why;
};

} // namespace orvane::testing_x11
