#include "app/common/paths.h"
#include "app/media/ui/timer_down.h"
#include "app/media/ui/timer_up.h"
#include "app/program/program.h"
#include "app/program/wiring.h"

namespace orvane {

void WireTimers(TProgram &program)
{
    // Timer windows have no owner: each deletes itself when the user closes it.
    program.registerCommand(MainCommand::DownTimer,
                            [&program] { (new TTimerDown(program.clock(), program.sound()))->show(); });
    program.registerCommand(MainCommand::UpTimer,
                            [&program] { (new TTimerUp(program.clock(), ProgramDir()))->show(); });
}

} // namespace orvane
