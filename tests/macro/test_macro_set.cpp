// TMacroSet's properties, exceptions and notification events, without a display.
#include "app/macro/macro_errors.h"
#include "app/macro/macro_set.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace orvane {
namespace {

std::vector<std::string> g_reports;
void keep(const char *, const char *text) { g_reports.push_back(text); }

class MacroSetTest : public ::testing::Test {
protected:
    MacroSetTest() { SetReportFunction(&keep), g_reports.clear(); }
    ~MacroSetTest() override { SetReportFunction(nullptr); }
};

TEST_F(MacroSetTest, DefaultsAndVersion)
{
    TMacroSet set;
    EXPECT_EQ(set.RecordMouse, RMIgnore);
    EXPECT_TRUE(set.SystemWide);
    EXPECT_TRUE(set.FastPlayback);
    EXPECT_EQ(set.MouseBase, MBWindow);
    EXPECT_FALSE(set.CancelChecking);
    EXPECT_EQ(set.ToggleRecordKey(), 1914);
    EXPECT_EQ(set.CancelKey(), 3);
    EXPECT_EQ(set.PauseKey(), 19);
    EXPECT_EQ(set.Version(), "2.0");
    EXPECT_EQ(set.ScrapMacro(), 0u) << "not installed yet";
}

TEST_F(MacroSetTest, KeysLiveInTheLibraryAndAreShared)
{
    TMacroSet first, second;
    first.SetToggleRecordKey(0x0779);
    EXPECT_EQ(second.ToggleRecordKey(), 0x0779);
    first.SetCancelKey(0x001B);
    EXPECT_EQ(second.CancelKey(), 0x001B);
    // A new component sets the defaults again, through the library.
    TMacroSet third;
    EXPECT_EQ(first.ToggleRecordKey(), 1914);
    EXPECT_EQ(first.CancelKey(), 3);
}

TEST_F(MacroSetTest, CancelOrPauseKeyWithModifiersIsRefused)
{
    TMacroSet set;
    try {
        set.SetCancelKey(0x0113);
        FAIL() << "no exception";
    } catch (const EShiftKeysNotAllowed &error) {
        EXPECT_STREQ(error.what(), "Shift keys are not allowed with the Cancel or Pause key");
    }
    EXPECT_EQ(set.CancelKey(), 3);
    EXPECT_THROW(set.SetPauseKey(0x0413), EShiftKeysNotAllowed);
    EXPECT_EQ(set.PauseKey(), 19);
    EXPECT_EQ(g_reports.size(), 2u) << "the library says so itself first";
}

TEST_F(MacroSetTest, HandleWithoutADisplayRaisesEHookError)
{
    const char *saved = std::getenv("DISPLAY");
    const std::string display = saved ? saved : "";
    setenv("DISPLAY", ":9998", 1);
    TMacroSet set;
    try {
        set.Handle();
        FAIL() << "no exception";
    } catch (const EHookError &error) {
        EXPECT_STREQ(error.what(), "Only one macro hook per task is supported");
    }
    setenv("DISPLAY", display.c_str(), 1);
    EXPECT_EQ(g_reports, std::vector<std::string>{"Error creating macro message processing window"});
}

TEST_F(MacroSetTest, NotificationsBecomeEvents)
{
    TMacroSet set;
    std::vector<std::string> seen;
    set.OnRecord = [&](TMacroSet &sender) { seen.push_back(&sender == &set ? "record" : "?"); };
    set.OnPlayEnd = [&](TMacroSet &) { seen.push_back("playend"); };
    set.OnRecorded = [&](TMacroSet &, TUserMacroEngineState s) {
        seen.push_back("recorded " + std::to_string(s));
    };
    set.OnPlayed = [&](TMacroSet &, TUserMacroEngineState s) {
        seen.push_back("played " + std::to_string(s));
    };
    set.OnAssigned = [&](TMacroSet &, KyMacro m) { seen.push_back("assigned " + std::to_string(m)); };
    const KyWindow w = set.notifyWindow();
    for (const KyNotification &n :
         {KyNotification{1532, w, 0, 0}, KyNotification{1533, w, 0, 0}, KyNotification{1538, w, 0x102, 0},
          KyNotification{1535, w, 0, 0}, KyNotification{1539, w, 6, 0}, KyNotification{1540, w, 0, 42},
          KyNotification{1541, w, 0, 0}})
        set.Dispatch(n);
    EXPECT_EQ(seen, (std::vector<std::string>{"record", "recorded 2", "playend", "played 6", "assigned 42"}))
        << "unassigned events and unknown messages do nothing";
}

TEST_F(MacroSetTest, EachComponentHasItsOwnNotifyWindow)
{
    TMacroSet a, b;
    EXPECT_NE(a.notifyWindow(), 0u);
    EXPECT_NE(a.notifyWindow(), b.notifyWindow());
}

} // namespace
} // namespace orvane
