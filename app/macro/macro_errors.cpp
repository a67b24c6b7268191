#include "macro_errors.h"

#include "kyloom32.h"

namespace orvane {

std::string LibraryMessage(uint16_t id)
{
    unsigned char text[256] = {};
    LoadMsg(id, text);
    return std::string(reinterpret_cast<const char *>(text + 1), text[0]);
}

} // namespace orvane
