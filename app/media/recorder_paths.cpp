#include "app/media/recorder_paths.h"

#include <filesystem>

namespace orvane {

std::optional<int> RecorderPaths::firstFreeNumber() const
{
    for (int n = 1; n <= kMaxRecordings; ++n) {
        std::error_code ec;
        if (!std::filesystem::exists(numbered(n), ec))
            return n;
    }
    return std::nullopt;
}

} // namespace orvane
