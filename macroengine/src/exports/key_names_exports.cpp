// C exports: key names and the modifier bits held now.
#include "exports/export_guard.h"
#include "keys/key_names.h"
#include "keys/key_names_shift.h"
#include "x11/x_injector_state.h"

using namespace orvane;

extern "C" char *GetKeyName(KyKey key, char *buffer, int32_t size)
{
    try {
        return copyKeyName(keyNameText(key), buffer, size);
    } catch (...) {
        reportUnknownError();
        return buffer;
    }
}

extern "C" void GetShiftStates(KyKey *key)
{
    if (!key)
        return;
    try {
        *key = withShiftStates(*key, heldModifiers());
    } catch (...) {
        reportUnknownError();
    }
}
