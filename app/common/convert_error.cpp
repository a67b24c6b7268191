#include "app/common/convert_error.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace orvane {

std::optional<int> TryStrToInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * base + digit;
        // Hexadecimal may spell a negative 32-bit value ($FFFFFFFF), as colour values do.
        const long long limit = base == 16 ? 0xFFFFFFFFLL : 2147483648LL;
        if (value > limit)
            return std::nullopt;
    }
    if (base == 16 && !negative)
        return static_cast<int>(static_cast<uint32_t>(value));
    if (negative)
        value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

int StrToInt(std::string_view text)
{
    if (auto v = TryStrToInt(text))
        return *v;
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

std::optional<double> TryStrToFloat(std::string_view text)
{
    std::string s(text);
    std::size_t b = s.find_first_not_of(" \t");
    std::size_t e = s.find_last_not_of(" \t");
    if (b == std::string::npos)
        return std::nullopt;
    s = s.substr(b, e - b + 1);
    // Only plain decimal notation: no hexadecimal floats, no "inf" or "nan" words.
    for (char c : s)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return std::nullopt;
    char *end = nullptr;
    errno = 0;
    const double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || errno == ERANGE || !std::isfinite(v))
        return std::nullopt;
    return v;
}

double StrToFloat(std::string_view text)
{
    if (auto v = TryStrToFloat(text))
        return *v;
    throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

} // namespace orvane
