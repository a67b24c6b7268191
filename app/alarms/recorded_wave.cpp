#include "app/alarms/recorded_wave.h"

#include <cstdio>

namespace orvane {

bool IsRecordedWave(const std::string &path)
{
    const std::size_t cut = path.find_last_of("/\\");
    const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    return name.rfind("OV-", 0) == 0;
}

bool RemoveRecordedWave(const std::string &path)
{
    if (!IsRecordedWave(path))
        return false;
    return std::remove(path.c_str()) == 0;
}

} // namespace orvane
