#include "tests/macroengine/support/engine_fixture.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

namespace orvane {
namespace {

using test::EngineTest;

int g_hookCalls = 0;
void countingHook() { ++g_hookCalls; }

class TableTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (!HasFatalFailure()) {
            ASSERT_TRUE(install(0x5000));
        }
    }

    HotKeyRegistry &registry() { return *engine.registry(); }

    std::vector<KyNotification> drainNotifications()
    {
        std::vector<KyNotification> out;
        KyNotification n{};
        while (engine.notifications().take(n))
            out.push_back(n);
        return out;
    }
};

TEST_F(TableTest, InstallMakesEmptyTableAndRegisteredScrapMacro)
{
    EXPECT_EQ(engine.capacity(), 8);
    for (KyMacro m : engine.slots())
        EXPECT_EQ(m, 0u);
    const MacroRecord *scrap = engine.record(engine.scrap());
    ASSERT_TRUE(scrap);
    EXPECT_EQ(scrap->flags, 0x80);
    EXPECT_EQ(scrap->key, 0x077B);
    EXPECT_EQ(scrap->lastIndex, -1);
    EXPECT_EQ(scrap->capacity(), 24u);
    EXPECT_FALSE(scrap->name);
    const auto entry = registry().find(0x077B);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->owner, windowId);
    EXPECT_EQ(entry->macro, engine.scrap());
    EXPECT_EQ(engine.macroByIndex(-1), engine.scrap());
    EXPECT_TRUE(reports.take().empty());
}

TEST_F(TableTest, InstallStoresSettingsAndMouseFilter)
{
    EXPECT_EQ(engine.settings().notifyWindow, 0x5000u);
    EXPECT_EQ(engine.settings().excludedMouseLow, 0x200u);
    EXPECT_EQ(engine.settings().excludedMouseHigh, 0x209u);
    ASSERT_TRUE(engine.installHook(0, false, false, RMClicksAndDrags, MBPointer, true));
    EXPECT_EQ(engine.settings().excludedMouseHigh, 0x200u);
    EXPECT_TRUE(engine.settings().cancelChecking);
    EXPECT_EQ(engine.settings().recordingOrigin, MBPointer);
    ASSERT_TRUE(engine.installHook(0, false, false, RMAll, MBScreen, false));
    EXPECT_EQ(engine.settings().excludedMouseLow, 0u);
    EXPECT_EQ(engine.settings().excludedMouseHigh, 0u);
}

TEST_F(TableTest, OutOfRangeModesAreRefused)
{
    EXPECT_FALSE(engine.installHook(0, true, true, 3, MBScreen, false));
    EXPECT_FALSE(engine.installHook(0, true, true, RMAll, 7, false));
    EXPECT_EQ(reports.take(), (std::vector<std::string>{"Invalid property value", "Invalid property value"}));
}

TEST_F(TableTest, NinthMacroGrowsTableTo16)
{
    for (KyKey k = 0x0141; k < 0x0149; ++k)
        ASSERT_EQ(engine.installMacro(k, engine.scrap(), "m", nullptr), kInstallOk);
    EXPECT_EQ(engine.capacity(), 8);
    ASSERT_EQ(engine.installMacro(0x0149, engine.scrap(), "ninth", nullptr), kInstallOk);
    EXPECT_EQ(engine.capacity(), 16);
    EXPECT_EQ(engine.macroByKey(0x0149), engine.macroByIndex(8));
    EXPECT_EQ(engine.macroByIndex(9), 0u);
}

TEST_F(TableTest, DeletingAnAbsentKeyChangesNothing)
{
    ASSERT_EQ(engine.installMacro(0x0141, engine.scrap(), "a", nullptr), kInstallOk);
    drainNotifications();
    EXPECT_EQ(engine.installMacro(0x0142, 0, "x", nullptr), kInstallOk);
    EXPECT_NE(engine.macroByKey(0x0141), 0u);
    EXPECT_TRUE(drainNotifications().empty());
}

