#include "keys/key_names.h"
#include "keys/key_names_shift.h"
#include "kyloom32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace orvane;

namespace {

std::string nameOf(KyKey key, int32_t size = 64)
{
    char buffer[64];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetKeyName(key, buffer, size), buffer);
    return buffer;
}

} // namespace

TEST(KeyNames, KeysNamedAsOnAUsKeyboard)
{
    const std::pair<uint8_t, const char *> names[] = {
        {0x20, "Space"},     {0x7A, "F11"},         {0x87, "F24"},    {0x41, "A"},
        {0x39, "9"},         {0x0C, "Num 5"},       {0x65, "Num 5"},  {0x25, "Left"},
        {0x21, "Page Up"},   {0x22, "Page Down"},   {0x2D, "Insert"}, {0x2E, "Delete"},
        {0x08, "Backspace"}, {0x0D, "Enter"},       {0x1B, "Esc"},    {0x14, "Caps Lock"},
        {0x90, "Num Lock"},  {0x91, "Scroll Lock"}, {0x6A, "Num *"},  {0xBA, ";"},
        {0xDC, "\\"},        {0xC0, "`"},           {0x10, "Shift"},  {0xA1, "Right Shift"},
    };
    for (const auto &[vk, name] : names)
        EXPECT_EQ(keyNameForVk(vk), name) << "vk 0x" << std::hex << int(vk);
}

TEST(KeyNames, TheEnginesOwnNamesAndNoName)
{
    EXPECT_EQ(nameOf(0x0000), "No name");
    EXPECT_EQ(nameOf(0x0001), "LButton");
    EXPECT_EQ(nameOf(0x0002), "RButton");
    EXPECT_EQ(nameOf(0x0003), "Cancel");
    EXPECT_EQ(nameOf(0x0004), "MButton");
    EXPECT_EQ(nameOf(0x0013), "Pause");
    EXPECT_EQ(nameOf(0x006E), "Num .");
    EXPECT_EQ(nameOf(0x006F), "Num /");
    for (KyKey code : {0x05, 0x07, 0x3A, 0x6C, 0x88, 0xE0, 0xFF})
        EXPECT_EQ(nameOf(code), "No name") << code;
}

TEST(KeyNames, ModifiersComeFirstInAFixedOrder)
{
    EXPECT_EQ(nameOf(0x0120), "Ctrl+Space");
    EXPECT_EQ(nameOf(0x077A), "Ctrl+Alt+Shift+F11");
    EXPECT_EQ(nameOf(0x0641), "Alt+Shift+A");
    EXPECT_EQ(nameOf(0x0401), "Shift+LButton");
    // Bits beyond the three modifiers name nothing.
    EXPECT_EQ(nameOf(0x0820), "Space");
}

TEST(KeyNames, TheTextIsCutToFitTheBuffer)
{
    EXPECT_EQ(nameOf(0x0713, 30), "Ctrl+Alt+Shift+Pause");
    EXPECT_EQ(nameOf(0x0713, 6), "Ctrl+");
    EXPECT_EQ(nameOf(0x0713, 5), "Ctrl");
    EXPECT_EQ(nameOf(0x0713, 1), "");

    char untouched[4] = {'a', 'b', 'c', '\0'};
    EXPECT_EQ(GetKeyName(0x0020, untouched, 0), untouched);
    EXPECT_STREQ(untouched, "abc");
    EXPECT_EQ(GetKeyName(0x0020, untouched, -3), untouched);
    EXPECT_STREQ(untouched, "abc");
    EXPECT_EQ(GetKeyName(0x0020, nullptr, 10), nullptr);
}

TEST(ShiftStates, HeldModifiersReplaceTheKeysOwn)
{
    EXPECT_EQ(withShiftStates(0x0041, {true, false, false}), 0x0141);
    EXPECT_EQ(withShiftStates(0x0041, {true, true, true}), 0x0741);
    EXPECT_EQ(withShiftStates(0x0741, {false, false, true}), 0x0441);
    EXPECT_EQ(withShiftStates(0x0741, {}), 0x0041);
    // Other bits of the high byte are kept.
    EXPECT_EQ(withShiftStates(0x0841, {false, true, false}), 0x0A41);
}

TEST(ShiftStates, BareModifierKeysAreLeftAlone)
{
    for (KyKey key : {0x0010, 0x0011, 0x0012, 0x0510})
        EXPECT_EQ(withShiftStates(key, {true, true, true}), key);
}
