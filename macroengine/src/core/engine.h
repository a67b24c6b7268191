#pragma once

#include "core/engine_settings.h"
#include "core/hot_key_registry.h"
#include "core/macro_store.h"
#include "core/message_window.h"
#include "core/notification_queue.h"
#include "core/owner_claim.h"
#include "core/shared_segment.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

// What the engine needs from the system, injected so that the table logic runs without X.
struct EnginePlatform {
    // Opens the registry; on failure `why` says what is wrong with it (owner, mode, size).
    std::function<std::unique_ptr<SharedSegment>(SharedSegment::Error &, std::string &why)> openRegistry;
    std::function<std::unique_ptr<MessageWindow>()> createWindow;
    // Keeps an owner id marked alive while the claim lives; and tells whether another owner's
    // claim is still held.
    std::function<std::unique_ptr<OwnerClaim>(uint32_t owner, std::string &why)> claimOwner;
    std::function<bool(uint32_t owner)> ownerAlive;
    // The identity under which this process's registry entries are kept; it must differ from
    // every other live process's on the machine. Without it, the message window's id.
    std::function<uint32_t()> ownerIdentity;

    // The real thing: this user's registry, an X "MacroWin" window, the process id as owner.
    static EnginePlatform system();
};

// InstallMacro's results.
enum : uint8_t { kInstallOk = 0, kInstallNoRoom = 1, kInstallFailed = 0x81 };

// The macro engine of one process: its state, settings, macro table, scrap macro, message
// window and its view of the shared hot-key registry. Not thread-safe by itself; the C
// interface serialises every call.
class Engine {
public:
    static constexpr uint16_t kTableGrowth = 8;
    static constexpr size_t kScrapRoom = 24;
    static constexpr KyKey kScrapKey = 0x077B;

    explicit Engine(EnginePlatform platform);
    ~Engine();
    Engine(const Engine &) = delete;
    Engine &operator=(const Engine &) = delete;

    // Life cycle.
    bool installHook(KyWindow notifyWindow, bool fastPlayback, bool systemWide, uint8_t mouseRecording,
                     uint8_t mouseOrigin, bool cancelChecking);
    void uninstallHook();
    // The display went away: drops the table, the hot keys and the message window without
    // reporting anything (the loss itself is reported by the caller).
    void abandon();
    bool installed() const { return m_window != nullptr; }
    EngineState state() const { return m_state; }
    void setState(EngineState state) { m_state = state; }
    // Shows message 38 and answers true when the engine is recording or playing.
    bool refuseWhenBusy() const;

    // The table.
    KyMacro scrap() const { return m_scrap; }
    uint16_t capacity() const { return static_cast<uint16_t>(m_slots.size()); }
    const std::vector<KyMacro> &slots() const { return m_slots; }
    uint8_t installMacro(KyKey key, KyMacro source, const char *name, KyCodeHook codeHook);
    KyMacro macroByKey(KyKey key) const;
    KyMacro macroByIndex(int32_t index) const;
    KyMacro macroByName(const char *name) const;
    void deleteAllMacros();

    // Macro fields. A handle the engine never gave out (or already freed) is reported with
    // message 3 and treated as macro 0.
    MacroRecord *record(KyMacro macro);
    KyKey macroKey(KyMacro macro);
    void setMacroKey(KyMacro macro, KyKey key);
    const char *macroName(KyMacro macro);
    void setMacroName(KyMacro macro, char *name);
    KyCodeHook macroCodeHook(KyMacro macro);
    void setMacroCodeHook(KyMacro macro, KyCodeHook codeHook);

    EngineSettings &settings() { return m_settings; }
    const EngineSettings &settings() const { return m_settings; }
    NotificationQueue &notifications() { return m_notifications; }
    HotKeyRegistry *registry() { return m_registry.get(); }
    // The identity of this process's registry entries (0 before InstallHook).
    uint32_t ownerId() const { return m_window ? m_ownerId : 0; }
    // The id of the message window that requests are sent to (0 before InstallHook).
    uint32_t windowId() const { return m_window ? m_window->id() : 0; }
    MessageWindow *messageWindow() const { return m_window.get(); }

private:
    bool openRegistry();
    bool createScrap();
    void teardown();
    void startTable();
    bool deleteSlot(size_t slot);
    bool growTable();
    uint8_t putCopy(size_t slot, KyKey key, KyMacro source, const char *name, KyCodeHook codeHook);
    bool registerKey(KyKey key, KyMacro macro);
    bool claimOwnership();
    void releaseDeadOwners();
    void unregisterKey(KyKey key);
    void applyName(MacroRecord &record, const char *name);
    void notifyAssigned(KyMacro macro);

    EnginePlatform m_platform;
    EngineState m_state = EngineState::Idle;
    EngineSettings m_settings;
    MacroStore m_store;
    std::vector<KyMacro> m_slots;
    bool m_tableExists = false;
    KyMacro m_scrap = 0;
    std::unique_ptr<SharedSegment> m_segment;
    std::unique_ptr<HotKeyRegistry> m_registry;
    std::unique_ptr<MessageWindow> m_window;
    std::unique_ptr<OwnerClaim> m_claim;
    uint32_t m_ownerId = 0;
    NotificationQueue m_notifications;
    char m_nameBuffer[41] = {};
};

} // namespace orvane
