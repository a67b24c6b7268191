#pragma once

#include "kyloom32.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// One recorded input event, laid out exactly as the journal message record the macro files
// store, so that events travel between memory and files unchanged.
struct MacroEvent {
    uint32_t message = 0;
    uint32_t paramL = 0;
    uint32_t paramH = 0;
    uint32_t time = 0;
    uint32_t window = 0;
};
static_assert(sizeof(MacroEvent) == 20, "a macro event is 20 bytes on disk and in memory");

constexpr uint8_t kScrapFlag = 0x80;
constexpr uint8_t kLockFlagsMask = 0x38;

// A macro: the header fields and its events. `events` is the record's room, of which the first
// lastIndex + 1 entries are used, as recordings append without reallocating every event.
struct MacroRecord {
    uint8_t flags = 0;
    KyKey key = 0;
    int32_t lastIndex = -1;
    uint8_t mouseOrigin = MBScreen;
    KyCodeHook codeHook = nullptr;
    std::optional<std::string> name;
    std::vector<MacroEvent> events;

    int32_t eventCount() const { return lastIndex + 1; }
    size_t capacity() const { return events.size(); }

    // Makes room for at least `count` events, keeping those recorded.
    void ensureCapacity(size_t count);

    // The copy InstallMacro puts in the table: header and (without a code hook) events, with no
    // key, scrap mark, name or code hook of its own.
    MacroRecord copyForTable() const;
};

// Removes trailing blanks from a zero-terminated text in place.
void trimTrailingBlanks(char *text);
std::string trimmedTrailingBlanks(std::string text);

} // namespace orvane
