// C exports: the engine's own keys, the possible macro keys and the modifier bits of a key.
#include "exports/export_guard.h"
#include "keys/possible_keys.h"

using namespace orvane;

namespace {

constexpr uint8_t kCtrl = 1, kAlt = 2, kShift = 4;

KyBool hasModifier(KyKey key, uint8_t bit) { return (key >> 8 & bit) ? 1 : 0; }

void setModifier(KyKey *key, uint8_t bit, KyBool on)
{
    if (!key)
        return;
    const KyKey mask = static_cast<KyKey>(bit << 8);
    *key = static_cast<KyKey>(on ? (*key | mask) : (*key & ~mask));
}

// The cancel and pause keys are matched without modifiers, so one with modifiers could never
// be pressed.
bool refuseModifiers(KyKey key)
{
    if ((key & 0xFF00) == 0)
        return false;
    reportMessage(KyMsgModifiersNotAllowed);
    return true;
}

} // namespace

extern "C" KyKey GetToggleRecordKey(void)
{
    return guardedCall<KyKey>(0, [](Engine &e) { return e.settings().toggleRecordKey; });
}

extern "C" void SetToggleRecordKey(KyKey key)
{
    guardedVoidCall([&](Engine &e) { e.settings().toggleRecordKey = key; });
}

extern "C" KyKey GetCancelKey(void)
{
    return guardedCall<KyKey>(0, [](Engine &e) { return e.settings().cancelKey; });
}

extern "C" KyBool SetCancelKey(KyKey key)
{
    return guardedCall<KyBool>(0, [&](Engine &e) {
        if (refuseModifiers(key))
            return KyBool{0};
        e.settings().cancelKey = key;
        return KyBool{1};
    });
}

extern "C" KyKey GetPauseKey(void)
{
    return guardedCall<KyKey>(0, [](Engine &e) { return e.settings().pauseKey; });
}

extern "C" KyBool SetPauseKey(KyKey key)
{
    return guardedCall<KyBool>(0, [&](Engine &e) {
        if (refuseModifiers(key))
            return KyBool{0};
        e.settings().pauseKey = key;
        return KyBool{1};
    });
}

extern "C" uint16_t GetMaxPossibleMKeys(void)
{
    try {
        return static_cast<uint16_t>(possibleMacroKeys().size());
    } catch (...) {
        reportUnknownError();
        return 0;
    }
}

extern "C" KyKey GetPossibleMKey(uint16_t index)
{
    try {
        const auto &keys = possibleMacroKeys();
        return index < keys.size() ? keys[index] : 0;
    } catch (...) {
        reportUnknownError();
        return 0;
    }
}

extern "C" int32_t GetPossibleMKeyIndex(KyKey key)
{
    try {
        return possibleMacroKeyIndex(key);
    } catch (...) {
        reportUnknownError();
        return -1;
    }
}

extern "C" KyBool GetKeyCtrl(KyKey key) { return hasModifier(key, kCtrl); }
extern "C" KyBool GetKeyAlt(KyKey key) { return hasModifier(key, kAlt); }
extern "C" KyBool GetKeyShift(KyKey key) { return hasModifier(key, kShift); }
extern "C" void SetKeyCtrl(KyKey *key, KyBool on) { setModifier(key, kCtrl, on); }
extern "C" void SetKeyAlt(KyKey *key, KyBool on) { setModifier(key, kAlt, on); }
extern "C" void SetKeyShift(KyKey *key, KyBool on) { setModifier(key, kShift, on); }
