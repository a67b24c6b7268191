#pragma once
// The one-second tick that drives the program: the clock fields, the title-bar clock, and on each
// new minute (or an announce request) the face, the tray tip, the voice and the alarm pass.
#include "app/clock/settings_record.h"
#include "app/common/clock.h"
#include "app/common/date_time.h"
#include "app/common/format_settings.h"

#include <cstdint>
#include <string>

namespace orvane {

// What the tick shows: the face and the tray. The main window implements it.
class TickDisplay {
public:
    virtual ~TickDisplay() = default;
    virtual bool isHiddenInTray() const = 0;
    virtual void hideToTray() = 0;
    virtual void setFaceCaption(const std::string &text) = 0;
    virtual void setTrayToolTip(const std::string &text) = 0;
    virtual void fitFaceText() = 0;
};

// What the tick drives beyond the window: the title-bar clock, the voice and the alarms. The
// program's services implement it; they read the settings they need themselves.
class TickServices {
public:
    virtual ~TickServices() = default;
    virtual void decorateTitle(const std::string &suffix) = 0;
    virtual void redecorateTitle(const std::string &suffix) = 0;
    // Speaks (or not) by the announcer's rules; returns when the speaking has ended.
    virtual void announce(int hour, int minute, bool requested) = 0;
    virtual void initAlarms() = 0;
    virtual void runAlarmPass(TDateTime displayMinute) = 0;
};

struct ClockFields {
    uint16_t hour = 0; // as spoken: 1..12 with a 12-hour system format
    uint16_t minute = 0;
    uint16_t lastMinute = 100; // no minute yet, so the first tick is a minute tick
    uint16_t second = 0;
    TDateTime displayMinute = 0;
};

// Program-wide flags the tick reads and clears.
struct TickFlags {
    bool announceRequest = false;
    bool alarmsInitPending = false;
    bool startHidden = false;
};

class TClockTick {
public:
    TClockTick(const Clock &clock, const FormatSettings &formats, TickDisplay &display,
               TickServices &services);

    // The display text (the short time) and the clock fields of this moment.
    std::string ClockText();
    void Timer1Timer(TickFlags &flags, const TSettingsRecord &settings);

    const ClockFields &fields() const { return m_fields; }
    void setFormats(const FormatSettings &formats) { m_formats = &formats; }

private:
    const Clock &m_clock;
    const FormatSettings *m_formats;
    TickDisplay &m_display;
    TickServices &m_services;
    ClockFields m_fields;
};

} // namespace orvane
