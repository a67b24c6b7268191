#pragma once
// The real subsystems behind the main window and its tick: the title-bar clock, the sound player
// and the voice, the alarms and the announce hot key. Built after the program state, which they
// read and (command alarms, snooze) change.
#include "app/alarms/cd_flags.h"
#include "app/clock/program_state.h"
#include "app/clock/ui/main_services.h"
#include "app/common/clock.h"
#include "app/common/reporter.h"

#include <cstdint>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace orvane {

class AnnounceHotKey;
class SoundPlayer;
class TAlarmServices;
class TitleDecorator;
class VoiceAnnouncer;
class WindowLayer;

class TProgramServices : public MainServices {
public:
    TProgramServices(const Clock &clock, ProgramState &state, Reporter &reporter);
    ~TProgramServices() override;

    // Reads alarms32.rec; a damaged file is reported once.
    void loadAlarmTable();
    // Binds the announce hot key; false (after telling the user once) when it cannot be bound.
    bool bindHotKey(uint16_t key, std::function<void()> onPress);
    void unbindHotKey();

    SoundPlayer &sound();
    TAlarmServices &alarms();
    TCDFlags &cdFlags() { return m_cd; }
    AnnounceHotKey &hotKey();
    // Null without an X display.
    WindowLayer *windows();

    // TickServices
    void decorateTitle(const std::string &suffix) override;
    void redecorateTitle(const std::string &suffix) override;
    void announce(int hour, int minute, bool requested) override;
    void initAlarms() override;
    void runAlarmPass(TDateTime displayMinute) override;

    // MainServices
    void saveAll() override;
    // The save routine with its errors on standard error only: nothing of Qt is touched, so it
    // can run after the display is gone.
    void saveFiles();
    void shutdown() override;

private:
    const Clock &m_clock;
    ProgramState &m_state;
    Reporter &m_reporter;
    std::unique_ptr<WindowLayer> m_windows;
    // Reads the window layer's X events as they arrive, so that its cache of the front window and
    // its title is current before the next tick asks.
    std::unique_ptr<QSocketNotifier> m_windowEvents;
    std::unique_ptr<TitleDecorator> m_decorator;
    std::unique_ptr<SoundPlayer> m_sound;
    std::unique_ptr<VoiceAnnouncer> m_voice;
    // The CD player's requests from the alarm pass; the CD player reads and clears them.
    TCDFlags m_cd;
    std::unique_ptr<TAlarmServices> m_alarms;
    std::unique_ptr<AnnounceHotKey> m_hotKey;
};

} // namespace orvane