TEST_F(TableTest, CopyTakesRecordingButNotScrapIdentity)
{
    recordIntoScrap(5, 0x18);
    ASSERT_EQ(engine.installMacro(0x0120, engine.scrap(), "Greeting   ", nullptr), kInstallOk);
    const KyMacro copy = engine.macroByKey(0x0120);
    ASSERT_NE(copy, 0u);
    ASSERT_NE(copy, engine.scrap());
    const MacroRecord &r = *engine.record(copy);
    EXPECT_EQ(r.flags, 0x18);
    EXPECT_EQ(r.lastIndex, 4);
    EXPECT_EQ(r.mouseOrigin, MBPointer);
    EXPECT_EQ(r.events[3].paramL, 0x44u);
    EXPECT_STREQ(engine.macroName(copy), "Greeting");
    EXPECT_EQ(registry().find(0x0120)->macro, copy);
    const MacroRecord &scrap = *engine.record(engine.scrap());
    EXPECT_EQ(scrap.key, 0x077B) << "the source is untouched";
    EXPECT_EQ(scrap.lastIndex, 4);
}

TEST_F(TableTest, CopyOfScrapWithScrapMarkClearsIt)
{
    recordIntoScrap(1, 0x80 | 0x08);
    ASSERT_EQ(engine.installMacro(0x0120, engine.scrap(), "", nullptr), kInstallOk);
    EXPECT_EQ(engine.record(engine.macroByKey(0x0120))->flags, 0x08);
    EXPECT_STREQ(engine.macroName(engine.macroByKey(0x0120)), "<NO MACRO NAME>");
}

TEST_F(TableTest, CodeHookMacroHasNoEvents)
{
    recordIntoScrap(3);
    ASSERT_EQ(engine.installMacro(0x0120, engine.scrap(), "Announce Time", &countingHook), kInstallOk);
    const KyMacro m = engine.macroByKey(0x0120);
    EXPECT_EQ(engine.record(m)->lastIndex, -1);
    EXPECT_EQ(engine.macroCodeHook(m), &countingHook);
}

TEST_F(TableTest, ReinstallingAKeyReplacesInTheSameSlot)
{
    ASSERT_EQ(engine.installMacro(0x0141, engine.scrap(), "a", nullptr), kInstallOk);
    ASSERT_EQ(engine.installMacro(0x0142, engine.scrap(), "b", nullptr), kInstallOk);
    const KyMacro old = engine.macroByKey(0x0141);
    ASSERT_EQ(engine.installMacro(0x0141, engine.scrap(), "c", nullptr), kInstallOk);
    const KyMacro replaced = engine.macroByIndex(0);
    EXPECT_NE(replaced, old);
    EXPECT_STREQ(engine.macroName(replaced), "c");
    EXPECT_EQ(registry().usedCount(), 3u) << "scrap, a's key once, b";
    reports.take();
    EXPECT_EQ(engine.macroKey(old), 0) << "a freed handle behaves as none";
    EXPECT_EQ(reports.take(),
              std::vector<std::string>{"A valid macro handle must be obtained from InstallHook"});
}

TEST_F(TableTest, NotificationsReportInstallsAndDeletes)
{
    ASSERT_EQ(engine.installMacro(0x0141, engine.scrap(), "a", nullptr), kInstallOk);
    const KyMacro a = engine.macroByKey(0x0141);
    ASSERT_EQ(engine.installMacro(0x0141, 0, nullptr, nullptr), kInstallOk);
    const auto all = drainNotifications();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].message, 1540u);
    EXPECT_EQ(all[0].window, 0x5000u);
    EXPECT_EQ(all[0].lParam, a);
    EXPECT_EQ(all[1].lParam, 0u);
    EXPECT_EQ(engine.macroByKey(0x0141), 0u);
    EXPECT_FALSE(registry().find(0x0141));
}

TEST_F(TableTest, NoNotificationsWithoutNotifyWindow)
{
    ASSERT_TRUE(install(0));
    ASSERT_EQ(engine.installMacro(0x0141, engine.scrap(), "a", nullptr), kInstallOk);
    EXPECT_TRUE(drainNotifications().empty());
}

