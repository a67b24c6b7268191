// C exports: installing and removing the engine, its state and its notifications.
#include "core/display_loss.h"
#include "exports/export_guard.h"
#include "input/input_runtime.h"

using namespace orvane;

void orvane::abandonAfterDisplayLoss(Engine &engine)
{
    if (!displayLost())
        return;
    clearDisplayLost();
    if (!engine.installed())
        return;
    reportMessageWithReason(KyMsgKeyboardHook, "the connection to the X display was lost");
    inputStop();
    engine.abandon();
}

extern "C" KyBool InstallHook(KyWindow notifyWindow, KyBool fastPlayback, KyBool systemWide,
                              uint8_t mouseRecording, uint8_t mouseOrigin, KyBool cancelChecking)
{
    return guardedCall<KyBool>(0, [&](Engine &e) {
        if (!e.installHook(notifyWindow, fastPlayback != 0, systemWide != 0, mouseRecording, mouseOrigin,
                           cancelChecking != 0))
            return KyBool{0};
        // Without input capture the engine is of no use; it is taken down again.
        if (!inputStart(e)) {
            e.uninstallHook();
            return KyBool{0};
        }
        return KyBool{1};
    });
}

extern "C" void UninstallHook(void)
{
    guardedVoidCall([](Engine &e) {
        if (e.state() == EngineState::Idle)
            inputStop();
        e.uninstallHook();
    });
}

extern "C" uint8_t GetMacroState(void)
{
    return guardedCall<uint8_t>(0, [](Engine &e) { return static_cast<uint8_t>(e.state()); });
}

extern "C" int GetNotifyDescriptor(void)
{
    return guardedCall<int>(-1,
                            [](Engine &e) { return e.installed() ? e.notifications().descriptor() : -1; });
}

extern "C" KyBool TakeNotification(KyNotification *out)
{
    if (!out)
        return 0;
    // Not under the engine lock: the queue has its own, and the host must be able to drain
    // notifications while another thread is inside the engine.
    try {
        {
            std::lock_guard lock(engineMutex());
            abandonAfterDisplayLoss(theEngine());
        }
        // Requests to the message window are handled first, on this (the installing) thread.
        inputProcessRequests();
        if (theEngine().notifications().take(*out))
            return 1;
        // A request that came in while the queue was being emptied is handled now, so that
        // no wake-up is lost.
        while (inputRequestsWaiting()) {
            inputProcessRequests();
            if (theEngine().notifications().take(*out))
                return 1;
        }
        return 0;
    } catch (...) {
        reportUnknownError();
        return 0;
    }
}
