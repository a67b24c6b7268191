#include "tests/alarms/pass_fixture.h"

namespace orvane {
namespace {

using test::At;
using test::MakeAlarm;
using test::TimeAt;

class AlarmPassTest : public test::PassFixture {};

TEST_F(AlarmPassTest, TwoAlarmsDueInTheSameMinuteBothFireInSlotOrder)
{
    add(MakeAlarm(rcDaily, TimeAt(7, 0), atMessage, "first"), At(2026, 12, 8, 7, 0));
    add(MakeAlarm(rcDaily, TimeAt(7, 0), atMessage, "second"), At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 7, 0));
    ASSERT_EQ(opener.opened.size(), 2u);
    EXPECT_EQ(opener.opened[0].text, "first");
    EXPECT_EQ(opener.opened[1].text, "second");
    EXPECT_EQ(opener.opened[0].slot, 1);
    EXPECT_EQ(MinuteNumber(table.slot(1).NextTime), MinuteNumber(At(2026, 12, 9, 7, 0)))
        << "re-armed for tomorrow";
}

TEST_F(AlarmPassTest, AnInactiveAlarmNeitherStartsNorStops)
{
    TAlarmRecord r = MakeAlarm(rcDaily, TimeAt(7, 0), atLauncher, "Morning");
    r.Active = 0;
    r.StopEnabled = 1;
    r.StopAt = At(2026, 12, 8, 7, 0);
    add(r, At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 7, 0));
    EXPECT_TRUE(launcher.starts().empty());
    EXPECT_EQ(MinuteNumber(table.slot(1).NextTime), MinuteNumber(At(2026, 12, 8, 7, 0)));
}

TEST_F(AlarmPassTest, AnEmptyBeforeWaveBecomesNoneAndNothingIsPlayedForIt)
{
    TAlarmRecord r = MakeAlarm(rcDaily, TimeAt(7, 0), atMessage, "hi");
    r.BeforeWave.assign("");
    add(r, At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 7, 0));
    EXPECT_EQ(table.slot(1).BeforeWave.str(), "NONE");
    EXPECT_EQ(opener.opened.at(0).beforeWave, "NONE");
    EXPECT_TRUE(sound.calls().empty());
}

TEST_F(AlarmPassTest, AMessageAlarmHandsItsIdSoItsWindowFindsItAfterASort)
{
    add(MakeAlarm(rcDaily, TimeAt(9, 0), atMessage, "late"), At(2026, 12, 9, 9, 0));
    const int slot = add(MakeAlarm(rcOnce, TimeAt(7, 0), atMessage, "now"), At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 7, 0));
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(opener.opened[0].slot, slot);
    EXPECT_EQ(table.slotOf(opener.opened[0].id), 1) << "the pass sorted the 07:00 alarm to the front";
    EXPECT_FALSE(table.slot(1).isEmpty())
        << "a one-shot message alarm is deleted by its window, not the pass";
}

TEST_F(AlarmPassTest, AWaveFileAlarmPlaysTheTextBeforeItsSemicolon)
{
    add(MakeAlarm(rcDaily, TimeAt(7, 0), atWaveFile, "C:\\SOUNDS\\BELL.WAV;x"), At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 7, 0));
    ASSERT_EQ(sound.calls().size(), 1u);
    EXPECT_EQ(sound.calls()[0].name, "C:\\SOUNDS\\BELL.WAV");
    EXPECT_EQ(sound.calls()[0].flags, sndAsync);
    EXPECT_TRUE(launcher.launches().empty());
}

TEST_F(AlarmPassTest, AProgramLineNamingAWaveIsPlayedAndStartsNothing)
{
    add(MakeAlarm(rcOnce, TimeAt(7, 0), atProgram, "notepad readme.wav"), At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 7, 0));
    EXPECT_EQ(sound.requestedNames(), std::vector<std::string>{"notepad readme.wav"});
    EXPECT_TRUE(launcher.launches().empty());
    EXPECT_TRUE(table.slot(1).isEmpty()) << "a one-shot wave alarm is deleted when it starts";
}

