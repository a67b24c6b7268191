#include "app/clock/option_rules.h"

#include <algorithm>
#include <array>

namespace orvane {
namespace {

constexpr std::array<int, 6> kIntervals = {1, 5, 10, 15, 30, 60};
constexpr std::array<const char *, 3> kBevelTexts = {"None", "Lowered", "Raised"};

} // namespace

int IntervalRow(int minutes)
{
    const auto it = std::find(kIntervals.begin(), kIntervals.end(), minutes);
    return it == kIntervals.end() ? -1 : static_cast<int>(it - kIntervals.begin());
}

std::optional<int> IntervalOfRow(int row)
{
    if (row < 0 || row >= static_cast<int>(kIntervals.size()))
        return std::nullopt;
    return kIntervals[static_cast<std::size_t>(row)];
}

std::optional<std::string> BevelText(int bevel)
{
    if (bevel < 0 || bevel > 2)
        return std::nullopt;
    return kBevelTexts[static_cast<std::size_t>(bevel)];
}

std::optional<int> BevelOfText(std::string_view text)
{
    for (std::size_t i = 0; i < kBevelTexts.size(); ++i)
        if (text == kBevelTexts[i])
            return static_cast<int>(i);
    return std::nullopt;
}

std::optional<FontStyleFlags> StyleOfName(std::string_view name)
{
    if (name == "Regular")
        return FontStyleFlags{false, false};
    if (name == "Bold")
        return FontStyleFlags{true, false};
    if (name == "Italic")
        return FontStyleFlags{false, true};
    if (name == "BoldItalic")
        return FontStyleFlags{true, true};
    return std::nullopt;
}

std::string StyleName(FontStyleFlags flags)
{
    if (flags.bold && flags.italic)
        return "BoldItalic";
    if (flags.italic)
        return "Italic";
    if (flags.bold)
        return "Bold";
    return "Regular";
}

int SampleUsableHeight(int height, int bevelWidth, int borderWidth, bool bothBevels)
{
    const int k = bothBevels ? 4 : 2;
    return std::max(1, height - k * bevelWidth - 2 * borderWidth);
}

std::string CutTo(std::string_view text, std::size_t max)
{
    if (text.size() <= max)
        return std::string(text);
    // Never split a UTF-8 character: back off to the start of the one the cut would divide.
    std::size_t n = max;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    return std::string(text.substr(0, n));
}

} // namespace orvane
