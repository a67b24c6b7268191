#include "app/clock/custom_colors.h"

#include "app/common/atomic_file.h"
#include "app/common/convert_error.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace orvane {
namespace {

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string HexValue(uint32_t color)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.6X", color);
    return buffer;
}

} // namespace

TCustomColors TCustomColors::Parse(std::string_view text)
{
    TCustomColors c;
    bool sawCrLf = false, sawLf = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!last) {
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
                sawCrLf = true;
            } else {
                sawLf = true;
            }
        }
        c.m_lines.emplace_back(line);
        start = end + 1;
    }
    // Files this program writes end their lines as the colour dialog's first home did (CR LF);
    // a file kept with bare LF ends stays that way.
    c.m_crlf = sawCrLf || !sawLf;
    return c;
}

std::optional<TCustomColors> TCustomColors::Load(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream s;
    s << in.rdbuf();
    return Parse(s.str());
}

std::string TCustomColors::Name(std::size_t index)
{
    return std::string("Color") + static_cast<char>('A' + index);
}

std::optional<std::size_t> TCustomColors::find(std::string_view name) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const std::size_t eq = m_lines[i].find('=');
        if (eq != std::string::npos && SameName(std::string_view(m_lines[i]).substr(0, eq), name))
            return i;
    }
    return std::nullopt;
}

CustomColorArray TCustomColors::Colors() const
{
    CustomColorArray colors;
    colors.fill(kUnsetColor);
    for (std::size_t i = 0; i < kCustomColorCount; ++i) {
        const auto line = find(Name(i));
        if (!line)
            continue;
        const std::string value = m_lines[*line].substr(m_lines[*line].find('=') + 1);
        if (value.empty() || value.size() > 8)
            continue;
        if (const auto v = TryStrToInt("$" + value))
            colors[i] = static_cast<uint32_t>(*v);
    }
    return colors;
}

void TCustomColors::SetColors(const CustomColorArray &colors)
{
    for (std::size_t i = 0; i < kCustomColorCount; ++i) {
        const std::string line = Name(i) + "=" + HexValue(colors[i]);
        if (const auto at = find(Name(i)))
            m_lines[*at] = line;
        else
            m_lines.push_back(line);
    }
}

std::string TCustomColors::Text() const
{
    std::string text;
    for (const std::string &line : m_lines)
        text += line + (m_crlf ? "\r\n" : "\n");
    return text;
}

bool TCustomColors::Save(const std::string &path) const { return WriteFileAtomically(path, Text()); }

} // namespace orvane
