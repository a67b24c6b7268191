#pragma once

namespace orvane {

// A request to stop the key injection in progress (typing or playback), made from a signal
// handler. Xlib is not async-signal-safe, so a handler cannot release keys itself; it only
// sets this flag, and the injecting loop, which checks it between events, stops pressing,
// releases what it holds and restores what it borrowed on its own connection.
//
// The request stays until an injection has stopped because of it, so a signal that comes just
// before an injection starts stops that one too.
void requestInjectionStop() noexcept; // async-signal-safe
bool injectionStopRequested() noexcept;
void clearInjectionStop() noexcept;

} // namespace orvane
