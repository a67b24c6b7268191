#pragma once
// The program root: the one place that builds the program's state, its services and its windows
// and connects them. It owns everything for the whole run; windows get what they need from it
// when they are created.
#include "app/clock/program_state.h"
#include "app/clock/ui/main_commands.h"
#include "app/common/clock.h"
#include "app/program/qt_reporter.h"

#include <functional>
#include <map>
#include <memory>
#include <thread>

namespace orvane {

class SoundPlayer;
class TAlarmServices;
class TInstanceChannel;
class TMain;
class TProgramServices;

class TProgram : public MainCommands {
public:
    // Runs the start-up: settings, hot key, alarm table, main window, the windows it offers.
    TProgram(std::unique_ptr<Clock> clock, MessageBoxes boxes);
    ~TProgram() override;
    TProgram(const TProgram &) = delete;
    TProgram &operator=(const TProgram &) = delete;

    const Clock &clock() const { return *m_clock; }
    ProgramState &state() { return m_state; }
    TProgramServices &services() { return *m_services; }
    SoundPlayer &sound();
    TAlarmServices &alarms();
    Reporter &reporter() { return m_reporter; }
    TMain &mainWindow() { return *m_main; }

    // The save routine: every setting, then the alarm file.
    void SaveAll();

    // A window the main window opens; its button and menu items are enabled from then on.
    void registerCommand(MainCommand command, std::function<void()> open);
    bool available(MainCommand command) const override;
    void run(MainCommand command) override;

    // Closes the program as Exit does, for a signal or `orvane --quit`: nobody is there to click a
    // message box, so failures go to standard error only and nothing waits.
    void closeUnattended();

    // A second start, `orvane --announce` and `orvane --quit` reach the main window.
    void connectChannel(TInstanceChannel &channel);

private:
    void bindAnnounceHotKey();
    void tellWhenSettingsCannotBeSaved();

    std::unique_ptr<Clock> m_clock;
    QtReporter m_reporter;
    ProgramState m_state;
    std::unique_ptr<TProgramServices> m_services;
    std::unique_ptr<TMain> m_main;
    std::map<MainCommand, std::function<void()>> m_commands;
    std::jthread m_soundLibraries; // loads the sound libraries once the clock is on the screen
};

} // namespace orvane
