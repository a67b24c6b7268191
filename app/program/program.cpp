#include "app/program/program.h"

#include "app/alarms/ui/alarm_services.h"
#include "app/clock/ui/main_window.h"
#include "app/common/atomic_file.h"
#include "app/common/paths.h"
#include "app/macro/ui/report_function.h"
#include "app/platform/sound/sound_libraries.h"
#include "app/program/instance_channel.h"
#include "app/program/program_services.h"
#include "app/program/settings_folder_check.h"
#include "app/program/wiring.h"

#include "app/common/paths.h"

namespace orvane {

TProgram::TProgram(std::unique_ptr<Clock> clock, MessageBoxes boxes)
    : m_clock(std::move(clock)), m_reporter(boxes)
{
    InstallQtReportFunction(m_reporter);
    SetProgramReporter(&m_reporter);
    // Temporaries of a save that was killed; the alarm file's go when it is loaded.
    for (const char *ini : {"murvelin.ini", "Win.ini"})
        RemoveStaleTemporaries(IniDir() + ini);
    m_services = std::make_unique<TProgramServices>(*m_clock, m_state, m_reporter);
    // The hot key is bound in the order the settings ask for it, but after the first frame: the
    // grab waits on the X server, and the clock should be on the screen first.
    bool wantsHotKey = false;
    LoadProgramState(m_state, [&wantsHotKey] { wantsHotKey = true; });
    m_services->loadAlarmTable();
    m_main = std::make_unique<TMain>(*m_clock, m_state, *m_services, *this, m_reporter);
    m_reporter.setParentWindow(m_main.get());
    if (wantsHotKey)
        QObject::connect(m_main.get(), &TMain::firstFrameShown, m_main.get(),
                         [this] { bindAnnounceHotKey(); });
    // Only when a sound may be asked for at any moment (the voice, the hot key): the libraries
    // take about 3 MiB, which a clock kept silent should not carry; an alarm's sound may wait
    // for them.
    if (m_state.settings.record.playVoice || WantsAnnounceHotKey(m_state.settings))
        QObject::connect(m_main.get(), &TMain::firstFrameShown, m_main.get(),
                         [this] { m_soundLibraries = std::jthread(&loadSoundLibraries); });
    tellWhenSettingsCannotBeSaved();

    WireAlarmSet(*this);
    WireCDPlayer(*this);
    WireTimers(*this);
    WireOptions(*this);
    WireAlarmPrograms(*this);
    m_main->updateCommands();
}

void TProgram::tellWhenSettingsCannotBeSaved()
{
    if (const auto folder = FindUnwritableFolder({IniDir(), ProgramDir()}))
        m_reporter.report(UnwritableFolderMessage(*folder));
}

void TProgram::closeUnattended()
{
    m_reporter.setClosing(Closing::Unattended);
    if (m_main)
        m_main->close();
}

TProgram::~TProgram()
{
    // The main window's end still uses the services (titles back, hot key freed).
    m_main.reset();
    m_services.reset();
    SetProgramReporter(nullptr);
}

void TProgram::bindAnnounceHotKey()
{
    if (!WantsAnnounceHotKey(m_state.settings))
        return;
    // The main window exists by the time any key can be pressed.
    m_services->bindHotKey(m_state.settings.hotKey, [this] {
        if (m_main)
            m_main->AnnounceNow();
    });
}

SoundPlayer &TProgram::sound() { return m_services->sound(); }

TAlarmServices &TProgram::alarms() { return m_services->alarms(); }

void TProgram::SaveAll() { m_services->saveAll(); }

void TProgram::registerCommand(MainCommand command, std::function<void()> open)
{
    m_commands[command] = std::move(open);
    if (m_main)
        m_main->updateCommands();
}

bool TProgram::available(MainCommand command) const { return m_commands.count(command) != 0; }

void TProgram::run(MainCommand command)
{
    if (const auto it = m_commands.find(command); it != m_commands.end())
        it->second();
}

void TProgram::connectChannel(TInstanceChannel &channel)
{
    TMain *main = m_main.get();
    QObject::connect(&channel, &TInstanceChannel::activateRequested, main, &TMain::BringToFront);
    QObject::connect(&channel, &TInstanceChannel::announceRequested, main, &TMain::AnnounceRequest);
    QObject::connect(&channel, &TInstanceChannel::quitRequested, main, [this] { closeUnattended(); });
}

} // namespace orvane
