#include "app/program/program_services.h"

#include "app/alarms/ui/alarm_services.h"
#include "app/clock/save_routine.h"
#include "app/clock/title_decorator.h"
#include "app/clock/voice_announcer.h"
#include "app/common/ini_file.h"
#include "app/macro/ui/announce_hot_key.h"
#include "app/platform/sound/sdl_sound_player.h"
#include "app/platform/window_layer.h"

#include <QSocketNotifier>

#include <cstdio>

namespace orvane {
namespace {

// The part of the settings a command alarm may change, and back.
CommandVoiceSettings ToCommandVoice(const TProgramSettings &s)
{
    return {s.record.playVoice, s.record.announceInterval, s.effectiveInterval, s.record.playWave,
            s.record.beforeAfter};
}

void FromCommandVoice(const CommandVoiceSettings &v, TProgramSettings &s)
{
    s.record.playVoice = v.playVoice;
    s.record.announceInterval = v.intervalSetting;
    s.effectiveInterval = v.effectiveInterval;
    s.record.playWave = v.playWave;
    s.record.beforeAfter = v.beforeAfter;
}

} // namespace

TProgramServices::TProgramServices(const Clock &clock, ProgramState &state, Reporter &reporter)
    : m_clock(clock), m_state(state), m_reporter(reporter)
{
    m_windows = openX11WindowLayer();
    if (m_windows) {
        m_decorator = std::make_unique<TitleDecorator>(*m_windows);
        if (const int fd = m_windows->eventDescriptor(); fd >= 0) {
            m_windowEvents = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
            QObject::connect(m_windowEvents.get(), &QSocketNotifier::activated,
                             [this] { m_windows->processEvents(); });
        }
    } else
        std::fprintf(stderr, "orvane: no X display: the title-bar clock is off\n");
    m_sound = SdlSoundPlayer::fromEnvironment(clock);
    m_voice = std::make_unique<VoiceAnnouncer>(*m_sound);
    // Message windows snooze by the program-wide minutes that the save routine writes back.
    m_alarms =
        std::make_unique<TAlarmServices>(clock, *m_sound, m_windows.get(), state.settings.snoozeTime, m_cd);
    m_alarms->setLauncherPath([this] { return m_state.SettingsIni->ReadString("Quaydeck", "Path", ""); });
    m_alarms->setReportError([this](const std::string &text) { m_reporter.report(text); });
}

TProgramServices::~TProgramServices() = default;

SoundPlayer &TProgramServices::sound() { return *m_sound; }

TAlarmServices &TProgramServices::alarms() { return *m_alarms; }

WindowLayer *TProgramServices::windows() { return m_windows.get(); }

AnnounceHotKey &TProgramServices::hotKey()
{
    if (!m_hotKey)
        m_hotKey = std::make_unique<AnnounceHotKey>();
    return *m_hotKey;
}

void TProgramServices::loadAlarmTable()
{
    const AlarmFileLoad result = m_alarms->load();
    if (result.faults.empty())
        return;
    const TAlarmFile &file = m_alarms->file();
    std::string text = "The alarm file " + file.path() + " was damaged:";
    for (const std::string &f : result.faults)
        text += "\n" + f;
    text += "\nThe original is kept as " + file.backupPath() + " when the alarms are next saved.";
    m_reporter.report(text);
}

bool TProgramServices::bindHotKey(uint16_t key, std::function<void()> onPress)
{
    if (hotKey().bind(key, std::move(onPress)))
        return true;
    // The clock, the voice and the alarms never depend on the hot key: say so once and run on.
    if (const std::string message = m_hotKey->takeMessage(); !message.empty())
        m_reporter.report("The announce hot key cannot be used: " + message);
    return false;
}

void TProgramServices::unbindHotKey()
{
    if (m_hotKey)
        m_hotKey->unbind();
}

void TProgramServices::decorateTitle(const std::string &suffix)
{
    if (m_decorator)
        m_decorator->decorate(suffix, m_state.settings.record.windowScope);
}

void TProgramServices::redecorateTitle(const std::string &suffix)
{
    if (m_decorator)
        m_decorator->redecorate(suffix);
}

void TProgramServices::announce(int hour, int minute, bool requested)
{
    m_voice->Announce(hour, minute, requested, VoiceSettings::from(m_state.settings));
}

void TProgramServices::initAlarms() { m_alarms->initAlarms(m_state.settings.record.autoStart); }

void TProgramServices::runAlarmPass(TDateTime displayMinute)
{
    CommandVoiceSettings voice = ToCommandVoice(m_state.settings);
    m_alarms->runAlarmPass(displayMinute, voice);
    FromCommandVoice(voice, m_state.settings);
}

void TProgramServices::saveAll()
{
    const auto errors =
        RunSaveRoutine(*m_state.SettingsIni, m_state.settings, [this] { return m_alarms->save(); });
    for (const std::string &e : errors)
        m_reporter.report(e);
}

void TProgramServices::saveFiles()
{
    const auto errors =
        RunSaveRoutine(*m_state.SettingsIni, m_state.settings, [this] { return m_alarms->save(); });
    for (const std::string &e : errors)
        std::fprintf(stderr, "orvane: %s\n", e.c_str());
}

void TProgramServices::shutdown()
{
    if (m_decorator)
        m_decorator->restore();
    unbindHotKey();
}

} // namespace orvane
