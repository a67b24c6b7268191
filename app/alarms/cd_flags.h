#pragma once
// The requests a CD alarm leaves for the CD player, which its own one-second poll carries out.
// One instance lives for the whole program; the CD player reads and clears the requests and
// keeps CDWindowOpen up to date.
#include <cstdint>
#include <functional>

namespace orvane {

struct TCDFlags {
    uint8_t CDStartRequest = 0;
    int32_t CDAlarmMode = 1; // 1 loop, 2 shuffle, 4 play list
    uint8_t CDStopRequest = 0;
    bool CDWindowOpen = false;
};

// How the alarm pass brings the CD player up. Either may be left empty (no CD player).
struct CDPlayerHooks {
    // Shows the open CD player window and restores it to its normal state.
    std::function<void()> showAndRestore;
    // Creates and shows the CD player window; throws when that fails.
    std::function<void()> create;
};

} // namespace orvane
