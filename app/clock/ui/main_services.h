#pragma once
// What the main window drives beyond its own widgets: the tick's services (title-bar clock, voice,
// alarms), the save routine and the end of the run. The program wires the real subsystems in;
// widget tests wire fakes.
#include "app/clock/clock_tick.h"

namespace orvane {

class MainServices : public TickServices {
public:
    // The save routine: every setting, then the alarm file. Failures are reported to the user.
    virtual void saveAll() = 0;
    // The main window's end: other windows get their own titles back and the hot key is freed.
    virtual void shutdown() = 0;
};

} // namespace orvane
