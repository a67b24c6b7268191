#include "kyloom32.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(PossibleKeys, ListHas750KeysInPickerOrder)
{
    ASSERT_EQ(GetMaxPossibleMKeys(), 750);
    const KyKey start[] = {0x0001, 0x0101, 0x0201, 0x0401, 0x0501, 0x0301, 0x0601, 0x0701, 0x0002};
    for (uint16_t i = 0; i < std::size(start); ++i)
        EXPECT_EQ(GetPossibleMKey(i), start[i]) << "index " << i;
    EXPECT_EQ(GetPossibleMKey(749), 0x07DE);
}

TEST(PossibleKeys, IndexOutsideListGivesNoKey)
{
    EXPECT_EQ(GetPossibleMKey(750), 0);
    EXPECT_EQ(GetPossibleMKey(0xFFFF), 0);
}

TEST(PossibleKeys, EveryKeyIsFoundAtItsOwnIndexOnce)
{
    std::set<KyKey> seen;
    for (uint16_t i = 0; i < GetMaxPossibleMKeys(); ++i) {
        const KyKey key = GetPossibleMKey(i);
        EXPECT_TRUE(seen.insert(key).second) << std::hex << key;
        EXPECT_EQ(GetPossibleMKeyIndex(key), i);
    }
}

TEST(PossibleKeys, SystemAndUnpressableCombinationsAreLeftOut)
{
    EXPECT_EQ(GetPossibleMKeyIndex(0x0001), 0);
    EXPECT_EQ(GetPossibleMKeyIndex(0x032E), -1) << "Ctrl+Alt+Del";
    EXPECT_EQ(GetPossibleMKeyIndex(0x072E), -1) << "Ctrl+Alt+Shift+Del";
    EXPECT_GE(GetPossibleMKeyIndex(0x012E), 0) << "Ctrl+Del stays";
    EXPECT_GE(GetPossibleMKeyIndex(0x0013), 0) << "Pause alone";
    EXPECT_GE(GetPossibleMKeyIndex(0x0613), 0) << "Alt+Shift+Pause";
    for (KyKey ctrlPause : {0x0113, 0x0513, 0x0313, 0x0713})
        EXPECT_EQ(GetPossibleMKeyIndex(ctrlPause), -1) << std::hex << ctrlPause;
    for (KyKey cancel : {0x0003, 0x0503, 0x0303, 0x0703})
        EXPECT_GE(GetPossibleMKeyIndex(cancel), 0) << std::hex << cancel;
    for (KyKey cancel : {0x0103, 0x0203, 0x0403, 0x0603})
        EXPECT_EQ(GetPossibleMKeyIndex(cancel), -1) << std::hex << cancel;
}

TEST(PossibleKeys, KeysOutsideTheAssignableSetAreAbsent)
{
    for (KyKey key : {0x0000, 0x0005, 0x0010, 0x0011, 0x0012, 0x0014, 0x006C, 0x0090, 0x0091, 0x00C1, 0x00DF,
                      0x0820, 0xFF01})
        EXPECT_EQ(GetPossibleMKeyIndex(key), -1) << std::hex << key;
}

} // namespace
