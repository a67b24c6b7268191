// Which keys and buttons the macro-key combo box takes as the new key.
#include "app/macro/macro_key_capture.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(MacroKeyCapture, KeysWithTheirModifiers)
{
    EXPECT_EQ(CapturedMacroKey(0x20, 1, true), 0x0120);
    EXPECT_EQ(CapturedMacroKey(0x7A, 7, true), 0x077A);
    EXPECT_EQ(CapturedMacroKey(0x91, 0, true), 0x0091);
}

TEST(MacroKeyCapture, BareModifiersAreIgnored)
{
    for (uint8_t vk : {0x10, 0x11, 0x12})
        EXPECT_FALSE(CapturedMacroKey(vk, 7, true)) << int(vk);
    EXPECT_FALSE(CapturedMacroKey(0, 0, true)) << "a key without a virtual key";
}

TEST(MacroKeyCapture, NavigationKeysKeepTheirMeaningOnlyWithoutAMouse)
{
    struct Case {
        uint8_t vk, modifiers;
    } navigation[] = {{0x09, 0}, {0x0D, 0}, {0x26, 0}, {0x28, 0}, {0x26, 2}, {0x28, 2}, {0x09, 4}};
    for (const Case &c : navigation) {
        EXPECT_FALSE(CapturedMacroKey(c.vk, c.modifiers, false)) << int(c.vk);
        EXPECT_TRUE(CapturedMacroKey(c.vk, c.modifiers, true)) << int(c.vk);
    }
    EXPECT_EQ(CapturedMacroKey(0x09, 1, false), 0x0109) << "Ctrl+Tab is no navigation key";
    EXPECT_EQ(CapturedMacroKey(0x25, 0, false), 0x0025) << "Left is none either";
}

TEST(MacroKeyCapture, MouseButtons)
{
    EXPECT_FALSE(CapturedMouseKey(0x01, 0, TMouseAction::Press)) << "plain left press";
    EXPECT_EQ(CapturedMouseKey(0x01, 1, TMouseAction::Press), 0x0101);
    EXPECT_EQ(CapturedMouseKey(0x01, 0, TMouseAction::DoubleClick), 0x0001);
    EXPECT_EQ(CapturedMouseKey(0x02, 0, TMouseAction::Press), 0x0002);
    EXPECT_EQ(CapturedMouseKey(0x04, 4, TMouseAction::DoubleClick), 0x0404);
    EXPECT_FALSE(CapturedMouseKey(0x02, 0, TMouseAction::Release));
    EXPECT_FALSE(ConsumesMouseRelease(0x01, 0));
    EXPECT_TRUE(ConsumesMouseRelease(0x01, 2));
    EXPECT_TRUE(ConsumesMouseRelease(0x04, 0));
}

} // namespace
} // namespace orvane
