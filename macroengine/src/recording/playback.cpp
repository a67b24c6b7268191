#include "recording/playback.h"

#include "core/report.h"
#include "input/input_notify.h"

namespace orvane {

namespace {} // namespace

Playback::Playback(Engine &engine, PlaybackDevice &device, InputEnvironment &environment,
                   std::function<void()> finished)
    : m_engine(engine), m_device(device), m_environment(environment), m_finished(std::move(finished))
{}

// The hook is the host's own routine; it runs here, on the installing thread, and the engine
// stays idle throughout, so the hook may call back into the library.
void Playback::runCodeHook(KyCodeHook hook) { hook(); }

void Playback::playbackMacro(KyMacro macro)
{
    if (macro == 0 || m_engine.state() != EngineState::Idle)
        return;
    const MacroRecord *record = m_engine.record(macro);
    if (!record)
        return;
    if (record->codeHook) {
        runCodeHook(record->codeHook);
        return;
    }
    PlaybackJob job;
    job.events.assign(record->events.begin(),
                      record->events.begin() + std::max<int32_t>(record->eventCount(), 0));
    job.fast = m_engine.settings().fastPlayback;
    job.mouseOrigin = record->mouseOrigin;
    m_engine.setState(EngineState::Playing);
    m_paused = false;
    m_locksBefore = m_environment.lockFlags();
    m_environment.setLockFlags(record->flags, kLockFlagsMask);
    if (job.mouseOrigin == MBPointer)
        job.start = m_environment.pointer();
    notifyHost(m_engine, KyNotePlay);
    notifyHost(m_engine, KyNotePlayed, KyStatePlaybackOn);
    if (!m_device.start(std::move(job), m_finished)) {
        reportMessage(KyMsgPlaybackHook);
        stop();
    }
}

void Playback::stop()
{
    if (m_engine.state() != EngineState::Playing)
        return;
    m_device.stop();
    m_engine.setState(EngineState::Idle);
    notifyHost(m_engine, KyNotePlayEnd);
    notifyHost(m_engine, KyNotePlayed, KyStatePlaybackOff);
    m_environment.setLockFlags(m_locksBefore, kLockFlagsMask);
}

void Playback::pause()
{
    if (m_engine.state() != EngineState::Playing || m_paused)
        return;
    m_device.pause();
    m_paused = true;
    notifyHost(m_engine, KyNotePaused);
    notifyHost(m_engine, KyNotePlayed, KyStatePlaybackPaused);
    m_locksAtPause = m_environment.lockFlags();
    m_environment.setLockFlags(m_locksBefore, kLockFlagsMask);
}

void Playback::resume()
{
    if (m_engine.state() != EngineState::Playing || !m_paused)
        return;
    m_device.resume();
    m_paused = false;
    m_environment.setLockFlags(m_locksAtPause, kLockFlagsMask);
    notifyHost(m_engine, KyNoteResumed);
    notifyHost(m_engine, KyNotePlayed, KyStatePlaybackResumed);
}

} // namespace orvane
