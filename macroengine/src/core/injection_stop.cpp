#include "core/injection_stop.h"

#include "kyloom32.h"

#include <atomic>

namespace orvane {

namespace {

// Lock-free, so that storing it from a signal handler is safe.
std::atomic<bool> g_stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

} // namespace

void requestInjectionStop() noexcept { g_stopRequested.store(true, std::memory_order_relaxed); }

bool injectionStopRequested() noexcept { return g_stopRequested.load(std::memory_order_relaxed); }

void clearInjectionStop() noexcept { g_stopRequested.store(false, std::memory_order_relaxed); }

} // namespace orvane

extern "C" void StopInjection(void) { orvane::requestInjectionStop(); }
