#include "core/macro_record.h"

#include <algorithm>
#include <cstring>

namespace orvane {

void MacroRecord::ensureCapacity(size_t count)
{
    if (events.size() < count)
        events.resize(count);
}

MacroRecord MacroRecord::copyForTable() const
{
    MacroRecord copy;
    copy.flags = flags & ~kScrapFlag;
    copy.lastIndex = lastIndex;
    copy.mouseOrigin = mouseOrigin;
    // A record with a code hook carries no events worth copying; the copy still gets room for
    // its count so that its header stays consistent, zeroed rather than left undefined.
    const size_t count = static_cast<size_t>(std::max(eventCount(), 0));
    if (codeHook)
        copy.events.resize(count);
    else
        copy.events.assign(events.begin(),
                           events.begin() + static_cast<std::ptrdiff_t>(std::min(count, events.size())));
    copy.events.resize(count);
    return copy;
}

void trimTrailingBlanks(char *text)
{
    if (!text)
        return;
    size_t n = std::strlen(text);
    const size_t length = n;
    while (n > 0 && text[n - 1] == ' ')
        --n;
    if (n != length)
        text[n] = '\0';
}

std::string trimmedTrailingBlanks(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

} // namespace orvane