TEST_F(AlarmPassTest, AProgramAlarmStartsItsProgramWithoutAShellAndStopsItsWindow)
{
    TAlarmRecord r =
        MakeAlarm(rcOnce, TimeAt(7, 0), atProgram, "C:\\TOOLS\\edit.exe \"my notes.txt\" ; rm -rf ~");
    r.StopEnabled = 1;
    r.StopTime = TimeAt(8, 0);
    r.RunMinimized = 1;
    r.BeforeWave.assign("/w/start.wav");
    r.AfterWave.assign("/w/stop.wav");
    add(r, At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 7, 0));

    ASSERT_EQ(launcher.launches().size(), 1u);
    const std::vector<std::string> argv{"C:/TOOLS/edit.exe", "my notes.txt", ";", "rm", "-rf", "~"};
    EXPECT_EQ(launcher.launches()[0].argv, argv) << "every word is an argument; none is shell syntax";
    const AlarmId id = table.idOf(1);
    const auto program = pass.startedProgram(id);
    ASSERT_TRUE(program);
    EXPECT_EQ(launcher.minimized(), std::vector<WindowId>{program->window});
    EXPECT_EQ(table.slot(1).ProgWindow, program->window & 0xFFFF);
    EXPECT_FALSE(table.slot(1).isEmpty()) << "with a stop time it is deleted at the stop";
    EXPECT_EQ(MinuteNumber(table.slot(1).StopAt), MinuteNumber(At(2026, 12, 8, 8, 0)));

    runAt(At(2026, 12, 8, 8, 0));
    EXPECT_EQ(launcher.closed(), std::vector<WindowId>{program->window});
    EXPECT_EQ(sound.requestedNames(), (std::vector<std::string>{"/w/start.wav", "/w/stop.wav"}));
    EXPECT_TRUE(table.slot(1).isEmpty());
}

TEST_F(AlarmPassTest, AProgramThatCannotStartLeavesProgWindowZeroAndHasNothingToStop)
{
    launcher.markMissing("missing-program");
    TAlarmRecord r = MakeAlarm(rcDaily, TimeAt(7, 0), atProgram, "missing-program");
    r.StopEnabled = 1;
    r.StopTime = TimeAt(8, 0);
    r.ProgWindow = 0x4444;
    add(r, At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 7, 0));
    EXPECT_EQ(table.slot(1).ProgWindow, 0);
    runAt(At(2026, 12, 8, 8, 0));
    EXPECT_TRUE(launcher.closed().empty());
}

TEST_F(AlarmPassTest, AStopCheckBoxClearMeansNoStopWhateverStopTimeHolds)
{
    TAlarmRecord r = MakeAlarm(rcDaily, TimeAt(7, 0), atLauncher, "Morning");
    r.StopEnabled = 0;
    r.StopTime = TimeAt(8, 0);
    add(r, At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 7, 0));
    table.slot(1).StopAt = At(2026, 12, 8, 8, 0);
    runAt(At(2026, 12, 8, 8, 0));
    ASSERT_EQ(launcher.starts().size(), 1u);
    EXPECT_EQ(launcher.starts()[0].back(), "-LAUNCH");
}

TEST_F(AlarmPassTest, ALauncherAlarmRunsTheLauncherAtStartAndStop)
{
    launcherPath = "C:\\QD";
    TAlarmRecord r = MakeAlarm(rcOnce, TimeAt(7, 0), atLauncher, "Morning");
    r.StopEnabled = 1;
    r.StopTime = TimeAt(7, 30);
    add(r, At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 7, 30));
    const std::vector<std::vector<std::string>> expected{{"C:/QD/QDECKER.EXE", "-Morning", "-LAUNCH"},
                                                         {"C:/QD/QDECKER.EXE", "-Morning", "-CLOSE"}};
    EXPECT_EQ(launcher.starts(), expected);
    EXPECT_TRUE(table.slot(1).isEmpty()) << "a one-shot launcher alarm with a stop goes at the stop";
}

