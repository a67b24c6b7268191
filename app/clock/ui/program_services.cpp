#include "app/clock/ui/program_services.h"

#include "app/alarms/alarm_file.h"
#include "app/alarms/alarm_pass.h"
#include "app/alarms/alarm_table.h"
#include "app/alarms/msg_alrm_actions.h"
#include "app/alarms/ui/msg_alrm_opener.h"
#include "app/macro/ui/announce_hot_key.h"
#include "app/clock/title_decorator.h"
#include "app/clock/ui/main_window.h"
#include "app/clock/voice_announcer.h"
#include "app/common/ini_file.h"
#include "app/platform/process/posix_process_launcher.h"
#include "app/platform/sound/sdl_sound_player.h"
#include "app/platform/window_layer.h"

#include <QMessageBox>
#include <QTimer>

#include <cstdio>

namespace orvane {

struct TProgramServices::Parts {
    std::unique_ptr<WindowLayer> windows;
    std::unique_ptr<TitleDecorator> decorator;
    std::unique_ptr<SdlSoundPlayer> sound;
    std::unique_ptr<VoiceAnnouncer> voice;
    TAlarmTable table;
    std::unique_ptr<TAlarmFile> file;
    std::unique_ptr<PosixProcessLauncher> launcher;
    TCDFlags cd;
    std::unique_ptr<TAlarmPass> pass;
    std::unique_ptr<TMsgAlrmActions> messageActions;
    std::unique_ptr<TMsgAlrmOpener> messages;
    std::unique_ptr<AnnounceHotKey> hotKey;
};

namespace {

// The part of the settings a command alarm may change, and back.
CommandVoiceSettings ToCommandVoice(const TProgramSettings &s)
{
    return {s.record.playVoice, s.record.announceInterval, s.effectiveInterval, s.record.playWave, s.record.beforeAfter};
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

TProgramServices::TProgramServices(const Clock &clock) : m_clock(clock), m_parts(std::make_unique<Parts>())
{
    m_parts->windows = openX11WindowLayer();
    if (m_parts->windows)
        m_parts->decorator = std::make_unique<TitleDecorator>(*m_parts->windows);
    else
        std::fprintf(stderr, "orvane: no X display: the title-bar clock is off\n");
    m_parts->sound = SdlSoundPlayer::fromEnvironment(clock);
    m_parts->voice = std::make_unique<VoiceAnnouncer>(*m_parts->sound);
    m_parts->file = std::make_unique<TAlarmFile>(TAlarmFile::defaultPath());
    m_parts->launcher = std::make_unique<PosixProcessLauncher>(m_parts->windows.get());
}

void TProgramServices::report(const std::string &text)
{
    std::fprintf(stderr, "orvane: %s\n", text.c_str());
    if (qEnvironmentVariableIsSet("ORVANE_NO_MESSAGE_BOXES"))
        return;
    // Shown from the event loop, so that a report during start-up waits for the main window.
    QTimer::singleShot(0, [this, text] {
        QMessageBox::warning(static_cast<QWidget *>(m_main), QStringLiteral("Orvane"), QString::fromStdString(text));
    });
}

TProgramServices::~TProgramServices() = default;

void TProgramServices::attach(TMain &main)
{
    m_main = &main;
    // Message windows snooze by the program-wide minutes that the save routine writes back.
    m_parts->messageActions =
        std::make_unique<TMsgAlrmActions>(m_parts->table, m_clock, *m_parts->sound, main.settings().snoozeTime);
    m_parts->messages = std::make_unique<TMsgAlrmOpener>(*m_parts->messageActions, *m_parts->sound);
    AlarmPassServices passServices{m_parts->table, m_clock, *m_parts->sound, *m_parts->launcher, m_parts->cd, {}, m_parts->messages.get(), {}, {}};
    passServices.launcherPath = [] { return TIniFile("murvelin.ini").ReadString("Quaydeck", "Path", ""); };
    passServices.reportError = [this](const std::string &text) { report(text); };
    m_parts->pass = std::make_unique<TAlarmPass>(std::move(passServices));
}

void TProgramServices::loadAlarmTable()
{
    const AlarmFileLoad result = m_parts->file->Load(m_parts->table);
    if (result.faults.empty())
        return;
    std::string text = "The alarm file " + m_parts->file->path() + " was damaged:";
    for (const std::string &f : result.faults)
        text += "\n" + f;
    text += "\nThe original is kept as " + m_parts->file->backupPath() + " when the alarms are next saved.";
    report(text);
}

std::optional<std::string> TProgramServices::saveAlarmTable() { return m_parts->file->Save(m_parts->table); }

void TProgramServices::initAlarms(bool autoStart)
{
    if (m_parts->pass)
        m_parts->pass->InitAlarms(autoStart);
}

void TProgramServices::runAlarmPass(TDateTime displayMinute, TProgramSettings &settings)
{
    if (!m_parts->pass)
        return;
    CommandVoiceSettings voice = ToCommandVoice(settings);
    m_parts->pass->AlarmPass(displayMinute, voice);
    FromCommandVoice(voice, settings);
}

void TProgramServices::announce(int hour, int minute, bool requested, const TProgramSettings &settings)
{
    m_parts->voice->Announce(hour, minute, requested, VoiceSettings::from(settings));
}

void TProgramServices::decorateTitle(const std::string &suffix, WindowScope scope)
{
    if (m_parts->decorator)
        m_parts->decorator->decorate(suffix, scope);
}

void TProgramServices::redecorateTitle(const std::string &suffix)
{
    if (m_parts->decorator)
        m_parts->decorator->redecorate(suffix);
}

void TProgramServices::restoreTitle()
{
    if (m_parts->decorator)
        m_parts->decorator->restore();
}

bool TProgramServices::bindHotKey(uint16_t key, std::function<void()> onPress)
{
    if (!m_parts->hotKey)
        m_parts->hotKey = std::make_unique<AnnounceHotKey>();
    if (m_parts->hotKey->bind(key, std::move(onPress)))
        return true;
    // The clock, the voice and the alarms never depend on the hot key: say so once and run on.
    if (const std::string message = m_parts->hotKey->takeMessage(); !message.empty())
        report("The announce hot key cannot be used: " + message);
    return false;
}

void TProgramServices::unbindHotKey()
{
    if (m_parts->hotKey)
        m_parts->hotKey->unbind();
}

} // namespace orvane
