#include "core/engine.h"

#include "core/report.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace orvane {

namespace {} // namespace

uint8_t Engine::installMacro(KyKey key, KyMacro source, const char *name, KyCodeHook codeHook)
{
    if (refuseWhenBusy())
        return kInstallFailed;
    if (source != 0 && !record(source))
        return kInstallFailed;
    size_t firstEmpty = m_slots.size();
    for (size_t slot = 0; slot < m_slots.size(); ++slot) {
        const MacroRecord *held = m_store.find(m_slots[slot]);
        if (!held) {
            firstEmpty = std::min(firstEmpty, slot);
            continue;
        }
        if (held->key != key)
            continue;
        if (!deleteSlot(slot))
            return kInstallFailed;
        if (source == 0) {
            notifyAssigned(0);
            return kInstallOk;
        }
        return putCopy(slot, key, source, name, codeHook);
    }
    if (source == 0)
        return kInstallOk;
    if (firstEmpty == m_slots.size()) {
        if (!growTable()) {
            reportMessage(KyMsgRegistryFull);
            return kInstallNoRoom;
        }
    }
    return putCopy(firstEmpty, key, source, name, codeHook);
}

bool Engine::growTable()
{
    if (!m_tableExists || m_slots.size() + kTableGrowth > 0xFFFF)
        return false;
    try {
        m_slots.resize(m_slots.size() + kTableGrowth, 0);
    } catch (const std::bad_alloc &) {
        return false;
    }
    return true;
}

uint8_t Engine::putCopy(size_t slot, KyKey key, KyMacro source, const char *name, KyCodeHook codeHook)
{
    KyMacro copy = 0;
    try {
        MacroRecord record = m_store.find(source)->copyForTable();
        record.key = key;
        copy = m_store.add(std::move(record));
    } catch (const std::bad_alloc &) {
        return kInstallFailed;
    }
    m_slots[slot] = copy;
    if (!registerKey(key, copy))
        return kInstallFailed;
    MacroRecord &installed = *m_store.find(copy);
    applyName(installed, name);
    if (codeHook) {
        installed.codeHook = codeHook;
        installed.lastIndex = -1;
    }
    notifyAssigned(copy);
    return kInstallOk;
}

bool Engine::deleteSlot(size_t slot)
{
    const KyMacro macro = m_slots[slot];
    if (macro == 0)
        return true;
    if (macro == m_scrap) {
        reportMessage(KyMsgScrapNotValid);
        return false;
    }
    if (const MacroRecord *held = m_store.find(macro))
        unregisterKey(held->key);
    m_store.remove(macro);
    m_slots[slot] = 0;
    return true;
}

void Engine::deleteAllMacros()
{
    for (size_t slot = 0; slot < m_slots.size(); ++slot)
        deleteSlot(slot);
}

KyMacro Engine::macroByKey(KyKey key) const
{
    if (const MacroRecord *scrap = m_store.find(m_scrap); scrap && scrap->key == key)
        return m_scrap;
    for (KyMacro macro : m_slots) {
        if (const MacroRecord *held = m_store.find(macro); held && held->key == key)
            return macro;
    }
    return 0;
}

KyMacro Engine::macroByIndex(int32_t index) const
{
    if (index == -1)
        return m_scrap;
    if (index < 0 || static_cast<size_t>(index) >= m_slots.size())
        return 0;
    return m_slots[static_cast<size_t>(index)];
}

KyMacro Engine::macroByName(const char *name) const
{
    if (!name)
        return 0;
    for (KyMacro macro : m_slots) {
        const MacroRecord *held = m_store.find(macro);
        if (held && held->name && strcasecmp(held->name->c_str(), name) == 0)
            return macro;
    }
    return 0;
}

KyKey Engine::macroKey(KyMacro macro)
{
    const MacroRecord *held = record(macro);
    return held ? held->key : 0;
}

void Engine::setMacroKey(KyMacro macro, KyKey key)
{
    if (refuseWhenBusy())
        return;
    MacroRecord *held = record(macro);
    if (!held)
        return;
    const KyMacro other = macroByKey(key);
    if (other != 0 && other != macro) {
        reportMessage(KyMsgKeyInUse);
        return;
    }
    const KyKey oldKey = held->key;
    held->key = key;
    if (oldKey == key)
        return;
    // A macro without a key has no entry to move, and key 0 needs none.
    if (key == 0) {
        unregisterKey(oldKey);
    } else if (oldKey == 0) {
        registerKey(key, macro);
    } else if (!m_registry || !m_window || !m_registry->rekey(macro, m_ownerId, key)) {
        reportMessage(KyMsgRegistryFull);
    }
}

const char *Engine::macroName(KyMacro macro)
{
    const MacroRecord *held = record(macro);
    if (held && held->name)
        return held->name->c_str();
    const std::string text = messageText(held ? KyMsgNoMacroName : KyMsgMacroUndefined);
    const size_t n = std::min(text.size(), sizeof m_nameBuffer - 1);
    std::memcpy(m_nameBuffer, text.data(), n);
    m_nameBuffer[n] = '\0';
    return m_nameBuffer;
}

void Engine::setMacroName(KyMacro macro, char *name)
{
    MacroRecord *held = record(macro);
    if (!held)
        return;
    trimTrailingBlanks(name);
    applyName(*held, name);
}

void Engine::applyName(MacroRecord &record, const char *name)
{
    std::string trimmed = trimmedTrailingBlanks(name ? name : "");
    if (trimmed.empty())
        record.name.reset();
    else
        record.name = std::move(trimmed);
}

KyCodeHook Engine::macroCodeHook(KyMacro macro)
{
    const MacroRecord *held = record(macro);
    return held ? held->codeHook : nullptr;
}

void Engine::setMacroCodeHook(KyMacro macro, KyCodeHook codeHook)
{
    if (refuseWhenBusy())
        return;
    if (macro == m_scrap)
        return;
    if (MacroRecord *held = record(macro))
        held->codeHook = codeHook;
}

} // namespace orvane
