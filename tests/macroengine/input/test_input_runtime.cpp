// The message window's requests as the input runtime handles them, over fakes.
#include "input/input_runtime.h"
#include "tests/macroengine/support/engine_fixture.h"
#include "tests/macroengine/support/input_fakes.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

int g_hookRuns = 0;
void hook() { ++g_hookRuns; }

class InputRuntimeTest : public test::EngineTest {
protected:
    void SetUp() override
    {
        g_hookRuns = 0;
        InputPlatform platform;
        platform.createService = [this](Engine &, InputPlatform::RequestSink) {
            auto fake = std::make_unique<test::FakeService>();
            service = fake.get();
            return fake;
        };
        platform.createCapture = [this] {
            auto fake = std::make_unique<test::FakeCapture>();
            capture = fake.get();
            return fake;
        };
        platform.createPlayer = [this] {
            auto fake = std::make_unique<test::FakeDevice>();
            device = fake.get();
            return fake;
        };
        platform.createEnvironment = [] { return std::make_unique<test::FakeEnvironment>(); };
        runtime = std::make_unique<InputRuntime>(std::move(platform));
        ASSERT_TRUE(install(0x99));
        ASSERT_TRUE(runtime->start(engine));
        ASSERT_EQ(engine.installMacro(0x0120, engine.scrap(), "hook", &hook), 0);
        runtime->refresh(engine);
    }
    void TearDown() override { runtime.reset(); }

    void handle(std::initializer_list<EngineRequest> requests)
    {
        for (const EngineRequest &r : requests)
            runtime->post(r);
        runtime->processRequests(engine);
    }

    std::unique_ptr<InputRuntime> runtime;
    test::FakeService *service = nullptr;
    test::FakeCapture *capture = nullptr;
    test::FakeDevice *device = nullptr;
};

TEST_F(InputRuntimeTest, TheInputThreadLearnsTheOwnKeysAndTheState)
{
    EXPECT_EQ(service->last.ownMacros.count(0x0120), 1u);
    EXPECT_EQ(service->last.ownMacros.at(0x077B), engine.scrap());
    EXPECT_EQ(service->last.ownWindow, windowId);
    handle({{1524, 0, 0}});
    EXPECT_EQ(service->last.state, EngineState::Recording);
}

TEST_F(InputRuntimeTest, RepeatsOfAHotKeyWaitingToBeHandledCountOnce)
{
    const KyMacro macro = engine.macroByKey(0x0120);
    handle({{1528, 0, macro}, {1528, 0, macro}, {1528, 0, macro}});
    EXPECT_EQ(g_hookRuns, 1);
    handle({{1528, 0, macro}});
    EXPECT_EQ(g_hookRuns, 2);
}

TEST_F(InputRuntimeTest, UnknownMacrosAndFlaglessRequestsAreIgnored)
{
    handle({{1528, 0, 0x7777}, {1532, 0, 0}, {1533, 0, 0}, {1534, 0, 0}});
    EXPECT_EQ(engine.state(), EngineState::Idle);
    EXPECT_EQ(g_hookRuns, 0);
    EXPECT_TRUE(reports.take().empty());
}

TEST_F(InputRuntimeTest, RequestsOfOtherProcessesSteerRecording)
{
    handle({{1532, 0, 1}});
    EXPECT_EQ(engine.state(), EngineState::Recording);
    handle({{1533, 0, 1}});
    EXPECT_EQ(engine.state(), EngineState::RecordingPaused);
    handle({{1533, 0, 1}});
    EXPECT_EQ(engine.state(), EngineState::Recording);
    capture->pending = {{{0x100, 0x41, 1, 0, 0}, 0, 0, 0}};
    handle({{1534, 0, 1}});
    EXPECT_EQ(engine.state(), EngineState::Idle);
    EXPECT_EQ(engine.record(engine.scrap())->lastIndex, -1) << "cancelled: discarded";
}

TEST_F(InputRuntimeTest, LateStopRequestsAreDroppedQuietly)
{
    handle({{1524, 0, 0}, {1525, 1, 0}, {1525, 1, 0}, {1529, 0, 0}, {1526, 0, 0}});
    EXPECT_EQ(engine.state(), EngineState::Idle);
    EXPECT_TRUE(reports.take().empty());
}

TEST_F(InputRuntimeTest, PlayingTakesTheMacrosOriginForFutureRecordings)
{
    recordIntoScrap(2); // origin MBPointer
    engine.settings().recordingOrigin = MBScreen;
    handle({{1528, 0, engine.scrap()}});
    EXPECT_EQ(engine.state(), EngineState::Playing);
    EXPECT_EQ(engine.settings().recordingOrigin, MBPointer);
    device->finished();
    runtime->processRequests(engine);
    EXPECT_EQ(engine.state(), EngineState::Idle);
}

} // namespace
} // namespace orvane