TEST_F(TableTest, FullRegistryLeavesCopyWithoutHotKey)
{
    auto living = OwnerClaim::claim(segmentName, 7);
    for (uint16_t i = 0; registry().usedCount() < HotKeyRegistry::kEntries; ++i)
        registry().registerKey(static_cast<KyKey>(0x0300 + i), 7, i);
    EXPECT_EQ(engine.installMacro(0x0120, engine.scrap(), "a", nullptr), kInstallFailed);
    EXPECT_EQ(reports.take(), std::vector<std::string>{"No room for additional macros"});
    EXPECT_NE(engine.macroByKey(0x0120), 0u) << "the copy stays in its slot";
}

TEST_F(TableTest, BusyEngineRefusesChanges)
{
    ASSERT_EQ(engine.installMacro(0x0141, engine.scrap(), "a", nullptr), kInstallOk);
    const KyMacro a = engine.macroByKey(0x0141);
    engine.setState(EngineState::Recording);
    EXPECT_EQ(engine.installMacro(0x0142, engine.scrap(), "b", nullptr), kInstallFailed);
    engine.setMacroKey(a, 0x0143);
    engine.setMacroCodeHook(a, &countingHook);
    EXPECT_FALSE(install());
    engine.uninstallHook();
    EXPECT_EQ(reports.take(), std::vector<std::string>(5, "Can't perform this operation now"));
    engine.setState(EngineState::Idle);
    EXPECT_EQ(engine.macroKey(a), 0x0141);
    EXPECT_EQ(engine.macroCodeHook(a), nullptr);
    EXPECT_EQ(engine.capacity(), 8);
}

TEST_F(TableTest, LookupsByKeyIndexAndName)
{
    ASSERT_EQ(engine.installMacro(0x0141, engine.scrap(), "Alpha", nullptr), kInstallOk);
    ASSERT_EQ(engine.installMacro(0x0142, engine.scrap(), "alpha", nullptr), kInstallOk);
    EXPECT_EQ(engine.macroByKey(0x077B), engine.scrap());
    EXPECT_EQ(engine.macroByName("ALPHA"), engine.macroByIndex(0));
    EXPECT_EQ(engine.macroByName("<NO MACRO NAME>"), 0u);
    EXPECT_EQ(engine.macroByName(nullptr), 0u);
    char scrapName[] = "Scrap";
    engine.setMacroName(engine.scrap(), scrapName);
    EXPECT_EQ(engine.macroByName("Scrap"), 0u) << "the scrap macro is not searched";
    EXPECT_EQ(engine.macroByIndex(-2), 0u);
    EXPECT_EQ(engine.macroByIndex(8), 0u);
}

TEST_F(TableTest, SetMacroKeyRefusesKeyInUseAndMovesHotKey)
{
    ASSERT_EQ(engine.installMacro(0x0141, engine.scrap(), "a", nullptr), kInstallOk);
    const KyMacro a = engine.macroByKey(0x0141);
    engine.setMacroKey(a, 0x077B);
    EXPECT_EQ(reports.take(), std::vector<std::string>{"Key already in use by another macro"});
    EXPECT_EQ(engine.macroKey(a), 0x0141);
    engine.setMacroKey(a, 0x0141); // its own key is no conflict
    engine.setMacroKey(a, 0x0241);
    EXPECT_TRUE(reports.take().empty());
    EXPECT_FALSE(registry().find(0x0141));
    EXPECT_EQ(registry().find(0x0241)->macro, a);
    engine.setMacroKey(a, 0);
    EXPECT_FALSE(registry().find(0x0241));
    engine.setMacroKey(a, 0x0242);
    EXPECT_EQ(registry().find(0x0242)->macro, a);
}

TEST_F(TableTest, NamesAreTrimmedInPlaceAndBlankMeansNone)
{
    ASSERT_EQ(engine.installMacro(0x0141, engine.scrap(), "a", nullptr), kInstallOk);
    const KyMacro a = engine.macroByKey(0x0141);
    char text[] = "Hello  ";
    engine.setMacroName(a, text);
    EXPECT_STREQ(text, "Hello");
    EXPECT_STREQ(engine.macroName(a), "Hello");
    char blanks[] = "   ";
    engine.setMacroName(a, blanks);
    EXPECT_STREQ(engine.macroName(a), "<NO MACRO NAME>");
    engine.setMacroName(a, nullptr);
    EXPECT_STREQ(engine.macroName(0), "<MACRO UNDEFINED>");
}

