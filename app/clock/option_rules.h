#pragma once
// The options dialog's small rules that do not depend on its widgets: which row of the interval
// list an interval is, what the bevel and style texts mean, and how much of the sample face the
// time may fill.
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// Rows 0..5 are 1, 5, 10, 15, 30 and 60 minutes; any other interval has no row (-1).
int IntervalRow(int minutes);
// The minutes of a row; nullopt for a row outside the list.
std::optional<int> IntervalOfRow(int row);

// "None", "Lowered", "Raised" for 0, 1, 2; nullopt for a value that is none of them.
std::optional<std::string> BevelText(int bevel);
// 0, 1 or 2 for "None", "Lowered" or "Raised"; nullopt for any other text.
std::optional<int> BevelOfText(std::string_view text);

struct FontStyleFlags {
    bool bold = false;
    bool italic = false;
};
// "Regular", "Bold", "Italic" or "BoldItalic"; nullopt for any other name, which leaves a
// font's style as it is.
std::optional<FontStyleFlags> StyleOfName(std::string_view name);
// "BoldItalic" when bold and italic, else "Italic", else "Bold", else "Regular".
std::string StyleName(FontStyleFlags flags);

// The sample face's usable height: its height less four bevel widths when both bevels are drawn
// (else two) and less two border widths. Never below one pixel, so that the font stays valid.
int SampleUsableHeight(int height, int bevelWidth, int borderWidth, bool bothBevels);

// The text cut to its first `max` characters, as the settings record's short strings keep it.
std::string CutTo(std::string_view text, std::size_t max);

} // namespace orvane
