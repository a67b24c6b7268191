#pragma once
// What the main window drives beyond its own widgets: the alarms, the voice, the title bar of
// other programs' windows and the announce hot key. The program wires the real subsystems in;
// widget tests wire fakes.
#include "app/clock/settings_record.h"
#include "app/common/date_time.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace orvane {

class MainServices {
public:
    virtual ~MainServices() = default;

    // The alarm table and its file in ProgramDir.
    virtual void loadAlarmTable() = 0;
    virtual std::optional<std::string> saveAlarmTable() = 0;
    // Arms every stored alarm once, after start-up.
    virtual void initAlarms(bool autoStart) = 0;
    virtual void runAlarmPass(TDateTime displayMinute, TProgramSettings &settings) = 0;

    // Speaks by the announcer's rules; returns when the speaking has ended.
    virtual void announce(int hour, int minute, bool requested, const TProgramSettings &settings) = 0;

    // The clock suffix in the front window's title.
    virtual void decorateTitle(const std::string &suffix, WindowScope scope) = 0;
    virtual void redecorateTitle(const std::string &suffix) = 0;
    virtual void restoreTitle() = 0;

    // Binds the announce hot key; false (after telling the user once) when it cannot be bound.
    virtual bool bindHotKey(uint16_t key, std::function<void()> onPress) = 0;
    virtual void unbindHotKey() = 0;
};

} // namespace orvane
