#pragma once
// The settings keep colours as 0x00BBGGRR values, red in the low byte.
#include <QColor>

#include <cstdint>

namespace orvane {

inline QColor ColorFromValue(uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

inline uint32_t ValueFromColor(const QColor &c)
{
    return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
           static_cast<uint32_t>(c.blue()) << 16;
}

} // namespace orvane
