#pragma once

#include "core/engine_instance.h"
#include "core/report.h"
#include "input/input_runtime.h"

#include <mutex>
#include <utility>

namespace orvane {

// Once the display is gone, reports it, stops input and takes the engine down, so that every
// later call returns its failure value and the host decides what to do. Call with the engine
// lock held.
void abandonAfterDisplayLoss(Engine &engine);

// Runs an export's body on the engine under the lock. No exception crosses the C boundary:
// an unexpected one is reported as message 34 and the export returns its failure value.
template <typename R, typename Body>
R guardedCall(R failure, Body &&body) noexcept
{
    try {
        std::lock_guard lock(engineMutex());
        abandonAfterDisplayLoss(theEngine());
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
        abandonAfterDisplayLoss(theEngine());
        std::forward<Body>(body)(theEngine());
        inputRefresh(theEngine());
    } catch (...) {
        reportUnknownError();
    }
}

} // namespace orvane
