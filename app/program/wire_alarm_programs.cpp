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
    // The watcher runs only while a started program's window is awaited: a timer left running
    // at rest would wake the program ten times a second for nothing.
    auto *watcher = new QTimer(&program.mainWindow());
    watcher->setInterval(TProgramWatcher::kPollInterval);
    QObject::connect(watcher, &QTimer::timeout, watcher, [&pass, watcher] {
        pass.PollPrograms();
        if (!pass.programsBusy())
            watcher->stop();
    });
    pass.setProgramsAwaited([watcher] {
        if (!watcher->isActive())
            watcher->start();
    });
    TMain &main = program.mainWindow();
    const MessageBoxes boxes = MessageBoxesFromEnvironment();
    pass.services().notifyStartFailure = [&main, boxes](const std::string &text) {
        ShowStartFailure(main, boxes, text);
    };
}

} // namespace orvane
