// The CD player's modes, buttons, alarm requests and disc changes, over the fake device.
#include "cd_player_fixture.h"

#include <algorithm>
#include <set>

using namespace orvane;

using CDPlayer = CDPlayerFixture;

TEST_F(CDPlayer, NoDiscShowsEmptyNamesAndKeepsPolling)
{
    show();
    EXPECT_FALSE(state.DiscLoaded);
    EXPECT_EQ(logic.view().CDName, "");
    EXPECT_EQ(logic.view().TrackPos, "00");
    EXPECT_EQ(logic.view().SongPos, "00:00");
    EXPECT_FALSE(logic.view().playListBtnEnabled);
    EXPECT_TRUE(flags.CDWindowOpen);
    insert({3, 3});
    logic.Timer2Timer();
    EXPECT_TRUE(state.DiscLoaded);
    EXPECT_EQ(logic.view().CDName, "Unknown");
    EXPECT_EQ(logic.view().CDTrack, "Untitled 1");
    EXPECT_EQ(logic.view().Panel2, "Loop");
}

TEST_F(CDPlayer, LoopRestartsAtTrackOneForever)
{
    insert({2, 2, 2});
    show();
    logic.MediaPlayer1Click(cbPlay);
    EXPECT_EQ(logic.view().enabled, cbPause | cbStop | cbNext | cbPrev | cbEject);
    EXPECT_FALSE(logic.view().modeBtnEnabled);
    device.clearCommands();
    steps(14); // two passes over the six-second disc
    EXPECT_GE(std::count(device.commands().begin(), device.commands().end(), "play from 1 to end"), 2);
    EXPECT_EQ(device.mode(), CDMode::Playing);
}

TEST_F(CDPlayer, SingleStopsAtTheEndOfItsTrackAndShowsStopButtonsOnce)
{
    insert({2, 2, 2});
    show();
    logic.ModeBtnClick();
    logic.ModeBtnClick();
    ASSERT_EQ(state.Mode, cmSingle);
    logic.MediaPlayer1Click(cbNext);
    logic.MediaPlayer1Click(cbPlay);
    EXPECT_TRUE(commanded("play from 2 to 3"));
    steps(4);
    EXPECT_EQ(device.mode(), CDMode::Stopped);
    EXPECT_EQ(TmsfTrack(device.position()), 2);
    EXPECT_EQ(logic.view().enabled, cbPlay | cbNext | cbPrev | cbEject);
    EXPECT_TRUE(logic.view().modeBtnEnabled);
    EXPECT_EQ(logic.view().TrackPos, "02");
    EXPECT_EQ(logic.view().SongPos, "00:00");
    // Once shown, the stopped-state buttons are not applied again until the next start.
    logic.Push(PushState::Pause);
    logic.Timer2Timer();
    EXPECT_EQ(logic.view().enabled, cbPlay | cbEject);
}

TEST_F(CDPlayer, ShufflePlaysEveryTrackOnceThenSeeksToTheStart)
{
    insert(std::vector<int>(10, 2));
    show();
    logic.ModeBtnClick();
    ASSERT_EQ(state.Mode, cmShuffle);
    device.clearCommands();
    logic.MediaPlayer1Click(cbPlay);
    EXPECT_EQ(logic.view().interval, 2000);
    steps(40);
    const std::vector<int> order = playedFrom();
    ASSERT_EQ(order.size(), 10u);
    EXPECT_EQ(std::set<int>(order.begin(), order.end()).size(), 10u);
    EXPECT_NE(order, std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}))
        << "fifty swaps with this seed move tracks";
    EXPECT_TRUE(commanded("seek start"));
    EXPECT_EQ(state.SeqIndex, 0);
    EXPECT_EQ(device.mode(), CDMode::Stopped);
}

TEST_F(CDPlayer, ShuffleStartedAtPositionFourPlaysTheRestOfTheOrderOnly)
{
    insert(std::vector<int>(10, 2));
    show();
    logic.ModeBtnClick();
    for (int i = 0; i < 3; ++i)
        logic.MediaPlayer1Click(cbNext);
    ASSERT_EQ(state.CurrentPos, 4);
    device.clearCommands();
    logic.MediaPlayer1Click(cbPlay);
    steps(40);
    std::vector<int> expected;
    for (int k = 4; k <= 10; ++k)
        expected.push_back(state.ShuffleOrder[static_cast<std::size_t>(k)]);
    EXPECT_EQ(playedFrom(), expected);
}

TEST_F(CDPlayer, PlayListThreeOneThreePlaysInThatOrderThenSeeksToTheStart)
{
    insert({2, 2, 2, 2});
    show();
    db.current().PlayList[0] = 2;
    db.current().PlayList[1] = 0;
    db.current().PlayList[2] = 2;
    for (int i = 0; i < 3; ++i)
        logic.ModeBtnClick();
    ASSERT_EQ(state.Mode, cmPlayList);
    device.clearCommands();
    logic.MediaPlayer1Click(cbPlay);
    steps(12);
    EXPECT_EQ(playedFrom(), std::vector<int>({3, 1, 3}));
    EXPECT_TRUE(commanded("seek start"));
    EXPECT_EQ(state.SeqIndex, 0);
}

TEST_F(CDPlayer, StepButtonsStopAtTheEndsOfTheDisc)
{
    insert({2, 2, 2});
    show();
    logic.MediaPlayer1Click(cbPrev);
    EXPECT_EQ(state.CurrentPos, 1);
    for (int i = 0; i < 5; ++i)
        logic.MediaPlayer1Click(cbNext);
    EXPECT_EQ(state.CurrentPos, 3);
    EXPECT_EQ(logic.view().TrackPos, "03");
    EXPECT_EQ(logic.view().CDTrack, "Untitled 3");
    EXPECT_FALSE(commanded("next")) << "stepping while stopped sends nothing to the device";
}

