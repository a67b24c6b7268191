#pragma once

#include "core/shared_segment.h"
#include "kyloom32.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace orvane {

// One entry of the registry as it lies in shared memory (12 bytes, little-endian).
struct HotKeyEntry {
    KyKey key = 0; // 0: free
    uint32_t owner = 0;
    uint32_t macro = 0;
};

// The hot keys of every process of this user: which process's message window owns a key and
// which of its macros the key plays. Every operation scans entries 0..255 in order under the
// segment's lock, so two processes never claim the same free entry or see one half written.
class HotKeyRegistry {
public:
    static constexpr size_t kEntries = 256;
    static constexpr size_t kEntrySize = 12;
    static constexpr size_t kBytes = 3072;

    explicit HotKeyRegistry(SharedSegment &segment);

    // Points this owner's entry for `key` at `macro`, or takes the first free entry; false when
    // the registry is full. Key 0 means "no key" and is never entered.
    bool registerKey(KyKey key, uint32_t owner, uint32_t macro);

    // Gives this owner's entry for `macro` the new key; false when there is none.
    bool rekey(uint32_t macro, uint32_t owner, KyKey key);

    // Frees this owner's first entry for `key`.
    void unregisterKey(KyKey key, uint32_t owner);

    // Frees every entry of this owner.
    void unregisterOwner(uint32_t owner);

    // Frees the entries of every owner other than `self` that `isAlive` says is gone, so that
    // processes which ended without giving their keys back do not hold them for good.
    size_t releaseDeadOwners(uint32_t self, const std::function<bool(uint32_t)> &isAlive);

    // The first entry with `key`, whoever owns it.
    std::optional<HotKeyEntry> find(KyKey key) const;

    HotKeyEntry entry(size_t index) const;
    size_t usedCount() const;

private:
    HotKeyEntry read(size_t index) const;
    void write(size_t index, const HotKeyEntry &entry);

    SharedSegment &m_segment;
};

} // namespace orvane
