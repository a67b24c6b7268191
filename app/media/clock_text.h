#pragma once
// "hh:nn:ss" for a number of seconds, as the timers show a time; whole days are dropped, as a
// time of day would drop them.
#include <cstdint>
#include <string>

namespace orvane {

std::string ClockText(std::int64_t seconds);

} // namespace orvane
