#pragma once

#include "core/macro_record.h"

#include <cstdint>

namespace orvane {

// Window message numbers of the input events a recording holds.
enum : uint32_t {
    kWmKeyDown = 0x100,
    kWmKeyUp = 0x101,
    kWmSysKeyDown = 0x104,
    kWmSysKeyUp = 0x105,
    kWmMouseMove = 0x200,
    kWmLButtonDown = 0x201,
    kWmLButtonUp = 0x202,
    kWmLButtonDblClk = 0x203,
    kWmRButtonDown = 0x204,
    kWmRButtonUp = 0x205,
    kWmRButtonDblClk = 0x206,
    kWmMButtonDown = 0x207,
    kWmMButtonUp = 0x208,
    kWmMButtonDblClk = 0x209,
    kTaskSwitchMarker = 0x5FF,
};

constexpr size_t kRecordingGrowth = 8;

// The non-client mouse messages count as their client counterparts.
uint32_t clientMouseMessage(uint32_t message);
bool isMouseMessage(uint32_t message);
bool isKeyMessage(uint32_t message);

// What a recording leaves out: the mouse messages of the chosen filter (an inclusive range)
// and the two keys that steer it.
struct RecordFilter {
    uint32_t excludedLow = 0;
    uint32_t excludedHigh = 0;
    KyKey toggleRecordKey = 0x077A;
    KyKey pauseKey = 0x0013;
};

// One input event as the capture saw it: screen coordinates for the mouse, the modifiers held
// at that moment, and the corner the recording's mouse origin puts at (0, 0).
struct CapturedEvent {
    MacroEvent event;
    uint8_t heldModifiers = 0;
    int32_t originX = 0;
    int32_t originY = 0;
};

// Appends one event to the recording in `scrap`, growing it by 8 events when full. Events of
// the excluded mouse range and presses of the toggle-record and pause keys are dropped, and so
// is an event that finds no memory. Returns whether the event was kept.
bool appendRecordedEvent(MacroRecord &scrap, const CapturedEvent &captured, const RecordFilter &filter);

// How many of the captured events came before the last press of the toggle-record key. The
// capture reaches the recording thread a little after the key did, so a recording stopped by
// that key ends at its press, as if capture had stopped right there: keys released after it
// belong to no recording. All events when the key was not pressed.
size_t eventsBeforeToggleKey(const std::vector<CapturedEvent> &events, KyKey toggleRecordKey);

// Removes from a recording stopped by the toggle-record key the releases of keys held when it
// started and the presses of the keys that stopped it.
void trimRecording(MacroRecord &recording);

} // namespace orvane
