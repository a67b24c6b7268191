#pragma once
// A window's stored placement: the ten Place* keys of one section of murvelin.ini.
#include <optional>
#include <string>
#include <vector>

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

// A window's outer rectangle, or a screen's usable area, in desktop pixels.
struct PlaceRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PlaceRect &) const = default;
};

// Moves `window` fully onto the screen it overlaps most (or, when it overlaps none, the nearest
// one), keeping its size; a window larger than that screen keeps its top-left corner on it. A
// stored placement from another monitor layout must never leave only a corner of the clock in
// view. With no screens the window is returned unchanged.
PlaceRect BringOntoScreen(const PlaceRect &window, const std::vector<PlaceRect> &screens);

} // namespace orvane