TEST_F(TableTest, ScrapMacroTakesNoCodeHook)
{
    engine.setMacroCodeHook(engine.scrap(), &countingHook);
    EXPECT_EQ(engine.macroCodeHook(engine.scrap()), nullptr);
    engine.setMacroCodeHook(0, &countingHook);
    EXPECT_TRUE(reports.take().empty());
}

TEST_F(TableTest, UninstallFreesEverythingAndGivesKeysBack)
{
    ASSERT_EQ(engine.installMacro(0x0141, engine.scrap(), "a", nullptr), kInstallOk);
    const KyMacro a = engine.macroByKey(0x0141);
    engine.uninstallHook();
    EXPECT_TRUE(reports.take().empty());
    EXPECT_FALSE(engine.installed());
    EXPECT_EQ(engine.scrap(), 0u);
    EXPECT_EQ(engine.capacity(), 0);
    EXPECT_EQ(registry().usedCount(), 0u);
    EXPECT_EQ(engine.macroKey(a), 0);
    reports.take();
    engine.uninstallHook();
    EXPECT_EQ(reports.take(), std::vector<std::string>{"No macros found to uninstall"});
}

TEST_F(TableTest, RepeatedInstallStartsNewTableAndKeepsScrap)
{
    ASSERT_EQ(engine.installMacro(0x0141, engine.scrap(), "a", nullptr), kInstallOk);
    const KyMacro scrap = engine.scrap();
    ASSERT_TRUE(install());
    EXPECT_EQ(engine.scrap(), scrap);
    EXPECT_EQ(engine.macroByKey(0x0141), 0u);
    EXPECT_FALSE(registry().find(0x0141)) << "the old table's hot keys are released";
    EXPECT_TRUE(registry().find(0x077B));
}

TEST_F(EngineTest, InstallWithoutWindowReportsAndBuildsNothing)
{
    windowId = 0;
    EXPECT_FALSE(install());
    EXPECT_EQ(reports.take(), std::vector<std::string>{"Error creating macro message processing window"});
    EXPECT_FALSE(engine.installed());
    EXPECT_EQ(engine.scrap(), 0u);
    windowId = 0x77;
    EXPECT_TRUE(install()) << "a later attempt may succeed";
}

TEST_F(EngineTest, InstallRefusesRegistryOthersCanRead)
{
    const int fd = shm_open(segmentName.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(fchmod(fd, 0666), 0);
    ASSERT_EQ(ftruncate(fd, 3072), 0);
    close(fd);
    EXPECT_FALSE(install());
    // The message says which object is wrong and how.
    EXPECT_EQ(reports.take(), std::vector<std::string>{"Error allocating Win32 shared memory: /dev/shm" +
                                                       segmentName + ": it has mode 0666, not 0600"});
    EXPECT_FALSE(engine.installed());
}

TEST_F(EngineTest, TwoEnginesShareTheRegistryButNotTheirTables)
{
    uint32_t otherWindow = 0x800001;
    Engine other(platform(segmentName, &otherWindow));
    ASSERT_TRUE(install());
    ASSERT_TRUE(other.installHook(0, true, true, RMIgnore, MBWindow, false));
    EXPECT_EQ(engine.registry()->usedCount(), 2u) << "each has its scrap key";
    ASSERT_EQ(other.installMacro(0x0120, other.scrap(), "theirs", nullptr), kInstallOk);
    EXPECT_EQ(engine.macroByKey(0x0120), 0u);
    EXPECT_EQ(engine.registry()->find(0x0120)->owner, otherWindow);
    other.uninstallHook();
    EXPECT_EQ(engine.registry()->usedCount(), 1u);
}

} // namespace
} // namespace orvane
