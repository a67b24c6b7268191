// C exports: the Caps, Num and Scroll Lock keys.
#include "exports/export_guard.h"
#include "x11/lock_keys.h"

using namespace orvane;

namespace {

KyBool guardedLockOn(LockKey key) noexcept
{
    try {
        return lockKeyOn(key) ? 1 : 0;
    } catch (...) {
        reportUnknownError();
        return 0;
    }
}

void guardedSetLock(LockKey key, KyBool on) noexcept
{
    try {
        setLockKey(key, on != 0);
    } catch (...) {
        reportUnknownError();
    }
}

} // namespace

extern "C" KyBool GetCapsLock(void) { return guardedLockOn(LockKey::Caps); }
extern "C" KyBool GetNumLock(void) { return guardedLockOn(LockKey::Num); }
extern "C" KyBool GetScrollLock(void) { return guardedLockOn(LockKey::Scroll); }
extern "C" void SetCapsLock(KyBool on) { guardedSetLock(LockKey::Caps, on); }
extern "C" void SetNumLock(KyBool on) { guardedSetLock(LockKey::Num, on); }
extern "C" void SetScrollLock(KyBool on) { guardedSetLock(LockKey::Scroll, on); }
