#pragma once

#include "core/engine.h"

#include <mutex>

namespace orvane {

// The process's one engine, shared by every export and by the input runtime.
Engine &theEngine();

// Serialises the work on the engine: the host's thread and the input-capture thread meet here.
std::recursive_mutex &engineMutex();

} // namespace orvane
