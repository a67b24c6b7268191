#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace orvane {

// The program's exceptions for failures of the macro engine, worded with the engine's own
// messages.
class EHookError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EInstallMacro : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EShiftKeysNotAllowed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The text of the engine's message `id` (LoadMsg).
std::string LibraryMessage(uint16_t id);

} // namespace orvane
