// TMacroKeyComboBox on the offscreen platform: the list, key capture and MacroKey.
#include "app/macro/ui/macro_key_combo_box.h"
#include "kyloom32.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace orvane {
namespace {

class ComboBoxTest : public ::testing::Test {
protected:
    TMacroKeyComboBox box;
};

TEST_F(ComboBoxTest, ListsThe750KeysInTheLibrarysOrder)
{
    box.showPopup();
    box.hidePopup();
    ASSERT_EQ(box.count(), 750);
    EXPECT_EQ(box.itemText(0), "LButton");
    EXPECT_EQ(box.itemText(1), "Ctrl+LButton");
    EXPECT_EQ(box.itemText(7), "Ctrl+Alt+Shift+LButton");
    EXPECT_EQ(box.itemText(8), "RButton");
}

TEST_F(ComboBoxTest, CtrlSpaceShowsItsNameAndSelectsItsEntry)
{
    QSignalSpy changes(&box, &TMacroKeyComboBox::Change);
    QTest::keyClick(&box, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(box.MacroKey(), 0x0120);
    EXPECT_EQ(box.Text(), MacroKeyName(0x0120));
    EXPECT_TRUE(box.Text().startsWith("Ctrl+"));
    EXPECT_EQ(box.currentIndex(), GetPossibleMKeyIndex(0x0120));
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(ComboBoxTest, CtrlAloneChangesNothingAndScrollLockIsKeptWithoutAnEntry)
{
    box.SetMacroKey(0x0120);
    QSignalSpy changes(&box, &TMacroKeyComboBox::Change);
    QTest::keyClick(&box, Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(box.MacroKey(), 0x0120);
    EXPECT_EQ(changes.count(), 0);
    QTest::keyClick(&box, Qt::Key_ScrollLock);
    EXPECT_EQ(box.MacroKey(), 0x0091);
    EXPECT_EQ(box.currentIndex(), -1);
    EXPECT_EQ(box.Text(), MacroKeyName(0x0091));
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(ComboBoxTest, MacroKeyOfCtrlAltDelIsIgnored)
{
    box.SetMacroKey(0x0120);
    QSignalSpy changes(&box, &TMacroKeyComboBox::Change);
    box.SetMacroKey(0x032E);
    EXPECT_EQ(box.MacroKey(), 0x0120);
    EXPECT_EQ(changes.count(), 0);
    box.SetMacroKey(0x077A);
    EXPECT_EQ(box.MacroKey(), 0x077A);
    EXPECT_EQ(box.currentIndex(), GetPossibleMKeyIndex(0x077A));
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(ComboBoxTest, MouseButtonsWithModifiersBecomeTheKey)
{
    box.show();
    QTest::mouseClick(&box, Qt::RightButton, Qt::ShiftModifier);
    EXPECT_EQ(box.MacroKey(), 0x0402);
    QTest::mouseClick(&box, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(box.MacroKey(), 0x0101);
    EXPECT_EQ(box.Text(), MacroKeyName(0x0101));
}

TEST_F(ComboBoxTest, PickingAnEntryMakesItTheKey)
{
    box.showPopup();
    box.hidePopup();
    QSignalSpy changes(&box, &TMacroKeyComboBox::Change);
    const int index = GetPossibleMKeyIndex(0x0241); // Alt+A
    box.setCurrentIndex(index);
    emit box.activated(index);
    EXPECT_EQ(box.MacroKey(), 0x0241);
    EXPECT_EQ(changes.count(), 1);
}

} // namespace
} // namespace orvane
