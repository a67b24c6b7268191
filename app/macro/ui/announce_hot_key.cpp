#include "announce_hot_key.h"

#include "app/macro/macro_errors.h"
#include "report_function.h"

#include "kyloom32.h"

#include <vector>

namespace orvane {

namespace {

// The engine calls code hooks without arguments; the one announce routine of the process is
// kept here.
std::function<void()> &announceRoutine()
{
    static std::function<void()> routine;
    return routine;
}

void AnnounceNowHook()
{
    if (announceRoutine())
        announceRoutine()();
}

// While binding, the library's own messages are kept for the one message bind() leaves,
// rather than shown one box after another.
std::vector<std::string> &heldReports()
{
    static std::vector<std::string> reports;
    return reports;
}

// The grab failed although the engine reported nothing: another program holds the key.
std::string HeldElsewhereMessage(uint16_t key)
{
    char name[40] = {};
    GetKeyName(key, name, sizeof name);
    return std::string(name) + " is already taken by another program. Choose another key in the "
                               "options, or free it in that program.";
}

void holdReport(const char *, const char *text) { heldReports().push_back(text ? text : ""); }

class ReportHold {
public:
    ReportHold()
    {
        heldReports().clear();
        SetReportFunction(&holdReport);
    }
    ~ReportHold() { SetReportFunction(ProgramReportFunction()); }

    std::string first() const { return heldReports().empty() ? "" : heldReports().front(); }
};

} // namespace

AnnounceHotKey::AnnounceHotKey() = default;

AnnounceHotKey::~AnnounceHotKey() { announceRoutine() = nullptr; }

bool AnnounceHotKey::fail(const std::string &message)
{
    if (!m_told) {
        m_told = true;
        m_message = message;
    }
    return false;
}

bool AnnounceHotKey::bind(uint16_t key, std::function<void()> onPress)
{
    unbind();
    announceRoutine() = std::move(onPress);
    std::string held;
    try {
        ReportHold hold;
        try {
            m_set.Handle();
            m_installed = true;
            m_notifier.Watch(m_set);
            if (key != 0)
                m_set.InstallMacro(key, m_set.ScrapMacro(), "Announce Time", &AnnounceNowHook);
        } catch (const std::exception &error) {
            held = hold.first().empty() ? error.what() : hold.first();
        }
        if (held.empty() && key != 0 && !IsHotKeyWatched(key))
            held = HeldElsewhereMessage(key);
    } catch (...) {
        held = LibraryMessage(KyMsgUnknownError);
    }
    if (held.empty())
        return true;
    // A hot key that does not work would only keep the other keys grabbed.
    unbind();
    return fail(held);
}

void AnnounceHotKey::unbind()
{
    if (!m_installed)
        return;
    m_set.Uninstall();
    m_installed = false;
}

std::string AnnounceHotKey::takeMessage()
{
    std::string message;
    message.swap(m_message);
    return message;
}

} // namespace orvane
