#pragma once

#include "core/macro_record.h"
#include "kyloom32.h"

#include <memory>
#include <unordered_map>

namespace orvane {

// Owns every macro of the process and hands out opaque handles for them. Handles are never
// reused while the process runs, so a stale handle is recognised rather than dereferenced.
class MacroStore {
public:
    KyMacro add(MacroRecord record);
    MacroRecord *find(KyMacro handle);
    const MacroRecord *find(KyMacro handle) const;
    void remove(KyMacro handle);
    size_t size() const { return m_records.size(); }

private:
    std::unordered_map<KyMacro, std::unique_ptr<MacroRecord>> m_records;
    KyMacro m_next = 1;
};

} // namespace orvane
