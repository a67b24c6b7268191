#pragma once

namespace orvane {

// Whether typing waits for the X server to handle each key event before sending the next.
enum class InjectWait { No, AfterEachEvent };

} // namespace orvane
