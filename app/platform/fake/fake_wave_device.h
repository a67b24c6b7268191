#pragma once
// A wave device for tests: no sound, a length that grows only when the test says so, and files
// that are real on disk (a one-line text "FAKEWAVE <ms>") so that the recorder's file handling
// can be checked. Every command is noted in order; notifications are delivered at once.
#include "app/platform/wave_device.h"

#include <vector>

namespace orvane {

class FakeWaveDevice : public WaveDevice {
public:
    WaveError openFile(const std::string &path) override;
    WaveError openNew() override;
    WaveError record() override;
    WaveError play() override;
    WaveError stop() override;
    WaveError seekToStart() override;
    WaveError save(const std::string &path) override;
    WaveError close() override;
    WaveMode mode() const override;
    std::int64_t lengthMs() const override { return m_open ? m_length : 0; }
    void setNotify(std::function<void()> notify) override { m_notify = std::move(notify); }

    // What a running recording has captured so far grows by `ms`.
    void capture(std::int64_t ms);
    // Lets a running play end by itself.
    void finishPlaying();
    // Recording fails as it does without a capture device.
    void setNoCapture(bool none) { m_noCapture = none; }
    // The next save fails (a full disk, a folder that cannot be written).
    void failNextSave() { m_failSave = true; }

    // "openFile <path>", "openNew", "record", "play", "stop", "seek", "save <path>", "close".
    const std::vector<std::string> &commands() const { return m_commands; }
    const std::string &openPath() const { return m_path; }
    int notifications() const { return m_notifications; }

private:
    void endRunning();

    std::vector<std::string> m_commands;
    std::function<void()> m_notify;
    std::string m_path;
    std::int64_t m_length = 0;
    std::int64_t m_position = 0;
    bool m_open = false;
    bool m_noCapture = false;
    bool m_notReady = false;
    bool m_failSave = false;
    WaveMode m_mode = WaveMode::NotReady;
    int m_notifications = 0;
};

} // namespace orvane
