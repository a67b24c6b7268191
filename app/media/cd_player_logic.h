#pragma once
// The CD player's behaviour without its window: disc loading, the one-second poll that moves
// the four modes on, the buttons of the player control, the device's notification and the
// requests a CD alarm leaves. The window forwards its events here and shows view().
#include "app/alarms/cd_flags.h"
#include "app/common/clock.h"
#include "app/media/cd_player_state.h"
#include "app/media/cd_player_view.h"
#include "app/media/disc_database.h"
#include "app/platform/cd_device.h"

#include <functional>
#include <optional>
#include <random>
#include <string>

namespace orvane {

enum class PushState { Play, Pause, Resume, Stop };

struct CDPlayerServices {
    CDDevice &device;
    TDiscDatabase &database;
    CDPlayerState &state;
    TCDFlags &flags;
    const Clock &clock;
    // Shows a failure (a database error) to the user.
    std::function<void(const std::string &)> report = {};
    // Closes the play-list editor when the disc goes away.
    std::function<void()> closePlayList = {};
};

class CDPlayerLogic {
public:
    explicit CDPlayerLogic(CDPlayerServices services);

    // Opens the device; the error text when it cannot be opened (the window is then not made).
    std::optional<std::string> FormCreate();
    // Shown: the window counts as open, the disc is looked up and one poll runs at once.
    void FormShow();
    void FormClose();
    void LoadDisc();
    void Timer2Timer();
    void MediaPlayer1Click(CDButton button);
    void MediaPlayer1Notify();
    void ModeBtnClick();
    // Before the play-list editor opens: the record's number of tracks from the device.
    void refreshTrackCount();
    // After it closed: the disc's name and track 1's name.
    void showNamesAfterEditing();

    void Push(PushState state);
    void ShufflePlay();
    void NextShuffle();
    void PlayListPlay();
    void NextPlayListEntry();

    const CDPlayerView &view() const { return m_view; }
    // Tests replace the time-of-day seed to get a known order.
    void seedShuffle(unsigned seed) { m_seed = seed; }

    static std::string ModeName(int mode);

private:
    void showTrack(int track, int minutes = 0, int seconds = 0);
    void playTrackAlone(int track);
    std::optional<uint32_t> endOfTrack(int track);
    int trackCount();
    int shuffleTrack(int position) const;
    int playListTrack(int entry) const;

    CDPlayerServices m_s;
    CDPlayerState &m_st;
    CDPlayerView m_view;
    std::optional<unsigned> m_seed;
};

} // namespace orvane
