// C exports: installing and removing the engine, its state and its notifications.
#include "export_guard.h"

using namespace orvane;

extern "C" KyBool InstallHook(KyWindow notifyWindow, KyBool fastPlayback, KyBool systemWide,
                              uint8_t mouseRecording, uint8_t mouseOrigin, KyBool cancelChecking)
{
    return guardedCall<KyBool>(0, [&](Engine &e) {
        return e.installHook(notifyWindow, fastPlayback != 0, systemWide != 0, mouseRecording,
                             mouseOrigin, cancelChecking != 0)
                   ? KyBool{1}
                   : KyBool{0};
    });
}

extern "C" void UninstallHook(void)
{
    guardedVoidCall([](Engine &e) { e.uninstallHook(); });
}

extern "C" uint8_t GetMacroState(void)
{
    return guardedCall<uint8_t>(0, [](Engine &e) { return static_cast<uint8_t>(e.state()); });
}

extern "C" int GetNotifyDescriptor(void)
{
    return guardedCall<int>(-1, [](Engine &e) {
        return e.installed() ? e.notifications().descriptor() : -1;
    });
}

extern "C" KyBool TakeNotification(KyNotification *out)
{
    if (!out)
        return 0;
    // Not under the engine lock: the queue has its own, and the host must be able to drain
    // notifications while another thread is inside the engine.
    try {
        return theEngine().notifications().take(*out) ? 1 : 0;
    } catch (...) {
        reportUnknownError();
        return 0;
    }
}
