// kyloom play FILE [--name NAME] [--fast]: plays a macro of a macro file.
#include "library_message.h"
#include "report_tracker.h"
#include "stop_signals.h"
#include "verb_table.h"

#include "kyloom32.h"

#include <poll.h>

#include <chrono>
#include <optional>
#include <ostream>

namespace orvane {
namespace {

struct PlayOptions {
    std::string file;
    std::optional<std::string> name;
    bool fast = false;
};

std::optional<PlayOptions> parse(const std::vector<std::string> &args)
{
    PlayOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--fast")
            options.fast = true;
        else if (args[i] == "--name" && i + 1 < args.size())
            options.name = args[++i];
        else if (options.file.empty() && args[i].rfind("--", 0) != 0)
            options.file = args[i];
        else
            return std::nullopt;
    }
    if (options.file.empty())
        return std::nullopt;
    return options;
}

KyMacro firstMacro()
{
    for (int32_t i = 0; i < GetMaxMacroNum(); ++i)
        if (const KyMacro macro = GetMacroByIndex(i))
            return macro;
    return 0;
}

// Takes the engine's notifications (which also ends the playback) until it is idle again;
// the limit stands for a macro whose recorded gaps would otherwise keep us for days.
bool waitForTheEnd(std::chrono::hours limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (GetMacroState() != 0) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        pollfd fd{GetNotifyDescriptor(), POLLIN, 0};
        poll(&fd, 1, 100);
        KyNotification notification;
        while (TakeNotification(&notification)) {}
    }
    return true;
}

int runPlay(const std::vector<std::string> &args, std::ostream &)
{
    const std::optional<PlayOptions> options = parse(args);
    if (!options) {
        ReportTracker::report("usage: kyloom play FILE [--name NAME] [--fast]");
        return kExitUsage;
    }
    if (const std::string problem = macroFileOpenProblem(options->file); !problem.empty()) {
        ReportTracker::report(problem);
        return kExitFailure;
    }
    // A stop signal ends the playback with every key and button released, then the command.
    StopSignals stops;
    if (!InstallHook(1, options->fast ? 1 : 0, 1, RMIgnore, MBWindow, 1))
        return kExitFailure;
    int status = kExitFailure;
    if (ReadMacros(options->file.c_str(), 0) == 0) {
        const KyMacro macro = options->name ? GetMacroByName(options->name->c_str()) : firstMacro();
        if (macro == 0) {
            ReportTracker::report(libraryMessage(KyMsgMacroNotFound));
        } else {
            PlaybackMacro(macro);
            status = waitForTheEnd(std::chrono::hours(24)) ? kExitOk : kExitFailure;
        }
    }
    UninstallHook();
    stops.endLikeTheSignal();
    return status;
}

} // namespace
} // namespace orvane

KYLOOM_VERB(play, "FILE [--name NAME] [--fast]",
            "play a macro of a macro file (the first one, or the one named), timed or fast",
            "Plays the first macro of FILE, or the one called NAME (letter case does not count),\n"
            "into whatever window has the focus, with the gaps it was recorded with; --fast plays\n"
            "it without them. Returns when the macro has ended.\n",
            orvane::runPlay);
