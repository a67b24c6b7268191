#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

namespace orvane {

// Key codes and modifier masks of the X keyboard map, in the terms of virtual keys.

// The keycode that carries the virtual key's keysym; 0 when the map has none.
KeyCode keycodeForVk(Display *display, uint8_t vk);

// The virtual key of a key event: the keysym of its keycode as Ctrl and Num Lock select it
// (Ctrl+Pause is Break, the keypad's digits need Num Lock), Shift and Caps Lock left out as
// Windows reports keys and not characters. 0 when the keysym has no virtual key.
uint8_t vkForKeyEvent(Display *display, KeyCode keycode, unsigned int state);

// The modifier values (1 Ctrl, 2 Alt, 4 Shift) of an X modifier state, and back.
uint8_t modifiersFromState(Display *display, unsigned int state);
unsigned int stateFromModifiers(Display *display, uint8_t modifiers);

// The modifier masks of Num Lock and Scroll Lock on this map (0 when none is bound).
unsigned int numLockMask(Display *display);

// Every combination of Caps Lock, Num Lock and Scroll Lock, so that a grab is made once for
// each and a hot key works whatever the lock keys show.
std::vector<unsigned int> lockVariants(Display *display);

// The X button of a mouse virtual key (1 left, 2 right, 4 middle); 0 for any other key.
unsigned int buttonForVk(uint8_t vk);

// Keeps the host process alive when the connection to the X server is lost: Xlib would
// otherwise end it from inside the next call on this connection.
void surviveConnectionLoss(Display *display);

} // namespace orvane
