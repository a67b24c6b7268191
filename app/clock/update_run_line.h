#pragma once
// Entering the clock in, or taking it out of, the programs started with the session.
#include <optional>
#include <string>

namespace orvane {

class TIniFile;

// Rewrites Win.ini [windows] "run" for the new auto-run choice and then makes the XDG autostart
// entry present exactly when the new line holds `execPath`. Returns the first failure's text
// ("Unable to write to <file>"); the autostart entry is not touched when Win.ini failed.
std::optional<std::string> UpdateRunLine(TIniFile &winIni, bool autoRun, const std::string &execPath);

} // namespace orvane
