#include "macro_set.h"

#include "macro_errors.h"

#include <map>

namespace orvane {

namespace {

// The notify windows of the living components: the engine names one in each notification.
std::map<KyWindow, TMacroSet *> &notifyWindows()
{
    static std::map<KyWindow, TMacroSet *> windows;
    return windows;
}

KyWindow newNotifyWindow()
{
    static KyWindow next = 1;
    return next++;
}

} // namespace

TMacroSet::TMacroSet() : m_notifyWindow(newNotifyWindow())
{
    notifyWindows()[m_notifyWindow] = this;
    SetCancelKey(3);
    SetPauseKey(19);
    SetToggleRecordKey(1914);
}

TMacroSet::~TMacroSet() { notifyWindows().erase(m_notifyWindow); }

KyKey TMacroSet::ToggleRecordKey() const { return GetToggleRecordKey(); }
void TMacroSet::SetToggleRecordKey(KyKey key) { ::SetToggleRecordKey(key); }
KyKey TMacroSet::CancelKey() const { return GetCancelKey(); }
KyKey TMacroSet::PauseKey() const { return GetPauseKey(); }

void TMacroSet::SetCancelKey(KyKey key)
{
    if (!::SetCancelKey(key))
        throw EShiftKeysNotAllowed(LibraryMessage(KyMsgModifiersNotAllowed));
}

void TMacroSet::SetPauseKey(KyKey key)
{
    if (!::SetPauseKey(key))
        throw EShiftKeysNotAllowed(LibraryMessage(KyMsgModifiersNotAllowed));
}

std::string TMacroSet::Version() const
{
    const uint16_t version = GetKeyloomVersion();
    return std::to_string(version >> 8) + "." + std::to_string(version & 0xFF);
}

uint8_t TMacroSet::Handle()
{
    if (m_handle == 0) {
        const KyBool installed =
            InstallHook(m_notifyWindow, FastPlayback, SystemWide, RecordMouse, MouseBase, CancelChecking);
        if (!installed)
            throw EHookError(LibraryMessage(KyMsgOneHookPerTask));
        m_handle = installed;
    }
    return m_handle;
}

void TMacroSet::Uninstall()
{
    UninstallHook();
    m_handle = 0;
}

KyMacro TMacroSet::ScrapMacro() const { return GetScrapMacro(); }

void TMacroSet::InstallMacro(KyKey Key, KyMacro Macro, const std::string &Name, KyCodeHook CodeHook)
{
    // Results 0 and 1 raise nothing: for 1 the library has said there is no room.
    if (::InstallMacro(Key, Macro, Name.c_str(), CodeHook) > 0x80)
        throw EInstallMacro(LibraryMessage(KyMsgAllocate));
}

int TMacroSet::notifyDescriptor() const { return GetNotifyDescriptor(); }

void TMacroSet::ProcessNotifications()
{
    KyNotification notification;
    while (TakeNotification(&notification)) {
        const auto found = notifyWindows().find(notification.window);
        if (found != notifyWindows().end())
            found->second->Dispatch(notification);
    }
}

void TMacroSet::Dispatch(const KyNotification &n)
{
    auto fire = [this](const TNotifyEvent &event) {
        if (event)
            event(*this);
    };
    const auto state = static_cast<TUserMacroEngineState>(n.wParam & 0xFF);
    switch (n.message) {
    case KyNoteRecord: fire(OnRecord); break;
    case KyNoteRecordStop: fire(OnRecordStop); break;
    case KyNotePlay: fire(OnPlay); break;
    case KyNotePlayEnd: fire(OnPlayEnd); break;
    case KyNotePaused: fire(OnPaused); break;
    case KyNoteResumed: fire(OnResumed); break;
    case KyNoteRecorded:
        if (OnRecorded)
            OnRecorded(*this, state);
        break;
    case KyNotePlayed:
        if (OnPlayed)
            OnPlayed(*this, state);
        break;
    case KyNoteAssigned:
        if (OnAssigned)
            OnAssigned(*this, n.lParam);
        break;
    default: break;
    }
}

} // namespace orvane