TEST_F(AlarmPassTest, AnEveryAlarmHasNoStopAction)
{
    TAlarmRecord r = MakeAlarm(rcEvery, TimeAt(7, 0), atLauncher, "Page");
    r.StopEnabled = 1;
    r.StopAt = At(2026, 12, 8, 7, 0);
    r.Count = 30;
    r.EveryUnit = euMinutes;
    r.EveryDaysCode = 8;
    add(r, At(2026, 12, 9, 7, 0));
    runAt(At(2026, 12, 8, 7, 0));
    EXPECT_TRUE(launcher.starts().empty());
}

TEST_F(AlarmPassTest, ACommandAlarmChangesOnlyTheSettingsItNames)
{
    voice = {true, 5, 5, true, 2};
    add(MakeAlarm(rcOnce, TimeAt(7, 0), atCommand, " PlayVoice Off 15 min"), At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 7, 0));
    EXPECT_EQ(voice, (CommandVoiceSettings{false, 15, 15, true, 2}));
    EXPECT_TRUE(table.slot(1).isEmpty()) << "a one-shot command alarm is deleted when it starts";
}

struct CommandCase {
    const char *text;
    CommandVoiceSettings expected;
};

TEST(ApplyCommandWords, TestsTheWordsInTheirOrder)
{
    const CommandVoiceSettings start{true, 5, 10, false, 1};
    const CommandCase cases[] = {
        {" PlayVoice On 60 min WaveFile On After", {true, 60, 60, true, 2}},
        {" 5 min", {true, 5, 5, false, 1}},
        {" 1 min", {true, 1, 1, false, 1}},
        {" 10 min Before", {true, 10, 10, false, 1}},
        {" WaveFile Off", {true, 5, 5, false, 1}},
        {" playvoice off wavefile on after", {false, 5, 5, true, 2}},
        {"", {true, 5, 5, false, 1}},
    };
    for (const CommandCase &c : cases) {
        CommandVoiceSettings s = start;
        ApplyCommandWords(c.text, s);
        EXPECT_EQ(s, c.expected) << "'" << c.text << "'";
    }
}

TEST_F(AlarmPassTest, ACDAlarmSetsTheRequestsAndTheModeAndRestoresAnOpenPlayer)
{
    cd.CDWindowOpen = true;
    cd.CDAlarmMode = 1;
    TAlarmRecord r = MakeAlarm(rcDaily, TimeAt(7, 0), atCDPlayer, "Shuffle");
    r.StopEnabled = 1;
    r.StopTime = TimeAt(7, 45);
    add(r, At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 7, 0));
    EXPECT_EQ(cd.CDStartRequest, 1);
    EXPECT_EQ(cd.CDAlarmMode, 2);
    EXPECT_EQ(cdShows, 1);
    EXPECT_EQ(cdCreates, 0);
    runAt(At(2026, 12, 8, 7, 45));
    EXPECT_EQ(cd.CDStopRequest, 1);
}

TEST_F(AlarmPassTest, ACDPlayerThatFailsThreeTimesIsReportedAndTheOtherAlarmsStillRun)
{
    cdFailures = 3;
    add(MakeAlarm(rcDaily, TimeAt(7, 0), atCDPlayer, "nothing known"), At(2026, 12, 8, 7, 0));
    add(MakeAlarm(rcDaily, TimeAt(7, 0), atMessage, "after"), At(2026, 12, 8, 7, 0));
    EXPECT_NO_THROW(runAt(At(2026, 12, 8, 7, 0)));
    EXPECT_EQ(cdCreates, 3);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(cd.CDAlarmMode, 1) << "no mode word leaves the mode as it was";
    EXPECT_EQ(opener.opened.size(), 1u);
}

TEST_F(AlarmPassTest, ACDPlayerCreatedOnTheSecondAttemptReportsNothing)
{
    cdFailures = 1;
    add(MakeAlarm(rcDaily, TimeAt(7, 0), atCDPlayer, "Playlist"), At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 7, 0));
    EXPECT_EQ(cdCreates, 2);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(cd.CDAlarmMode, 4);
}

