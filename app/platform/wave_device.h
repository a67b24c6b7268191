#pragma once
// The device behind the recorder: one wave element (a file read into memory, or a new unnamed
// recording) that can be played, recorded into from its current position, rewound and saved.
// It answers with the modes and lengths the recorder shows, and reports through a callback when
// a play or a recording has ended. Failures come back as a text the recorder shows as it is.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace orvane {

enum class WaveMode { NotReady, Stopped, Playing, Recording, Seeking, Paused, Open };

// The recorder's words for a mode.
inline const char *WaveModeText(WaveMode mode)
{
    switch (mode) {
    case WaveMode::NotReady: return "Not ready";
    case WaveMode::Stopped: return "Stopped";
    case WaveMode::Playing: return "Playing";
    case WaveMode::Recording: return "Recording";
    case WaveMode::Seeking: return "Seeking";
    case WaveMode::Paused: return "Paused";
    case WaveMode::Open: return "Open";
    }
    return "Not ready";
}

// No value on success; the reason on failure.
using WaveError = std::optional<std::string>;

class WaveDevice {
public:
    virtual ~WaveDevice() = default;

    // Reads a wave file as the element; the position is its start.
    virtual WaveError openFile(const std::string &path) = 0;
    // A new, empty element in the device's recording format.
    virtual WaveError openNew() = 0;
    // Starts recording at the current position; what lay after it is replaced. The recording
    // runs until stop(), save() or close(); its end is notified.
    virtual WaveError record() = 0;
    // Starts playing from the current position (from the start when at the end); the end of the
    // sound is notified.
    virtual WaveError play() = 0;
    // Ends a play or a recording; the position stays where it was.
    virtual WaveError stop() = 0;
    virtual WaveError seekToStart() = 0;
    // Writes the element as a RIFF WAVE file, replacing `path` in one step.
    virtual WaveError save(const std::string &path) = 0;
    // Lets the element go. Closing a closed device succeeds.
    virtual WaveError close() = 0;

    virtual WaveMode mode() const = 0;
    // The element's length in milliseconds; 0 when nothing is open.
    virtual std::int64_t lengthMs() const = 0;

    // Called when a play or a recording has ended. It may run on the device's own audio thread:
    // the receiver must pass it on to its own thread and not call the device from inside it.
    virtual void setNotify(std::function<void()> notify) = 0;
};

using WaveDeviceFactory = std::function<std::unique_ptr<WaveDevice>()>;

} // namespace orvane
