#include "app/clock/option_rules.h"
#include "app/clock/options_apply.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orvane;

namespace {

class RecordingHost : public OptionsApplyHost {
public:
    std::vector<std::string> calls;
    std::optional<std::string> runLineFailure;
    const TProgramSettings *live = nullptr;

    std::optional<std::string> updateRunLine(bool autoRun) override
    {
        calls.push_back(std::string("run line ") + (autoRun ? "on" : "off"));
        // The new choice is already live when the run line is rebuilt.
        EXPECT_EQ(live->record.autoRun, autoRun);
        return runLineFailure;
    }
    void rebindHotKey(bool use, uint16_t key) override
    {
        calls.push_back("hot key " + std::to_string(use) + " " + std::to_string(key));
    }
    void applyLook() override
    {
        calls.push_back("look");
        EXPECT_EQ(live->effectiveInterval, live->record.announceInterval);
    }
    void saveAll() override { calls.push_back("save"); }
};

} // namespace

TEST(OptionsApply, WithoutAnAutoRunChangeTheRunLineIsLeftAlone)
{
    TProgramSettings live;
    live.effectiveInterval = 60; // set by a command alarm
    live.hotKey = 0x0141;
    TSettingsRecord working = live.record;
    working.announceInterval = 15;
    working.waveFile = "/w/a.wav";
    RecordingHost host;
    host.live = &live;
    EXPECT_EQ(ApplyOptions(host, live, working), std::nullopt);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"hot key 1 321", "look", "save"}));
    EXPECT_EQ(live.effectiveInterval, 15);
    EXPECT_EQ(live.waveFilePath, "/w/a.wav");
    EXPECT_EQ(live.record.announceInterval, 15);
}

TEST(OptionsApply, AChangedAutoRunRewritesTheRunLineFirst)
{
    TProgramSettings live;
    TSettingsRecord working = live.record;
    working.autoRun = true;
    RecordingHost host;
    host.live = &live;
    EXPECT_EQ(ApplyOptions(host, live, working), std::nullopt);
    ASSERT_FALSE(host.calls.empty());
    EXPECT_EQ(host.calls.front(), "run line on");
    EXPECT_EQ(host.calls.size(), 4u);
}

TEST(OptionsApply, ARunLineFailureStopsTheRestButTheChoiceIsLive)
{
    TProgramSettings live;
    TSettingsRecord working = live.record;
    working.autoRun = true;
    working.stayOnTop = true;
    RecordingHost host;
    host.live = &live;
    host.runLineFailure = "Unable to write to Win.ini";
    EXPECT_EQ(ApplyOptions(host, live, working), "Unable to write to Win.ini");
    EXPECT_EQ(host.calls, (std::vector<std::string>{"run line on"}));
    EXPECT_TRUE(live.record.autoRun);
    EXPECT_TRUE(live.record.stayOnTop);
}

TEST(OptionRules, IntervalRows)
{
    const std::pair<int, int> rows[] = {{1, 0}, {5, 1}, {10, 2}, {15, 3}, {30, 4}, {60, 5}, {7, -1}, {0, -1}};
    for (auto [minutes, row] : rows) {
        EXPECT_EQ(IntervalRow(minutes), row) << minutes;
        if (row >= 0) {
            EXPECT_EQ(IntervalOfRow(row), minutes);
        }
    }
    EXPECT_EQ(IntervalOfRow(6), std::nullopt);
    EXPECT_EQ(IntervalOfRow(-1), std::nullopt);
}

TEST(OptionRules, BevelAndStyleNames)
{
    EXPECT_EQ(BevelOfText("Lowered"), 1);
    EXPECT_EQ(BevelOfText("None"), 0);
    EXPECT_EQ(BevelOfText("Raised"), 2);
    EXPECT_EQ(BevelOfText("raised"), std::nullopt);
    EXPECT_EQ(BevelText(3), std::nullopt);
    EXPECT_EQ(StyleName({true, true}), "BoldItalic");
    EXPECT_EQ(StyleName({false, true}), "Italic");
    EXPECT_EQ(StyleName({true, false}), "Bold");
    EXPECT_EQ(StyleName({false, false}), "Regular");
    EXPECT_FALSE(StyleOfName("Heavy"));
    EXPECT_TRUE(StyleOfName("BoldItalic")->italic);
}

TEST(OptionRules, SampleHeightAndCuts)
{
    EXPECT_EQ(SampleUsableHeight(64, 3, 2, true), 64 - 12 - 4);
    EXPECT_EQ(SampleUsableHeight(64, 3, 2, false), 64 - 6 - 4);
    EXPECT_EQ(SampleUsableHeight(64, 100, 100, true), 1);
    EXPECT_EQ(CutTo("abcdef", 4), "abcd");
    // A cut never splits a UTF-8 character in two.
    EXPECT_EQ(CutTo("abc\xC3\xA9", 4), "abc");
}
