#include "key_text.h"

#include <cstdio>

namespace orvane {

std::string keyText(KyKey key)
{
    // Room for the three modifiers and the longest key name the system gives (40).
    char buffer[64] = {};
    GetKeyName(key, buffer, static_cast<int32_t>(sizeof buffer));
    return buffer;
}

std::string keyCodeText(KyKey key)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", key);
    return text;
}

} // namespace orvane
