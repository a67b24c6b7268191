#include "recording/recorder.h"

#include "core/report.h"
#include "input/input_notify.h"

namespace orvane {

namespace {

bool isRecording(EngineState state)
{
    return state == EngineState::Recording || state == EngineState::RecordingPaused;
}

} // namespace

Recorder::Recorder(Engine &engine, RecordCapture &capture, InputEnvironment &environment)
    : m_engine(engine), m_capture(capture), m_environment(environment)
{}

void Recorder::recordingOn()
{
    MacroRecord *scrap = m_engine.state() == EngineState::Idle ? m_engine.record(m_engine.scrap()) : nullptr;
    if (!scrap) {
        reportMessage(KyMsgCannotRecord);
        return;
    }
    m_engine.setState(EngineState::Recording);
    scrap->flags = m_environment.lockFlags() & kLockFlagsMask;
    scrap->lastIndex = -1;
    scrap->mouseOrigin = m_engine.settings().recordingOrigin;
    m_settings = {
        scrap->mouseOrigin, {}, m_engine.settings().excludedMouseLow, m_engine.settings().excludedMouseHigh};
    if (m_settings.mouseOrigin == MBPointer)
        m_settings.start = m_environment.pointer();
    notifyHost(m_engine, KyNoteRecord);
    notifyHost(m_engine, KyNoteRecorded, KyStateRecordingOn);
    // A capture that cannot start records nothing until recording is stopped, unreported.
    m_capturing = m_capture.start(m_settings);
}

void Recorder::recordingOff()
{
    if (!isRecording(m_engine.state())) {
        reportMessage(KyMsgAlreadyOff);
        return;
    }
    stop(RecordingEnd::Untrimmed);
}

void Recorder::toggleRecording()
{
    if (m_engine.state() == EngineState::Idle)
        recordingOn();
    else
        recordingOff();
}

// Every event the capture saw goes through the journal rules into the scrap macro.
void Recorder::collect(RecordingEnd end)
{
    if (!m_capturing)
        return;
    m_capturing = false;
    MacroRecord *scrap = m_engine.record(m_engine.scrap());
    const EngineSettings &s = m_engine.settings();
    const RecordFilter filter{s.excludedMouseLow, s.excludedMouseHigh, s.toggleRecordKey, s.pauseKey};
    std::vector<CapturedEvent> events = m_capture.stop();
    if (end == RecordingEnd::Trimmed)
        events.resize(eventsBeforeToggleKey(events, s.toggleRecordKey));
    for (const CapturedEvent &event : events) {
        if (scrap)
            appendRecordedEvent(*scrap, event, filter);
    }
}

void Recorder::stop(RecordingEnd end)
{
    if (!isRecording(m_engine.state()))
        return;
    collect(end);
    if (MacroRecord *scrap = m_engine.record(m_engine.scrap())) {
        if (end == RecordingEnd::Discarded)
            scrap->lastIndex = -1;
        else if (end == RecordingEnd::Trimmed)
            trimRecording(*scrap);
    }
    m_engine.setState(EngineState::Idle);
    notifyHost(m_engine, KyNoteRecordStop);
    notifyHost(m_engine, KyNoteRecorded, KyStateRecordingOff);
}

void Recorder::pause()
{
    if (m_engine.state() != EngineState::Recording) {
        reportMessage(KyMsgAlreadyOff);
        return;
    }
    m_engine.setState(EngineState::RecordingPaused);
    notifyHost(m_engine, KyNoteRecordStop);
    notifyHost(m_engine, KyNoteRecorded, KyStateRecordingPaused);
    collect(RecordingEnd::Untrimmed);
}

void Recorder::resume()
{
    if (m_engine.state() != EngineState::RecordingPaused) {
        reportMessage(KyMsgAlreadyOff);
        return;
    }
    m_engine.setState(EngineState::Recording);
    notifyHost(m_engine, KyNoteRecord);
    notifyHost(m_engine, KyNoteRecorded, KyStateRecordingResumed);
    m_capturing = m_capture.start(m_settings);
}

} // namespace orvane
