// kyloom record FILE --key CODE --name NAME: records a macro between two presses of the
// toggle-record key and adds it to a macro file under that key.
#include "key_code_parser.h"
#include "key_text.h"
#include "library_message.h"
#include "report_tracker.h"
#include "verb_table.h"

#include "kyloom32.h"

#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <ostream>

namespace orvane {
namespace {

int g_interruptPipe[2] = {-1, -1};

void onInterrupt(int)
{
    const char c = 1;
    [[maybe_unused]] const auto n = write(g_interruptPipe[1], &c, 1);
}

struct RecordOptions {
    std::string file;
    KyKey key = 0;
    std::string name;
    uint8_t mouse = RMIgnore;
    bool replace = false;
};

std::optional<uint8_t> mouseMode(const std::string &text)
{
    if (text == "ignore")
        return RMIgnore;
    if (text == "clicks")
        return RMClicksAndDrags;
    if (text == "all")
        return RMAll;
    return std::nullopt;
}

std::optional<RecordOptions> parse(const std::vector<std::string> &args)
{
    RecordOptions options;
    bool haveKey = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--key" && hasValue) {
            const auto key = parseKeyCode(args[++i]);
            if (!key || *key == 0)
                return std::nullopt;
            options.key = *key;
            haveKey = true;
        } else if (args[i] == "--name" && hasValue) {
            options.name = args[++i];
        } else if (args[i] == "--replace") {
            options.replace = true;
        } else if (args[i] == "--mouse" && hasValue) {
            const auto mode = mouseMode(args[++i]);
            if (!mode)
                return std::nullopt;
            options.mouse = *mode;
        } else if (options.file.empty() && args[i].rfind("--", 0) != 0) {
            options.file = args[i];
        } else {
            return std::nullopt;
        }
    }
    if (options.file.empty() || !haveKey)
        return std::nullopt;
    return options;
}

// Waits until the engine reaches `state`; false when interrupted.
bool waitForState(uint8_t state)
{
    while (GetMacroState() != state) {
        pollfd fds[2] = {{GetNotifyDescriptor(), POLLIN, 0}, {g_interruptPipe[0], POLLIN, 0}};
        poll(fds, 2, 100);
        if (fds[1].revents & POLLIN)
            return false;
        KyNotification notification;
        while (TakeNotification(&notification)) {}
    }
    return true;
}

bool fileExists(const std::string &path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

// A recording would silently take the place of the macro the file already keeps under the key;
// the user must ask for that. Checked before recording, so that no recording is made in vain.
bool keyIsFree(const RecordOptions &options)
{
    const KyMacro existing = GetMacroByKey(options.key);
    if (existing == 0 || options.replace)
        return true;
    const char *name = GetMacroName(existing);
    ReportTracker::report(keyText(options.key) + " already holds the macro \"" +
                          (name && name[0] ? name : libraryMessage(KyMsgNoMacroName)) + "\" in " +
                          options.file + "; give --replace to record over it");
    return false;
}

int record(const RecordOptions &options, std::ostream &out)
{
    // The file's macros are read first: reading stages every entry in the scrap macro, which
    // must hold the new recording afterwards.
    if (fileExists(options.file)) {
        if (const std::string problem = macroFileOpenProblem(options.file); !problem.empty()) {
            ReportTracker::report(problem);
            return kExitFailure;
        }
        if (ReadMacros(options.file.c_str(), 0) != 0)
            return kExitFailure;
    }
    if (!keyIsFree(options))
        return kExitFailure;
    out << "Press " << keyText(GetToggleRecordKey()) << " to start recording and again to stop." << std::endl;
    if (!waitForState(1) || !waitForState(0)) {
        if (GetMacroState() != 0)
            RecordingOff();
        ReportTracker::report("interrupted: nothing written");
        return kExitFailure;
    }
    if (GetMacroByIndex(-1) == 0 || ReportTracker::count() > 0)
        return kExitFailure;
    if (InstallMacro(options.key, GetScrapMacro(), options.name.c_str(), nullptr) != 0)
        return kExitFailure;
    if (WriteMacros(options.file.c_str()) != 0)
        return kExitFailure;
    out << "Recorded " << keyText(options.key) << " into " << options.file << std::endl;
    return kExitOk;
}

int runRecord(const std::vector<std::string> &args, std::ostream &out)
{
    const std::optional<RecordOptions> options = parse(args);
    if (!options) {
        ReportTracker::report("usage: kyloom record FILE --key CODE --name NAME [--mouse ignore|clicks|all] "
                              "[--replace]");
        return kExitUsage;
    }
    if (pipe(g_interruptPipe) != 0)
        return kExitFailure;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    if (!InstallHook(1, 1, 1, options->mouse, MBWindow, 1))
        return kExitFailure;
    const int status = record(*options, out);
    UninstallHook();
    return status;
}

} // namespace
} // namespace orvane

KYLOOM_VERB(record, "FILE --key CODE --name NAME [--mouse ignore|clicks|all] [--replace]",
            "record a macro between two presses of the toggle-record key into a macro file",
            "Waits for the toggle-record key, records what is typed (and, with --mouse, the\n"
            "mouse's clicks and drags or all its moves) until the key is pressed again, and adds\n"
            "the macro to FILE under CODE with the name NAME; FILE is created when missing.\n"
            "A key that already holds a macro in FILE is refused unless --replace is given.\n"
            "Ctrl+C before the end writes nothing.\n",
            orvane::runRecord);
