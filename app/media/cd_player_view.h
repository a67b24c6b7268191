#pragma once
// What the CD player window shows, as the player's logic leaves it: the label texts, which
// buttons are enabled and the poll's interval. The window copies it onto its widgets.
#include <string>

namespace orvane {

// The player control's buttons; Record, Step and Back are never visible.
enum CDButton : unsigned {
    cbPlay = 1u << 0,
    cbPause = 1u << 1,
    cbStop = 1u << 2,
    cbNext = 1u << 3,
    cbPrev = 1u << 4,
    cbStep = 1u << 5,
    cbBack = 1u << 6,
    cbRecord = 1u << 7,
    cbEject = 1u << 8,
};
using CDButtons = unsigned;

struct CDPlayerView {
    std::string CDName = "CD Name";
    std::string CDTrack;
    std::string TrackPos = "00";
    std::string SongPos = "00:00";
    std::string Panel2;
    CDButtons enabled = cbPlay | cbPause | cbStop | cbNext | cbPrev | cbEject;
    bool modeBtnEnabled = true;
    bool playListBtnEnabled = false;
    int interval = 1000;
    // Why no disc can be read (a malformed CUE sheet, a missing BIN file); empty otherwise.
    std::string notReady;
};

} // namespace orvane
