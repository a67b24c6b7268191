// The recording and playback state machines over an engine with a fake window and fake input.
#include "input/input_dispatch.h"
#include "input/input_request.h"
#include "recording/playback.h"
#include "recording/playback_schedule.h"
#include "recording/recorder.h"
#include "tests/macroengine/support/engine_fixture.h"
#include "tests/macroengine/support/input_fakes.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using test::FakeCapture;
using test::FakeDevice;
using test::FakeEnvironment;

int g_hookCalls = 0;
EngineState g_stateInHook = EngineState::Playing;
Engine *g_engine = nullptr;
void hook()
{
    ++g_hookCalls;
    g_stateInHook = g_engine->state();
}

class StateMachines : public test::EngineTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(install(0x99));
        g_engine = &engine;
        g_hookCalls = 0;
        engine.settings().recordingOrigin = MBPointer;
    }

    std::vector<std::pair<uint32_t, uint32_t>> notes()
    {
        std::vector<std::pair<uint32_t, uint32_t>> out;
        KyNotification n;
        while (engine.notifications().take(n))
            out.emplace_back(n.message, n.wParam);
        return out;
    }

    MacroRecord &scrap() { return *engine.record(engine.scrap()); }

    FakeCapture capture;
    FakeDevice device;
    FakeEnvironment environment;
    int finishedCalls = 0;
    Recorder recorder{engine, capture, environment};
    Playback playback{engine, device, environment, [this] { ++finishedCalls; }};
};

using Notes = std::vector<std::pair<uint32_t, uint32_t>>;

TEST_F(StateMachines, RecordingOnPreparesTheScrapMacroAndNotifies)
{
    scrap().lastIndex = 5;
    notes();
    recorder.recordingOn();
    EXPECT_EQ(engine.state(), EngineState::Recording);
    EXPECT_EQ(scrap().flags, 0x10) << "lock states, and no scrap mark";
    EXPECT_EQ(scrap().lastIndex, -1);
    EXPECT_EQ(scrap().mouseOrigin, MBPointer);
    EXPECT_EQ(capture.last.start.x, 300);
    EXPECT_EQ(notes(), (Notes{{1532, 0}, {1538, 2}}));
    recorder.recordingOn();
    EXPECT_EQ(reports.take(), std::vector<std::string>{"Cannot turn on macro recording at this time"});
}

TEST_F(StateMachines, StoppingCollectsTrimsOrDiscards)
{
    const CapturedEvent ctrlUp{{kWmKeyUp, 0x11, 1, 0, 0}, 0, 0, 0};
    const CapturedEvent aDown{{kWmKeyDown, 0x41, 1, 0, 0}, 0, 0, 0};
    const CapturedEvent aUp{{kWmKeyUp, 0x41, 1, 0, 0}, 0, 0, 0};

    recorder.recordingOn();
    capture.pending = {ctrlUp, aDown, aUp};
    recorder.stop(RecordingEnd::Trimmed);
    EXPECT_EQ(scrap().lastIndex, 1);
    EXPECT_EQ(engine.state(), EngineState::Idle);

    recorder.recordingOn();
    capture.pending = {ctrlUp, aDown, aUp};
    recorder.recordingOff();
    EXPECT_EQ(scrap().lastIndex, 2) << "RecordingOff leaves the recording untrimmed";

    recorder.recordingOn();
    capture.pending = {aDown, aUp};
    notes();
    recorder.stop(RecordingEnd::Discarded);
    EXPECT_EQ(scrap().lastIndex, -1);
    EXPECT_EQ(notes(), (Notes{{1533, 0}, {1538, 1}}));
    recorder.recordingOff();
    EXPECT_EQ(reports.take(), std::vector<std::string>{"Recording is already off"});
}

TEST_F(StateMachines, PauseKeepsWhatWasRecordedAndResumeGoesOn)
{
    recorder.recordingOn();
    capture.pending = {{{kWmKeyDown, 0x41, 1, 0, 0}, 0, 0, 0}};
    notes();
    recorder.pause();
    EXPECT_EQ(engine.state(), EngineState::RecordingPaused);
    EXPECT_EQ(scrap().lastIndex, 0);
    recorder.resume();
    capture.pending = {{{kWmKeyUp, 0x41, 1, 0, 0}, 0, 0, 0}};
    recorder.recordingOff();
    EXPECT_EQ(scrap().lastIndex, 1);
    EXPECT_EQ(capture.starts, 2);
    EXPECT_EQ(notes(), (Notes{{1533, 0}, {1538, 3}, {1532, 0}, {1538, 4}, {1533, 0}, {1538, 1}}));
    recorder.resume();
    EXPECT_EQ(reports.take(), std::vector<std::string>{"Recording is already off"});
}

