#pragma once
// How another dialog lets the user pick, play or record a wave: one call that shows the
// recorder modally and says what the user chose.
//
//     if (auto choice = BrowseRecordWave(this, currentWave)) {
//         currentWave = choice->RecorderFileName;      // at most 100 characters
//         if (choice->RecordingPending) ...            // a new numbered recording was saved
//     }
//
// Pass an empty `currentFile` when the caller has no sound yet ("NONE", or the count-down's
// "AlarmWav"): the recorder then starts with a new, empty recording. On Cancel nothing comes
// back and the caller keeps its old file. A numbered recording ("OV-<n>.wav") that the user
// replaces in the recorder has already been deleted from the disk when the call returns.
#include "app/platform/wave_device.h"

#include <optional>
#include <string>

class QWidget;

namespace orvane {

struct WaveChoice {
    std::string RecorderFileName;
    // Set when OK saved a new numbered recording; the alarm set-up dialog reads it.
    bool RecordingPending = false;
};

std::optional<WaveChoice> BrowseRecordWave(QWidget *parent, const std::string &currentFile);

// Which wave device the recorder opens and where its "waves" folder lies. The program need not
// call it (the defaults are the SDL device and ProgramDir()); tests install a fake device and a
// folder of their own. An empty factory or folder puts the default back.
void SetWaveChooserServices(WaveDeviceFactory factory, std::string programDir);

} // namespace orvane
