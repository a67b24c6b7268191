#pragma once

#include <cstdint>
#include <memory>

namespace orvane {

// The process's "MacroWin" window: the owner of its hot-key registry entries and, once input
// capture is in place, the target of requests from other processes.
class MessageWindow
{
public:
    virtual ~MessageWindow() = default;
    virtual uint32_t id() const = 0;
};

// An unmapped X window titled "MacroWin" on its own connection to the default display;
// nullptr when there is no display or the window cannot be made.
std::unique_ptr<MessageWindow> createXMessageWindow();

} // namespace orvane
