#include "app/clock/program_state.h"

#include "app/clock/settings_file.h"

namespace orvane {

void LoadProgramState(ProgramState &state, const std::function<void()> &afterHotKey)
{
    state.SettingsIni = std::make_unique<TIniFile>("murvelin.ini");
    state.WinIni = std::make_unique<TIniFile>("Win.ini");

    state.formats.timeSeparator = ':';
    state.formats.timeAMString = "AM";
    state.formats.timePMString = "PM";
    LoadSettings(*state.SettingsIni, state.settings, afterHotKey);

    // The short date pattern the program itself reads and writes until the window's first show
    // takes the system's formats.
    state.formats.shortDateFormat = "mm/dd/yy";
    state.flags.alarmsInitPending = true;
}

} // namespace orvane
