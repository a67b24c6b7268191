#pragma once
// The colour dialog's 16 custom colours as kept in "CstmCol.Str": one "ColorA=BBGGRR" line per
// colour (ColorA..ColorP, six upper-case hexadecimal digits of the 0x00BBGGRR value) among any
// other lines the file may hold, which are kept as they are.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// A custom colour the file does not give (all bits set).
constexpr uint32_t kUnsetColor = 0xFFFFFFFF;
constexpr std::size_t kCustomColorCount = 16;

using CustomColorArray = std::array<uint32_t, kCustomColorCount>;

class TCustomColors {
public:
    TCustomColors() = default;
    // Splits the file's text into lines; line ends of either kind are understood.
    static TCustomColors Parse(std::string_view text);
    // Reads the file; nullopt when it does not exist or cannot be read.
    static std::optional<TCustomColors> Load(const std::string &path);

    // "ColorA".."ColorP".
    static std::string Name(std::size_t index);

    // The 16 colours: a missing name, an empty value or a value that is not hexadecimal
    // gives kUnsetColor for that colour only.
    CustomColorArray Colors() const;
    // Replaces the value of each name already present and appends the missing names at the end.
    void SetColors(const CustomColorArray &colors);

    const std::vector<std::string> &Lines() const { return m_lines; }
    std::string Text() const;
    // Writes the whole list back atomically; false when that fails.
    bool Save(const std::string &path) const;

private:
    std::optional<std::size_t> find(std::string_view name) const;

    std::vector<std::string> m_lines;
    bool m_crlf = true;
};

} // namespace orvane
