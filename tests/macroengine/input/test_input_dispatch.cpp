// The reduction of keys and mouse messages and the dispatch rules, without a display.
#include "input/input_dispatch.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

constexpr uint32_t kOwn = 0x500001;
constexpr uint32_t kOther = 0x700001;
constexpr KyMacro kScrap = 1, kCtrlSpace = 7;

InputSnapshot snapshotIn(EngineState state, bool cancelChecking = true)
{
    InputSnapshot s;
    s.state = state;
    s.cancelChecking = cancelChecking;
    s.ownWindow = kOwn;
    s.ownMacros = {{0x077B, kScrap}, {0x0120, kCtrlSpace}};
    return s;
}

std::optional<HotKeyEntry> otherOwnsF5(KyKey key)
{
    if (key == 0x0074)
        return HotKeyEntry{0x0074, kOther, 99};
    return std::nullopt;
}

TEST(InputReduction, KeysCarryTheHeldModifiersExceptModifierKeysThemselves)
{
    EXPECT_EQ(reduceKeyboard(0x20, kModCtrl, true, 3).key, 0x0120);
    EXPECT_EQ(reduceKeyboard(0x7A, kModCtrl | kModAlt | kModShift, true, 3).key, 0x077A);
    EXPECT_EQ(reduceKeyboard(0x11, kModCtrl | kModShift, true, 3).key, 0x0011);
    EXPECT_EQ(reduceKeyboard(0x10, kModShift, true, 3).key, 0x0010);
    EXPECT_TRUE(reduceKeyboard(0x41, 0, true, 3).trigger);
    EXPECT_FALSE(reduceKeyboard(0x41, 0, false, 3).trigger);
}

TEST(InputReduction, CtrlBreakStillMatchesABareCancelKey)
{
    EXPECT_EQ(reduceKeyboard(0x03, kModCtrl, true, 0x0003).key, 0x0003);
    // Another cancel key: Break is an ordinary key with its modifiers.
    EXPECT_EQ(reduceKeyboard(0x03, kModCtrl, true, 0x001B).key, 0x0103);
}

TEST(InputReduction, MouseMessagesTriggerOnTheirRelease)
{
    struct Case {
        uint32_t message;
        KyKey key;
        bool trigger;
    } cases[] = {{0x200, 0x00FF, false}, {0x201, 0x0001, false}, {0x202, 0x0001, true},
                 {0x203, 0x0001, true},  {0x204, 0x0002, false}, {0x205, 0x0002, true},
                 {0x206, 0x0002, true},  {0x207, 0x0004, false}, {0x208, 0x0004, true},
                 {0x209, 0x0004, true},  {0xA2, 0x0001, true},   {0xA4, 0x0002, false}};
    for (const Case &c : cases) {
        const auto input = reduceMouse(c.message, 0);
        ASSERT_TRUE(input) << std::hex << c.message;
        EXPECT_EQ(input->key, c.key) << std::hex << c.message;
        EXPECT_EQ(input->trigger, c.trigger) << std::hex << c.message;
    }
    EXPECT_EQ(reduceMouse(0x205, kModCtrl)->key, 0x0102);
    EXPECT_FALSE(reduceMouse(0x20A, 0));
    EXPECT_FALSE(reduceMouse(0x100, 0));
}

struct RuleCase {
    const char *what;
    EngineState state;
    KyKey key;
    bool trigger;
    bool swallow;
    uint32_t message; // 0: nothing posted
    uint32_t wParam;
    uint32_t window;
    uint32_t lParam;
};

class DispatchRules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(DispatchRules, FollowTheRulesInOrder)
{
    const RuleCase &c = GetParam();
    const InputDecision d =
        dispatchInput(snapshotIn(c.state), {c.key, c.trigger}, InputSource::Keyboard, otherOwnsF5);
    EXPECT_EQ(d.swallow, c.swallow);
    ASSERT_EQ(d.post.has_value(), c.message != 0);
    if (d.post) {
        EXPECT_EQ(d.post->request.message, c.message);
        EXPECT_EQ(d.post->request.wParam, c.wParam);
        EXPECT_EQ(d.post->window, c.window);
        EXPECT_EQ(d.post->request.lParam, c.lParam);
    }
}

