#pragma once

#include "kyloom32.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

// One entry of a macro file as a listing shows it.
struct MacroFileEntry {
    KyKey key = 0;
    std::string name;
    int64_t eventCount = 0;
    uint8_t mouseOrigin = 0;
};

// Reads the entries of a macro file without installing anything, so that listing needs no
// display. Damage is described by the library's message id (4, 6, 9 or 10) in `failure`;
// the entries before it are kept.
struct MacroFileListing {
    std::vector<MacroFileEntry> entries;
    uint16_t version = 0;
    uint16_t failure = 0;
};

MacroFileListing listMacroFile(const std::string &path);

} // namespace orvane
