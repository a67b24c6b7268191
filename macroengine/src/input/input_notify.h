#pragma once

#include "core/engine.h"

namespace orvane {

// Posts a notification to the host's notify window; a host that gave none gets nothing.
inline void notifyHost(Engine &engine, uint32_t message, uint32_t wParam = 0)
{
    const KyWindow window = engine.settings().notifyWindow;
    if (window != 0)
        engine.notifications().post({message, window, wParam, 0});
}

} // namespace orvane
