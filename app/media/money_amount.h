#pragma once
// What an elapsed time costs at an hourly rate, with the factors the timer has always used
// (0.016667 per minute and 0.0002777 per second, not 1/60 and 1/3600), and its "$####0.#0" text.
#include <cstdint>
#include <string>

namespace orvane {

constexpr double kMinuteFactor = 0.016667;
constexpr double kSecondFactor = 0.0002777;

// Hours count 0..23: a day or more is dropped, as a time of day drops it.
double MoneyAmount(double rate, std::int64_t elapsedSeconds);
// "$" then the whole part (at least one digit, no thousands separator), "." and two decimals
// rounded half away from zero on the value's 15 significant digits.
std::string FormatMoney(double amount);

} // namespace orvane
