/* Kyloom32: keyboard and mouse macro engine.
 *
 * C interface of libkyloom32.so. Keys are 16-bit codes: the low byte is a Windows virtual-key
 * code (1, 2 and 4 are the left, right and middle mouse buttons), the high byte holds the
 * modifiers (1 Ctrl, 2 Alt, 4 Shift), so 0x0120 is Ctrl+Space. A macro is an opaque 32-bit
 * handle, 0 for none; every export checks it, and an unknown handle is never dereferenced.
 * Booleans are one byte (0 false, 1 true). No export ever lets a C++ exception escape, and the
 * library never ends its host process.
 */
#ifndef KYLOOM32_H
#define KYLOOM32_H

#include <stdint.h>

#if defined(KYLOOM_STATIC)
#define KYLOOM_API
#elif defined(KYLOOM_BUILDING)
#define KYLOOM_API __attribute__((visibility("default")))
#else
#define KYLOOM_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef uint16_t KyKey;
typedef uint32_t KyMacro;
typedef uint8_t KyBool;
typedef unsigned long KyWindow; /* an X window id */

/* ---- Version and messages ---------------------------------------------------------------- */

/* The library's version: major in the high byte, minor in the low byte (0x0200). */
KYLOOM_API uint16_t GetKeyloomVersion(void);

/* Copies message `id` of the library's table into `text` as a length-prefixed string: text[0]
 * is the length (at most 255), text[1..] the characters. `text` must hold 256 bytes. An unknown
 * id gives the empty text. */
KYLOOM_API void LoadMsg(uint16_t id, unsigned char *text);

#ifdef __cplusplus
}
#endif

#endif /* KYLOOM32_H */
