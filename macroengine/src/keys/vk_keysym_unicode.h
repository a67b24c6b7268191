#pragma once

#include <cstdint>

namespace orvane {

// The keysym that types character `c` (Latin-1 keysyms for U+0020-U+00FF, the X Unicode
// keysyms above that, the editing keys for tab, line feed, carriage return, backspace and
// escape); 0 for characters no key can type (other control characters, surrogates, values
// past U+10FFFF).
uint32_t keysymForCodePoint(char32_t c);

// The character a keysym types, the inverse of keysymForCodePoint plus the keypad's digits
// and operators; 0 when the keysym types none.
char32_t codePointForKeysym(uint32_t keysym);

} // namespace orvane
