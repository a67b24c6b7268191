#pragma once
// The CD player's state, kept by the program for the one CD player across its windows: a window
// opened later finds the mode, the position in the sequence and the shuffle order as they were.
#include <array>
#include <cstdint>

namespace orvane {

enum CDPlayMode : int { cmNone = 0, cmLoop = 1, cmShuffle = 2, cmSingle = 3, cmPlayList = 4 };

struct CDPlayerState {
    static std::array<int, 42> emptyOrder()
    {
        std::array<int, 42> order;
        order.fill(-1);
        return order;
    }

    int Mode = cmNone;
    // A track number in Loop and Single mode, a one-based position in the sequence otherwise.
    int CurrentPos = 0;
    // One-based position in the running sequence; 0 when nothing is sequenced.
    int SeqIndex = 0;
    int16_t ShownTrack = 0;
    // Positions 1..40 hold shuffled track numbers, -1 after the last; position 41 is always -1
    // so that looking one past the fortieth position finds the end.
    std::array<int, 42> ShuffleOrder = emptyOrder();
    bool Paused = false;
    bool DiscLoaded = false;
    bool StopButtonsShown = false;
    bool PlayListOpen = false;
};

} // namespace orvane
