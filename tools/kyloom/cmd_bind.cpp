// kyloom bind FILE: serves every macro of a macro file under its key until interrupted.
#include "key_text.h"
#include "library_message.h"
#include "report_tracker.h"
#include "verb_table.h"

#include "kyloom32.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <ostream>

namespace orvane {
namespace {

int g_stopPipe[2] = {-1, -1};

void onStopSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const auto n = write(g_stopPipe[1], &c, 1);
}

// SIGINT and SIGTERM end the serving loop, which then takes the engine down cleanly.
bool catchStopSignals()
{
    if (pipe(g_stopPipe) != 0)
        return false;
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    return true;
}

// Handles the engine's requests (hot keys and the end of playbacks) until a stop signal, or
// until the engine is gone (it takes itself down when the X display goes away, after saying
// so); false then.
bool serve()
{
    for (;;) {
        pollfd fds[2] = {{GetNotifyDescriptor(), POLLIN, 0}, {g_stopPipe[0], POLLIN, 0}};
        if (poll(fds, 2, 1000) < 0 && errno != EINTR)
            return true;
        if (fds[1].revents & POLLIN)
            return true;
        KyNotification notification;
        while (TakeNotification(&notification)) {}
        if (GetNotifyDescriptor() < 0)
            return false;
    }
}

int runBind(const std::vector<std::string> &args, std::ostream &out)
{
    if (args.size() != 1) {
        ReportTracker::report("usage: kyloom bind FILE");
        return kExitUsage;
    }
    if (!InstallHook(1, 0, 1, RMIgnore, MBWindow, 1))
        return kExitFailure;
    const std::string problem = macroFileOpenProblem(args[0]);
    if (!problem.empty())
        ReportTracker::report(problem);
    if (!problem.empty() || ReadMacros(args[0].c_str(), 0) != 0) {
        UninstallHook();
        return kExitFailure;
    }
    for (int32_t i = 0; i < GetMaxMacroNum(); ++i) {
        const KyMacro macro = GetMacroByIndex(i);
        if (macro == 0)
            continue;
        const KyKey key = GetMacroKey(macro);
        out << keyCodeText(key) << "\t" << keyText(key) << "\t" << GetMacroName(macro)
            << (IsHotKeyWatched(key) ? "" : "\t(held by another program)") << "\n";
    }
    if (!catchStopSignals()) {
        UninstallHook();
        return kExitFailure;
    }
    out << "Serving these keys; press Ctrl+C or run \"kill " << getpid() << "\" to stop.\n";
    out.flush();
    if (!serve())
        return kExitFailure;
    // A playback still running is waited for, briefly, so that it leaves no key down.
    for (int i = 0; i < 50 && GetMacroState() == 2; ++i) {
        KyNotification notification;
        while (TakeNotification(&notification)) {}
        usleep(20000);
    }
    if (GetMacroState() == 1 || GetMacroState() == 3)
        RecordingOff();
    UninstallHook();
    return kExitOk;
}

} // namespace
} // namespace orvane

KYLOOM_VERB(bind, "FILE", "serve every macro of a macro file under its key until SIGINT or SIGTERM",
            "Lists the macros of FILE (key code, key name, name), then plays each one when its\n"
            "key is pressed in any window, until Ctrl+C (SIGINT) or SIGTERM ends it. A key that\n"
            "another program holds is marked; its macro cannot be served.\n",
            orvane::runBind);
