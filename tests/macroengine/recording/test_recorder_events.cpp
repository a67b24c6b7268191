// The journal rules a recording follows, and the trimming of a recording stopped by its key.
#include "input/input_dispatch.h"
#include "recording/recorder_events.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

constexpr RecordFilter kAll{0, 0, 0x077A, 0x0013};
constexpr RecordFilter kClicksAndDrags{0x200, 0x200, 0x077A, 0x0013};
constexpr RecordFilter kNoMouse{0x200, 0x209, 0x077A, 0x0013};

CapturedEvent key(uint32_t message, uint8_t vk, uint8_t held = 0, uint32_t time = 0)
{
    return {{message, vk, 1, time, 0x400001}, held, 0, 0};
}

CapturedEvent mouse(uint32_t message, int32_t x, int32_t y, int32_t ox = 0, int32_t oy = 0)
{
    return {{message, static_cast<uint32_t>(x), static_cast<uint32_t>(y), 0, 0x400001}, 0, ox, oy};
}

MacroRecord emptyScrap(size_t room = 24)
{
    MacroRecord scrap;
    scrap.events.resize(room);
    return scrap;
}

std::vector<uint32_t> messages(const MacroRecord &r)
{
    std::vector<uint32_t> out;
    for (int32_t i = 0; i <= r.lastIndex; ++i)
        out.push_back(r.events[static_cast<size_t>(i)].message);
    return out;
}

TEST(RecordedEvents, GrowByEightWhenFull)
{
    MacroRecord scrap = emptyScrap(24);
    for (int i = 0; i < 24; ++i)
        ASSERT_TRUE(appendRecordedEvent(scrap, key(kWmKeyDown, 0x41), kAll));
    EXPECT_EQ(scrap.capacity(), 24u) << "24 events fit the room the scrap macro starts with";
    ASSERT_TRUE(appendRecordedEvent(scrap, key(kWmKeyUp, 0x41), kAll));
    EXPECT_EQ(scrap.capacity(), 32u) << "the 25th event found the record full and grew it";
    for (int i = 0; i < 8; ++i)
        appendRecordedEvent(scrap, key(kWmKeyUp, 0x41), kAll);
    EXPECT_EQ(scrap.capacity(), 40u);
    EXPECT_EQ(scrap.lastIndex, 32);
    EXPECT_EQ(scrap.events[24].message, kWmKeyUp);
}

TEST(RecordedEvents, MouseFilterLeavesOutItsRange)
{
    const CapturedEvent events[] = {mouse(kWmMouseMove, 5, 5), mouse(kWmLButtonDown, 5, 5), mouse(0xA0, 1, 1),
                                    mouse(kWmLButtonUp, 5, 5), key(kWmKeyDown, 0x41)};
    MacroRecord none = emptyScrap(), clicks = emptyScrap(), all = emptyScrap();
    for (const CapturedEvent &e : events) {
        appendRecordedEvent(none, e, kNoMouse);
        appendRecordedEvent(clicks, e, kClicksAndDrags);
        appendRecordedEvent(all, e, kAll);
    }
    EXPECT_EQ(messages(none), std::vector<uint32_t>{kWmKeyDown});
    EXPECT_EQ(messages(clicks), (std::vector<uint32_t>{kWmLButtonDown, kWmLButtonUp, kWmKeyDown}));
    EXPECT_EQ(messages(all).size(), 5u);
}

TEST(RecordedEvents, SteeringKeysAreNeverRecorded)
{
    MacroRecord scrap = emptyScrap();
    const uint8_t all3 = kModCtrl | kModAlt | kModShift;
    EXPECT_FALSE(appendRecordedEvent(scrap, key(kWmKeyDown, 0x7A, all3), kAll));
    EXPECT_FALSE(appendRecordedEvent(scrap, key(kWmSysKeyUp, 0x7A, all3), kAll));
    EXPECT_FALSE(appendRecordedEvent(scrap, key(kWmKeyDown, 0x13), kAll));
    // F11 alone, or Pause with a modifier, are other keys.
    EXPECT_TRUE(appendRecordedEvent(scrap, key(kWmKeyDown, 0x7A), kAll));
    EXPECT_TRUE(appendRecordedEvent(scrap, key(kWmKeyDown, 0x13, kModShift), kAll));
    // The modifiers pressed for the toggle key are keys of their own.
    EXPECT_TRUE(appendRecordedEvent(scrap, key(kWmKeyDown, 0x11, all3), kAll));
}

TEST(RecordedEvents, MouseCoordinatesAreNotMistakenForKeys)
{
    MacroRecord scrap = emptyScrap();
    // x = 19 has the low byte of Pause; it is a position, not a key.
    EXPECT_TRUE(appendRecordedEvent(scrap, mouse(kWmMouseMove, 19, 40), kAll));
    EXPECT_TRUE(appendRecordedEvent(scrap, mouse(kWmLButtonDown, 275, 40), kAll));
}

