#pragma once
// An alarm pass over fakes: a settable clock, a sound player, a process launcher and a
// message-window opener that record what the pass asked of them.
#include "app/alarms/alarm_minute.h"
#include "app/alarms/alarm_pass.h"
#include "app/alarms/recurrence.h"
#include "app/platform/fake/fake_process_launcher.h"
#include "app/platform/fake/fake_sound_player.h"
#include "tests/alarms/alarm_test_support.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace orvane::test {

class RecordingOpener : public MessageAlarmOpener {
public:
    void openMessageAlarm(const MessageAlarmRequest &request) override { opened.push_back(request); }
    std::vector<MessageAlarmRequest> opened;
};

class PassFixture : public ::testing::Test {
protected:
    ManualClock clock;
    TAlarmTable table;
    FakeSoundPlayer sound;
    FakeProcessLauncher launcher;
    TCDFlags cd;
    RecordingOpener opener;
    CommandVoiceSettings voice;
    std::string launcherPath = "/opt/qd";
    int cdCreates = 0;
    int cdShows = 0;
    int cdFailures = 0;
    std::vector<std::string> errors;
    TAlarmPass pass{AlarmPassServices{table, clock, sound, launcher, cd,
                                      CDPlayerHooks{[this] { ++cdShows; },
                                                    [this] {
                                                        ++cdCreates;
                                                        if (cdFailures-- > 0)
                                                            throw std::runtime_error("no CD window");
                                                    }},
                                      &opener, [this] { return launcherPath; },
                                      [this](const std::string &e) { errors.push_back(e); }}};

    // Sets the clock to `dt` plus a few seconds, as a tick would see it, and runs the pass for
    // that minute.
    void runAt(TDateTime dt, int seconds = 2)
    {
        clock.setNow(FromDateTime(MinuteStart(dt) + seconds / kSecondsPerDay));
        pass.AlarmPass(MinuteStart(dt), voice);
    }
    void setNow(TDateTime dt) { clock.setNow(FromDateTime(dt)); }

    // Stores an alarm armed for `nextTime`, as the dialog would after computing it.
    int add(TAlarmRecord r, TDateTime nextTime)
    {
        r.NextTime = nextTime;
        const int slot = *table.firstEmptySlot();
        table.storeAlarm(slot, r);
        return slot;
    }
};

} // namespace orvane::test
