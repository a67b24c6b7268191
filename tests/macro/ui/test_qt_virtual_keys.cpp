// Qt's keys as the Windows virtual keys the macro engine names.
#include "app/macro/ui/qt_virtual_keys.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(QtVirtualKeys, MainKeyboard)
{
    struct Case {
        int key;
        uint8_t vk;
    } cases[] = {{Qt::Key_A, 0x41},       {Qt::Key_Z, 0x5A},          {Qt::Key_0, 0x30},
                 {Qt::Key_F1, 0x70},      {Qt::Key_F12, 0x7B},        {Qt::Key_F24, 0x87},
                 {Qt::Key_Space, 0x20},   {Qt::Key_Return, 0x0D},     {Qt::Key_Backtab, 0x09},
                 {Qt::Key_Pause, 0x13},   {Qt::Key_ScrollLock, 0x91}, {Qt::Key_Delete, 0x2E},
                 {Qt::Key_Exclam, 0x31},  {Qt::Key_Question, 0xBF},   {Qt::Key_BraceLeft, 0xDB},
                 {Qt::Key_Control, 0x11}, {Qt::Key_AltGr, 0x12},      {Qt::Key_VolumeUp, 0}};
    for (const Case &c : cases)
        EXPECT_EQ(VirtualKeyForQtKey(c.key, Qt::NoModifier), c.vk) << std::hex << c.key;
}

TEST(QtVirtualKeys, TheKeypadHasCodesOfItsOwn)
{
    EXPECT_EQ(VirtualKeyForQtKey(Qt::Key_5, Qt::KeypadModifier), 0x65);
    EXPECT_EQ(VirtualKeyForQtKey(Qt::Key_Slash, Qt::KeypadModifier), 0x6F);
    EXPECT_EQ(VirtualKeyForQtKey(Qt::Key_Period, Qt::KeypadModifier), 0x6E);
    EXPECT_EQ(VirtualKeyForQtKey(Qt::Key_Plus, Qt::KeypadModifier), 0x6B);
    // Keypad navigation keys are the navigation keys.
    EXPECT_EQ(VirtualKeyForQtKey(Qt::Key_Home, Qt::KeypadModifier), 0x24);
    EXPECT_EQ(VirtualKeyForQtKey(Qt::Key_Slash, Qt::NoModifier), 0xBF);
}

TEST(QtVirtualKeys, ModifierBits)
{
    EXPECT_EQ(ModifierBitsForQt(Qt::ControlModifier), 1);
    EXPECT_EQ(ModifierBitsForQt(Qt::AltModifier | Qt::ShiftModifier), 6);
    EXPECT_EQ(ModifierBitsForQt(Qt::MetaModifier | Qt::KeypadModifier), 0);
}

} // namespace
} // namespace orvane
