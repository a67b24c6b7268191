#pragma once
// The program-wide state, built once before the main window and shared by every window for the
// whole run: the settings file objects, the settings, the date and time formats and the flags the
// tick reads.
#include "app/clock/clock_tick.h"
#include "app/clock/settings_record.h"
#include "app/common/format_settings.h"
#include "app/common/ini_file.h"

#include <functional>
#include <memory>

namespace orvane {

struct ProgramState {
    FormatSettings formats;
    std::unique_ptr<TIniFile> SettingsIni; // murvelin.ini
    std::unique_ptr<TIniFile> WinIni;      // Win.ini
    TProgramSettings settings;
    TickFlags flags;
};

// The start-up steps before the main window is built: opens the settings files, reads every
// setting (calling `afterHotKey` as soon as "HotKey" is read, where the hot key is bound), and
// sets the start-up formats and flags.
void LoadProgramState(ProgramState &state, const std::function<void()> &afterHotKey);

// The "Announce Time" hot key is bound only when it is switched on and names a key.
inline bool WantsAnnounceHotKey(const TProgramSettings &s) { return s.useHotKey && s.hotKey != 0; }

} // namespace orvane
