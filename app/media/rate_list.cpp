#include "app/media/rate_list.h"

#include "app/common/atomic_file.h"
#include "app/common/convert_error.h"
#include "app/common/paths.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <strings.h>

namespace orvane {

RateList::RateList(std::string programDir) : m_programDir(std::move(programDir)) {}

std::string RateList::path() const
{
    std::error_code ec;
    for (const auto &entry : std::filesystem::directory_iterator(m_programDir, ec)) {
        const std::string name = entry.path().filename().string();
        if (strcasecmp(name.c_str(), kFileName) == 0)
            return entry.path().string();
    }
    return m_programDir + kFileName;
}

std::vector<std::string> RateList::load()
{
    std::ifstream in(path(), std::ios::binary);
    if (!in)
        return {kNoRate};
    std::vector<std::string> rates;
    std::string line;
    while (rates.size() < kMaxRates && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // Blank lines of a hand-edited file are no rates.
        if (!line.empty())
            rates.push_back(line);
    }
    if (rates.empty())
        rates.push_back(kNoRate);
    return rates;
}

std::optional<double> ReadRate(const std::string &text) { return TryStrToFloat(text); }

std::string NormaliseRateText(const std::string &text)
{
    if (text.empty() || text == " " || text == "   ")
        return "0";
    return text;
}

RateList::Added RateList::addRate(std::vector<std::string> &rates, const std::string &rateText)
{
    Added added;
    const bool listed = std::any_of(rates.begin(), rates.end(), [&](const std::string &r) {
        return strcasecmp(r.c_str(), rateText.c_str()) == 0;
    });
    if (listed)
        return added;
    const std::optional<double> value = ReadRate(rateText);
    if (!value) {
        added.error = "'" + rateText + "' is not a valid floating point value";
        return added;
    }
    if (*value == 0.0)
        return added;
    if (rates.size() > kMaxRates - 1)
        rates.resize(kMaxRates - 1);
    rates.insert(rates.begin(), rateText);
    added.inserted = true;
    // The placeholder of an empty list is no rate the user chose: it is not written.
    std::vector<std::string> stored;
    for (const std::string &r : rates)
        if (ReadRate(r).value_or(0.0) != 0.0)
            stored.push_back(r);
    if (!write(stored))
        added.error = "Cannot create file " + path();
    return added;
}

bool RateList::write(const std::vector<std::string> &rates) const
{
    std::string text;
    for (const std::string &r : rates)
        text += r + "\r\n";
    EnsureDir(m_programDir);
    return WriteFileAtomically(path(), text);
}

} // namespace orvane