TEST_F(AlarmPassTest, ACDStopWithTheWindowClosedDoesNothing)
{
    TAlarmRecord r = MakeAlarm(rcOnce, TimeAt(7, 0), atCDPlayer, "Loop");
    r.StopEnabled = 1;
    r.StopAt = At(2026, 12, 8, 7, 45);
    add(r, At(2026, 12, 7, 7, 0));
    runAt(At(2026, 12, 8, 7, 45));
    EXPECT_EQ(cd.CDStopRequest, 0);
    EXPECT_FALSE(table.slot(1).isEmpty());
}

TEST_F(AlarmPassTest, RunningTheSameMinuteTwiceFiresOnce)
{
    add(MakeAlarm(rcOnce, TimeAt(7, 0), atMessage, "once"), At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 7, 0), 1);
    runAt(At(2026, 12, 8, 7, 0), 30);
    EXPECT_EQ(opener.opened.size(), 1u);
}

TEST_F(AlarmPassTest, TheListHookRunsAfterEachPassWhileSet)
{
    int rebuilt = 0;
    pass.setAlarmListChanged([&] { ++rebuilt; });
    runAt(At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 7, 1));
    pass.setAlarmListChanged(nullptr);
    runAt(At(2026, 12, 8, 7, 2));
    EXPECT_EQ(rebuilt, 2);
}

TEST_F(AlarmPassTest, AutoStartFiresAPassedOccurrenceInTheFirstPassOnlyWithTheOption)
{
    add(MakeAlarm(rcDaily, TimeAt(7, 0), atMessage, "auto"), 0.0);
    setNow(At(2026, 12, 8, 9, 0, 5));
    pass.InitAlarms(true);
    runAt(At(2026, 12, 8, 9, 0), 5);
    EXPECT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(MinuteNumber(table.slot(1).NextTime), MinuteNumber(At(2026, 12, 9, 7, 0)));
}

TEST_F(AlarmPassTest, WithoutTheAutoStartOptionAPassedOccurrenceWaitsForTheNext)
{
    add(MakeAlarm(rcDaily, TimeAt(7, 0), atMessage, "auto"), 0.0);
    setNow(At(2026, 12, 8, 9, 0, 5));
    pass.InitAlarms(false);
    runAt(At(2026, 12, 8, 9, 0), 5);
    EXPECT_TRUE(opener.opened.empty());
    EXPECT_EQ(MinuteNumber(table.slot(1).NextTime), MinuteNumber(At(2026, 12, 9, 7, 0)));
}

TEST_F(AlarmPassTest, AfterADeletionTheTableIsCompactedBySort)
{
    add(MakeAlarm(rcDaily, TimeAt(6, 0), atMessage, "a"), At(2026, 12, 9, 6, 0));
    add(MakeAlarm(rcOnce, TimeAt(7, 0), atCommand, " 5 min"), At(2026, 12, 8, 7, 0));
    add(MakeAlarm(rcDaily, TimeAt(8, 0), atMessage, "c"), At(2026, 12, 9, 8, 0));
    add(MakeAlarm(rcDaily, TimeAt(9, 0), atMessage, "d"), At(2026, 12, 9, 9, 0));
    runAt(At(2026, 12, 8, 7, 0));
    EXPECT_EQ(table.countAlarms(), 3);
    EXPECT_EQ(table.slot(2).Text.str(), "c");
    EXPECT_TRUE(table.slot(4).isEmpty());
}

} // namespace
} // namespace orvane

namespace orvane {
namespace {

TEST_F(AlarmPassTest, ATickAtTheVeryStartOfTheMinuteStillReArmsForTheNextOccurrence)
{
    add(test::MakeAlarm(rcDaily, test::TimeAt(7, 0), atMessage, "daily"), test::At(2026, 12, 8, 7, 0));
    runAt(test::At(2026, 12, 8, 7, 0), 0);
    EXPECT_EQ(MinuteNumber(table.slot(1).NextTime), MinuteNumber(test::At(2026, 12, 9, 7, 0)));
}

} // namespace
} // namespace orvane

