#include "core/engine_instance.h"

namespace orvane {

Engine &theEngine()
{
    static Engine engine(EnginePlatform::system());
    return engine;
}

std::recursive_mutex &engineMutex()
{
    static std::recursive_mutex mutex;
    return mutex;
}

} // namespace orvane
