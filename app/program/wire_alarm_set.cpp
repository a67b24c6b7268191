#include "app/alarms/ui/alarm_services.h"
#include "app/alarms/ui/alarm_set_hooks.h"
#include "app/clock/ui/main_window.h"
#include "app/program/program.h"
#include "app/program/wiring.h"

namespace orvane {

void WireAlarmSet(TProgram &program)
{
    program.registerCommand(MainCommand::Alarms, [&program] {
        TAlarmServices &alarms = program.alarms();
        ProgramState &state = program.state();
        TAlarmSet dialog(alarms.AlarmTable(), program.clock(), state.formats, *state.SettingsIni,
                         DefaultAlarmSetHooks([&alarms] { return alarms.save(); }), &program.mainWindow());
        // While the dialog is open, alarms the pass fires or a message window changes show in
        // its list at once.
        alarms.setAlarmListChanged([&dialog] { dialog.alarmTableChanged(); });
        dialog.exec();
        alarms.setAlarmListChanged({});
        program.SaveAll();
    });
}

} // namespace orvane
