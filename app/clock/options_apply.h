#pragma once
// What the main window does after the options dialog was confirmed: the new settings become
// live, the session's run line follows a changed auto-run choice, the hot key is bound anew,
// the face and the window take the new look, and everything is saved.
#include "app/clock/settings_record.h"

#include <optional>
#include <string>

namespace orvane {

// The parts of the program the apply drives.
class OptionsApplyHost {
public:
    virtual ~OptionsApplyHost() = default;
    // Rewrites the session's run line for the live auto-run choice; the failure's text if any.
    virtual std::optional<std::string> updateRunLine(bool autoRun) = 0;
    // Removes the engine's hook, then installs it again and binds `key` when `useHotKey` is on
    // (a key of 0 binds nothing).
    virtual void rebindHotKey(bool useHotKey, uint16_t key) = 0;
    // The face as at start-up (truncating scale), its caption and fitted text, stay-on-top and
    // the application's hints.
    virtual void applyLook() = 0;
    // The save routine: every setting, then the alarm file.
    virtual void saveAll() = 0;
};

// Runs the apply steps for a confirmed dialog. `working` is the dialog's working copy; the live
// use-hot-key choice and key were already set by the dialog's OK. Returns the run line's failure,
// which stops the apply after the record became live, as a failed write does.
std::optional<std::string> ApplyOptions(OptionsApplyHost &host, TProgramSettings &live,
                                        const TSettingsRecord &working);

} // namespace orvane