TEST_F(CDPlayer, PauseAndResumeKeepTheSingleTracksEnd)
{
    insert({4, 4, 4});
    show();
    logic.ModeBtnClick();
    logic.ModeBtnClick();
    logic.MediaPlayer1Click(cbPlay);
    step();
    logic.MediaPlayer1Click(cbPause);
    EXPECT_EQ(device.mode(), CDMode::Paused);
    EXPECT_EQ(logic.view().enabled, cbPlay | cbEject);
    step();
    EXPECT_EQ(device.mode(), CDMode::Paused) << "a paused disc is not moved on by the poll";
    device.clearCommands();
    logic.MediaPlayer1Click(cbPlay);
    EXPECT_EQ(device.commands(), std::vector<std::string>({"play on to 2"}));
    EXPECT_FALSE(state.Paused);
}

TEST_F(CDPlayer, AlarmStartWithoutDiscWaitsForTheDisc)
{
    show();
    flags.CDAlarmMode = cmShuffle;
    flags.CDStartRequest = 1;
    logic.Timer2Timer();
    EXPECT_EQ(flags.CDStartRequest, 1);
    insert(std::vector<int>(5, 2));
    logic.Timer2Timer(); // finds the disc and looks it up
    EXPECT_TRUE(state.DiscLoaded);
    EXPECT_EQ(device.mode(), CDMode::Stopped);
    logic.Timer2Timer(); // starts playing
    EXPECT_EQ(flags.CDStartRequest, 0);
    EXPECT_EQ(state.Mode, cmShuffle);
    EXPECT_EQ(device.mode(), CDMode::Playing);
    device.clearCommands();
    steps(20);
    std::vector<int> order = playedFrom();
    EXPECT_EQ(order.size(), 4u) << "the first shuffled track was started by the request";
}

TEST_F(CDPlayer, AlarmStopClosesTheDeviceAndTheNextLookUpOpensItAgain)
{
    insert({3, 3});
    show();
    logic.MediaPlayer1Click(cbPlay);
    flags.CDStopRequest = 1;
    logic.Timer2Timer();
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(flags.CDStopRequest, 0);
    logic.Timer2Timer(); // the closed device reads as no disc
    EXPECT_FALSE(state.DiscLoaded);
    logic.Timer2Timer();
    EXPECT_TRUE(device.isOpen());
    EXPECT_TRUE(state.DiscLoaded);
}

TEST_F(CDPlayer, DiscPulledWhilePlayingStopsThePlayerAndClosesThePlayList)
{
    insert({3, 3});
    show();
    logic.MediaPlayer1Click(cbPlay);
    state.PlayListOpen = true;
    device.removeDisc();
    logic.Timer2Timer();
    EXPECT_FALSE(state.DiscLoaded);
    EXPECT_EQ(playListCloses, 1);
    EXPECT_FALSE(logic.view().playListBtnEnabled);
    logic.Timer2Timer();
    EXPECT_EQ(logic.view().CDName, "");
}

TEST_F(CDPlayer, EjectOpensTheDoorAndASecondEjectLoadsTheDiscAgain)
{
    insert({3, 3});
    show();
    logic.MediaPlayer1Click(cbEject);
    EXPECT_EQ(device.mode(), CDMode::Open);
    logic.Timer2Timer();
    EXPECT_FALSE(state.DiscLoaded);
    logic.MediaPlayer1Click(cbEject);
    logic.Timer2Timer();
    EXPECT_TRUE(state.DiscLoaded);
}

TEST_F(CDPlayer, ModeButtonCyclesAndDoesNothingBeforeADisc)
{
    logic.ModeBtnClick();
    EXPECT_EQ(state.Mode, cmNone);
    insert({1});
    show();
    std::vector<std::string> names;
    for (int i = 0; i < 4; ++i) {
        logic.ModeBtnClick();
        names.push_back(logic.view().Panel2);
    }
    EXPECT_EQ(names, std::vector<std::string>({"Shuffle", "Single", "PlayList", "Loop"}));
}

TEST_F(CDPlayer, PushStatesEnableTheirButtons)
{
    struct Case {
        PushState state;
        CDButtons buttons;
        bool modeBtn;
    };
    const Case cases[] = {
        {PushState::Play, cbPause | cbStop | cbNext | cbPrev | cbEject, false},
        {PushState::Pause, cbPlay | cbEject, false},
        {PushState::Resume, cbPause | cbStop | cbNext | cbPrev | cbRecord | cbEject, false},
        {PushState::Stop, cbPlay | cbNext | cbPrev | cbEject, true},
    };
    for (const Case &c : cases) {
        logic.Push(c.state);
        EXPECT_EQ(logic.view().enabled, c.buttons);
        EXPECT_EQ(logic.view().modeBtnEnabled, c.modeBtn);
    }
}

TEST_F(CDPlayer, DeviceThatCannotOpenFailsCreation)
{
    device.failOpens(1, "no device");
    EXPECT_EQ(logic.FormCreate(), std::optional<std::string>("no device"));
    EXPECT_FALSE(logic.FormCreate());
}

TEST_F(CDPlayer, AlreadyCurrentDiscShowsTrackOneAndKeepsTheTrackNumber)
{
    insert({3, 3});
    show();
    logic.MediaPlayer1Click(cbNext);
    logic.FormClose();
    CDPlayerLogic second(CDPlayerServices{device, db, state, flags, clock});
    ASSERT_FALSE(second.FormCreate());
    second.FormShow();
    EXPECT_EQ(second.view().CDTrack, "Untitled 1");
    EXPECT_EQ(second.view().CDName, "Unknown");
}