using S = EngineState;
INSTANTIATE_TEST_SUITE_P(
    Keyboard, DispatchRules,
    ::testing::Values(
        RuleCase{"cancel while recording discards", S::Recording, 0x03, true, true, 1525, 1, kOwn, 0},
        RuleCase{"cancel release too", S::RecordingPaused, 0x03, false, true, 1525, 1, kOwn, 0},
        RuleCase{"cancel stops playback", S::Playing, 0x03, true, true, 1529, 0, kOwn, 0},
        RuleCase{"cancel passes when idle", S::Idle, 0x03, true, false, 0, 0, 0, 0},
        RuleCase{"pause pauses", S::Recording, 0x13, true, true, 1526, 0, kOwn, 0},
        RuleCase{"pause resumes", S::RecordingPaused, 0x13, true, true, 1527, 0, kOwn, 0},
        RuleCase{"pause release passes", S::Recording, 0x13, false, false, 0, 0, 0, 0},
        RuleCase{"pause passes in playback", S::Playing, 0x13, true, false, 0, 0, 0, 0},
        RuleCase{"toggle starts", S::Idle, 0x077A, true, true, 1524, 0, kOwn, 0},
        RuleCase{"toggle stops trimmed", S::Recording, 0x077A, true, true, 1525, 0, kOwn, 0},
        RuleCase{"toggle stops paused", S::RecordingPaused, 0x077A, true, true, 1525, 0, kOwn, 0},
        RuleCase{"toggle swallowed in playback", S::Playing, 0x077A, true, true, 0, 0, 0, 0},
        RuleCase{"toggle release swallowed", S::Idle, 0x077A, false, true, 0, 0, 0, 0},
        RuleCase{"own hot key plays", S::Idle, 0x0120, true, true, 1528, 0, kOwn, kCtrlSpace},
        RuleCase{"scrap key plays scrap", S::Idle, 0x077B, true, true, 1528, 0, kOwn, kScrap},
        RuleCase{"hot key release swallowed", S::Idle, 0x0120, false, true, 0, 0, 0, 0},
        RuleCase{"hot key passes in playback", S::Playing, 0x0120, true, false, 0, 0, 0, 0},
        RuleCase{"hot key passes while recording", S::Recording, 0x0120, true, false, 0, 0, 0, 0},
        RuleCase{"other owner's key goes there", S::Idle, 0x0074, true, true, 1528, 0, kOther, 99},
        RuleCase{"unknown key passes", S::Idle, 0x0041, true, false, 0, 0, 0, 0}));

TEST(DispatchRulesExtra, CancelKeyWithoutCancelCheckingIsAnOrdinaryKey)
{
    InputSnapshot s = snapshotIn(EngineState::Playing, false);
    EXPECT_FALSE(dispatchInput(s, {0x03, true}, InputSource::Keyboard, {}).swallow);
    s.state = EngineState::Idle;
    s.ownMacros[0x0003] = 12;
    const InputDecision d = dispatchInput(s, {0x03, true}, InputSource::Keyboard, {});
    ASSERT_TRUE(d.post);
    EXPECT_EQ(d.post->request.lParam, 12u);
}

TEST(DispatchRulesExtra, MouseCancelActsOnlyOnTheRelease)
{
    InputSnapshot s = snapshotIn(EngineState::Playing);
    s.cancelKey = 0x0004;
    EXPECT_FALSE(dispatchInput(s, {0x0004, false}, InputSource::Mouse, {}).swallow);
    const InputDecision up = dispatchInput(s, {0x0004, true}, InputSource::Mouse, {});
    EXPECT_TRUE(up.swallow);
    ASSERT_TRUE(up.post);
    EXPECT_EQ(up.post->request.message, 1529u);
}

TEST(DispatchRulesExtra, TheSteeringKeysComeBeforeAHotKeyWithTheSameCode)
{
    InputSnapshot s = snapshotIn(EngineState::Idle);
    s.ownMacros[0x0013] = 5; // a macro on Pause: the pause rule wins and passes it
    EXPECT_FALSE(dispatchInput(s, {0x0013, true}, InputSource::Keyboard, {}).swallow);
}

} // namespace
} // namespace orvane
