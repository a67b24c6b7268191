#include "app/clock/window_placement.h"

#include "app/common/ini_file.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace orvane {
namespace {

int64_t OverlapArea(const PlaceRect &a, const PlaceRect &b)
{
    const int64_t w =
        std::min<int64_t>(int64_t{a.left} + a.width, int64_t{b.left} + b.width) - std::max(a.left, b.left);
    const int64_t h =
        std::min<int64_t>(int64_t{a.top} + a.height, int64_t{b.top} + b.height) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// Squared distance from the window's centre to the nearest point of the screen.
double DistanceSquared(const PlaceRect &window, const PlaceRect &screen)
{
    const int64_t cx = int64_t{window.left} + window.width / 2;
    const int64_t cy = int64_t{window.top} + window.height / 2;
    const int64_t dx =
        std::max<int64_t>({int64_t{screen.left} - cx, 0, cx - (int64_t{screen.left} + screen.width)});
    const int64_t dy =
        std::max<int64_t>({int64_t{screen.top} - cy, 0, cy - (int64_t{screen.top} + screen.height)});
    return static_cast<double>(dx) * dx + static_cast<double>(dy) * dy;
}

int KeepInside(int position, int size, int areaStart, int areaSize)
{
    const int64_t last = int64_t{areaStart} + areaSize - size;
    if (last < areaStart)
        return areaStart;
    return static_cast<int>(std::clamp<int64_t>(position, areaStart, last));
}

} // namespace

PlaceRect BringOntoScreen(const PlaceRect &window, const std::vector<PlaceRect> &screens)
{
    if (screens.empty())
        return window;
    const PlaceRect *best = &screens.front();
    int64_t bestOverlap = -1;
    double bestDistance = std::numeric_limits<double>::max();
    for (const PlaceRect &screen : screens) {
        const int64_t overlap = OverlapArea(window, screen);
        const double distance = DistanceSquared(window, screen);
        if (overlap > bestOverlap || (overlap == 0 && bestOverlap == 0 && distance < bestDistance)) {
            best = &screen;
            bestOverlap = overlap;
            bestDistance = distance;
        }
    }
    PlaceRect placed = window;
    placed.left = KeepInside(window.left, window.width, best->left, best->width);
    placed.top = KeepInside(window.top, window.height, best->top, best->height);
    return placed;
}

void WritePlacement(TIniFile &ini, const std::string &section, const WindowPlacementRecord &p)
{
    ini.WriteInteger(section, "PlaceFlags", p.flags);
    ini.WriteInteger(section, "PlaceShowCmd", p.showCmd);
    ini.WriteInteger(section, "PlaceMinPosX", p.minPosX);
    ini.WriteInteger(section, "PlaceMinPosY", p.minPosY);
    ini.WriteInteger(section, "PlaceMaxPosX", p.maxPosX);
    ini.WriteInteger(section, "PlaceMaxPosY", p.maxPosY);
    ini.WriteInteger(section, "PlaceNormPosL", p.normLeft);
    ini.WriteInteger(section, "PlaceNormPosT", p.normTop);
    ini.WriteInteger(section, "PlaceNormPosR", p.normRight);
    ini.WriteInteger(section, "PlaceNormPosB", p.normBottom);
}

std::optional<WindowPlacementRecord> ReadPlacement(const TIniFile &ini, const std::string &section)
{
    WindowPlacementRecord p;
    p.flags = ini.ReadInteger(section, "PlaceFlags", 0);
    p.showCmd = ini.ReadInteger(section, "PlaceShowCmd", 1);
    p.minPosX = ini.ReadInteger(section, "PlaceMinPosX", 0);
    p.minPosY = ini.ReadInteger(section, "PlaceMinPosY", 0);
    p.maxPosX = ini.ReadInteger(section, "PlaceMaxPosX", 0);
    p.maxPosY = ini.ReadInteger(section, "PlaceMaxPosY", 0);
    p.normLeft = ini.ReadInteger(section, "PlaceNormPosL", 0);
    p.normTop = ini.ReadInteger(section, "PlaceNormPosT", 0);
    p.normRight = ini.ReadInteger(section, "PlaceNormPosR", 0);
    p.normBottom = ini.ReadInteger(section, "PlaceNormPosB", 0);
    if (p.normLeft >= p.normRight)
        return std::nullopt;
    return p;
}

} // namespace orvane
