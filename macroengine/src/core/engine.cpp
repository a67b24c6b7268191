#include "core/engine.h"

#include "core/report.h"

#include <unistd.h>

namespace orvane {

namespace {

// Mouse messages (0x200-0x209) left out of recordings for each mouse-recording mode; the
// range 0-0 holds nothing that can occur.
struct MouseFilter {
    uint32_t low, high;
};
constexpr MouseFilter kMouseFilters[] = {{0x200, 0x209}, {0x200, 0x200}, {0, 0}};

} // namespace

EnginePlatform EnginePlatform::system()
{
    EnginePlatform platform;
    platform.openRegistry = [](SharedSegment::Error &error, std::string &why) {
        const std::string name = SharedSegment::registryName();
        if (name.empty()) {
            error = SharedSegment::Error::CannotCreate;
            why = SharedSegment::registryProblem();
            return std::unique_ptr<SharedSegment>();
        }
        return SharedSegment::open(name, HotKeyRegistry::kBytes, error, why);
    };
    platform.createWindow = [] { return createXMessageWindow(); };
    platform.claimOwner = [](uint32_t owner, std::string &why) {
        return OwnerClaim::claim(SharedSegment::registryName(), owner, why);
    };
    platform.ownerAlive = [](uint32_t owner) {
        return OwnerClaim::isAlive(SharedSegment::registryName(), owner);
    };
    // A window id is unique only on its own display: two processes on two displays often get
    // the same one. The process id is unique on the machine while the process lives, and the
    // owner claim tells a live process from an ended one that had the same id.
    platform.ownerIdentity = [] { return static_cast<uint32_t>(getpid()); };
    return platform;
}

Engine::Engine(EnginePlatform platform) : m_platform(std::move(platform)) {}

Engine::~Engine()
{
    // A host that unloads the library without UninstallHook still gives its hot keys back.
    if (m_registry && m_window)
        m_registry->unregisterOwner(m_ownerId);
}

bool Engine::refuseWhenBusy() const
{
    if (m_state == EngineState::Idle)
        return false;
    reportMessage(KyMsgBusy);
    return true;
}

bool Engine::openRegistry()
{
    if (m_registry)
        return true;
    SharedSegment::Error error = SharedSegment::Error::Ok;
    std::string why;
    m_segment = m_platform.openRegistry ? m_platform.openRegistry(error, why) : nullptr;
    if (!m_segment) {
        reportMessageWithReason(
            error == SharedSegment::Error::CannotMap ? KyMsgSharedMapping : KyMsgSharedAllocation, why);
        return false;
    }
    m_registry = std::make_unique<HotKeyRegistry>(*m_segment);
    return true;
}

bool Engine::installHook(KyWindow notifyWindow, bool fastPlayback, bool systemWide, uint8_t mouseRecording,
                         uint8_t mouseOrigin, bool cancelChecking)
{
    if (refuseWhenBusy())
        return false;
    if (mouseRecording > RMAll || mouseOrigin > MBPointer) {
        reportMessage(KyMsgInvalidValue);
        return false;
    }
    if (!installed()) {
        if (!openRegistry()) {
            teardown();
            return false;
        }
        m_window = m_platform.createWindow ? m_platform.createWindow() : nullptr;
        if (!m_window) {
            reportMessage(KyMsgCreateWindow);
            teardown();
            return false;
        }
        if (!claimOwnership()) {
            teardown();
            return false;
        }
        releaseDeadOwners();
        m_settings.notifyWindow = 0;
    }
    startTable();
    if (!m_scrap && !createScrap())
        return false;
    m_settings.fastPlayback = fastPlayback;
    m_settings.systemWide = systemWide;
    m_settings.notifyWindow = notifyWindow;
    m_settings.recordingOrigin = mouseOrigin;
    m_settings.cancelChecking = cancelChecking;
    m_settings.excludedMouseLow = kMouseFilters[mouseRecording].low;
    m_settings.excludedMouseHigh = kMouseFilters[mouseRecording].high;
    return true;
}

// A repeated InstallHook starts a new table. The macros of the old one would otherwise stay
// allocated and keep their hot keys with no way left to reach or delete them.
void Engine::startTable()
{
    deleteAllMacros();
    m_slots.assign(kTableGrowth, 0);
    m_tableExists = true;
}

bool Engine::createScrap()
{
    MacroRecord scrap;
    scrap.flags = kScrapFlag;
    scrap.key = kScrapKey;
    try {
        scrap.events.resize(kScrapRoom);
        m_scrap = m_store.add(std::move(scrap));
    } catch (const std::bad_alloc &) {
        reportMessage(KyMsgScrapAllocation);
        return false;
    }
    return registerKey(kScrapKey, m_scrap);
}

void Engine::uninstallHook()
{
    if (refuseWhenBusy())
        return;
    if (!m_tableExists) {
        reportMessage(KyMsgNothingToUninstall);
    } else {
        deleteAllMacros();
        m_slots.clear();
        m_tableExists = false;
    }
    teardown();
}

void Engine::abandon()
{
    m_state = EngineState::Idle;
    if (m_tableExists) {
        deleteAllMacros();
        m_slots.clear();
        m_tableExists = false;
    }
    teardown();
}

void Engine::teardown()
{
    if (m_scrap) {
        unregisterKey(m_store.find(m_scrap)->key);
        m_store.remove(m_scrap);
        m_scrap = 0;
    }
    if (m_registry && m_window)
        m_registry->unregisterOwner(m_ownerId);
    m_claim.reset();
    m_window.reset();
    m_settings.notifyWindow = 0;
}

// Without a claim other processes would take this one for dead and free its entries.
bool Engine::claimOwnership()
{
    m_ownerId = m_platform.ownerIdentity ? m_platform.ownerIdentity() : m_window->id();
    std::string why;
    m_claim = m_platform.claimOwner ? m_platform.claimOwner(m_ownerId, why) : nullptr;
    if (!m_claim) {
        reportMessageWithReason(KyMsgSharedAllocation, why);
        return false;
    }
    // Entries under this id that are left from an ended process which had the same id are
    // not ours; the claim shows that no live process holds the id but this one.
    if (m_registry)
        m_registry->unregisterOwner(m_ownerId);
    return true;
}

void Engine::releaseDeadOwners()
{
    if (m_registry && m_window && m_platform.ownerAlive)
        m_registry->releaseDeadOwners(m_ownerId, m_platform.ownerAlive);
}

bool Engine::registerKey(KyKey key, KyMacro macro)
{
    if (!m_registry || !m_window) {
        reportMessage(KyMsgRegistryFull);
        return false;
    }
    if (m_registry->registerKey(key, m_ownerId, macro))
        return true;
    // A full registry may be full of keys that ended processes never gave back.
    releaseDeadOwners();
    if (m_registry->registerKey(key, m_ownerId, macro))
        return true;
    reportMessage(KyMsgRegistryFull);
    return false;
}

void Engine::unregisterKey(KyKey key)
{
    if (m_registry && m_window)
        m_registry->unregisterKey(key, m_ownerId);
}

MacroRecord *Engine::record(KyMacro macro)
{
    if (macro == 0)
        return nullptr;
    MacroRecord *found = m_store.find(macro);
    if (!found)
        reportMessage(KyMsgInvalidHandle);
    return found;
}

void Engine::notifyAssigned(KyMacro macro)
{
    if (m_settings.notifyWindow == 0)
        return;
    m_notifications.post({KyNoteAssigned, m_settings.notifyWindow, 0, macro});
}

} // namespace orvane
