#pragma once

#include "kyloom32.h"

#include <vector>

namespace orvane {

// The keys a macro may be given, in the order the key pickers list them.
const std::vector<KyKey> &possibleMacroKeys();

int32_t possibleMacroKeyIndex(KyKey key);

} // namespace orvane
