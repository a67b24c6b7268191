#pragma once

#include <X11/Xlib.h>

namespace orvane {

// What a connection serves: one call of the key functions, or the engine for as long as it is
// installed (its message window, grabs, capture and playback).
enum class ConnectionUse { OneCall, Engine };

// Gives a connection the library opened an I/O error exit handler, so that a lost X server
// never ends the host inside Xlib (libX11 1.8 lets the handler return; the calls on the dead
// connection then fail). The loss is noted per connection; an engine connection's loss also
// tells the engine (display_loss.h).
void watchConnectionLoss(Display *display, ConnectionUse use);

// Whether the connection was lost; forgets it when `forget` (on closing the connection).
bool connectionLost(Display *display, bool forget = false);

} // namespace orvane
