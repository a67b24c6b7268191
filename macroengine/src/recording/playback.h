#pragma once

#include "core/engine.h"
#include "input/input_platform.h"

#include <functional>

namespace orvane {

// Plays macros back (engine state 2) or runs their code hooks. Runs on the installing thread
// only; the device plays on a thread of its own and asks for the stop through `finished`.
class Playback {
public:
    Playback(Engine &engine, PlaybackDevice &device, InputEnvironment &environment,
             std::function<void()> finished);

    void playbackMacro(KyMacro macro);
    void stop();
    void pause();
    void resume();

private:
    void runCodeHook(KyCodeHook hook);

    Engine &m_engine;
    PlaybackDevice &m_device;
    InputEnvironment &m_environment;
    std::function<void()> m_finished;
    uint8_t m_locksBefore = 0;
    uint8_t m_locksAtPause = 0;
    bool m_paused = false;
};

} // namespace orvane
