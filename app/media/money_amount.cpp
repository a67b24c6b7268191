#include "app/media/money_amount.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace orvane {

double MoneyAmount(double rate, std::int64_t elapsedSeconds)
{
    const std::int64_t s = ((elapsedSeconds % 86400) + 86400) % 86400;
    const auto hours = static_cast<double>(s / 3600);
    const auto minutes = static_cast<double>(s / 60 % 60);
    const auto secs = static_cast<double>(s % 60);
    return rate * (hours + minutes * kMinuteFactor + secs * kSecondFactor);
}

std::string FormatMoney(double amount)
{
    if (!std::isfinite(amount))
        return "$0.00";
    // Round on the decimal digits of the value, as a person reading it would: 0.125 gives
    // 0.13 even though the binary value lies a hair below it.
    char digits[40];
    std::snprintf(digits, sizeof digits, "%.14e", std::fabs(amount));
    std::string mantissa;
    for (const char *p = digits; *p && *p != 'e'; ++p)
        if (*p != '.')
            mantissa += *p;
    const int exponent = std::atoi(std::strchr(digits, 'e') + 1);
    // The number is 0.<mantissa> x 10^(exponent + 1); keep the digits down to hundredths.
    const int intDigits = exponent + 1;
    const int keep = intDigits + 2;
    std::string kept; // digits of the value times 100, before rounding
    if (keep > 0)
        kept = keep <= static_cast<int>(mantissa.size())
                   ? mantissa.substr(0, static_cast<std::size_t>(keep))
                   : mantissa + std::string(static_cast<std::size_t>(keep) - mantissa.size(), '0');
    const int next = keep >= 0 && keep < static_cast<int>(mantissa.size())
                         ? mantissa[static_cast<std::size_t>(keep)] - '0'
                         : 0;
    if (kept.empty())
        kept = "0";
    if (next >= 5) {
        int i = static_cast<int>(kept.size()) - 1;
        for (; i >= 0 && kept[static_cast<std::size_t>(i)] == '9'; --i)
            kept[static_cast<std::size_t>(i)] = '0';
        if (i < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[static_cast<std::size_t>(i)];
    }
    while (kept.size() < 3)
        kept.insert(kept.begin(), '0');
    std::string whole = kept.substr(0, kept.size() - 2);
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
    const std::string text = "$" + whole + "." + kept.substr(kept.size() - 2);
    return amount < 0 && text != "$0.00" ? "-" + text : text;
}

} // namespace orvane