TEST(RecordedEvents, MousePositionsAreStoredFromTheOrigin)
{
    MacroRecord scrap = emptyScrap();
    appendRecordedEvent(scrap, mouse(kWmLButtonDown, 110, 100, 100, 80), kAll);
    appendRecordedEvent(scrap, mouse(kWmMouseMove, 90, 70, 100, 80), kAll);
    EXPECT_EQ(scrap.events[0].paramL, 10u);
    EXPECT_EQ(scrap.events[0].paramH, 20u);
    EXPECT_EQ(static_cast<int32_t>(scrap.events[1].paramL), -10);
    EXPECT_EQ(static_cast<int32_t>(scrap.events[1].paramH), -10);
    // Keys keep their parameters whatever the origin.
    CapturedEvent k = key(kWmKeyDown, 0x41);
    k.originX = 100;
    appendRecordedEvent(scrap, k, kAll);
    EXPECT_EQ(scrap.events[2].paramL, 0x41u);
}

MacroRecord recordingOf(std::initializer_list<std::pair<uint32_t, uint8_t>> events)
{
    MacroRecord r = emptyScrap(events.size());
    for (const auto &[message, vk] : events)
        r.events[static_cast<size_t>(++r.lastIndex)] = {message, vk, 1, 0, 0};
    return r;
}

std::vector<std::pair<uint32_t, uint8_t>> contentOf(const MacroRecord &r)
{
    std::vector<std::pair<uint32_t, uint8_t>> out;
    for (int32_t i = 0; i <= r.lastIndex; ++i)
        out.emplace_back(r.events[static_cast<size_t>(i)].message,
                         static_cast<uint8_t>(r.events[static_cast<size_t>(i)].paramL));
    return out;
}

TEST(Trimming, RemovesTheStartingReleasesAndTheClosingPresses)
{
    // Recording started with Ctrl+Alt+Shift+F11 (the releases of the modifiers remain), the
    // user typed "ab", and stopped it with the same keys (the presses of the modifiers remain).
    MacroRecord r = recordingOf({{kWmKeyUp, 0x10},
                                 {kWmSysKeyUp, 0x12},
                                 {kWmKeyUp, 0x11},
                                 {kWmKeyDown, 0x41},
                                 {kWmKeyUp, 0x41},
                                 {kWmKeyDown, 0x42},
                                 {kWmKeyUp, 0x42},
                                 {kWmKeyDown, 0x11},
                                 {kWmSysKeyDown, 0x12},
                                 {kWmKeyDown, 0x10}});
    trimRecording(r);
    EXPECT_EQ(contentOf(r), (std::vector<std::pair<uint32_t, uint8_t>>{
                                {kWmKeyDown, 0x41}, {kWmKeyUp, 0x41}, {kWmKeyDown, 0x42}, {kWmKeyUp, 0x42}}));
}

TEST(Trimming, EdgeCases)
{
    MacroRecord empty = recordingOf({});
    trimRecording(empty);
    EXPECT_EQ(empty.lastIndex, -1);

    // Only releases: everything up to the last of them goes.
    MacroRecord releases = recordingOf({{kWmKeyUp, 0x11}, {kWmKeyUp, 0x12}});
    trimRecording(releases);
    EXPECT_EQ(releases.lastIndex, -1);

    // Only presses: from the first press on everything goes.
    MacroRecord presses = recordingOf({{kWmKeyDown, 0x11}, {kWmKeyDown, 0x12}});
    trimRecording(presses);
    EXPECT_EQ(presses.lastIndex, -1);

    // Mouse events between keys stay where they were.
    MacroRecord mixed = recordingOf({{kWmKeyUp, 0x11},
                                     {kWmLButtonDown, 0},
                                     {kWmLButtonUp, 0},
                                     {kWmKeyDown, 0x41},
                                     {kWmKeyUp, 0x41},
                                     {kWmMouseMove, 0},
                                     {kWmKeyDown, 0x11}});
    trimRecording(mixed);
    EXPECT_EQ(contentOf(mixed), (std::vector<std::pair<uint32_t, uint8_t>>{{kWmLButtonDown, 0},
                                                                           {kWmLButtonUp, 0},
                                                                           {kWmKeyDown, 0x41},
                                                                           {kWmKeyUp, 0x41},
                                                                           {kWmMouseMove, 0}}));
}

} // namespace
} // namespace orvane

namespace orvane {
namespace {

CapturedEvent pressOf(uint32_t message, uint8_t vk, uint8_t held = 0)
{
    return {{message, vk, 1, 0, 0}, held, 0, 0};
}

TEST(Trimming, ARecordingStoppedByItsKeyEndsAtThatKeysLastPress)
{
    const uint8_t all3 = kModCtrl | kModAlt | kModShift;
    const std::vector<CapturedEvent> events{
        pressOf(kWmKeyDown, 0x41),
        pressOf(kWmKeyUp, 0x41),
        pressOf(kWmKeyDown, 0x7A, kModShift), // Shift+F11 is not the toggle key
        pressOf(kWmKeyDown, 0x11, kModShift), // the closing Ctrl
        pressOf(kWmKeyDown, 0x7A, all3),      // the toggle key
        pressOf(kWmKeyUp, 0x7A, all3),
        pressOf(kWmKeyUp, 0x11, all3)};
    EXPECT_EQ(eventsBeforeToggleKey(events, 0x077A), 4u);
    EXPECT_EQ(eventsBeforeToggleKey(events, 0x0071), events.size());
    EXPECT_EQ(eventsBeforeToggleKey({}, 0x077A), 0u);
}

} // namespace
} // namespace orvane
