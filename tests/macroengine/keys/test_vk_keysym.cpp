#include "keys/vk_keysym.h"
#include "keys/vk_keysym_unicode.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

#include <gtest/gtest.h>

#include <map>

using namespace orvane;

TEST(VkKeysymTable, EveryKeyInjectedReadsBackAsItself)
{
    // Except the left/right modifier codes and VK_PRINT, which read back as their generic key.
    const std::map<uint8_t, uint8_t> readsBackAs = {{0xA0, 0x10}, {0xA1, 0x10}, {0xA2, 0x11}, {0xA3, 0x11},
                                                    {0xA4, 0x12}, {0xA5, 0x12}, {0x2A, 0x2C}};
    int keys = 0;
    for (int vk = 1; vk < 256; ++vk) {
        const uint32_t keysym = keysymForVk(static_cast<uint8_t>(vk));
        if (keysym == 0)
            continue;
        ++keys;
        const auto special = readsBackAs.find(static_cast<uint8_t>(vk));
        const uint8_t expected = special == readsBackAs.end() ? vk : special->second;
        EXPECT_EQ(vkForKeysym(keysym), expected) << "vk 0x" << std::hex << vk;
    }
    EXPECT_GE(keys, 140);
}

TEST(VkKeysymTable, KeysTheEngineAndTheLanguageUse)
{
    const std::pair<uint8_t, uint32_t> pairs[] = {
        {0x03, XK_Break},
        {0x08, XK_BackSpace},
        {0x09, XK_Tab},
        {0x0D, XK_Return},
        {0x10, XK_Shift_L},
        {0x11, XK_Control_L},
        {0x12, XK_Alt_L},
        {0x13, XK_Pause},
        {0x14, XK_Caps_Lock},
        {0x1B, XK_Escape},
        {0x20, XK_space},
        {0x21, XK_Prior},
        {0x22, XK_Next},
        {0x25, XK_Left},
        {0x2A, XK_Print},
        {0x2C, XK_Print},
        {0x2E, XK_Delete},
        {0x2F, XK_Help},
        {0x30, XK_0},
        {0x39, XK_9},
        {0x41, XK_a},
        {0x5A, XK_z},
        {0x60, XK_KP_0},
        {0x6F, XK_KP_Divide},
        {0x70, XK_F1},
        {0x7F, XK_F16},
        {0x87, XK_F24},
        {0x90, XK_Num_Lock},
        {0x91, XK_Scroll_Lock},
        {0xBA, XK_semicolon},
        {0xC0, XK_grave},
        {0xDB, XK_bracketleft},
        {0xDD, XK_bracketright},
        {0xDE, XK_apostrophe},
        {0xAD, XF86XK_AudioMute},
    };
    for (const auto &[vk, keysym] : pairs)
        EXPECT_EQ(keysymForVk(vk), keysym) << "vk 0x" << std::hex << int(vk);
}

TEST(VkKeysymTable, ShiftedAndKeypadKeysymsReadBackAsTheirKey)
{
    const std::pair<uint32_t, uint8_t> pairs[] = {
        {XK_A, 0x41},
        {XK_Z, 0x5A},
        {XK_exclam, 0x31},
        {XK_parenright, 0x30},
        {XK_braceleft, 0xDB},
        {XK_braceright, 0xDD},
        {XK_bar, 0xDC},
        {XK_asciitilde, 0xC0},
        {XK_plus, 0xBB},
        {XK_question, 0xBF},
        {XK_Shift_R, 0x10},
        {XK_Control_R, 0x11},
        {XK_Meta_L, 0x12},
        {XK_ISO_Level3_Shift, 0xA5},
        {XK_KP_Home, 0x24},
        {XK_KP_Enter, 0x0D},
        {XK_ISO_Left_Tab, 0x09},
        {XK_Cancel, 0x03},
        {XK_Sys_Req, 0x2C},
    };
    for (const auto &[keysym, vk] : pairs)
        EXPECT_EQ(vkForKeysym(keysym), vk) << "keysym 0x" << std::hex << keysym;
}

TEST(VkKeysymTable, CodesWithoutAKey)
{
    for (uint8_t vk : {0x00, 0x01, 0x02, 0x04, 0x07, 0x0A, 0x3A, 0x40, 0x88, 0xFF})
        EXPECT_EQ(keysymForVk(vk), 0u) << int(vk);
    EXPECT_EQ(vkForKeysym(0), 0);
    EXPECT_EQ(vkForKeysym(XK_eacute), 0);
    EXPECT_EQ(vkForKeysym(0x12345678), 0);
}

TEST(KeysymUnicode, CharactersAndKeysymsConvertBothWays)
{
    const std::pair<char32_t, uint32_t> pairs[] = {
        {U'a', XK_a},          {U'~', XK_asciitilde}, {U' ', XK_space},      {0xE9, XK_eacute},
        {0xFF, XK_ydiaeresis}, {0x20AC, 0x010020AC},  {0x4E2D, 0x01004E2D},  {0x1F600, 0x0101F600},
        {U'\t', XK_Tab},       {U'\n', XK_Return},    {U'\b', XK_BackSpace}, {0x1B, XK_Escape},
    };
    for (const auto &[c, keysym] : pairs) {
        EXPECT_EQ(keysymForCodePoint(c), keysym) << "U+" << std::hex << uint32_t(c);
        EXPECT_EQ(codePointForKeysym(keysym), c) << "keysym 0x" << std::hex << keysym;
    }
}

TEST(KeysymUnicode, WhatNoKeyTypes)
{
    for (char32_t c :
         {char32_t(0), char32_t(1), char32_t(0x7F), char32_t(0x85), char32_t(0xD800), char32_t(0x110000)})
        EXPECT_EQ(keysymForCodePoint(c), 0u) << "U+" << std::hex << uint32_t(c);
    EXPECT_EQ(keysymForCodePoint(U'\r'), uint32_t(XK_Return));
    EXPECT_EQ(codePointForKeysym(XK_Left), 0u);
    EXPECT_EQ(codePointForKeysym(XK_Shift_L), 0u);
    EXPECT_EQ(codePointForKeysym(XK_KP_7), U'7');
    EXPECT_EQ(codePointForKeysym(XK_EuroSign), char32_t(0x20AC));
}