namespace orvane {
namespace {

TEST_F(AlarmPassTest, AProgramWithoutAWindowStillHasItsStopButNothingToClose)
{
    launcher.setShowsWindows(false);
    TAlarmRecord r = test::MakeAlarm(rcOnce, test::TimeAt(7, 0), atProgram, "/usr/bin/backup-job --quiet");
    r.StopEnabled = 1;
    r.StopTime = test::TimeAt(7, 30);
    r.AfterWave.assign("/w/done.wav");
    add(r, test::At(2026, 12, 8, 7, 0));
    runAt(test::At(2026, 12, 8, 7, 0));
    EXPECT_EQ(table.slot(1).ProgWindow, 0);
    runAt(test::At(2026, 12, 8, 7, 30));
    EXPECT_TRUE(launcher.closed().empty());
    EXPECT_EQ(sound.requestedNames(), std::vector<std::string>{"/w/done.wav"});
    EXPECT_TRUE(table.slot(1).isEmpty());
}

} // namespace
} // namespace orvane

namespace orvane::test {

// Older files hold texts in Windows-1252: the message window and the started program get
// them as UTF-8.
TEST_F(PassFixture, AnsiTextsReachTheMessageWindowAndProgramsAsUtf8)
{
    TAlarmRecord message = MakeAlarm(rcDaily, TimeAt(9, 0), atMessage);
    message.Text.assign("Caf\xE9 break");
    TAlarmRecord program = MakeAlarm(rcDaily, TimeAt(9, 0), atProgram);
    program.Text.assign("/usr/bin/gedit /home/r\xE9mi/notes.txt");
    add(message, At(2026, 5, 4, 9, 0));
    add(program, At(2026, 5, 4, 9, 0));
    runAt(At(2026, 5, 4, 9, 0));
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(opener.opened[0].text, "Caf\xC3\xA9 break");
    ASSERT_EQ(launcher.launches().size(), 1u);
    EXPECT_EQ(launcher.launches()[0].argv.back(), "/home/r\xC3\xA9mi/notes.txt");
}

} // namespace orvane::test

namespace orvane::test {

// A daily 09:01 message alarm snoozed to 09:12 when the program ended, restarted at `restart`.
struct SnoozeCase {
    const char *name;
    TDateTime restart;
    TDateTime ringsAt; // 0: never today
};

TEST_F(PassFixture, ASnoozedAlarmSurvivesARestart)
{
    const SnoozeCase cases[] = {
        {"before the snooze time", At(2026, 5, 4, 9, 5), At(2026, 5, 4, 9, 12)},
        {"after the snooze time: late, once", At(2026, 5, 4, 9, 30), At(2026, 5, 4, 9, 30)},
    };
    for (const SnoozeCase &c : cases) {
        TAlarmTable fresh;
        table = fresh;
        opener.opened.clear();
        TAlarmPass restarted{AlarmPassServices{table, clock, sound, launcher, cd, {}, &opener, {}, {}}};
        TAlarmRecord r = MakeAlarm(rcDaily, TimeAt(9, 1), atMessage, "stretch");
        r.AutoDelete = 0;
        add(r, At(2026, 5, 4, 9, 12));
        setNow(c.restart);
        restarted.InitAlarms(true);
        for (TDateTime m = c.restart; m <= At(2026, 5, 4, 9, 40); m += 1.0 / kMinutesPerDay) {
            clock.setNow(FromDateTime(m + 2.0 / kSecondsPerDay));
            restarted.AlarmPass(m, voice);
            if (opener.opened.size() == 1 && opener.opened.back().text == "stretch") {
                EXPECT_EQ(FloorMinute(m), FloorMinute(c.ringsAt)) << c.name;
                break;
            }
        }
        EXPECT_EQ(opener.opened.size(), 1u) << c.name;
        EXPECT_EQ(FloorMinute(table.slot(1).NextTime), FloorMinute(At(2026, 5, 5, 9, 1))) << c.name;
    }
}

TEST_F(PassFixture, AnAlarmArmedByItsRuleIsStillReArmedAtARestart)
{
    TAlarmRecord r = MakeAlarm(rcDaily, TimeAt(9, 1), atMessage, "missed");
    add(r, At(2026, 5, 4, 9, 1));
    setNow(At(2026, 5, 4, 9, 30));
    pass.InitAlarms(false);
    EXPECT_EQ(FloorMinute(table.slot(1).NextTime), FloorMinute(At(2026, 5, 5, 9, 1)));
}

} // namespace orvane::test

