#include "core/hot_key_registry.h"

#include <cstring>
#include <set>

namespace orvane {

namespace {

uint16_t load16(const uint8_t *p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

uint32_t load32(const uint8_t *p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void store16(uint8_t *p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void store32(uint8_t *p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

} // namespace

HotKeyRegistry::HotKeyRegistry(SharedSegment &segment) : m_segment(segment) {}

HotKeyEntry HotKeyRegistry::read(size_t index) const
{
    // The segment was checked to be kBytes long when mapped; indices never leave 0..255.
    if (index >= kEntries || m_segment.size() < kBytes)
        return {};
    const uint8_t *p = m_segment.data() + index * kEntrySize;
    return {load16(p), load32(p + 4), load32(p + 8)};
}

void HotKeyRegistry::write(size_t index, const HotKeyEntry &entry)
{
    if (index >= kEntries || m_segment.size() < kBytes)
        return;
    uint8_t *p = m_segment.data() + index * kEntrySize;
    store16(p, entry.key);
    store16(p + 2, 0);
    store32(p + 4, entry.owner);
    store32(p + 8, entry.macro);
}

bool HotKeyRegistry::registerKey(KyKey key, uint32_t owner, uint32_t macro)
{
    if (key == 0)
        return true;
    SharedSegment::Lock lock(m_segment);
    size_t freeIndex = kEntries;
    for (size_t i = 0; i < kEntries; ++i) {
        HotKeyEntry e = read(i);
        if (e.key == key && e.owner == owner) {
            e.macro = macro;
            write(i, e);
            return true;
        }
        if (e.key == 0 && freeIndex == kEntries)
            freeIndex = i;
    }
    if (freeIndex == kEntries)
        return false;
    write(freeIndex, {key, owner, macro});
    return true;
}

bool HotKeyRegistry::rekey(uint32_t macro, uint32_t owner, KyKey key)
{
    SharedSegment::Lock lock(m_segment);
    for (size_t i = 0; i < kEntries; ++i) {
        HotKeyEntry e = read(i);
        if (e.key != 0 && e.macro == macro && e.owner == owner) {
            e.key = key;
            write(i, e);
            return true;
        }
    }
    return false;
}

void HotKeyRegistry::unregisterKey(KyKey key, uint32_t owner)
{
    if (key == 0)
        return;
    SharedSegment::Lock lock(m_segment);
    for (size_t i = 0; i < kEntries; ++i) {
        HotKeyEntry e = read(i);
        if (e.key == key && e.owner == owner) {
            write(i, {});
            return;
        }
    }
}

void HotKeyRegistry::unregisterOwner(uint32_t owner)
{
    SharedSegment::Lock lock(m_segment);
    for (size_t i = 0; i < kEntries; ++i) {
        if (read(i).owner == owner)
            write(i, {});
    }
}

size_t HotKeyRegistry::releaseDeadOwners(uint32_t self, const std::function<bool(uint32_t)> &isAlive)
{
    SharedSegment::Lock lock(m_segment);
    std::set<uint32_t> owners;
    for (size_t i = 0; i < kEntries; ++i) {
        const HotKeyEntry e = read(i);
        if (e.key != 0 && e.owner != self)
            owners.insert(e.owner);
    }
    std::set<uint32_t> dead;
    for (uint32_t owner : owners) {
        if (!isAlive(owner))
            dead.insert(owner);
    }
    size_t released = 0;
    for (size_t i = 0; i < kEntries && !dead.empty(); ++i) {
        const HotKeyEntry e = read(i);
        if (e.key != 0 && dead.count(e.owner)) {
            write(i, {});
            ++released;
        }
    }
    return released;
}

std::optional<HotKeyEntry> HotKeyRegistry::find(KyKey key) const
{
    if (key == 0)
        return std::nullopt;
    SharedSegment::Lock lock(m_segment);
    for (size_t i = 0; i < kEntries; ++i) {
        const HotKeyEntry e = read(i);
        if (e.key == key)
            return e;
    }
    return std::nullopt;
}

HotKeyEntry HotKeyRegistry::entry(size_t index) const
{
    SharedSegment::Lock lock(m_segment);
    return read(index);
}

size_t HotKeyRegistry::usedCount() const
{
    SharedSegment::Lock lock(m_segment);
    size_t n = 0;
    for (size_t i = 0; i < kEntries; ++i)
        n += read(i).key != 0;
    return n;
}

} // namespace orvane
