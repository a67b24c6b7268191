#pragma once

#include "core/engine_instance.h"
#include "core/report.h"
#include "input/input_runtime.h"

#include <mutex>
#include <utility>

namespace orvane {

// Runs an export's body on the engine under the lock. No exception crosses the C boundary:
// an unexpected one is reported as message 34 and the export returns its failure value.
template <typename R, typename Body>
R guardedCall(R failure, Body &&body) noexcept
{
    try {
        std::lock_guard lock(engineMutex());
        R result = std::forward<Body>(body)(theEngine());
        inputRefresh(theEngine());
        return result;
    } catch (...) {
        reportUnknownError();
        return failure;
    }
}

template <typename Body>
void guardedVoidCall(Body &&body) noexcept
{
    try {
        std::lock_guard lock(engineMutex());
        std::forward<Body>(body)(theEngine());
        inputRefresh(theEngine());
    } catch (...) {
        reportUnknownError();
    }
}

} // namespace orvane
