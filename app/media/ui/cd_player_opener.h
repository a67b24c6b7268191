#pragma once
// The one CD player of the program: keeps the player's state, the disc database and the device
// for the whole run, opens the window (at most one at a time) for the main window and for CD
// alarms, and carries the device's notification to the window on the user-interface thread.
#include "app/alarms/cd_flags.h"
#include "app/common/clock.h"
#include "app/media/cd_player_state.h"
#include "app/media/disc_database.h"
#include "app/platform/cd_device.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <string>

namespace orvane {

class TCDPlayer;

class TCDPlayerOpener : public QObject {
    Q_OBJECT
public:
    static constexpr int kCreateAttempts = 3;

    TCDPlayerOpener(CDDevice &device, TCDFlags &flags, const Clock &clock,
                    std::function<void(const std::string &)> report,
                    std::string databasePath = TDiscDatabase::defaultPath());
    ~TCDPlayerOpener() override;

    // The main window's command: shows the open window in its normal state, or creates it,
    // trying up to three times and reporting the last failure.
    void open();
    // What the alarm pass calls: the first shows and restores, the second creates or throws.
    CDPlayerHooks hooks();

    TCDPlayer *window() const { return m_window; }
    CDPlayerState &state() { return m_state; }
    TDiscDatabase &database() { return m_database; }

private:
    void showAndRestore();
    // Creates and shows the window; throws std::runtime_error with the device's error.
    void create();

    CDDevice &m_device;
    TCDFlags &m_flags;
    const Clock &m_clock;
    std::function<void(const std::string &)> m_report;
    TDiscDatabase m_database;
    CDPlayerState m_state;
    QPointer<TCDPlayer> m_window;
};

} // namespace orvane
