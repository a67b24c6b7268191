#include "app/alarms/day_mask.h"

namespace orvane {
namespace {

constexpr uint8_t bit(int weekday) { return static_cast<uint8_t>(1u << weekday); }
constexpr uint8_t kMondayToFriday = bit(2) | bit(3) | bit(4) | bit(5) | bit(6);
constexpr uint8_t kSaturdaySunday = bit(1) | bit(7);

} // namespace

DayMask DayMask::single(int32_t weekday) { return DayMask(bit(weekday)); }

DayMask DayMask::fromRecursDayCode(int32_t code)
{
    if (code >= 1 && code <= 7)
        return single(code);
    if (code == 8)
        return DayMask(kMondayToFriday);
    if (code == 9)
        return DayMask(kSaturdaySunday);
    return DayMask(0);
}

DayMask DayMask::fromEveryDaysCode(int32_t code)
{
    if (code >= 1 && code <= 7)
        return single(code);
    if (code == 8)
        return DayMask(kMondayToFriday | kSaturdaySunday);
    if (code == 9)
        return DayMask(kMondayToFriday);
    if (code == 10)
        return DayMask(kSaturdaySunday);
    return DayMask(0);
}

} // namespace orvane