namespace orvane::test {

TEST_F(PassFixture, StartingAndStoppingProgramsNeverWaitsAndTheWatcherFindsTheWindowLater)
{
    launcher.setWindowDelay(3); // the window shows at the fourth look
    TAlarmRecord r = MakeAlarm(rcDaily, TimeAt(7, 0), atProgram, "xclock");
    r.StopEnabled = 1;
    r.StopTime = TimeAt(7, 2);
    r.RunMinimized = 1;
    add(r, At(2026, 12, 8, 7, 0));
    int awaited = 0;
    pass.setProgramsAwaited([&awaited] { ++awaited; });
    runAt(At(2026, 12, 8, 6, 59));
    EXPECT_EQ(awaited, 0) << "a pass that starts nothing asks for no polling";
    runAt(At(2026, 12, 8, 7, 0));
    EXPECT_EQ(awaited, 1) << "the pass that starts the program asks for polling";
    EXPECT_EQ(launcher.blockingCalls(), 0);
    const AlarmId id = table.idOf(1);
    ASSERT_TRUE(pass.startedProgram(id));
    EXPECT_EQ(pass.startedProgram(id)->window, NoWindow);
    EXPECT_TRUE(pass.programsBusy());
    for (int i = 0; i < 3; ++i)
        pass.PollPrograms();
    const WindowId window = pass.startedProgram(id)->window;
    ASSERT_NE(window, NoWindow);
    EXPECT_EQ(launcher.minimized(), std::vector<WindowId>{window});
    EXPECT_EQ(table.slot(1).ProgWindow, window & 0xFFFF);
    EXPECT_FALSE(pass.programsBusy());
    runAt(At(2026, 12, 8, 7, 1));
    EXPECT_EQ(awaited, 1) << "nothing awaited, no polling";
    runAt(At(2026, 12, 8, 7, 2));
    EXPECT_EQ(launcher.closed(), std::vector<WindowId>{window});
    EXPECT_EQ(launcher.blockingCalls(), 0);
}

TEST_F(PassFixture, AStopBeforeTheWindowShowedClosesItWhenItShowsAndAWindowlessProgramIsGivenUp)
{
    launcher.setWindowDelay(1000);
    TAlarmRecord r = MakeAlarm(rcDaily, TimeAt(7, 0), atProgram, "slow-editor");
    r.StopEnabled = 1;
    r.StopTime = TimeAt(7, 1);
    add(r, At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 7, 1));
    EXPECT_TRUE(launcher.closed().empty());
    EXPECT_TRUE(pass.programsBusy()) << "the stop waits for the window within the usual limit";
    clock.advance(ProcessLauncher::kWindowWait);
    pass.PollPrograms();
    EXPECT_FALSE(pass.programsBusy());
    EXPECT_FALSE(pass.startedProgram(table.idOf(1)));
}

TEST_F(PassFixture, AProgramThatCannotStartIsToldOncePerFiring)
{
    std::vector<std::string> told;
    pass.services().notifyStartFailure = [&](const std::string &text) { told.push_back(text); };
    launcher.markMissing("/opt/missing/tool");
    TAlarmRecord r = MakeAlarm(rcEvery, TimeAt(7, 0), atProgram, "/opt/missing/tool --now");
    r.EveryUnit = euMinutes;
    r.EveryDaysCode = 8;
    add(r, At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 7, 0));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], "The alarm could not start \"/opt/missing/tool\": No such file or directory");
    runAt(At(2026, 12, 8, 7, 0));
    EXPECT_EQ(told.size(), 1u) << "the same minute again tells nothing";
    runAt(At(2026, 12, 8, 7, 1));
    EXPECT_EQ(told.size(), 2u) << "the next firing is told again";
}

} // namespace orvane::test
