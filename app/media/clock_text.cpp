#include "app/media/clock_text.h"

#include <cstdio>

namespace orvane {

std::string ClockText(std::int64_t seconds)
{
    std::int64_t s = seconds % 86400;
    if (s < 0)
        s += 86400;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(s / 3600),
                  static_cast<int>(s / 60 % 60), static_cast<int>(s % 60));
    return text;
}

} // namespace orvane
