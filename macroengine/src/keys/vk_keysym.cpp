#include "keys/vk_keysym.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

#include <array>

namespace orvane {

namespace {

constexpr VkKeysymUse B = VkKeysymUse::Both;
constexpr VkKeysymUse K = VkKeysymUse::ToKeysym;
constexpr VkKeysymUse V = VkKeysymUse::ToVk;

// Letters and digits follow from their codes and are added by allPairs(); everything else is
// listed here. Shifted symbols read back as the US key that carries them, as Windows reports
// the key and not the character.
constexpr VkKeysymPair kNamedPairs[] = {
    {0x03, XK_Break, B},
    {0x03, XK_Cancel, V},
    {0x08, XK_BackSpace, B},
    {0x09, XK_Tab, B},
    {0x09, XK_ISO_Left_Tab, V},
    {0x0C, XK_Clear, B},
    {0x0C, XK_KP_Begin, V},
    {0x0D, XK_Return, B},
    {0x0D, XK_KP_Enter, V},
    {0x0D, XK_Linefeed, V},
    {0x10, XK_Shift_L, B},
    {0x10, XK_Shift_R, V},
    {0x11, XK_Control_L, B},
    {0x11, XK_Control_R, V},
    {0x12, XK_Alt_L, B},
    {0x12, XK_Alt_R, V},
    {0x12, XK_Meta_L, V},
    {0x12, XK_Meta_R, V},
    {0x13, XK_Pause, B},
    {0x14, XK_Caps_Lock, B},
    {0x1B, XK_Escape, B},
    {0x20, XK_space, B},
    {0x20, XK_KP_Space, V},
    {0x21, XK_Prior, B},
    {0x21, XK_KP_Prior, V},
    {0x22, XK_Next, B},
    {0x22, XK_KP_Next, V},
    {0x23, XK_End, B},
    {0x23, XK_KP_End, V},
    {0x24, XK_Home, B},
    {0x24, XK_KP_Home, V},
    {0x25, XK_Left, B},
    {0x25, XK_KP_Left, V},
    {0x26, XK_Up, B},
    {0x26, XK_KP_Up, V},
    {0x27, XK_Right, B},
    {0x27, XK_KP_Right, V},
    {0x28, XK_Down, B},
    {0x28, XK_KP_Down, V},
    {0x29, XK_Select, B},
    // VK_PRINT and VK_SNAPSHOT both press Print; the Print key reads back as VK_SNAPSHOT,
    // which is what Windows reports for it.
    {0x2A, XK_Print, K},
    {0x2B, XK_Execute, B},
    {0x2C, XK_Print, B},
    {0x2C, XK_Sys_Req, V},
    {0x2D, XK_Insert, B},
    {0x2D, XK_KP_Insert, V},
    {0x2E, XK_Delete, B},
    {0x2E, XK_KP_Delete, V},
    {0x2F, XK_Help, B},
    {0x30, XK_parenright, V},
    {0x31, XK_exclam, V},
    {0x32, XK_at, V},
    {0x33, XK_numbersign, V},
    {0x34, XK_dollar, V},
    {0x35, XK_percent, V},
    {0x36, XK_asciicircum, V},
    {0x37, XK_ampersand, V},
    {0x38, XK_asterisk, V},
    {0x39, XK_parenleft, V},
    {0x5B, XK_Super_L, B},
    {0x5C, XK_Super_R, B},
    {0x5D, XK_Menu, B},
    {0x5F, XF86XK_Sleep, B},
    {0x60, XK_KP_0, B},
    {0x61, XK_KP_1, B},
    {0x62, XK_KP_2, B},
    {0x63, XK_KP_3, B},
    {0x64, XK_KP_4, B},
    {0x65, XK_KP_5, B},
    {0x66, XK_KP_6, B},
    {0x67, XK_KP_7, B},
    {0x68, XK_KP_8, B},
    {0x69, XK_KP_9, B},
    {0x6A, XK_KP_Multiply, B},
    {0x6B, XK_KP_Add, B},
    {0x6C, XK_KP_Separator, B},
    {0x6D, XK_KP_Subtract, B},
    {0x6E, XK_KP_Decimal, B},
    {0x6F, XK_KP_Divide, B},
    {0x90, XK_Num_Lock, B},
    {0x91, XK_Scroll_Lock, B},
    // The left/right modifier codes inject their own side; reading back gives the generic
    // key (listed above), as the journal hooks report it.
    {0xA0, XK_Shift_L, K},
    {0xA1, XK_Shift_R, K},
    {0xA2, XK_Control_L, K},
    {0xA3, XK_Control_R, K},
    {0xA4, XK_Alt_L, K},
    {0xA5, XK_Alt_R, K},
    {0xA5, XK_ISO_Level3_Shift, V},
    {0xA6, XF86XK_Back, B},
    {0xA7, XF86XK_Forward, B},
    {0xA8, XF86XK_Refresh, B},
    {0xA8, XF86XK_Reload, V},
    {0xA9, XF86XK_Stop, B},
    {0xAA, XF86XK_Search, B},
    {0xAB, XF86XK_Favorites, B},
    {0xAC, XF86XK_HomePage, B},
    {0xAD, XF86XK_AudioMute, B},
    {0xAE, XF86XK_AudioLowerVolume, B},
    {0xAF, XF86XK_AudioRaiseVolume, B},
    {0xB0, XF86XK_AudioNext, B},
    {0xB1, XF86XK_AudioPrev, B},
    {0xB2, XF86XK_AudioStop, B},
    {0xB3, XF86XK_AudioPlay, B},
    {0xB3, XF86XK_AudioPause, V},
    {0xB4, XF86XK_Mail, B},
    {0xB5, XF86XK_AudioMedia, B},
    {0xB6, XF86XK_Launch0, B},
    {0xB7, XF86XK_Launch1, B},
    {0xBA, XK_semicolon, B},
    {0xBA, XK_colon, V},
    {0xBB, XK_equal, B},
    {0xBB, XK_plus, V},
    {0xBC, XK_comma, B},
    {0xBC, XK_less, V},
    {0xBD, XK_minus, B},
    {0xBD, XK_underscore, V},
    {0xBE, XK_period, B},
    {0xBE, XK_greater, V},
    {0xBF, XK_slash, B},
    {0xBF, XK_question, V},
    {0xC0, XK_grave, B},
    {0xC0, XK_asciitilde, V},
    {0xDB, XK_bracketleft, B},
    {0xDB, XK_braceleft, V},
    {0xDC, XK_backslash, B},
    {0xDC, XK_bar, V},
    {0xDD, XK_bracketright, B},
    {0xDD, XK_braceright, V},
    {0xDE, XK_apostrophe, B},
    {0xDE, XK_quotedbl, V},
};

constexpr size_t kDigits = 10, kLetters = 26, kFunctionKeys = 24;
constexpr size_t kTableSize = std::size(kNamedPairs) + kDigits + 2 * kLetters + kFunctionKeys;

constexpr std::array<VkKeysymPair, kTableSize> allPairs()
{
    std::array<VkKeysymPair, kTableSize> table{};
    size_t n = 0;
    for (const VkKeysymPair &pair : kNamedPairs)
        table[n++] = pair;
    for (uint8_t i = 0; i < kDigits; ++i)
        table[n++] = {static_cast<uint8_t>('0' + i), static_cast<uint32_t>(XK_0 + i), B};
    // A letter key injects its unshifted keysym; both cases read back as the key.
    for (uint8_t i = 0; i < kLetters; ++i) {
        table[n++] = {static_cast<uint8_t>('A' + i), static_cast<uint32_t>(XK_a + i), B};
        table[n++] = {static_cast<uint8_t>('A' + i), static_cast<uint32_t>(XK_A + i), V};
    }
    for (uint8_t i = 0; i < kFunctionKeys; ++i)
        table[n++] = {static_cast<uint8_t>(0x70 + i), static_cast<uint32_t>(XK_F1 + i), B};
    return table;
}

constexpr std::array<VkKeysymPair, kTableSize> kTable = allPairs();

bool allows(VkKeysymUse use, VkKeysymUse wanted)
{
    return (static_cast<uint8_t>(use) & static_cast<uint8_t>(wanted)) != 0;
}

} // namespace

std::span<const VkKeysymPair> vkKeysymTable() { return kTable; }

uint32_t keysymForVk(uint8_t vk)
{
    for (const VkKeysymPair &pair : kTable)
        if (pair.vk == vk && allows(pair.use, VkKeysymUse::ToKeysym))
            return pair.keysym;
    return 0;
}

uint8_t vkForKeysym(uint32_t keysym)
{
    if (keysym == 0)
        return 0;
    for (const VkKeysymPair &pair : kTable)
        if (pair.keysym == keysym && allows(pair.use, VkKeysymUse::ToVk))
            return pair.vk;
    return 0;
}

} // namespace orvane
