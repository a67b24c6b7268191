#pragma once

#include "kyloom32.h"

#include <cstdint>
#include <functional>
#include <string>

namespace orvane {

// The component's names for the library's values.
enum TMouseRecording : uint8_t {
    RMIgnore = ::RMIgnore,
    RMClicksAndDrags = ::RMClicksAndDrags,
    RMAll = ::RMAll,
};

enum TMouseOriginBase : uint8_t {
    MBScreen = ::MBScreen,
    MBWindow = ::MBWindow,
    MBPointer = ::MBPointer,
};

// The engine's state as its notifications 1538 and 1539 report it.
enum TUserMacroEngineState : uint8_t {
    usNone,
    usRecordOff,
    usRecordOn,
    usRecordPaused,
    usRecordResumed,
    usPlaybackOff,
    usPlaybackOn,
    usPlaybackPaused,
    usPlaybackResumed,
};

// The program's handle on the macro engine: installs it with the settings below, carries the
// engine's keys, installs macros with code hooks and turns the engine's notifications into
// events. The engine posts its notifications to the notify window this component owns; the
// program's event loop watches notifyDescriptor() and calls ProcessNotifications().
class TMacroSet {
public:
    using TNotifyEvent = std::function<void(TMacroSet &Sender)>;
    using TNotifyStateEvent = std::function<void(TMacroSet &Sender, TUserMacroEngineState State)>;
    using TNotifyAssignEvent = std::function<void(TMacroSet &Sender, KyMacro Macro)>;

    TMacroSet();
    // Frees the notify window; uninstalling is the owner's business.
    ~TMacroSet();
    TMacroSet(const TMacroSet &) = delete;
    TMacroSet &operator=(const TMacroSet &) = delete;

    TMouseRecording RecordMouse = RMIgnore;
    bool SystemWide = true;
    bool FastPlayback = true;
    TMouseOriginBase MouseBase = MBWindow;
    bool CancelChecking = false;

    // The engine's keys, kept by the library and so shared by every TMacroSet of the process.
    KyKey ToggleRecordKey() const;
    void SetToggleRecordKey(KyKey key);
    KyKey CancelKey() const;
    void SetCancelKey(KyKey key); // EShiftKeysNotAllowed for a key with modifiers
    KyKey PauseKey() const;
    void SetPauseKey(KyKey key); // EShiftKeysNotAllowed for a key with modifiers

    // "2.0": the library's version.
    std::string Version() const;

    // Installs the engine on first use (EHookError when it cannot be installed).
    uint8_t Handle();
    void Uninstall();
    KyMacro ScrapMacro() const;
    // EInstallMacro when the library could not put the macro in place.
    void InstallMacro(KyKey Key, KyMacro Macro, const std::string &Name, KyCodeHook CodeHook);

    TNotifyEvent OnRecord, OnRecordStop, OnPlay, OnPlayEnd, OnPaused, OnResumed;
    TNotifyStateEvent OnRecorded, OnPlayed;
    TNotifyAssignEvent OnAssigned;

    KyWindow notifyWindow() const { return m_notifyWindow; }
    // Readable while the engine has something for this process's event loop; -1 before the
    // engine is installed.
    int notifyDescriptor() const;
    // Handles the engine's requests and hands every waiting notification to the TMacroSet
    // whose notify window it names.
    static void ProcessNotifications();
    void Dispatch(const KyNotification &notification);

private:
    uint8_t m_handle = 0;
    KyWindow m_notifyWindow;
};

} // namespace orvane
