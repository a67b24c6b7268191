#pragma once
// The main window's "Preferences" command: the options dialog shown modally, and on OK the
// apply steps. The program hands in the parts it drives, so that this runs the same in the
// program and in tests.
#include "app/clock/settings_record.h"

#include <cstdint>
#include <functional>
#include <string>

class QWidget;

namespace orvane {

class TIniFile;
class TOption;

struct OptionsCommandParts {
    TProgramSettings &live;
    TIniFile &winIni;
    // Where "CstmCol.Str" lives, with a trailing '/'.
    std::string programDir;
    // The program's own path, entered in the run line and the autostart entry.
    std::string execPath;
    // Removes the engine's hook, then installs it again and binds the key when `use` is on.
    std::function<void(bool use, uint16_t key)> rebindHotKey;
    // The main window's new look: face, stay-on-top, hints.
    std::function<void()> applyLook;
    // The save routine.
    std::function<void()> saveAll;
    // Tells the user about a failure.
    std::function<void(const std::string &)> report;
};

// Shows the dialog over `parent` (after `prepare`, if given, has seen it) and applies it on OK.
// Returns true when the user confirmed.
bool RunOptionsCommand(QWidget *parent, const OptionsCommandParts &parts,
                       const std::function<void(TOption &)> &prepare = {});

} // namespace orvane