TEST_F(StateMachines, ACaptureThatCannotStartRecordsNothingSilently)
{
    capture.startWorks = false;
    recorder.recordingOn();
    EXPECT_EQ(engine.state(), EngineState::Recording);
    recorder.recordingOff();
    EXPECT_EQ(capture.stops, 0);
    EXPECT_EQ(scrap().lastIndex, -1);
    EXPECT_TRUE(reports.take().empty());
}

TEST_F(StateMachines, PlaybackSetsTheRecordedLocksAndRestoresThemAfterwards)
{
    recordIntoScrap(3, 0x08); // Caps Lock on while recorded
    notes();
    playback.playbackMacro(engine.scrap());
    EXPECT_EQ(engine.state(), EngineState::Playing);
    EXPECT_EQ(environment.locks, 0x08);
    EXPECT_EQ(device.job.events.size(), 3u);
    EXPECT_TRUE(device.job.fast);
    EXPECT_EQ(device.job.mouseOrigin, MBPointer);
    EXPECT_EQ(device.job.start.y, 200);
    EXPECT_EQ(notes(), (Notes{{1534, 0}, {1539, 6}}));

    playback.pause();
    EXPECT_EQ(environment.locks, 0x10) << "the user's locks while paused";
    environment.locks = 0x18;
    playback.resume();
    EXPECT_EQ(environment.locks, 0x08) << "the playback's locks again";
    playback.stop();
    EXPECT_EQ(environment.locks, 0x10);
    EXPECT_EQ(engine.state(), EngineState::Idle);
    EXPECT_EQ(device.calls, "pause;resume;stop;");
    EXPECT_EQ(notes(), (Notes{{1536, 0}, {1539, 7}, {1537, 0}, {1539, 8}, {1535, 0}, {1539, 5}}));
}

TEST_F(StateMachines, BusyOrMissingMacrosDoNotPlay)
{
    playback.playbackMacro(0);
    recorder.recordingOn();
    playback.playbackMacro(engine.scrap());
    EXPECT_EQ(engine.state(), EngineState::Recording);
    EXPECT_TRUE(device.job.events.empty());
}

TEST_F(StateMachines, CodeHookRunsWithoutLeavingIdle)
{
    ASSERT_EQ(engine.installMacro(0x0120, engine.scrap(), "Announce Time", &hook), 0);
    notes();
    playback.playbackMacro(engine.macroByKey(0x0120));
    EXPECT_EQ(g_hookCalls, 1);
    EXPECT_EQ(g_stateInHook, EngineState::Idle);
    EXPECT_TRUE(notes().empty());
    EXPECT_TRUE(device.job.events.empty());
}

TEST_F(StateMachines, ADeviceThatCannotStartEndsThePlaybackAtOnce)
{
    recordIntoScrap(2);
    device.startWorks = false;
    playback.playbackMacro(engine.scrap());
    EXPECT_EQ(reports.take(), std::vector<std::string>{"Error activating journal playback hook"});
    EXPECT_EQ(engine.state(), EngineState::Idle);
    EXPECT_EQ(environment.locks, 0x10);
}

TEST(PlaybackSchedule, RecordedGapsOrNoneWhenFast)
{
    const std::vector<MacroEvent> events{
        {0x100, 0, 0, 1000, 0}, {0x101, 0, 0, 1050, 0}, {0x100, 0, 0, 1550, 0}, {0x101, 0, 0, 1540, 0}};
    using std::chrono::milliseconds;
    EXPECT_EQ(playbackDelay(events, 0, false), milliseconds(0));
    EXPECT_EQ(playbackDelay(events, 1, false), milliseconds(50));
    EXPECT_EQ(playbackDelay(events, 2, false), milliseconds(500));
    EXPECT_EQ(playbackDelay(events, 3, false), milliseconds(0)) << "time going back";
    EXPECT_EQ(playbackDelay(events, 2, true), milliseconds(0));
    // The tick counter wrapping around between two events.
    const std::vector<MacroEvent> wrapped{{0x100, 0, 0, 0xFFFFFFF0u, 0}, {0x101, 0, 0, 0x10, 0}};
    EXPECT_EQ(playbackDelay(wrapped, 1, false), milliseconds(32));
}

} // namespace
} // namespace orvane
