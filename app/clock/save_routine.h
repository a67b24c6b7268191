#pragma once
// The one save routine: every setting, then the whole alarm file.
#include "app/clock/settings_record.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

class TIniFile;

// Saves the alarm file; returns an error text when it could not.
using AlarmFileSaver = std::function<std::optional<std::string>()>;

// Writes the settings in their order and then the alarm file. A settings key that cannot be
// written stops the settings there, but the alarm file is still written, so that alarms made
// since the start are never lost to a read-only murvelin.ini. Returns the error texts, in order.
std::vector<std::string> RunSaveRoutine(TIniFile &ini, const TProgramSettings &s,
                                        const AlarmFileSaver &saveAlarms);

} // namespace orvane
