#pragma once

namespace orvane {

// The engine's X display went away. Xlib reports a lost connection from inside whatever call
// met it, on whatever thread; ending the process there (Xlib's default) would end the host.
// So the connection's handler only notes the loss here and wakes the host's event loop through
// the engine's notify descriptor; the next call into the library, on the host's thread, reports
// it and takes the engine down.
void noteDisplayLost() noexcept;
bool displayLost() noexcept;
void clearDisplayLost() noexcept;

// The descriptor to wake when the display is lost (-1: none).
void setDisplayLossWake(int fd) noexcept;

} // namespace orvane
