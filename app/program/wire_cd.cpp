// The CD player joins the program: one libcdio device for the whole run (the default drive, or
// what ORVANE_CD_DEVICE names), the main window's "CD Player" command, and the alarm pass's
// hooks, which open the window when a CD alarm starts.
#include "app/alarms/ui/alarm_services.h"
#include "app/clock/ui/main_window.h"
#include "app/media/ui/cd_player.h"
#include "app/media/ui/cd_player_opener.h"
#include "app/platform/cd/cdio_cd_device.h"
#include "app/platform/sound/sound_log.h"
#include "app/program/program.h"
#include "app/program/program_services.h"
#include "app/program/wiring.h"

#include <QObject>

#include <memory>

namespace orvane {
namespace {

// Owned by the main window, so that the player goes with it; the alarm pass, which outlives the
// main window by a moment, is unhooked first.
class CDPlayerWiring : public QObject {
public:
    CDPlayerWiring(TProgram &program, QObject *owner)
        : QObject(owner), m_program(program), m_log(SoundLog::fromEnvironment(program.clock()))
    {
        m_device = std::make_unique<CdioCDDevice>(CdioSource::fromEnvironment(), [this](int track) {
            if (m_log.enabled())
                m_log.write(SoundKind::CdTrack, "track " + std::to_string(track), SoundMode::Async,
                            SoundOutcome::Played);
        });
        Reporter &reporter = program.reporter();
        m_opener = std::make_unique<TCDPlayerOpener>(
            *m_device, program.services().cdFlags(), program.clock(),
            [&reporter](const std::string &text) { reporter.report(text); });
        program.alarms().setCDPlayerHooks(m_opener->hooks());
        program.registerCommand(MainCommand::CDPlayer, [this] { m_opener->open(); });
    }
    ~CDPlayerWiring() override
    {
        m_program.alarms().setCDPlayerHooks({});
        m_opener.reset();
        m_device.reset();
    }

private:
    TProgram &m_program;
    SoundLog m_log;
    std::unique_ptr<CdioCDDevice> m_device;
    std::unique_ptr<TCDPlayerOpener> m_opener;
};

} // namespace

void WireCDPlayer(TProgram &program) { new CDPlayerWiring(program, &program.mainWindow()); }

} // namespace orvane
