#pragma once

#include "engine.h"
#include "message_ids.h"
#include "report.h"

#include <mutex>
#include <utility>

namespace orvane {

// The process's one engine, shared by every export.
Engine &theEngine();

// Serialises the exports: the host's thread and, later, the input-capture thread meet here.
std::recursive_mutex &engineMutex();


// Tells the input thread what an export changed (input_runtime.cpp).
void inputRefresh(Engine &engine) noexcept;

inline void reportUnknownError() noexcept
{
    try {
        reportMessage(kMsgUnknownError);
    } catch (...) {
        // Nothing is left to report with; the failure value still reaches the caller.
    }
}

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
