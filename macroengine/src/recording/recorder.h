#pragma once

#include "core/engine.h"
#include "input/input_platform.h"

namespace orvane {

// How a recording ends: kept as recorded, trimmed of the keys that started and stopped it,
// or thrown away.
enum class RecordingEnd { Untrimmed, Trimmed, Discarded };

// Records input into the scrap macro: the engine states 1 (recording) and 3 (paused).
// Runs on the installing thread only.
class Recorder {
public:
    Recorder(Engine &engine, RecordCapture &capture, InputEnvironment &environment);

    void recordingOn();
    void recordingOff();
    void toggleRecording();
    void stop(RecordingEnd end);
    void pause();
    void resume();

private:
    void collect(RecordingEnd end);

    Engine &m_engine;
    RecordCapture &m_capture;
    InputEnvironment &m_environment;
    CaptureSettings m_settings;
    bool m_capturing = false;
};

} // namespace orvane
