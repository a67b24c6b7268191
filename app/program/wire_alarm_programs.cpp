// The alarms' programs: the watcher that completes starts and stops without holding up the
// clock, and the notice for a program that cannot start.
#include "app/alarms/program_watcher.h"
#include "app/alarms/ui/alarm_services.h"
#include "app/clock/ui/main_window.h"
#include "app/program/program.h"
#include "app/program/start_failure_notice.h"
#include "app/program/wiring.h"

#include <QTimer>

namespace orvane {

void WireAlarmPrograms(TProgram &program)
{
    TAlarmPass &pass = program.alarms().pass();
    auto *watcher = new QTimer(&program.mainWindow());
    QObject::connect(watcher, &QTimer::timeout, watcher, [&pass] {
        if (pass.programsBusy())
            pass.PollPrograms();
    });
    watcher->start(TProgramWatcher::kPollInterval);
    TMain &main = program.mainWindow();
    const MessageBoxes boxes = MessageBoxesFromEnvironment();
    pass.services().notifyStartFailure = [&main, boxes](const std::string &text) { ShowStartFailure(main, boxes, text); };
}

} // namespace orvane
