#include "kyloom32.h"
#include "tests/macroengine/support/engine_fixture.h"

#include <gtest/gtest.h>

namespace {

using orvane::test::ReportCapture;

TEST(KeyBits, ModifierTestsReadTheHighByte)
{
    EXPECT_TRUE(GetKeyCtrl(0x0120));
    EXPECT_FALSE(GetKeyAlt(0x0120));
    EXPECT_FALSE(GetKeyShift(0x0120));
    EXPECT_TRUE(GetKeyCtrl(0x077A) && GetKeyAlt(0x077A) && GetKeyShift(0x077A));
    // The low byte never counts, whatever bits it has.
    EXPECT_FALSE(GetKeyCtrl(0x00FF) || GetKeyAlt(0x00FF) || GetKeyShift(0x00FF));
}

TEST(KeyBits, SettersChangeOnlyTheirBitInPlace)
{
    KyKey key = 0x0041;
    SetKeyCtrl(&key, 1);
    EXPECT_EQ(key, 0x0141);
    SetKeyShift(&key, 1);
    EXPECT_EQ(key, 0x0541);
    SetKeyAlt(&key, 2); // any non-zero Boolean sets
    EXPECT_EQ(key, 0x0741);
    SetKeyCtrl(&key, 0);
    EXPECT_EQ(key, 0x0641);
    SetKeyCtrl(nullptr, 1); // ignored, no crash
}

TEST(EngineKeys, CancelAndPauseKeysRefuseModifiers)
{
    ReportCapture reports;
    ASSERT_TRUE(SetCancelKey(0x0003));
    EXPECT_FALSE(SetCancelKey(0x0113));
    EXPECT_EQ(GetCancelKey(), 0x0003);
    EXPECT_EQ(reports.take(),
              std::vector<std::string>{"Shift keys are not allowed with the Cancel or Pause key"});
    EXPECT_TRUE(SetCancelKey(0x001B));
    EXPECT_EQ(GetCancelKey(), 0x001B);

    EXPECT_FALSE(SetPauseKey(0x0413));
    EXPECT_EQ(GetPauseKey(), 0x0013);
    EXPECT_TRUE(SetPauseKey(0x0091));
    EXPECT_EQ(GetPauseKey(), 0x0091);
    EXPECT_EQ(reports.take().size(), 1u);
    EXPECT_TRUE(SetCancelKey(0x0003));
    EXPECT_TRUE(SetPauseKey(0x0013));
}

TEST(EngineKeys, ToggleRecordKeyTakesAnyKey)
{
    EXPECT_EQ(GetToggleRecordKey(), 0x077A);
    SetToggleRecordKey(0x0741);
    EXPECT_EQ(GetToggleRecordKey(), 0x0741);
    SetToggleRecordKey(0x077A);
}

TEST(EngineKeys, TableCallsBeforeInstallFindAnEmptyTable)
{
    ReportCapture reports;
    EXPECT_EQ(GetScrapMacro(), 0u);
    EXPECT_EQ(GetMaxMacroNum(), 0);
    EXPECT_EQ(GetMacroByKey(0x077B), 0u);
    EXPECT_EQ(GetMacroByIndex(-1), 0u);
    EXPECT_EQ(GetMacroByIndex(0), 0u);
    EXPECT_EQ(InstallMacro(0x0120, 0, "x", nullptr), 0);
    EXPECT_STREQ(GetMacroName(0), "<MACRO UNDEFINED>");
    EXPECT_TRUE(reports.take().empty());
}

} // namespace
