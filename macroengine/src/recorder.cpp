#include "recorder.h"
#include "message_ids.h"

#include "input_notify.h"
#include "report.h"

namespace orvane {

namespace {


bool isRecording(EngineState state)
{
    return state == EngineState::Recording || state == EngineState::RecordingPaused;
}

} // namespace

Recorder::Recorder(Engine &engine, RecordCapture &capture, InputEnvironment &environment)
    : m_engine(engine), m_capture(capture), m_environment(environment)
{
}

void Recorder::recordingOn()
{
    MacroRecord *scrap = m_engine.state() == EngineState::Idle ? m_engine.record(m_engine.scrap())
                                                               : nullptr;
    if (!scrap) {
        reportMessage(kMsgCannotRecord);
        return;
    }
    m_engine.setState(EngineState::Recording);
    scrap->flags = m_environment.lockFlags() & kLockFlagsMask;
    scrap->lastIndex = -1;
    scrap->mouseOrigin = m_engine.settings().recordingOrigin;
    m_settings = {scrap->mouseOrigin, {}, m_engine.settings().excludedMouseLow,
                  m_engine.settings().excludedMouseHigh};
    if (m_settings.mouseOrigin == MBPointer)
        m_settings.start = m_environment.pointer();
    notifyHost(m_engine, kNoteRecord);
    notifyHost(m_engine, kNoteRecorded, kStateRecordingOn);
    // A capture that cannot start records nothing until recording is stopped, unreported.
    m_capturing = m_capture.start(m_settings);
}

void Recorder::recordingOff()
{
    if (!isRecording(m_engine.state())) {
        reportMessage(kMsgAlreadyOff);
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
    const RecordFilter filter{s.excludedMouseLow, s.excludedMouseHigh, s.toggleRecordKey,
                              s.pauseKey};
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
    notifyHost(m_engine, kNoteRecordStop);
    notifyHost(m_engine, kNoteRecorded, kStateRecordingOff);
}

void Recorder::pause()
{
    if (m_engine.state() != EngineState::Recording) {
        reportMessage(kMsgAlreadyOff);
        return;
    }
    m_engine.setState(EngineState::RecordingPaused);
    notifyHost(m_engine, kNoteRecordStop);
    notifyHost(m_engine, kNoteRecorded, kStateRecordingPaused);
    collect(RecordingEnd::Untrimmed);
}

void Recorder::resume()
{
    if (m_engine.state() != EngineState::RecordingPaused) {
        reportMessage(kMsgAlreadyOff);
        return;
    }
    m_engine.setState(EngineState::Recording);
    notifyHost(m_engine, kNoteRecord);
    notifyHost(m_engine, kNoteRecorded, kStateRecordingResumed);
    m_capturing = m_capture.start(m_settings);
}

} // namespace orvane
