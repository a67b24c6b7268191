// C exports: recording, playback and the state of the hot keys.
#include "exports/export_guard.h"
#include "input/input_runtime.h"

using namespace orvane;

namespace {} // namespace

extern "C" void RecordingOn(void)
{
    guardedVoidCall([](Engine &) {
        if (Recorder *recorder = InputRuntime::instance().recorder())
            recorder->recordingOn();
        else
            reportMessage(KyMsgCannotRecord);
    });
}

extern "C" void RecordingOff(void)
{
    guardedVoidCall([](Engine &) {
        if (Recorder *recorder = InputRuntime::instance().recorder())
            recorder->recordingOff();
        else
            reportMessage(KyMsgAlreadyOff);
    });
}

extern "C" void ToggleRecording(void)
{
    guardedVoidCall([](Engine &e) {
        Recorder *recorder = InputRuntime::instance().recorder();
        if (!recorder)
            reportMessage(e.state() == EngineState::Idle ? KyMsgCannotRecord : KyMsgAlreadyOff);
        else if (e.state() == EngineState::Playing)
            reportMessage(KyMsgAlreadyOff);
        else
            recorder->toggleRecording();
    });
}

extern "C" void PlaybackMacro(KyMacro macro)
{
    guardedVoidCall([&](Engine &) {
        if (Playback *playback = InputRuntime::instance().playback())
            playback->playbackMacro(macro);
    });
}

extern "C" void PlaybackScrap(void)
{
    guardedVoidCall([](Engine &e) {
        if (Playback *playback = InputRuntime::instance().playback())
            playback->playbackMacro(e.scrap());
    });
}

extern "C" KyBool IsHotKeyWatched(KyKey key)
{
    return guardedCall<KyBool>(
        0, [&](Engine &) { return InputRuntime::instance().watching(key) ? KyBool{1} : KyBool{0}; });
}
