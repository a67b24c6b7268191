#include "keys/vk_keysym_unicode.h"

#include <X11/keysym.h>

namespace orvane {

namespace {

constexpr uint32_t kUnicodeKeysymBase = 0x01000000;
constexpr char32_t kLastCodePoint = 0x10FFFF;

bool isPrintableLatin1(char32_t c) { return (c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF); }

bool isSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

uint32_t keysymForControl(char32_t c)
{
    switch (c) {
    case U'\t': return XK_Tab;
    case U'\n':
    case U'\r': return XK_Return;
    case U'\b': return XK_BackSpace;
    case 0x1B: return XK_Escape;
    default: return 0;
    }
}

char32_t codePointForKeypad(uint32_t keysym)
{
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
        return U'0' + (keysym - XK_KP_0);
    switch (keysym) {
    case XK_KP_Space: return U' ';
    case XK_KP_Tab: return U'\t';
    case XK_KP_Enter: return U'\n';
    case XK_KP_Equal: return U'=';
    case XK_KP_Multiply: return U'*';
    case XK_KP_Add: return U'+';
    case XK_KP_Separator: return U',';
    case XK_KP_Subtract: return U'-';
    case XK_KP_Decimal: return U'.';
    case XK_KP_Divide: return U'/';
    default: return 0;
    }
}

} // namespace

uint32_t keysymForCodePoint(char32_t c)
{
    if (isPrintableLatin1(c))
        return static_cast<uint32_t>(c);
    if (c < 0x100)
        return keysymForControl(c);
    if (isSurrogate(c) || c > kLastCodePoint)
        return 0;
    return kUnicodeKeysymBase + static_cast<uint32_t>(c);
}

char32_t codePointForKeysym(uint32_t keysym)
{
    if (isPrintableLatin1(keysym))
        return keysym;
    if (keysym > kUnicodeKeysymBase + 0xFF && keysym <= kUnicodeKeysymBase + kLastCodePoint)
        return keysym - kUnicodeKeysymBase;
    switch (keysym) {
    case XK_Tab: return U'\t';
    case XK_Return: return U'\n';
    case XK_BackSpace: return U'\b';
    case XK_Escape: return 0x1B;
    case XK_EuroSign: return 0x20AC;
    default: return codePointForKeypad(keysym);
    }
}

} // namespace orvane
