#pragma once
// A window's stored placement: the ten Place* keys of one section of murvelin.ini.
#include <optional>
#include <string>

namespace orvane {

class TIniFile;

struct WindowPlacementRecord {
    int flags = 0;
    int showCmd = 1; // 1 normal, 2 minimized, 3 maximized
    int minPosX = 0, minPosY = 0;
    int maxPosX = 0, maxPosY = 0;
    int normLeft = 0, normTop = 0, normRight = 0, normBottom = 0;
};

// Writes the ten keys in their order. Throws EIniFileException when the file cannot be written.
void WritePlacement(TIniFile &ini, const std::string &section, const WindowPlacementRecord &p);
// The stored placement, or nullopt when it is missing or inconsistent (left not less than right).
std::optional<WindowPlacementRecord> ReadPlacement(const TIniFile &ini, const std::string &section);

} // namespace orvane
