#include "app/clock/clock_tick.h"

#include "app/common/date_format.h"

namespace orvane {

TClockTick::TClockTick(const Clock &clock, const FormatSettings &formats, TickDisplay &display,
                       TickServices &services)
    : m_clock(clock), m_formats(&formats), m_display(display), m_services(services)
{}

std::string TClockTick::ClockText()
{
    const TDateTime now = ToDateTime(m_clock.now());
    int h, n, s, ms;
    DecodeTime(now, h, n, s, ms);
    const int hour24 = h;
    if (Is12HourFormat(*m_formats)) {
        if (h > 12)
            h -= 12;
        else if (h == 0)
            h = 12;
    }
    m_fields.hour = static_cast<uint16_t>(h);
    m_fields.minute = static_cast<uint16_t>(n);
    m_fields.second = static_cast<uint16_t>(s);
    const std::string text = FormatDateTime("t", now, *m_formats);

    // The display minute is the date and the shown time read back; a locale whose formats do not
    // read back falls back to the same minute computed directly.
    int y, mo, d;
    DecodeDate(now, y, mo, d);
    const std::string dateText = FormatDateTime("ddddd", now, *m_formats);
    const auto readBack = TryStrToDateTime(dateText + " " + text, *m_formats, y);
    const TDateTime exact = FromMinuteNumber(MinuteNumber(DateOf(now) + EncodeTime(hour24, n)));
    m_fields.displayMinute = readBack && MinuteNumber(*readBack) == MinuteNumber(exact) ? *readBack : exact;
    return text;
}

void TClockTick::Timer1Timer(TickFlags &flags, const TSettingsRecord &settings)
{
    if (!m_display.isHiddenInTray() && flags.startHidden)
        m_display.hideToTray();
    flags.startHidden = false;

    const std::string text = ClockText();
    const std::string suffix = " - " + text;
    if (settings.titleClock)
        m_services.decorateTitle(suffix);

    const bool newMinute = m_fields.minute != m_fields.lastMinute;
    if (newMinute) {
        m_display.setFaceCaption(text);
        const TDateTime now = ToDateTime(m_clock.now());
        m_display.setTrayToolTip("Orvane 32 - " + FormatDateTime("dddddd", now, *m_formats) + ",  " +
                                 FormatDateTime("t", now, *m_formats));
        if (settings.titleClock)
            m_services.redecorateTitle(suffix);
    }
    if (!newMinute && !flags.announceRequest)
        return;

    m_fields.lastMinute = m_fields.minute;
    m_display.fitFaceText();
    m_services.announce(m_fields.hour, m_fields.minute, flags.announceRequest);
    if (flags.announceRequest) {
        flags.announceRequest = false;
        // A request between two minutes does no alarm work; one that falls on a new minute must
        // not cost that minute its alarms.
        if (!newMinute)
            return;
    }
    if (flags.alarmsInitPending) {
        m_services.initAlarms();
        flags.alarmsInitPending = false;
    }
    m_services.runAlarmPass(m_fields.displayMinute);
}

} // namespace orvane
