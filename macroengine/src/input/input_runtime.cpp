#include "input/input_runtime.h"

#include "core/display_loss.h"
#include "core/engine_instance.h"
#include "core/report.h"

#include <unistd.h>

namespace orvane {

namespace {

bool isRecording(EngineState state)
{
    return state == EngineState::Recording || state == EngineState::RecordingPaused;
}

} // namespace

InputRuntime::InputRuntime(InputPlatform platform) : m_platform(std::move(platform)) {}

InputRuntime::~InputRuntime() { stop(); }

InputRuntime &InputRuntime::instance()
{
    static InputRuntime runtime(InputPlatform::x11());
    return runtime;
}

bool InputRuntime::start(Engine &engine)
{
    if (running())
        return true;
    m_wakeFd = engine.notifications().descriptor();
    clearDisplayLost();
    setDisplayLossWake(m_wakeFd);
    m_service = m_platform.createService
                    ? m_platform.createService(engine, [this](const EngineRequest &r) { post(r); })
                    : nullptr;
    if (!m_service) {
        reportMessage(KyMsgKeyboardHook);
        return false;
    }
    m_environment = m_platform.createEnvironment();
    m_capture = m_platform.createCapture();
    m_player = m_platform.createPlayer();
    m_recorder = std::make_unique<Recorder>(engine, *m_capture, *m_environment);
    m_playback = std::make_unique<Playback>(engine, *m_player, *m_environment, [this] {
        post({kReqStopPlayback, 0, 0});
    });
    m_reportedKeys = false;
    m_reportedButtons = false;
    m_last = {};
    m_last.ownWindow = ~0u; // differs from every real snapshot, so the first one is sent
    m_lastSignature.clear();
    refresh(engine);
    return true;
}

void InputRuntime::stop()
{
    if (m_recorder)
        m_recorder->stop(RecordingEnd::Untrimmed);
    if (m_playback)
        m_playback->stop();
    m_service.reset();
    m_playback.reset();
    m_recorder.reset();
    m_player.reset();
    m_capture.reset();
    m_environment.reset();
    setDisplayLossWake(-1);
    std::lock_guard lock(m_queueMutex);
    m_queue.clear();
    m_wakeFd = -1;
}

InputSnapshot InputRuntime::snapshotOf(Engine &engine) const
{
    InputSnapshot s;
    s.state = engine.state();
    s.toggleRecordKey = engine.settings().toggleRecordKey;
    s.pauseKey = engine.settings().pauseKey;
    s.cancelKey = engine.settings().cancelKey;
    s.cancelChecking = engine.settings().cancelChecking;
    s.ownWindow = engine.windowId();
    // The registry says which keys are this process's; the table says what they play.
    if (HotKeyRegistry *registry = engine.registry()) {
        const uint32_t owner = engine.ownerId();
        for (size_t i = 0; i < HotKeyRegistry::kEntries; ++i) {
            const HotKeyEntry entry = registry->entry(i);
            if (entry.key == 0 || entry.owner != owner || s.ownMacros.count(entry.key))
                continue;
            if (const KyMacro macro = engine.macroByKey(entry.key))
                s.ownMacros.emplace(entry.key, macro);
        }
    }
    return s;
}

// What the snapshot depends on, cheap to take after every export: reading the registry takes
// its lock once per entry, so it is read only when the table or the keys changed.
std::vector<uint32_t> InputRuntime::signatureOf(Engine &engine) const
{
    const EngineSettings &s = engine.settings();
    std::vector<uint32_t> signature{static_cast<uint32_t>(engine.state()),
                                    s.toggleRecordKey,
                                    s.pauseKey,
                                    s.cancelKey,
                                    s.cancelChecking,
                                    engine.windowId(),
                                    engine.scrap()};
    if (const MacroRecord *scrap = engine.record(engine.scrap()))
        signature.push_back(scrap->key);
    for (KyMacro macro : engine.slots()) {
        signature.push_back(macro);
        if (const MacroRecord *record = macro ? engine.record(macro) : nullptr)
            signature.push_back(record->key);
    }
    return signature;
}

void InputRuntime::refresh(Engine &engine)
{
    if (!running() || !engine.installed())
        return;
    std::vector<uint32_t> signature = signatureOf(engine);
    if (signature == m_lastSignature)
        return;
    m_lastSignature = std::move(signature);
    InputSnapshot snapshot = snapshotOf(engine);
    if (snapshot == m_last)
        return;
    m_last = snapshot;
    reportRefused(m_service->update(snapshot));
}

// A key another client holds cannot be watched; that is said once, and every other key
// keeps working.
void InputRuntime::reportRefused(const InputService::GrabReport &report)
{
    if (!report.refusedKeys.empty() && !m_reportedKeys) {
        m_reportedKeys = true;
        reportMessage(KyMsgKeyboardHook);
    }
    if (!report.refusedButtons.empty() && !m_reportedButtons) {
        m_reportedButtons = true;
        reportMessage(KyMsgMouseHook);
    }
}

void InputRuntime::post(const EngineRequest &request)
{
    std::lock_guard lock(m_queueMutex);
    // A held hot key repeats; while the installing thread is busy (a code hook speaking, say)
    // its repeats would pile up and play on long after the key was let go. One waiting
    // request per macro is enough.
    if (request.message == kReqPlayMacro) {
        for (const EngineRequest &waiting : m_queue)
            if (waiting.message == kReqPlayMacro && waiting.lParam == request.lParam)
                return;
    }
    m_queue.push_back(request);
    const uint64_t one = 1;
    if (m_wakeFd >= 0 && write(m_wakeFd, &one, sizeof one) < 0) {
        // The descriptor stays readable while its counter is full.
    }
}

bool InputRuntime::requestsWaiting()
{
    std::lock_guard lock(m_queueMutex);
    return running() && !m_queue.empty();
}

void InputRuntime::processRequests(Engine &engine)
{
    // A code hook that runs a nested event loop comes back here; the outer call goes on with
    // whatever is queued meanwhile.
    if (m_processing || !running())
        return;
    m_processing = true;
    for (;;) {
        EngineRequest request;
        {
            std::lock_guard lock(m_queueMutex);
            if (m_queue.empty())
                break;
            request = m_queue.front();
            m_queue.pop_front();
        }
        handle(engine, request);
        if (!running())
            break;
    }
    m_processing = false;
    refresh(engine);
}

void InputRuntime::playRequested(Engine &engine, KyMacro macro)
{
    // Requests arrive from other clients; a handle this process never gave out is ignored
    // rather than looked up.
    bool known = macro != 0 && macro == engine.scrap();
    for (KyMacro slot : engine.slots())
        known |= macro != 0 && slot == macro;
    if (!known || engine.state() != EngineState::Idle)
        return;
    engine.settings().recordingOrigin = engine.record(macro)->mouseOrigin;
    m_playback->playbackMacro(macro);
}

// The message window's requests. Stop requests for a recording or playback that has already
// ended are dropped quietly: the cancel key sends one on its press and one on its release.
void InputRuntime::handle(Engine &engine, const EngineRequest &r)
{
    const EngineState state = engine.state();
    switch (r.message) {
    case kReqStartRecording:
        if (state == EngineState::Idle)
            m_recorder->recordingOn();
        break;
    case kReqStopRecording:
        if (isRecording(state))
            m_recorder->stop(r.wParam ? RecordingEnd::Discarded : RecordingEnd::Trimmed);
        break;
    case kReqPauseRecording:
        if (state == EngineState::Recording)
            m_recorder->pause();
        break;
    case kReqResumeRecording:
        if (state == EngineState::RecordingPaused)
            m_recorder->resume();
        break;
    case kReqPlayMacro: playRequested(engine, r.lParam); break;
    case kReqStopPlayback: m_playback->stop(); break;
    case kReqPausePlayback: m_playback->pause(); break;
    case kReqResumePlayback: m_playback->resume(); break;
    case kReqToggleFromOther:
        if (r.lParam && state == EngineState::Recording)
            post({kReqStopRecording, 0, 0});
        else if (r.lParam && state == EngineState::Idle)
            post({kReqStartRecording, 0, 0});
        break;
    case kReqPauseFromOther:
        if (r.lParam && state == EngineState::Recording)
            post({kReqPauseRecording, 0, 0});
        else if (r.lParam && state == EngineState::RecordingPaused)
            post({kReqResumeRecording, 0, 0});
        break;
    case kReqCancelFromOther:
        if (r.lParam && isRecording(state))
            post({kReqStopRecording, 1, r.lParam});
        else if (r.lParam && state == EngineState::Playing)
            post({kReqStopPlayback, 0, r.lParam});
        break;
    default: break;
    }
}

bool inputStart(Engine &engine) { return InputRuntime::instance().start(engine); }

void inputStop() { InputRuntime::instance().stop(); }

void inputRefresh(Engine &engine) noexcept
{
    try {
        InputRuntime::instance().refresh(engine);
    } catch (...) {
        reportUnknownError();
    }
}

bool inputRequestsWaiting() noexcept
{
    try {
        return InputRuntime::instance().requestsWaiting();
    } catch (...) {
        return false;
    }
}

void inputProcessRequests() noexcept
{
    try {
        std::lock_guard lock(engineMutex());
        Engine &engine = theEngine();
        InputRuntime::instance().processRequests(engine);
    } catch (...) {
        reportUnknownError();
    }
}

} // namespace orvane
