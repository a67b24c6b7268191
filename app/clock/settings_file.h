#pragma once
// Reading the settings at start-up and the save routine's settings half.
#include "app/clock/settings_record.h"

#include <functional>
#include <optional>
#include <string>

namespace orvane {

class TIniFile;

// Reads murvelin.ini in the start-up order. `afterHotKey` runs right after "HotKey" is read and
// before "Play Wave", where the announce hot key is bound.
void LoadSettings(const TIniFile &ini, TProgramSettings &s, const std::function<void()> &afterHotKey = {});

// Writes every setting in the save order, with the profile file's rules for each key, and then
// replaces the file in one step. Returns the error text ("Unable to write to murvelin.ini") when
// it could not be replaced (the old file is then untouched); nullopt when all were written.
std::optional<std::string> SaveSettings(TIniFile &ini, const TProgramSettings &s);

} // namespace orvane
