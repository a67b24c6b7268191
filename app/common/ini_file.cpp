#include "app/common/ini_file.h"

#include "app/common/atomic_file.h"
#include "app/common/convert_error.h"
#include "app/common/paths.h"

#include <fstream>
#include <optional>
#include <sstream>

namespace orvane {
namespace {

constexpr std::size_t kValueLimit = 1023;
// A line longer than this cannot be a setting; it is kept on write but never parsed.
constexpr std::size_t kLineLimit = 64 * 1024;

std::string_view Trim(std::string_view s)
{
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos)
        return {};
    const auto e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// The section name of a "[Name]" line, or nullopt for any other line.
std::optional<std::string_view> SectionOf(std::string_view line)
{
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[' || line.size() > kLineLimit)
        return std::nullopt;
    const auto close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

// Splits "Key=Value"; comment lines and lines without '=' have no key.
bool KeyValueOf(std::string_view line, std::string_view &key, std::string_view &value)
{
    if (line.size() > kLineLimit)
        return false;
    const auto t = Trim(line);
    if (t.empty() || t.front() == ';')
        return false;
    const auto eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    key = Trim(line.substr(0, eq));
    value = Trim(line.substr(eq + 1));
    return !key.empty();
}

std::string Unquote(std::string_view v)
{
    if (v.size() >= 2 && ((v.front() == '"' && v.back() == '"') || (v.front() == '\'' && v.back() == '\'')))
        v = v.substr(1, v.size() - 2);
    return std::string(v.substr(0, kValueLimit));
}

// Control characters would break the line structure; they become blanks.
std::string OneLine(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    return out;
}

} // namespace

TIniFile::TIniFile(std::string fileName) : m_fileName(std::move(fileName))
{
    m_path = m_fileName.find('/') == std::string::npos ? IniDir() + m_fileName : m_fileName;
}

TIniFile::Lines TIniFile::readLines() const
{
    Lines result;
    std::vector<std::string> &lines = result.lines;
    std::ifstream in(m_path, std::ios::binary);
    if (!in)
        return result;
    std::ostringstream all;
    all << in.rdbuf();
    const std::string text = all.str();
    bool sawLf = false, sawCrLf = false;
    std::size_t start = 0;
    while (start < text.size()) {
        auto nl = text.find('\n', start);
        if (nl == std::string::npos)
            nl = text.size();
        std::size_t end = nl;
        if (end > start && text[end - 1] == '\r') {
            --end;
            sawCrLf = true;
        } else if (nl < text.size()) {
            sawLf = true;
        }
        lines.emplace_back(text, start, end - start);
        start = nl + 1;
    }
    result.crlf = sawCrLf || !sawLf;
    return result;
}

void TIniFile::writeLines(const Lines &lines) const
{
    std::string text;
    for (const auto &l : lines.lines) {
        text += l;
        text += lines.crlf ? "\r\n" : "\n";
    }
    const auto slash = m_path.rfind('/');
    if (slash != std::string::npos)
        EnsureDir(m_path.substr(0, slash + 1));
    if (!WriteFileAtomically(m_path, text))
        throw EIniFileException("Unable to write to " + m_path);
}

TIniFile::Lines TIniFile::load() const { return m_pending ? *m_pending : readLines(); }

void TIniFile::store(Lines &&lines)
{
    if (m_pending)
        *m_pending = std::move(lines);
    else
        writeLines(lines);
}

void TIniFile::BeginUpdate()
{
    if (!m_pending)
        m_pending = readLines();
}

void TIniFile::EndUpdate()
{
    if (!m_pending)
        return;
    const Lines lines = std::move(*m_pending);
    m_pending.reset();
    writeLines(lines);
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const
{
    const auto lines = load().lines;
    bool inSection = false;
    for (const auto &line : lines) {
        if (auto s = SectionOf(line)) {
            // The first section of a name is the one that counts; later duplicates are ignored.
            if (inSection)
                break;
            inSection = SameText(*s, section);
            continue;
        }
        std::string_view k, v;
        if (inSection && KeyValueOf(line, k, v) && SameText(k, key))
            return Unquote(v);
    }
    return std::string(def.substr(0, kValueLimit));
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int def) const
{
    std::string text = ReadString(section, key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text = "$" + text.substr(2);
    if (text.empty())
        return def;
    return TryStrToInt(text).value_or(def);
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    Lines file = load();
    auto &lines = file.lines;
    const std::string sec = OneLine(section);
    const std::string k = OneLine(key);
    const std::string newLine = k + "=" + OneLine(value);

    std::optional<std::size_t> sectionAt;
    std::size_t lastContent = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (auto s = SectionOf(lines[i])) {
            if (sectionAt)
                break;
            if (SameText(*s, sec)) {
                sectionAt = i;
                lastContent = i;
            }
            continue;
        }
        if (!sectionAt)
            continue;
        if (!Trim(lines[i]).empty())
            lastContent = i;
        std::string_view lk, lv;
        if (KeyValueOf(lines[i], lk, lv) && SameText(lk, k)) {
            lines[i] = newLine;
            store(std::move(file));
            return;
        }
    }
    if (sectionAt) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastContent + 1), newLine);
    } else {
        if (!lines.empty() && !Trim(lines.back()).empty())
            lines.emplace_back();
        lines.push_back("[" + sec + "]");
        lines.push_back(newLine);
    }
    store(std::move(file));
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

} // namespace orvane
