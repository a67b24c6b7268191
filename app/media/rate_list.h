#pragma once
// The recent hourly rates of the count-up timers, kept in "Timeup.Rec" in the program's
// directory: one rate per line as the user typed it, CR LF after each, newest first, at most 10,
// never a rate of zero. The file's name is matched without regard to case.
#include <optional>
#include <string>
#include <vector>

namespace orvane {

class RateList {
public:
    static constexpr std::size_t kMaxRates = 10;
    static constexpr const char *kFileName = "Timeup.Rec";
    static constexpr const char *kNoRate = "00.00";

    // `programDir` ends with a '/'.
    explicit RateList(std::string programDir);

    // The rates from the file, or the one entry "00.00" when there is none.
    std::vector<std::string> load();

    struct Added {
        bool inserted = false;            // the rate became the first entry
        std::optional<std::string> error; // a text for the user
    };
    // Money mode was switched on with `rateText` (already blank-normalised): a new rate that is
    // not zero goes first in `rates`, the eleventh drops off, and the file is written. A text that
    // is not a number is refused with "'<text>' is not a valid floating point value".
    Added addRate(std::vector<std::string> &rates, const std::string &rateText);

    // The file as it is (or would be) found.
    std::string path() const;

private:
    bool write(const std::vector<std::string> &rates) const;

    std::string m_programDir;
};

// The rate a text stands for; none when it is not a decimal number.
std::optional<double> ReadRate(const std::string &text);
// Empty, one blank and three blanks mean zero: "0".
std::string NormaliseRateText(const std::string &text);

} // namespace orvane
