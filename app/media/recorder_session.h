#pragma once
// What the recorder dialog does with its files and its wave device, apart from the window: the
// empty temporary wave, recording into it, the numbered recordings it saves on OK, and the
// deletion of numbered recordings the user replaces. The dialog asks its questions and shows
// the file dialogs itself and hands the answers in.
#include "app/media/recorder_paths.h"
#include "app/platform/wave_device.h"

#include <optional>
#include <string>

namespace orvane {

class RecorderSession {
public:
    static constexpr std::size_t kMaxFileName = 100;
    static constexpr const char *kTempFailed = "Error in creating a temp wav file.";
    static constexpr const char *kSlotsFull =
        "All 50 recording slots (OV-1.wav to OV-50.wav in the \"waves\" folder) are in use. "
        "Save this recording under a name of your own with \"Save Wave file\", or delete a "
        "recording you no longer need and press OK again.";

    enum class OkOutcome { Ok, Cancel, StayOpen };
    struct OkResult {
        OkOutcome outcome = OkOutcome::Cancel;
        std::string RecorderFileName; // set with Ok
        bool RecordingPending = false;
        std::optional<std::string> message; // shown to the user, with any outcome
    };

    // `presetFile` is the caller's current sound; empty when it has none.
    RecorderSession(WaveDevice &device, const std::string &programDir, std::string presetFile);

    // Prepares the folder and the file and opens the device. A failure to show comes back.
    WaveError FormShow();

    // Whether pressing Record must first ask "Are you sure you want to RE-Record this wave
    // file?" (the current file is not the temporary one).
    bool recordNeedsConfirmation() const { return !isTempCurrent(); }
    // Record after the question was answered Yes (or needed no answer).
    WaveError Record();
    WaveError Play();
    // Stops and rewinds.
    WaveError Stop();
    // "Open WAVE file" with the file the user picked.
    WaveError OpenPicked(const std::string &path);
    // "Save Wave file" with the name the user picked.
    WaveError SavePicked(const std::string &path);
    // "Record NEW Wave file".
    WaveError RecordNew();
    OkResult Ok();
    void Close();

    const std::string &fileName() const { return m_fileName; }
    const std::string &header() const { return m_header; }
    const std::string &openInitial() const { return m_openInitial; }
    const std::string &saveInitial() const { return m_saveInitial; }
    std::string modeText() const { return WaveModeText(m_device.mode()); }
    bool isTempCurrent() const { return !m_fileName.empty() && m_fileName == m_paths.temp(); }
    const RecorderPaths &paths() const { return m_paths; }

private:
    // Writes an empty wave to `path`, leaving the device closed.
    bool createEmptyWave(const std::string &path);
    void deleteReplaced(const std::string &replacement);

    WaveDevice &m_device;
    RecorderPaths m_paths;
    std::string m_fileName;
    std::string m_header = "New Wave File";
    std::string m_openInitial;
    std::string m_saveInitial;
};

// `text` cut to `maxChars` characters (UTF-8 sequences are kept whole).
std::string CutToChars(const std::string &text, std::size_t maxChars);

} // namespace orvane
