#pragma once

#include <X11/Xlib.h>

#include <chrono>

namespace orvane {

// Sends the client that owns the keyboard focus a _NET_WM_PING and waits, at most `limit`, for
// its answer. A client answers after it has handled every event it received before the ping,
// so once it has, the keys typed into it have been read with the keyboard map they were typed
// with. NotSupported (after no wait) when the focus window's client does not take part in the
// protocol, TimedOut when it did not answer within `limit`.
enum class PingResult { Answered, NotSupported, TimedOut };
PingResult pingFocusClient(Display *display, std::chrono::milliseconds limit);

} // namespace orvane
