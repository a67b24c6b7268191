// The Preferences and About commands of the main window: the options dialog with its apply, and
// the about box.
#include "app/about/ui/about_form.h"
#include "app/clock/program_state.h"
#include "app/clock/ui/main_window.h"
#include "app/clock/ui/options_command.h"
#include "app/common/paths.h"
#include "app/program/program.h"
#include "app/program/program_services.h"
#include "app/program/wiring.h"

#include <QCoreApplication>

namespace orvane {
namespace {

void OpenOptions(TProgram &program)
{
    ProgramState &state = program.state();
    const OptionsCommandParts parts{
        state.settings, *state.WinIni, ProgramDir(),
        // The absolute path of the running program stands in for the short path Windows used.
        QCoreApplication::applicationFilePath().toStdString(),
        [&program](bool use, uint16_t key) {
            TProgramServices &services = program.services();
            services.unbindHotKey();
            if (use && key != 0)
                services.bindHotKey(key, [&program] { program.mainWindow().AnnounceNow(); });
        },
        [&program] { program.mainWindow().ApplyLook(); }, [&program] { program.SaveAll(); },
        [&program](const std::string &text) { program.reporter().report(text); }};
    RunOptionsCommand(&program.mainWindow(), parts);
}

void OpenAbout(TProgram &program)
{
    TAboutForm about(&program.mainWindow());
    about.exec();
}

} // namespace

void WireOptions(TProgram &program)
{
    program.registerCommand(MainCommand::Options, [&program] { OpenOptions(program); });
    program.registerCommand(MainCommand::About, [&program] { OpenAbout(program); });
}

} // namespace orvane
