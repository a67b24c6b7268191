// C exports: typing key strings and text, and bringing a window forward.
#include "exports/export_guard.h"
#include "x11/app_activate.h"
#include "x11/x_injector_session.h"

using namespace orvane;

extern "C" void SendKeys(const char *keys, KyBool wait)
{
    if (!keys)
        return;
    try {
        sendKeyString(keys, wait ? InjectWait::AfterEachEvent : InjectWait::No);
    } catch (...) {
        reportUnknownError();
    }
}

extern "C" void SendText(const char *text)
{
    if (!text)
        return;
    try {
        sendTextString(text);
    } catch (...) {
        reportUnknownError();
    }
}

extern "C" KyBool AppActivate(const char *title)
{
    if (!title)
        return 0;
    try {
        return activateWindowByTitle(title) ? 1 : 0;
    } catch (...) {
        reportUnknownError();
        return 0;
    }
}
