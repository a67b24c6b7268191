#include "core/macro_store.h"

#include <new>

namespace orvane {

KyMacro MacroStore::add(MacroRecord record)
{
    // Four billion handles outlive any session; running out is treated as running out of memory.
    if (m_next == 0)
        throw std::bad_alloc();
    const KyMacro handle = m_next++;
    m_records.emplace(handle, std::make_unique<MacroRecord>(std::move(record)));
    return handle;
}

MacroRecord *MacroStore::find(KyMacro handle)
{
    auto it = m_records.find(handle);
    return it == m_records.end() ? nullptr : it->second.get();
}

const MacroRecord *MacroStore::find(KyMacro handle) const
{
    auto it = m_records.find(handle);
    return it == m_records.end() ? nullptr : it->second.get();
}

void MacroStore::remove(KyMacro handle) { m_records.erase(handle); }

} // namespace orvane
