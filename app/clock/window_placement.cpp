#include "app/clock/window_placement.h"

#include "app/common/ini_file.h"

namespace orvane {

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
