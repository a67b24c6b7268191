#pragma once
// Number conversion with the program's own error texts.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orvane {

// A text that is not a number where one was required.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Decimal with an optional sign, or hexadecimal after "$" or "0x"; blanks before the number are
// allowed, anything after it is not. Values outside 32 bits are not valid.
std::optional<int> TryStrToInt(std::string_view text);
// Throws EConvertError "'%s' is not a valid integer value".
int StrToInt(std::string_view text);

std::optional<double> TryStrToFloat(std::string_view text);
// Throws EConvertError "'%s' is not a valid floating point value".
double StrToFloat(std::string_view text);

} // namespace orvane
