#pragma once
// The weekdays a Recurs or Every rule allows, built from the record's day code.
#include <cstdint>

namespace orvane {

// Bit w (1 Sunday .. 7 Saturday) is set for each weekday allowed.
class DayMask {
public:
    static DayMask fromRecursDayCode(int32_t code);
    static DayMask fromEveryDaysCode(int32_t code);

    bool contains(int weekday) const { return weekday >= 1 && weekday <= 7 && (m_bits >> weekday) & 1; }
    bool isEmpty() const { return m_bits == 0; }

private:
    explicit DayMask(uint8_t bits) : m_bits(bits) {}
    static DayMask single(int32_t weekday);

    uint8_t m_bits;
};

} // namespace orvane
