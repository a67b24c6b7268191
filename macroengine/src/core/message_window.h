#pragma once

#include <cstdint>
#include <memory>

struct _XDisplay;

namespace orvane {

// The process's "MacroWin" window: the owner of its hot-key registry entries and, once input
// capture is in place, the target of requests from other processes.
class MessageWindow {
public:
    virtual ~MessageWindow() = default;
    virtual uint32_t id() const = 0;
    // The X connection that receives the window's client messages (nullptr for none).
    virtual _XDisplay *connection() const { return nullptr; }
};

// An unmapped X window titled "MacroWin" on its own connection to the default display;
// nullptr when there is no display or the window cannot be made.
std::unique_ptr<MessageWindow> createXMessageWindow();

} // namespace orvane
