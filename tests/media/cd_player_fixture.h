#pragma once
// A CD player's logic over the fake device and a database in a fresh folder, with a helper that
// lets the disc play on while the poll runs at its interval, as the window's timer would.
#include "app/media/cd_player_logic.h"
#include "app/platform/fake/fake_cd_device.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane {

class CDPlayerFixture : public ::testing::Test {
protected:
    CDPlayerFixture()
        : db(dir.file("CDNAME32.REC")),
          logic(CDPlayerServices{device, db, state, flags, clock,
                                 [this](const std::string &text) { reports.push_back(text); },
                                 [this] { ++playListCloses; }})
    {
        logic.seedShuffle(7);
    }

    void insert(const std::vector<int> &seconds, const std::vector<int> &data = {})
    {
        device.insertDisc(FakeCDDevice::disc(seconds, data));
    }
    // Creates and shows the window's logic.
    void show()
    {
        ASSERT_FALSE(logic.FormCreate());
        logic.FormShow();
    }
    // One poll interval of playing, the notification if the play ended, then the poll.
    void step()
    {
        device.playFrames(logic.view().interval / 1000 * 75);
        if (device.takeNotification())
            logic.MediaPlayer1Notify();
        logic.Timer2Timer();
    }
    void steps(int n)
    {
        for (int i = 0; i < n; ++i)
            step();
    }
    // The tracks of every "play from" command since the last clear, in order.
    std::vector<int> playedFrom() const
    {
        std::vector<int> tracks;
        for (const std::string &c : device.commands()) {
            if (c.rfind("play from ", 0) == 0)
                tracks.push_back(std::stoi(c.substr(10)));
        }
        return tracks;
    }
    bool commanded(const std::string &command) const
    {
        for (const std::string &c : device.commands()) {
            if (c == command)
                return true;
        }
        return false;
    }

    TempDir dir;
    FakeCDDevice device;
    TDiscDatabase db;
    CDPlayerState state;
    TCDFlags flags;
    ManualClock clock;
    std::vector<std::string> reports;
    int playListCloses = 0;
    CDPlayerLogic logic;
};

} // namespace orvane
